// View switch, top buttons, hover and pressed faces of the image buttons,
// the application-wide hook and the hidden diagnostic panel.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "device/EngineerModePanel.h"
#include "draw/Controls.h"
#include "draw/GuideWindow.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "store/Databasecontroler.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

#include <QCoreApplication>
#include <QDir>
#include <QShortcut>
#include <QTimer>
#include <algorithm>

namespace {

// The program's user guide, shipped beside the executable.
const char *const kHomePage = "UserGuide.html";

void StartIfOff(QTimer *timer)
{
    // Turning on a running timer must not restart its period.
    if (!timer->isActive())
        timer->start();
}

}  // namespace

void TmainForm::ConnectHandlers()
{
    const std::array<void (TmainForm::*)(), 7> moves = {
        &TmainForm::BtnImageDateMouseMove,  &TmainForm::BtnImageSportModeMouseMove,
        &TmainForm::BtnImageSportAnalysisMouseMove, &TmainForm::BtnKorPageImageMouseMove,
        &TmainForm::BtnImagePrintReportMouseMove, &TmainForm::BtnImageLogoutMouseMove,
        &TmainForm::BtnImageSummaryMouseMove,
    };
    const std::array<void (TmainForm::*)(), 7> clicks = {
        &TmainForm::BtnImageDateClick,      &TmainForm::BtnImageSportModeClick,
        &TmainForm::BtnImageSportAnalysisClick, &TmainForm::BtnKorPageImageClick,
        &TmainForm::BtnImagePrintReportClick, &TmainForm::BtnImageLogoutClick,
        &TmainForm::BtnImageSummaryClick,
    };
    const std::array<TImage *, 7> buttons = TopButtons();
    for (int k = 0; k < 7; ++k) {
        connect(buttons[k], &TImage::mouseMoved, this, moves[k]);
        connect(buttons[k], &TImage::clicked, this, clicks[k]);
    }
    for (TImage *arrow : LeftArrows()) {
        connect(arrow, &TImage::mouseMoved, this, &TmainForm::MonthBtnImageMouseMove);
        connect(arrow, &TImage::mousePressed, this, &TmainForm::ArrowNLImageMouseDown);
    }
    for (TImage *arrow : RightArrows()) {
        connect(arrow, &TImage::mouseMoved, this, &TmainForm::MonthBtnImageMouseMove);
        connect(arrow, &TImage::mousePressed, this, &TmainForm::ArrowNRImageMouseDown);
    }
    auto monthStep = [this](int delta) { delta < 0 ? ArrowNLImageClick() : ArrowNRImageClick(); };
    connect(CalenderPanel, &TCalenderPanel::MonthStepRequested, this, monthStep);
    connect(SummaryPanel, &TSummaryPanel::MonthStepRequested, this, monthStep);
    connect(SummaryPanel, &TSummaryPanel::FillCalendarRequested, this, &TmainForm::FillCalendar);
    connect(SportModePanel, &TSportModePanel::RecordsChanged, this, &TmainForm::FillRecordLists);
    connect(SummaryPanel, &TSummaryPanel::MonthPictureDoubleClicked, this, &TmainForm::SumShowImgMonthDblClick);
    connect(CleanTargetIMGTimer, &QTimer::timeout, this, &TmainForm::CleanTargetIMGTimerTimer);
    connect(CleanMonthIMGTimer, &QTimer::timeout, this, &TmainForm::CleanMonthIMGTimerTimer);
    CleanMonthIMGTimer->start();

    hook_ = new TAppEventHook(this, [this](QObject *receiver, QEvent *event) {
        ApplicationEvents1Message(receiver, event);
    });
    hook_->setObjectName("ApplicationEvents1");
    ConnectKeys();
}

int TmainForm::BandPlace(int k)
{
    static constexpr int places[7] = {0, 1, 2, 4, 5, 6, 3};
    return places[k];
}

