// Main window: controls of the frame, constructor and FormCreate steps, the
// login cycle, logout and closing.
#include "app/Main.h"

#include "accounts/Login.h"
#include "calendar/CalendarView.h"
#include "calendar/Calenderset.h"
#include "calendar/SummaryView.h"
#include "device/Download.h"
#include "device/DownloadProgress.h"
#include "device/EngineerModePanel.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Dialogs.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "draw/WindowSight.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "training/TrainingService.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QScreen>
#include <QTimer>

TmainForm *mainForm = nullptr;

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 748;
constexpr int kTitleHeight = 105;
constexpr uint32_t kDarkGrey = 0x404040;
constexpr uint32_t kLightGrey = 0xCCCCCC;

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
    CreateTraining();
    for (TImage *a : LeftArrows()) {
        a->Tag = 0;
        MonthBtnImageList->Draw(a, 0);
    }
    for (TImage *a : RightArrows()) {
        a->Tag = 1;
        MonthBtnImageList->Draw(a, 3);
    }

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
    CalenderPanel->SetPhotoVisible(false);
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
        panel->PaintBackground(MirrorGradient(panel->size()));
        if (panel != CalenderPanel)
            panel->PlacePhoto(CalenderPanel->PhotoPos());
    }

    setFixedSize(kWidth, kHeight);
    homePos_ = CentredOnScreen(QSize(kWidth, kHeight));
    move(homePos_);

    PrintBtnHome = BtnImagePrintReport->pos();
    LogoutBtnHome = BtnImageLogout->pos();
    // Qt widgets paint double-buffered: no switch needed for the window and
    // its panels.
    MonthNames = MonthNamesIn(nullptr);
    // The window is present but unseen until a rider logs in.
    SetTransparent(true);
}

void TmainForm::FormCreate()
{
    Shown.ClearMarks();
    const QDate today = QDate::currentDate();
    Shown.SetShownMonth(today.year(), today.month());
    FillCalendar();

    const std::array<TImage *, 7> buttons = TopButtons();
    for (int k = 0; k < 7; ++k)
        MainBtnImageList->Draw(buttons[k], k);
    ExitRequested = false;

    CalenderPanel->ShowDongleLinked(false);
    // The dongle controller; its first scan is queued and runs in step 11.
    CreateDownload();
    CreateImport();

    SportModePanel->ClearRecordDetails();
    SportModePanel->DrawMemoFrame();

    SportAnalysisPanel->FormCreate();
    ArrowHover = false;
    SummaryPanel->ShowSummaryMode(0);

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
    SportModePanel->KeepNotes();
    ShowTopButtons(false);
    CalenderPanel->ShowDownloadControls(false);
    ShowView(mvNone);
    // The next rider never sees these totals.
    SummaryPanel->ResetTotals();
    SummaryPanel->DrawMonthTiles();
    Training->Close();
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
    SportModePanel->KeepNotes();
    if (Download)
        Download->Stop();
    event->accept();
    emit Closed();
}

TWindowServices TmainForm::Services() const
{
    return {AppFolder, DataBase.get(), MultiLang.get()};
}

void TmainForm::CreateDownload()
{
    Download = new TDongleDownload(AppFolder, *DataBase, HidServices, this);
    // Over the views; revealed by the summary's month picture.
    EngineerModePanel = new TEngineerModePanel(this, *Download);
    DownloadProgress = new TDownloadProgress(nullptr, *Download, *MultiLang);
    CalenderPanel->PlaceDownloadProgress(DownloadProgress);
    ConnectDownload();
}

void TmainForm::ConnectDownload()
{
    TDongleDownload *d = Download;
    connect(d, &TDongleDownload::Unlinked, CalenderPanel, [this] { CalenderPanel->ShowDongleLinked(false); });
    connect(d, &TDongleDownload::Linked, CalenderPanel, [this] { CalenderPanel->ShowDongleLinked(true); });
    connect(d, &TDongleDownload::StartFaceChanged, CalenderPanel, &TCalenderPanel::ShowStartFace);
    connect(CalenderPanel, &TCalenderPanel::StartImageClicked, d, &TDongleDownload::ToggleStart);
    d->AskOverwrite = [this] {
        return ShowMessage(this, "File Exists! Over write?", "Worring", QMessageBox::Question, true,
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    connect(d, &TDongleDownload::DecoderMessage, this, [this](const QString &text, const QString &caption) {
        ShowMessage(this, text, caption, QMessageBox::Information, true);
    });
    connect(d, &TDongleDownload::TransferFailed, this,
            [this] { ShowMessage(this, "TR900 data transfer Fail!", "info", QMessageBox::Information, true); });
    connect(d, &TDongleDownload::RecordNotFiled, this, [this](const QString &keptAs) {
        ShowMessage(this, QString("The record could not be copied into the rider's folder. It was kept as %1").arg(keptAs),
                    "Error", QMessageBox::Warning, true);
    });
    connect(d, &TDongleDownload::RecordFiled, this, [this](const QString &name, int year, int month) {
        DataBase->ListRecordFiles(); // the summary's totals count it at once
        Training->RideFiled(name.toStdString());
        if (month != 0) {
            Shown.SetShownMonth(year, month);
            FillCalendar();
        }
        ShowMessage(this, "TR900 data transfer Ok!", "info", QMessageBox::Information, true);
    });
}
