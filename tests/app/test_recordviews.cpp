// One rider's road through the record views of the real main window: log
// in, look at the details, chart a record and print its report to PDF.
#include "calendar/CalendarView.h"
#include "calendar/SummaryView.h"
#include "draw/Image.h"
#include "tests/accounts/WindowsFixture.h"
#include "tests/store/RecordFixture.h"
#include "tests/support/Parts.h"
#include "tests/views/ChartRecords.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/LineChart.h"
#include "views/RecordDetails.h"
#include "views/Report.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QDir>
#include <QProcess>
#include <QTest>

namespace {

using RecordViewsTest = WindowsTest;

TEST_F(RecordViewsTest, LoginDetailsAnalysisAndPrintToPdf)
{
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Rider("Bob"))));
    writeFileBytes(Rider("Bob") + "/120704080503.TR9", ChartRecordText({}));
    writeFileBytes(Rider("Bob") + "/120705080503.TR9", ChartRecordText({}));
    Open();
    modal.OnDialog("LoginForm", [&](QWidget *) { ClickLater(login->LoginBtn); });
    main->show();
    main->activateWindow();
    ASSERT_TRUE(RunUntil([&] { return main->CalenderPanel->isVisible() && !login->isVisible(); }));

    QTest::mouseClick(main->BtnImageSportMode, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(main->SportModePanel->isVisible());

    QTest::mouseClick(main->BtnImageSportAnalysis, Qt::LeftButton, {}, QPoint(40, 40));
    TSportAnalysisPanel *analysis = main->SportAnalysisPanel;
    ASSERT_TRUE(analysis->isVisible());
    EXPECT_TRUE(main->BtnImagePrintReport->isVisible());
    EXPECT_TRUE(Part<TLineChart>(*analysis, "SpaceChart").isVisible());
    TCheckList &list = Part<TCheckList>(*analysis, "FileAnalysisCLB");
    ASSERT_EQ(list.count(), 2);
    QTest::mouseClick(&Part<QCheckBox>(*analysis, "ChartHRMCB"), Qt::LeftButton);
    const QRect item = list.visualItemRect(list.item(1));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(40, item.center().y()));
    const TLineChart &hrm = Part<TLineChart>(*analysis, "AnHRMChart");
    EXPECT_TRUE(hrm.isVisible());
    EXPECT_EQ(hrm.PointCount(0), 3);

    const std::string pdf = app.file("report.pdf");
    PrintReportToPdf(QString::fromStdString(pdf));
    QTest::mouseClick(main->BtnImagePrintReport, Qt::LeftButton, {}, QPoint(40, 40));
    PrintReportToPdf(QString());
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(page.contains("USER ID: Bob"));
    EXPECT_TRUE(page.contains("File Name: 120705080503.TR9"));
    EXPECT_TRUE(modal.seen.empty());
}

// Through the main window: the view chosen from the top buttons, a deletion
// refilling the lists of both record views.
TEST(RecordDetailsInMainWindow, ChosenAgainStartsEmptyAndDeletionRefillsBothLists)
{
    TempFolder app;
    TmainForm form(QString::fromStdString(app.path()));
    mainForm = &form;
    form.FormCreate();
    const std::string rider = app.file("ID/Alex");
    QDir().mkpath(QString::fromStdString(rider));
    for (const char *name : {"120704080503.TR9", "120705091000.TR9"})
        writeFileBytes(rider + "/" + name, RecordFixture().text());
    form.DataBase->RiderFolder = rider + "/";
    form.SetTransparent(false);
    form.show();

    form.BtnImageSportModeClick();
    TSportModePanel &details = *form.SportModePanel;
    TCheckList *list = &Part<TCheckList>(details, "FileDataCLB");
    QPushButton *save = &Part<QPushButton>(details, "MemoSaveBtn");
    auto *analysisList = form.SportAnalysisPanel->findChild<QListWidget *>("FileAnalysisCLB");
    ASSERT_EQ(list->count(), 2);
    const QRect first = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_TRUE(save->isEnabled());

    form.BtnImageDateClick();
    form.BtnImageSportModeClick();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_EQ(list->MarkedCount(), 0);
    EXPECT_EQ(Part<QLineEdit>(details, "Dura_Edit").text(), "");

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    ModalAnswerer answer;
    answer.AnswerBox(QMessageBox::Yes);
    QTest::mouseClick(&Part<QPushButton>(details, "FileDeleteBtn"), Qt::LeftButton);
    EXPECT_TRUE(answer.Saw("File Deleted!"));
    EXPECT_EQ(list->count(), 1);
    if (analysisList != nullptr) {  // the analysis view's list, once it has one
        EXPECT_EQ(analysisList->count(), 1);
    }
    mainForm = nullptr;
}

} // namespace

