// Main window frame, view switch, hover and pressed faces, the hidden
// diagnostic panel and the home page button.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "device/Download.h"
#include "device/EngineerModePanel.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "store/Databasecontroler.h"
#include "tests/support/Parts.h"
#include "tests/support/TempFolder.h"
#include "views/Analysis.h"
#include "views/RecordDetails.h"

#include <QDate>
#include <QLabel>
#include <QDesktopServices>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls.push_back(url); }

public:
    std::vector<QUrl> urls;
};

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TmainForm>(QString::fromStdString(dir.path()));
        mainForm = form.get();
        form->FormCreate();
    }
    void TearDown() override { mainForm = nullptr; }

    // Logged-in look without the login window.
    void ShowWorking()
    {
        form->ShowTopButtons(true);
        form->ShowView(mvCalender);
        form->SetTransparent(false);
        form->show();
        QCoreApplication::processEvents();
    }

    // The background picture of a view, found by its name.
    TImage *Background(const QWidget *view) const
    {
        const QString name = view->objectName() == "SummaryPanel"
                                 ? QString("SummaryImage")
                                 : QString(view->objectName()).replace("Panel", "BGImage");
        TImage *background = view->findChild<TImage *>(name);
        EXPECT_NE(background, nullptr) << name.toStdString();
        return background;
    }
    // A month arrow of the calendar view, found by its name.
    TImage *Arrow(const char *name) const
    {
        TImage *arrow = form->CalenderPanel->findChild<TImage *>(name);
        EXPECT_NE(arrow, nullptr) << name;
        return arrow;
    }

    TempFolder dir;
    std::unique_ptr<TmainForm> form;
};

TEST_F(MainFormTest, StartUpCreatesTheRiderRootAndInitialState)
{
    EXPECT_TRUE(QDir(QString::fromStdString(dir.file("ID"))).exists());
    EXPECT_EQ(form->DataBase->RootFolder, dir.path() + "/ID/");
    EXPECT_EQ(form->MultiLang.get() != nullptr, true);
    EXPECT_EQ(form->ShowYear, QDate::currentDate().year());
    EXPECT_EQ(form->ShowMonth, QDate::currentDate().month());
    EXPECT_EQ(form->MonthNames.size(), 12);
    EXPECT_EQ(form->MonthNames[0], "January");
    EXPECT_FALSE(form->ExitRequested);
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 0.0);
    auto *status = form->findChild<TImage *>("DongleLinkStatusImage");
    auto *start = form->findChild<TImage *>("mainStartImage");
    ASSERT_TRUE(status != nullptr && start != nullptr);
    EXPECT_EQ(status->ShownIndex, 0);
    EXPECT_EQ(start->ShownIndex, 2);
    EXPECT_FALSE(start->isEnabled());
    EXPECT_FALSE(form->Download->DongleLinked());
    EXPECT_TRUE(form->CleanMonthIMGTimer->isActive());
    EXPECT_FALSE(form->CleanTargetIMGTimer->isActive());
    EXPECT_FALSE(form->Download->MeasureTimer->isActive());
    EXPECT_FALSE(form->Download->StatusCheckTimer->isActive());
    EXPECT_EQ(form->findChild<QTimer *>("CleanSummaryMoveInIMGTimer")->interval(), 50);
    EXPECT_TRUE(form->findChild<QWidget *>("MemoShape")->isHidden());
    for (TImage *a : form->LeftArrows())
        EXPECT_EQ(a->ShownIndex, 0);
    for (TImage *a : form->RightArrows())
        EXPECT_EQ(a->ShownIndex, 3);
}