void TmainForm::ConnectKeys()
{
    const std::array<TImage *, 7> buttons = TopButtons();
    std::array<TImage *, 7> band{};
    for (int k = 0; k < 7; ++k)
        band[std::size_t(BandPlace(k))] = buttons[std::size_t(k)];
    for (int i = 0; i < 7; ++i) {
        band[std::size_t(i)]->MakeControl(band[std::size_t(i)]->objectName());
        // A click takes the focus too: the ring marks the view chosen last,
        // not the one the keyboard left.
        band[std::size_t(i)]->setFocusPolicy(Qt::StrongFocus);
        if (i > 0)
            setTabOrder(band[std::size_t(i - 1)], band[std::size_t(i)]);
        auto *key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(Qt::Key_1 + i)), this);
        TImage *button = band[std::size_t(i)];
        // Only a button the band shows acts (none before login, Print only
        // with the charts); like a button's own shortcut it takes the focus,
        // so Tab goes on from there.
        connect(key, &QShortcut::activated, button, [button] {
            if (!button->isVisible())
                return;
            button->setFocus(Qt::ShortcutFocusReason);
            button->Click();
        });
    }
}

std::array<TImage *, 7> TmainForm::TopButtons() const
{
    return {BtnImageDate,        BtnImageSportMode, BtnImageSportAnalysis, BtnKorPageImage,
            BtnImagePrintReport, BtnImageLogout,    BtnImageSummary};
}

std::array<TViewPanel *, 4> TmainForm::Views() const
{
    return {CalenderPanel, SportModePanel, SportAnalysisPanel, SummaryPanel};
}

std::array<TImage *, 4> TmainForm::LeftArrows() const
{
    const std::array<TImage *, 6> s = SummaryPanel->MonthArrows();
    return {CalenderPanel->MonthArrows()[0], s[0], s[2], s[4]};
}

std::array<TImage *, 4> TmainForm::RightArrows() const
{
    const std::array<TImage *, 6> s = SummaryPanel->MonthArrows();
    return {CalenderPanel->MonthArrows()[1], s[1], s[3], s[5]};
}

void TmainForm::ShowView(MainView view)
{
    // Notes typed for the shown record are offered for saving first.
    SportModePanel->KeepNotes();
    const std::array<TViewPanel *, 4> panels = Views();
    switch (view) {
    case mvCalender:
    case mvSportMode:
    case mvSportAnalysis:
        // Only the analysis view prints; the logout button takes the print
        // button's place elsewhere.
        panels[view]->show();
        BtnImagePrintReport->setVisible(view == mvSportAnalysis);
        for (QWidget *panel : panels)
            if (panel != panels[view])
                panel->hide();
        BtnImageLogout->move(view == mvSportAnalysis ? LogoutBtnHome : PrintBtnHome);
        break;
    case mvSummary:
        // Step by step, so the window repaints between the steps.
        for (QWidget *w : std::initializer_list<QWidget *>{CalenderPanel, SportModePanel, SportAnalysisPanel,
                                                           BtnImagePrintReport}) {
            w->hide();
            QCoreApplication::processEvents();
        }
        SummaryPanel->show();
        QCoreApplication::processEvents();
        BtnImageLogout->move(PrintBtnHome);
        break;
    case mvNone:
        for (QWidget *panel : panels)
            panel->hide();
        BtnImagePrintReport->hide();
        break;
    }
    // The diagnostic panel, once revealed, stays above whichever view is shown.
    if (EngineerModePanel && EngineerModePanel->isVisible())
        EngineerModePanel->raise();
}

void TmainForm::ShowTopButtons(bool visible)
{
    for (TImage *b : {BtnImageDate, BtnImageSportMode, BtnImageSportAnalysis, BtnKorPageImage, BtnImageLogout,
                      BtnImageSummary})
        b->setVisible(visible);
}

void TmainForm::BtnImageDateClick()
{
    ShowView(mvCalender);
    FillCalendar();
}

void TmainForm::BtnImageSportModeClick()
{
    ShowView(mvSportMode);
    SportModePanel->ClearRecordDetails();
    FillRecordLists();
}