namespace {

// The top band from the keyboard: Tab walks the buttons in band order into
// the view, Alt+1 .. Alt+7 press them (shown in the tooltips), Enter and
// Space too; notes typed in the details view are offered for saving before
// another view shows.
TEST(TopBandKeys, TabAndAltDigitsReachTheViewsAndChangedNotesAreOffered)
{
    TempFolder app;
    TmainForm form(QString::fromStdString(app.path()));
    mainForm = &form;
    form.FormCreate();
    const std::string rider = app.file("ID/Alex");
    QDir().mkpath(QString::fromStdString(rider));
    writeFileBytes(rider + "/120704080503.TR9", RecordFixture().text());
    form.DataBase->RiderFolder = rider + "/";
    form.ShowTopButtons(true);
    form.ShowView(mvCalender);
    form.SetTransparent(false);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    const std::vector<TImage *> band = {form.BtnImageDate, form.BtnImageSportMode, form.BtnImageSportAnalysis,
                                        form.BtnImageSummary, form.BtnKorPageImage, form.BtnImageLogout};
    const QStringList names = {"Calendar", "Details", "Analysis", "Summary", "Guide", "Logout"};
    form.BtnImageDate->setFocus(Qt::TabFocusReason);
    for (std::size_t i = 0; i < band.size(); ++i) {
        EXPECT_EQ(QApplication::focusWidget(), band[i]) << i;
        EXPECT_EQ(band[i]->accessibleName(), names[int(i)]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // Print is hidden here: after Logout the calendar view's first control.
    EXPECT_EQ(QApplication::focusWidget(), form.CalenderPanel->MonthArrows()[0]);
    EXPECT_TRUE(form.BtnImageSummary->toolTip().endsWith("(Alt+4)"));
    EXPECT_TRUE(form.BtnImageLogout->toolTip().endsWith("(Alt+7)"));

    // Alt+2: the details view; Alt+6 (Print) does nothing outside the charts.
    QTest::keyClick(&form, Qt::Key_2, Qt::AltModifier);
    ASSERT_TRUE(form.SportModePanel->isVisible());
    QTest::keyClick(&form, Qt::Key_6, Qt::AltModifier);
    EXPECT_TRUE(form.SportModePanel->isVisible());
    TSportModePanel &details = *form.SportModePanel;
    TCheckList *list = &Part<TCheckList>(details, "FileDataCLB");
    const QRect first = list->visualItemRect(list->item(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    Part<QLineEdit>(details, "TopicEdit").setText("Typed, not saved");

    ModalAnswerer answer;
    answer.answers = {QMessageBox::Yes};
    form.BtnImageSummary->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.BtnImageSummary, Qt::Key_Return);
    EXPECT_TRUE(form.SummaryPanel->isVisible());
    EXPECT_TRUE(answer.Saw("Save the notes of 120704080503.TR9?"));
    EXPECT_TRUE(answer.Saw("Save File Ok"));
    form.DataBase->ReadRecord("120704080503.TR9");
    EXPECT_EQ(form.DataBase->Topic, "Typed, not saved");

    // Alt+1 with nothing changed asks nothing.
    const std::size_t seen = answer.seen.size();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_1, Qt::AltModifier);
    EXPECT_TRUE(form.CalenderPanel->isVisible());
    EXPECT_EQ(answer.seen.size(), seen);
    mainForm = nullptr;
}

} // namespace
