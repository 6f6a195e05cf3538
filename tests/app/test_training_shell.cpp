// The Training mode through the real main window: the index built after
// the login, the panel over the summary, a week bar moving the calendar, a
// best opening its ride in the details view, the laps window from there,
// and saved notes and a deletion reaching the panel without a new build.
#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "draw/FaceButton.h"
#include "draw/Image.h"
#include "tests/accounts/WindowsFixture.h"
#include "tests/support/Parts.h"
#include "tests/training/TrainingRider.h"
#include "training/LapsForm.h"
#include "training/TrainingCharts.h"
#include "training/TrainingPanel.h"
#include "views/RecordDetails.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

using TrainingShellTest = WindowsTest;

TEST_F(TrainingShellTest, PanelWeekBarBestLapsNotesAndDeletion)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider("Bob"))));
    const std::string first = WriteRide(Rider("Bob"), 2023, 6, 6, 360, 3);
    const std::string second = WriteRide(Rider("Bob"), 2023, 6, 8, 360, 0);
    Open();
    modal.OnDialog("LoginForm", [&](QWidget *) { ClickLater(login->LoginBtn); });
    main->show();
    main->activateWindow();
    ASSERT_TRUE(RunUntil([&] { return main->CalenderPanel->isVisible() && !login->isVisible(); }));
    ASSERT_TRUE(RunUntil([&] { return main->Training->Ready(); }));
    EXPECT_EQ(main->Training->Rides().size(), 2u);

    // The Training mode lays the panel over the summary; Day takes it away.
    QTest::mouseClick(main->BtnImageSummary, Qt::LeftButton, {}, QPoint(50, 40));
    const TSummaryPanel &summary = *main->SummaryPanel;
    TImage *training = &Part<TImage>(summary, "SummyShowModeImgTraining");
    QTest::mouseClick(training, Qt::LeftButton);
    ASSERT_TRUE(main->TrainingPanel->isVisible());
    QTest::mouseClick(&Part<TImage>(summary, "SummyShowModeImgDate"), Qt::LeftButton);
    EXPECT_FALSE(main->TrainingPanel->isVisible());
    EXPECT_TRUE(Part<QWidget>(summary, "SummaryDatePanel").isVisible());
    // The keyboard chooses it as well: Tab reaches the picture, Space acts.
    training->setFocus();
    QTest::keyClick(training, Qt::Key_Space);
    ASSERT_TRUE(main->TrainingPanel->isVisible());

    // A week bar of June 2023 shows June 2023 in the calendar.
    while (main->TrainingPanel->ShownYear() > 2023)
        QTest::mouseClick(Control<QPushButton>("TrainingYearLeft"), Qt::LeftButton);
    auto *weekly = Control<TPeriodChart>("WeeklyChart");
    const Period week = WeekPeriod(2023, 6, 6);
    int index = 0;
    while (weekly->Bars()[std::size_t(index)].period.first != week.first)
        ++index;
    const QRect plot = weekly->PlotRect();
    QTest::mouseClick(weekly, Qt::LeftButton, {},
                      QPoint(plot.left() + int((index + 0.5) * plot.width() / double(weekly->Bars().size())),
                             plot.center().y()));
    EXPECT_TRUE(main->CalenderPanel->isVisible());
    EXPECT_EQ(main->ShowYear, 2023);
    EXPECT_EQ(main->ShowMonth, 6);
    // Its week (4 to 10 June, the second grid row) is framed until the
    // calendar shows another month.
    auto *frame = Control<QWidget>("ChosenWeekFrame");
    ASSERT_TRUE(frame->isVisible());
    for (const char *inside : {"DayImage7", "DayImage13"})
        EXPECT_TRUE(frame->geometry().contains(Control<QWidget>(inside)->geometry())) << inside;
    EXPECT_FALSE(frame->geometry().intersects(Control<QWidget>("DayImage0")->geometry()));
    EXPECT_EQ(main->focusWidget(), Control<QWidget>("DayImage7"));
    QTest::mouseClick(Control<QWidget>("ArrowNRImage"), Qt::LeftButton);
    EXPECT_FALSE(frame->isVisible());

    // A best opens its ride in the details view; its laps window from there.
    QTest::mouseClick(main->BtnImageSummary, Qt::LeftButton, {}, QPoint(50, 40));
    auto *bests = Control<QTableWidget>("BestsTable");
    bests->setFocus();
    bests->setCurrentCell(0, 2);
    QTest::keyClick(bests, Qt::Key_Return);
    ASSERT_TRUE(main->SportModePanel->isVisible());
    EXPECT_EQ(main->SportModePanel->ShownRecord(), first);
    const TSportModePanel &details = *main->SportModePanel;
    QTest::mouseClick(&Part<QWidget>(details, "LapsBtn"), Qt::LeftButton);
    ASSERT_NE(main->LapsForm, nullptr);
    EXPECT_TRUE(main->LapsForm->isVisible());
    EXPECT_EQ(main->LapsForm->LapTable->rowCount(), 3);
    main->LapsForm->close();

    // Saved notes are found by the search; a deletion leaves one ride.
    Part<QPlainTextEdit>(details, "SportMemo").setPlainText("gravel loop");
    QTest::mouseClick(&Part<QPushButton>(details, "MemoSaveBtn"), Qt::LeftButton);
    EXPECT_EQ(main->Training->Search("GRAVEL"), std::vector<std::string>{first});
    modal.AnswerBox(QMessageBox::Yes);
    QTest::mouseClick(&Part<QPushButton>(details, "FileDeleteBtn"), Qt::LeftButton);
    ASSERT_EQ(main->Training->Rides().size(), 1u);
    EXPECT_EQ(main->Training->Rides().front().name, second);
    EXPECT_TRUE(main->Training->Search("gravel").empty());
}

} // namespace
