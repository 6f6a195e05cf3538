// Main window: controls of the frame, constructor and FormCreate steps, the
// login cycle, logout and closing.
#include "app/Main.h"

#include "accounts/Login.h"
#include "calendar/CalendarView.h"
#include "calendar/Calenderset.h"
#include "calendar/SummaryView.h"
#include "device/Download.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Dialogs.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "draw/WindowSight.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

TmainForm *mainForm = nullptr;
TLoginForm *LoginForm = nullptr;
TUserAccountSetForm *UserAccountSetForm = nullptr;
TDeleteAccountForm *DeleteAccountForm = nullptr;
TLanguageForm *LanguageForm = nullptr;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 748;
constexpr int kTitleHeight = 105;
constexpr uint32_t kDarkGrey = 0x404040;
constexpr uint32_t kLightGrey = 0xCCCCCC;
constexpr uint32_t kWhite = 0xFFFFFF;

const char *const kValueBoxes[13] = {
    "Dura_Edit", "Dist_Edit", "RPM_Edit", "Speed_Edit", "LAP_Edit", "Calo_Edit", "HRM_Edit",
    "HRA_Edit", "VO2_Edit", "Inte_Edit", "Sum_Dura_Edit", "Sum_Dist_Edit", "Sum_Calo_Edit",
};

QImage TitleGradient()
{
    return SharedGradient(QSize(kWidth, kTitleHeight), kDarkGrey, kLightGrey, GradientShape::Straight);
}

QImage MirrorGradient(const QSize &size)
{
    return SharedGradient(size, kLightGrey, kDarkGrey, GradientShape::Mirror);
}

}  // namespace

void TmainForm::PaintBackgrounds()
{
    TitleGradient();
    MirrorGradient(QSize(kWidth, kHeight));
    MirrorGradient(QSize(kWidth, kHeight - kTitleHeight));
}

const std::array<const char *, 13> TmainForm::ColumnLabels = {
    "lblSum_Dura", "lblSum_Dist", "lblSum_Kcal", "Dura_Lab", "Dist_Lab", "RPM_Lab", "Speed_Lab",
    "LAP_Lab", "Calo_Lab", "HRM_Lab", "HRA_Lab", "VO2_Lab", "Inte_Lab",
};
const std::array<const char *, 12> TmainForm::MonthKeys = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December",
};