TEST_F(MainFormTest, FrameGeometryAndBackgrounds)
{
    EXPECT_EQ(form->size(), QSize(1024, 748));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(form->TitleBGImage->geometry(), QRect(0, 0, 1024, 105));
    EXPECT_EQ(form->TitleBGImage->Canvas().pixel(0, 0), qRgb(0x40, 0x40, 0x40));
    EXPECT_EQ(form->MainBGImage->y(), 105);
    // The views fill the client area below the title band: no strip left.
    for (TViewPanel *panel : form->Views()) {
        EXPECT_EQ(panel->geometry(), QRect(0, 105, 1024, form->height() - 105)) << panel->objectName().toStdString();
        EXPECT_TRUE(panel->isHidden());
        EXPECT_EQ(Background(panel)->Canvas().pixel(3, panel->height() / 2), qRgb(0x40, 0x40, 0x40));
    }
    // The notes frame is drawn in white where MemoShape lay, with a gap
    // for its caption in the top edge.
    const QRect memo = form->findChild<QWidget *>("MemoShape")->geometry();
    const QImage &details = Background(form->SportModePanel)->Canvas();
    EXPECT_EQ(details.pixel(memo.left(), memo.center().y()), qRgb(255, 255, 255));
    EXPECT_EQ(details.pixel(memo.right() - 40, memo.top()), qRgb(255, 255, 255));
    EXPECT_NE(details.pixel(memo.left() + 12, memo.top()), qRgb(255, 255, 255));
    auto *calendarPhoto = form->findChild<TImage *>("CalAccountImage");
    ASSERT_NE(calendarPhoto, nullptr);
    for (const char *name : {"DataAccountImage", "AnalyAccountImage", "SummaryAccountImage"}) {
        auto *photo = form->findChild<TImage *>(name);
        ASSERT_NE(photo, nullptr) << name;
        EXPECT_EQ(photo->pos(), calendarPhoto->pos());
        EXPECT_FALSE(photo->isHidden());
    }
    EXPECT_TRUE(calendarPhoto->isHidden());
    const TSummaryPanel &summary = *form->SummaryPanel;
    const QRect day = Part<QWidget>(summary, "SummaryDatePanel").geometry();
    EXPECT_EQ(Part<QWidget>(summary, "SummaryWeekPanel").geometry(), day);
    EXPECT_EQ(Part<QWidget>(summary, "SummaryMonthPanel").geometry(), day);
    EXPECT_EQ(form->EngineerModePanel->geometry(), QRect(288, 104, 713, 249));
    EXPECT_EQ(form->EngineerModePanel->parentWidget(), static_cast<QWidget *>(form.get()));
}

TEST_F(MainFormTest, TopButtonsAtTheirPlacesWithNormalFaces)
{
    const int lefts[7] = {8, 142, 276, 545, 681, 816, 411};
    const std::array<TImage *, 7> buttons = form->TopButtons();
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(buttons[k]->geometry(), QRect(lefts[k], 8, 119, 91)) << k;
        EXPECT_EQ(buttons[k]->ShownIndex, k);
        EXPECT_TRUE(buttons[k]->isHidden());
    }
    EXPECT_EQ(form->PrintBtnHome, QPoint(681, 8));
    EXPECT_EQ(form->LogoutBtnHome, QPoint(816, 8));
    form->ShowTopButtons(true);
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(buttons[k]->isHidden(), k == 4) << k;
    form->ShowTopButtons(false);
    for (TImage *b : buttons)
        EXPECT_TRUE(b->isHidden());
}

TEST_F(MainFormTest, ViewSwitchShowsOnePanelAndMovesTheLogoutButton)
{
    ShowWorking();
    const std::array<TViewPanel *, 4> panels = form->Views();
    for (MainView view : {mvCalender, mvSportMode, mvSportAnalysis, mvSummary}) {
        form->ShowView(view);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(panels[i]->isVisible(), i == view) << view << i;
        const bool analysis = view == mvSportAnalysis;
        EXPECT_EQ(form->BtnImagePrintReport->isVisible(), analysis);
        EXPECT_EQ(form->BtnImageLogout->pos(), analysis ? QPoint(816, 8) : QPoint(681, 8));
    }
    form->ShowView(mvSportAnalysis);
    form->ShowView(mvNone);
    for (QWidget *p : panels)
        EXPECT_FALSE(p->isVisible());
    EXPECT_FALSE(form->BtnImagePrintReport->isVisible());
    EXPECT_EQ(form->BtnImageLogout->pos(), QPoint(816, 8));
    form->ShowView(static_cast<MainView>(9));
    EXPECT_FALSE(form->CalenderPanel->isVisible());
}

