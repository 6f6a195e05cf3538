// One rider's road through the record views of the real main window: log
// in, look at the details, chart a record and print its report to PDF.
#include "accounts/Accountdel.h"
#include "accounts/Accountset.h"
#include "accounts/Login.h"
#include "app/Main.h"
#include "calendar/CalendarView.h"
#include "draw/Image.h"
#include "lang/Language.h"
#include "store/Databasecontroler.h"
#include "tests/support/TempFolder.h"
#include "tests/views/ChartRecords.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/LineChart.h"
#include "views/RecordDetails.h"
#include "views/Report.h"

#include <QCheckBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(RecordViews, LoginDetailsAnalysisAndPrintToPdf)
{
    TempFolder dir;
    mainForm = new TmainForm(QString::fromStdString(dir.path()));
    mainForm->FormCreate();
    ASSERT_FALSE(mainForm->DataBase->CreateRiderFolder("Bob"));
    const std::string folder = mainForm->DataBase->RootFolder + "Bob/";
    writeFileBytes(folder + "120704080503.TR9", ChartRecordText({}));
    writeFileBytes(folder + "120705080503.TR9", ChartRecordText({}));
    LoginForm = new TLoginForm(mainForm);
    UserAccountSetForm = new TUserAccountSetForm(mainForm);
    DeleteAccountForm = new TDeleteAccountForm(mainForm);
    LanguageForm = new TLanguageForm(mainForm);

    QTimer login;
    login.setInterval(10);
    QObject::connect(&login, &QTimer::timeout, [&] {
        if (LoginForm->isVisible()) {
            login.stop();
            QTest::mouseClick(LoginForm->LoginBtn, Qt::LeftButton);
        }
    });
    login.start();
    mainForm->show();
    mainForm->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([] { return mainForm->CalenderPanel->isVisible() && !LoginForm->isVisible(); }));

    QTest::mouseClick(mainForm->BtnImageSportMode, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(mainForm->SportModePanel->isVisible());

    QTest::mouseClick(mainForm->BtnImageSportAnalysis, Qt::LeftButton, {}, QPoint(40, 40));
    TSportAnalysisPanel *analysis = mainForm->SportAnalysisPanel;
    ASSERT_TRUE(analysis->isVisible());
    EXPECT_TRUE(mainForm->BtnImagePrintReport->isVisible());
    EXPECT_TRUE(analysis->SpaceChart->isVisible());
    ASSERT_EQ(analysis->FileAnalysisCLB->count(), 2);
    QTest::mouseClick(analysis->ChartHRMCB, Qt::LeftButton);
    const QRect item = analysis->FileAnalysisCLB->visualItemRect(analysis->FileAnalysisCLB->item(1));
    QTest::mouseClick(analysis->FileAnalysisCLB->viewport(), Qt::LeftButton, {}, QPoint(40, item.center().y()));
    EXPECT_TRUE(analysis->AnHRMChart->isVisible());
    EXPECT_EQ(analysis->AnHRMChart->PointCount(0), 3);

    const std::string pdf = dir.file("report.pdf");
    PrintReportToPdf(QString::fromStdString(pdf));
    QTest::mouseClick(mainForm->BtnImagePrintReport, Qt::LeftButton, {}, QPoint(40, 40));
    PrintReportToPdf(QString());
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    ASSERT_TRUE(text.waitForFinished());
    const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
    EXPECT_TRUE(page.contains("USER ID: Bob"));
    EXPECT_TRUE(page.contains("File Name: 120705080503.TR9"));

    delete LanguageForm;
    delete DeleteAccountForm;
    delete UserAccountSetForm;
    delete LoginForm;
    delete mainForm;
    LanguageForm = nullptr;
    DeleteAccountForm = nullptr;
    UserAccountSetForm = nullptr;
    LoginForm = nullptr;
    mainForm = nullptr;
}

} // namespace