TmainForm::TmainForm(const QString &appFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      CalSet(std::make_unique<TCalenderSet>()), Shown(*CalSet), ShowYear(Shown.ShowYear),
      ShowMonth(Shown.ShowMonth), DayMarks(Shown.DayMarks)
{
    setObjectName("mainForm");
    setWindowTitle("Cyclovex");
    const QString folder = appFolder.isEmpty() ? QCoreApplication::applicationDirPath() : appFolder;
    AppFolder = QDir::cleanPath(folder).toStdString();
    CreateControls();
    ConstructorBody();
}

TmainForm::~TmainForm()
{
    // The hook must not reach this window while its widgets are destroyed.
    delete hook_;
}

void TmainForm::CreateControls()
{
    MainBtnImageList = &AssetList("MainBtnImageList");
    MonthBtnImageList = &AssetList("MonthBtnImageList");
    DongleLinkStatusImageList = &AssetList("DongleLinkStatusImageList");
    StartBtnImageList = &AssetList("StartBtnImageList");

    MainBGImage = NewPicture(this, "MainBGImage", QRect(0, kTitleHeight, kWidth, kHeight));
    TitleBGImage = NewPicture(this, "TitleBGImage", QRect(0, 0, kWidth, kTitleHeight));
    struct Button { TImage *TmainForm::*member; const char *name; int left; };
    const Button buttons[7] = {
        {&TmainForm::BtnImageDate, "BtnImageDate", 8},
        {&TmainForm::BtnImageSportMode, "BtnImageSportMode", 142},
        {&TmainForm::BtnImageSportAnalysis, "BtnImageSportAnalysis", 276},
        {&TmainForm::BtnKorPageImage, "BtnKorPageImage", 545},
        {&TmainForm::BtnImagePrintReport, "BtnImagePrintReport", 681},
        {&TmainForm::BtnImageLogout, "BtnImageLogout", 816},
        {&TmainForm::BtnImageSummary, "BtnImageSummary", 411},
    };
    for (const Button &b : buttons) {
        TImage *button = NewPicture(this, b.name, QRect(b.left, 8, 119, 91));
        button->setCursor(Qt::PointingHandCursor);
        button->hide();
        this->*b.member = button;
    }

    // The store and the language service come first: the views are made
    // with them.
    MultiLang = std::make_unique<MultiLanguage>();
    DataBase = std::make_unique<TKorvanDataBase>();
    CreateViews();
    for (TImage *a : LeftArrows()) {
        a->Tag = 0;
        MonthBtnImageList->Draw(a, 0);
    }
    for (TImage *a : RightArrows()) {
        a->Tag = 1;
        MonthBtnImageList->Draw(a, 3);
    }

    // Diagnostic panel, over the views; fixed English captions.
    EngineerModePanel = NewPanel(this, "EngineerModePanel", QRect(288, 104, 713, 249));
    EngineerModePanel->setAttribute(Qt::WA_StyledBackground);
    EngineerModePanel->setStyleSheet(
        "#EngineerModePanel { background: #303030; border: 1px solid white; border-radius: 6px; }"
        "QLabel { color: white; }");
    auto edit = [this](const char *name, int x, int y) {
        auto *e = new QLineEdit(EngineerModePanel);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(x, y, 80, 22);
        e->setReadOnly(true);
        return e;
    };
    Label1 = NewLabel(EngineerModePanel, "Label1", "USB HID device:", QPoint(12, 10));
    DevListBox = new QListWidget(EngineerModePanel);
    DevListBox->setObjectName("DevListBox");
    DevListBox->setGeometry(12, 30, 290, 78);
    Label10 = NewLabel(EngineerModePanel, "Label10", "Input Report status:", QPoint(12, 118));
    Label3 = NewLabel(EngineerModePanel, "Label3", "Size", QPoint(12, 145));
    InRepSizeEdit = edit("InRepSizeEdit", 62, 141);
    Label11 = NewLabel(EngineerModePanel, "Label11", "bytes", QPoint(150, 145));
    Label12 = NewLabel(EngineerModePanel, "Label12", "Count", QPoint(12, 175));
    InRepCountEdit = edit("InRepCountEdit", 62, 171);
    Label13 = NewLabel(EngineerModePanel, "Label13", "reports", QPoint(150, 175));
    StartButton = NewButton(EngineerModePanel, "StartButton", "Start", QRect(12, 208, 90, 28));
    StopButton = NewButton(EngineerModePanel, "StopButton", "Stop", QRect(112, 208, 90, 28));
    StopButton->setEnabled(false);
    LogMemo = new QPlainTextEdit(EngineerModePanel);
    LogMemo->setObjectName("LogMemo");
    LogMemo->setGeometry(316, 10, 385, 229);
    LogMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("Liberation Mono");
    fixed.setStyleHint(QFont::Monospace);
    fixed.setPointSize(8);
    LogMemo->setFont(fixed);

    MeasureTimer = NewTimer(this, "MeasureTimer", 1000);
    StatusCheckTimer = NewTimer(this, "StatusCheckTimer", 1000);
    CleanTargetIMGTimer = NewTimer(this, "CleanTargetIMGTimer", 100);
    CleanMonthIMGTimer = NewTimer(this, "CleanMonthIMGTimer", 100);

    ConnectHandlers();
}

void TmainForm::CreateViews()
{
    CalenderPanel = new TCalenderPanel(this, Shown);
    SportModePanel = new TSportModePanel(this, *DataBase);
    SportAnalysisPanel = new TSportAnalysisPanel(this, *DataBase);
    SummaryPanel = new TSummaryPanel(this, Shown, *DataBase);
    CalAccountImage = CalenderPanel->Photo;
    DataAccountImage = SportModePanel->Photo;
    AnalyAccountImage = SportAnalysisPanel->Photo;
    SummaryAccountImage = SummaryPanel->Photo;
    DongleLinkStatusImage = CalenderPanel->DongleLinkStatusImage;
    mainStartImage = CalenderPanel->mainStartImage;
    CalAccountImage->hide();
}

void TmainForm::ConstructorBody()
{
    MultiLang->LangFolder = AppFolder + "/LANGUAGE";
    const QString idFolder = QString::fromStdString(AppFolder + "/ID");
    if (!QDir(idFolder).exists())
        QDir().mkpath(idFolder);  // a failure is not reported
    DataBase->SetRootFolder(AppFolder + "/ID/");

    // The backgrounds are the gradients by rows: the title band from dark to
    // light grey, below it light grey at the edges and dark in the middle.
    TitleBGImage->setGeometry(0, 0, kWidth, kTitleHeight);
    TitleBGImage->SetCanvas(TitleGradient());
    MainBGImage->setGeometry(0, TitleBGImage->y() + TitleBGImage->height(), kWidth, kHeight);
    MainBGImage->SetCanvas(MirrorGradient(MainBGImage->size()));
    // Every view fills the client area below the title band; the four
    // share one background.
    const int viewTop = TitleBGImage->y() + TitleBGImage->height();
    for (TViewPanel *panel : Views()) {
        panel->setGeometry(0, viewTop, kWidth, kHeight - viewTop);
        panel->FitBackground();
        panel->Background->SetCanvas(MirrorGradient(panel->size()));
        if (panel != CalenderPanel) {
            panel->Photo->move(CalAccountImage->pos());
            panel->Photo->show();
        }
    }
    SummaryPanel->SummaryWeekPanel->setGeometry(SummaryPanel->SummaryDatePanel->geometry());
    SummaryPanel->SummaryMonthPanel->setGeometry(SummaryPanel->SummaryDatePanel->geometry());

    setFixedSize(kWidth, kHeight);
    homePos_ = CentredOnScreen(QSize(kWidth, kHeight));
    move(homePos_);

    PrintBtnHome = BtnImagePrintReport->pos();
    LogoutBtnHome = BtnImageLogout->pos();
    // Qt widgets paint double-buffered: no switch needed for the window and
    // its panels.
    for (const char *month : MonthKeys)
        MonthNames << QString::fromLatin1(month);
    for (std::size_t i = 0; i < ColumnLabels.size(); ++i) {
        const QWidget *label = findChild<QWidget *>(QString::fromLatin1(ColumnLabels[i]));
        LabelHomeLeft[i] = label ? label->x() : 0;
    }
    // The window is present but unseen until a rider logs in.
    SetTransparent(true);
}

void TmainForm::FormCreate()
{
    Shown.ClearMarks();
    const QDate today = QDate::currentDate();
    Shown.SetShownMonth(today.year(), today.month());
    FillCalendar();

    for (const char *name : kValueBoxes)
        if (auto *box = findChild<QLineEdit *>(QString::fromLatin1(name))) {
            box->setAlignment(Qt::AlignCenter);
            box->update();
        }

    const std::array<TImage *, 7> buttons = TopButtons();
    for (int k = 0; k < 7; ++k)
        MainBtnImageList->Draw(buttons[k], k);
    ExitRequested = false;

    DongleLinkStatusImageList->Draw(DongleLinkStatusImage, 0);
    DongleLinked = false;
    StartBtnImageList->Draw(mainStartImage, 2);
    mainStartImage->setEnabled(false);
    // The dongle controller; its first scan is queued and runs in step 11.
    Download = new TDongleDownload(this, HidServices);

    SportModePanel->ClearRecordDetails();
    {
        TKorvanDraw draw;
        QWidget *memo = SportModePanel->MemoShape;
        const QRect r = memo->geometry();
        draw.DrawFrameLabel(SportModePanel->Background, r.left(), r.top(), r.left() + r.width(), r.top() + r.height(),
                            kWhite, std::string(16, ' '));
        memo->hide();
    }

    SportAnalysisPanel->LayoutCharts();
    SportAnalysisPanel->ChartBusy = false;
    ArrowHover = false;
    SummaryPanel->ShowSummaryMode(0);
    if (QWidget *space = findChild<QWidget *>("SpaceChart"))
        space->move(space->x(), 10);

    MultiLang->ReadLangSetting();
    MultiLang->LoadLanguage(MultiLang->LangFile);

    // The dongle controller's first device scan runs here, before the login
    // window is ever shown.
    QCoreApplication::processEvents();

    RefreshCaptions();
}

bool TmainForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        FirstActivation();
    } else if (event->type() == QEvent::Show && testAttribute(Qt::WA_DontShowOnScreen)) {
        // Shown unseen, the window cannot be activated by a window manager:
        // its showing stands for its first activation.
        FirstActivation();
    }
    return QWidget::event(event);
}