TEST_F(MainFormTest, ButtonClicksChooseTheirViews)
{
    ShowWorking();
    QTest::mouseClick(form->BtnImageSummary, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_TRUE(form->SummaryPanel->isVisible());
    QTest::mouseClick(form->BtnImageSportAnalysis, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_TRUE(form->SportAnalysisPanel->isVisible());
    QTest::mouseClick(form->BtnImageSportMode, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_TRUE(form->SportModePanel->isVisible());
    QTest::mouseClick(form->BtnImageDate, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_TRUE(form->CalenderPanel->isVisible());
    // The focus (and its ring) follows the clicked button.
    QTest::mouseClick(form->BtnImageSummary, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(form->focusWidget(), form->BtnImageSummary);
}

TEST_F(MainFormTest, HoverFaceMovesAtOnceAndFallsBackAfterTheTimer)
{
    ShowWorking();
    QTest::mouseMove(form->BtnImageDate, QPoint(30, 30));
    EXPECT_EQ(form->BtnImageDate->ShownIndex, 7);
    EXPECT_TRUE(form->BtnHover[0]);
    EXPECT_FALSE(form->CleanTargetIMGTimer->isActive());
    QTest::mouseMove(form->BtnImageSportMode, QPoint(30, 30));
    EXPECT_EQ(form->BtnImageSportMode->ShownIndex, 8);
    EXPECT_EQ(form->BtnImageDate->ShownIndex, 0);
    EXPECT_FALSE(form->BtnHover[0]);
    // Off the buttons: the hook starts the timer, the faces fall back.
    QTest::mouseMove(Background(form->CalenderPanel), QPoint(600, 400));
    EXPECT_TRUE(form->CleanTargetIMGTimer->isActive());
    EXPECT_EQ(form->BtnImageSportMode->ShownIndex, 8);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->BtnImageSportMode->ShownIndex == 1; }, 5000));
    EXPECT_FALSE(form->BtnHover[1]);
    EXPECT_FALSE(form->CleanTargetIMGTimer->isActive());
}

TEST_F(MainFormTest, HookDoesNotRestartARunningTimer)
{
    ShowWorking();
    QTest::mouseMove(form->BtnImageSummary, QPoint(30, 30));
    QTest::mouseMove(Background(form->CalenderPanel), QPoint(600, 400));
    const int left = form->CleanTargetIMGTimer->remainingTime();
    QTest::qWait(40);
    QTest::mouseMove(Background(form->CalenderPanel), QPoint(610, 410));
    EXPECT_LT(form->CleanTargetIMGTimer->remainingTime(), left);
}

TEST_F(MainFormTest, PressedFacesOfAllFourArrowsOfASide)
{
    ShowWorking();
    QTest::mousePress(Arrow("ArrowNRImage"), Qt::LeftButton, {}, QPoint(5, 5));
    for (TImage *a : form->RightArrows())
        EXPECT_EQ(a->ShownIndex, 5) << a->objectName().toStdString();
    QTest::mouseRelease(Arrow("ArrowNRImage"), Qt::LeftButton, {}, QPoint(5, 5));
    // Left arrows on a hidden summary sub-panel react the same way.
    TImage *weekLeft = form->findChild<TImage *>("SumWArrowNLImage");
    ASSERT_NE(weekLeft, nullptr);
    emit weekLeft->mousePressed(weekLeft, Qt::LeftButton, QPoint(1, 1));
    for (TImage *a : form->LeftArrows())
        EXPECT_EQ(a->ShownIndex, 2) << a->objectName().toStdString();
}

TEST_F(MainFormTest, ArrowHoverFacesFallBackAfterTheTimer)
{
    ShowWorking();
    QTest::mouseMove(Arrow("ArrowNLImage"), QPoint(5, 5));
    EXPECT_EQ(Arrow("ArrowNLImage")->ShownIndex, 1);
    EXPECT_TRUE(form->ArrowHover);
    EXPECT_FALSE(form->CleanMonthIMGTimer->isActive());
    QTest::mouseMove(Arrow("ArrowNRImage"), QPoint(5, 5));
    EXPECT_EQ(Arrow("ArrowNRImage")->ShownIndex, 4);
    QTest::mouseMove(Background(form->CalenderPanel), QPoint(600, 400));
    EXPECT_TRUE(form->CleanMonthIMGTimer->isActive());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form->ArrowHover; }, 5000));
    for (TImage *a : form->LeftArrows())
        EXPECT_EQ(a->ShownIndex, 0);
    for (TImage *a : form->RightArrows())
        EXPECT_EQ(a->ShownIndex, 3);
    EXPECT_TRUE(form->CleanMonthIMGTimer->isActive());  // the tick leaves it on
}

TEST_F(MainFormTest, ArrowWithAnotherTagDrawsNothingButCounts)
{
    Arrow("ArrowNLImage")->Tag = 7;
    Arrow("ArrowNLImage")->ShownIndex = -1;
    form->MonthBtnImageMouseMove(Arrow("ArrowNLImage"));
    EXPECT_EQ(Arrow("ArrowNLImage")->ShownIndex, -1);
    EXPECT_TRUE(form->ArrowHover);
}