void TmainForm::BtnImageSportAnalysisClick()
{
    SportAnalysisPanel->ResetAnalysisView();
    ShowView(mvSportAnalysis);
    FillRecordLists();
}

void TmainForm::BtnImageSummaryClick()
{
    DataBase->ListRecordFiles();
    QCoreApplication::processEvents();
    ShowView(mvSummary);
    FillCalendar();
}

void TmainForm::BtnKorPageImageClick()
{
    // Without a browser the guide shows in a window of the program's own.
    OpenGuide(this, QDir(QString::fromStdString(AppFolder)).filePath(QString::fromLatin1(kHomePage)));
}

void TmainForm::TopButtonMouseMove(int k)
{
    MainBtnImageList->Show(TopButtons()[k], 7 + k);
    BtnHover[k] = true;
    CleanTargetIMGTimer->stop();
    RestoreOtherButtons(k);
}

void TmainForm::BtnImageDateMouseMove() { TopButtonMouseMove(0); }
void TmainForm::BtnImageSportModeMouseMove() { TopButtonMouseMove(1); }
void TmainForm::BtnImageSportAnalysisMouseMove() { TopButtonMouseMove(2); }
void TmainForm::BtnKorPageImageMouseMove() { TopButtonMouseMove(3); }
void TmainForm::BtnImagePrintReportMouseMove() { TopButtonMouseMove(4); }
void TmainForm::BtnImageLogoutMouseMove() { TopButtonMouseMove(5); }
void TmainForm::BtnImageSummaryMouseMove() { TopButtonMouseMove(6); }

void TmainForm::RestoreOtherButtons(int k)
{
    const std::array<TImage *, 7> buttons = TopButtons();
    for (int j = 0; j < 7; ++j)
        if (j != k && BtnHover[j]) {
            MainBtnImageList->Draw(buttons[j], j);
            BtnHover[j] = false;
        }
}

void TmainForm::CleanTargetIMGTimerTimer()
{
    CleanTargetIMGTimer->stop();
    RestoreOtherButtons(-1);
}

void TmainForm::MonthBtnImageMouseMove(TImage *sender)
{
    if (sender->Tag == 0)
        MonthBtnImageList->Show(sender, 1);
    else if (sender->Tag == 1)
        MonthBtnImageList->Show(sender, 4);
    ArrowHover = true;
    CleanMonthIMGTimer->stop();
}

void TmainForm::ArrowNLImageMouseDown()
{
    for (TImage *arrow : LeftArrows())
        MonthBtnImageList->Draw(arrow, 2);
}

void TmainForm::ArrowNRImageMouseDown()
{
    for (TImage *arrow : RightArrows())
        MonthBtnImageList->Draw(arrow, 5);
}

void TmainForm::CleanMonthIMGTimerTimer()
{
    if (!ArrowHover)
        return;
    const std::array<TImage *, 4> left = LeftArrows();
    const std::array<TImage *, 4> right = RightArrows();
    for (int i = 0; i < 4; ++i) {
        MonthBtnImageList->Draw(left[i], 0);
        MonthBtnImageList->Draw(right[i], 3);
    }
    ArrowHover = false;
}

void TmainForm::ApplicationEvents1Message(QObject *receiver, QEvent *event)
{
    // One pointer move reaches the filter on its window and again on the
    // widgets under the pointer: react to the window's copy only, which
    // comes before the widget handlers.
    if (event->type() != QEvent::MouseMove || !receiver->isWindowType())
        return;
    if (std::any_of(BtnHover.begin(), BtnHover.end(), [](bool b) { return b; }))
        StartIfOff(CleanTargetIMGTimer);
    if (ArrowHover)
        StartIfOff(CleanMonthIMGTimer);
    SummaryPanel->PointerMoved();
}

void TmainForm::SumShowImgMonthDblClick()
{
    EngineerClicks = static_cast<int16_t>(EngineerClicks + 1);
    if (EngineerClicks > 5 && EngineerModePanel) {
        EngineerModePanel->show();
        EngineerModePanel->raise();
        EngineerClicks = 0;
    }
}