void TmainForm::FirstActivation()
{
    if (activatedOnce_)
        return;
    activatedOnce_ = true;
    // Run after the activation has been handled: the login is modal.
    QTimer::singleShot(0, this, &TmainForm::FormActivate);
}

void TmainForm::FormActivate()
{
    if (!LoginForm)  // a frame built without its login window
        return;
    LoginForm->exec();
    if (ExitRequested)
        close();
}

void TmainForm::BtnImageLogoutClick()
{
    ShowTopButtons(false);
    DongleLinkStatusImage->hide();
    mainStartImage->hide();
    ShowView(mvNone);
    // The next rider never sees these totals.
    SummaryPanel->ResetTotals();
    SummaryPanel->DrawMonthTiles();
    FormActivate();
}

void TmainForm::SetTransparent(bool transparent)
{
    SetOpacityWhereHonoured(this, transparent ? 0.0 : 1.0);
    // Opacity alone is ignored without a compositor and on Wayland: while
    // transparent the window stays shown for the program but is kept off the
    // desktop, and it comes back where the rider left it, wholly on screen.
    if (transparent == testAttribute(Qt::WA_DontShowOnScreen))
        return;
    const bool shown = isVisible();
    if (shown) {
        if (transparent)
            homePos_ = pos();
        hide();
    }
    setAttribute(Qt::WA_DontShowOnScreen, transparent);
    if (!transparent && screen() != nullptr)
        move(KeptOnScreen(QRect(homePos_, frameGeometry().size()), screen()->availableGeometry()));
    if (shown)
        show();
    if (!transparent) {
        raise();
        activateWindow();
    }
}

void TmainForm::closeEvent(QCloseEvent *event)
{
    if (Download)
        Download->StopButtonClick();
    event->accept();
    emit Closed();
}