TEST_F(MainFormTest, SixthDoubleClickRevealsTheDiagnosticPanel)
{
    ShowWorking();
    form->ShowView(mvSummary);
    for (int i = 0; i < 5; ++i)
        QTest::mouseDClick(form->findChild<TImage *>("SumShowImgMonth"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(form->EngineerModePanel->isVisible());
    EXPECT_EQ(form->EngineerClicks, 5);
    QTest::mouseDClick(form->findChild<TImage *>("SumShowImgMonth"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(form->EngineerModePanel->isVisible());
    EXPECT_EQ(form->EngineerClicks, 0);
    // It stays above whichever view is shown.
    form->ShowView(mvCalender);
    EXPECT_TRUE(form->EngineerModePanel->isVisible());
    QWidget *top = form->childAt(400, 200);
    EXPECT_TRUE(top == static_cast<QWidget *>(form->EngineerModePanel) || form->EngineerModePanel->isAncestorOf(top));
}

// Quick clicks as the platform delivers them (every second press inside
// the double-click interval comes as a double-click): four clicks on the
// calendar's right arrow step four months; on the summary's month picture
// the double-clicks still count toward the diagnostic panel.
TEST_F(MainFormTest, EveryQuickClickOnAPictureActs)
{
    ShowWorking();
    const auto quickClicks = [](QWidget *target, int pairs) {
        const QPointF at(5, 5);
        for (int i = 0; i < pairs; ++i)
            for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
                QCoreApplication::sendEvent(target, &event);
            }
    };
    const QDate start(form->ShowYear, form->ShowMonth, 1);
    quickClicks(form->CalenderPanel->MonthArrows()[1], 2);
    EXPECT_EQ(QDate(form->ShowYear, form->ShowMonth, 1), start.addMonths(4));
    quickClicks(form->CalenderPanel->MonthArrows()[0], 1);
    EXPECT_EQ(QDate(form->ShowYear, form->ShowMonth, 1), start.addMonths(2));

    form->ShowView(mvSummary);
    quickClicks(&Part<TImage>(*form->SummaryPanel, "SumShowImgMonth"), 5);
    EXPECT_EQ(form->EngineerClicks, 5);
    EXPECT_FALSE(form->EngineerModePanel->isVisible());
    quickClicks(&Part<TImage>(*form->SummaryPanel, "SumShowImgMonth"), 1);
    EXPECT_TRUE(form->EngineerModePanel->isVisible());
}

TEST_F(MainFormTest, DiagnosticPanelControlsAndFixedCaptions)
{
    auto *list = form->findChild<QListWidget *>("DevListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->parentWidget(), form->EngineerModePanel);
    for (const char *name : {"InRepSizeEdit", "InRepCountEdit"}) {
        auto *edit = form->findChild<QLineEdit *>(name);
        ASSERT_NE(edit, nullptr) << name;
        EXPECT_TRUE(edit->isReadOnly());
    }
    auto *start = form->findChild<QPushButton *>("StartButton");
    auto *stop = form->findChild<QPushButton *>("StopButton");
    ASSERT_TRUE(start && stop);
    EXPECT_EQ(start->text(), "Start");
    EXPECT_EQ(stop->text(), "Stop");
    EXPECT_FALSE(stop->isEnabled());
    auto *log = form->findChild<QPlainTextEdit *>("LogMemo");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::NoWrap);
    const std::pair<const char *, const char *> captions[] = {
        {"Label1", "USB HID device:"}, {"Label10", "Input Report status:"}, {"Label3", "Size"},
        {"Label11", "bytes"},          {"Label12", "Count"},                 {"Label13", "reports"}};
    for (const auto &[name, text] : captions) {
        auto *label = form->findChild<QLabel *>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text);
    }
    EXPECT_NE(form->findChild<TImage *>("DongleLinkStatusImage"), nullptr);
    EXPECT_NE(form->findChild<TImage *>("mainStartImage"), nullptr);
}

TEST_F(MainFormTest, HomePageButtonOpensTheShippedUserGuide)
{
    writeFileBytes(dir.file("UserGuide.html"), "<html><body>Guide</body></html>");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    ShowWorking();
    QTest::mouseClick(form->BtnKorPageImage, Qt::LeftButton, {}, QPoint(50, 40));
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0].toLocalFile().toStdString(), dir.file("UserGuide.html"));
}

TEST_F(MainFormTest, TransparentWindowIsShownButKeptOffTheDesktopAndComesBackWhereItWas)
{
    // Transparent from its construction: shown for the program, never put
    // on the desktop (opacity alone is ignored without a compositor).
    const QPoint centred = form->pos();
    form->show();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->testAttribute(Qt::WA_DontShowOnScreen));
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 0.0);

    form->SetTransparent(false);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->testAttribute(Qt::WA_DontShowOnScreen));
    EXPECT_DOUBLE_EQ(form->windowOpacity(), 1.0);
    EXPECT_EQ(form->pos(), centred);

    // Moved by the rider, then a logout and a login.
    form->move(centred + QPoint(7, 5));
    form->SetTransparent(true);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->testAttribute(Qt::WA_DontShowOnScreen));
    form->SetTransparent(false);
    EXPECT_FALSE(form->testAttribute(Qt::WA_DontShowOnScreen));
    // Where it was along an axis where it fits the work area, else at the
    // work area's start.
    const QRect area = form->screen()->availableGeometry();
    const QSize frame = form->frameGeometry().size();
    const QPoint moved = centred + QPoint(7, 5);
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(frame.width() <= area.width() ? moved.x() : area.x(),
                                                      frame.height() <= area.height() ? moved.y() : area.y()));
}

}  // namespace

#include "test_mainform.moc"
