// Files and folders dropped onto the main window, and the details view's
// Import button, start an import in the import window; its end refills the
// record lists and the calendar once, keeping the shown record marked.
#include "app/Main.h"

#include "calendar/CalendarView.h"
#include "draw/FaceButton.h"
#include "import/ImportWindow.h"
#include "store/Databasecontroler.h"
#include "tests/import/FitBuilder.h"
#include "tests/store/RecordFixture.h"
#include "tests/support/EventLoop.h"
#include "tests/support/Parts.h"
#include "tests/support/TempFolder.h"
#include "views/CheckList.h"
#include "views/RecordDetails.h"

#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// FIT time of 2021-06-01 10:00:00 UTC.
constexpr std::uint32_t kJune = 991476000;

class ImportIntoMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TmainForm>(QString::fromStdString(app.path()));
        mainForm = form.get();
        form->FormCreate();
        rider = app.file("ID/Alex");
        QDir().mkpath(QString::fromStdString(rider));
        writeFileBytes(rider + "/120704080503.TR9", RecordFixture().text());
        form->DataBase->RiderFolder = rider + "/";
        form->SetTransparent(false);
        form->show();
        form->BtnImageSportModeClick();
        for (int k = 0; k < 3; ++k)
            writeFileBytes(rides.file("ride" + std::to_string(k) + ".fit"), HourFit(kJune + 86400 * k));
        form->Shown.SetShownMonth(2021, 6);
        form->FillCalendar();
    }
    void TearDown() override { mainForm = nullptr; }

    bool Dropped(const QList<QUrl> &urls, QWidget *onto = nullptr)
    {
        QWidget *target = onto != nullptr ? onto : form.get();
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
    bool Finish()
    {
        const TImportWindow *w = form->ImportWindow;
        return RunUntil([w] { return !w->Busy() && w->ImportSummaryMemo->isVisible(); }, 60000);
    }

    TempFolder app, rides;
    std::string rider;
    std::unique_ptr<TmainForm> form;
};

TEST_F(ImportIntoMainWindow, AFolderDroppedIsImportedAndTheViewsRefreshedOnce)
{
    TCheckList *list = &Part<TCheckList>(*form->SportModePanel, "FileDataCLB");
    ASSERT_EQ(list->count(), 1);
    // The shown record stays shown (and marked) through the refresh.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(0)).center());
    ASSERT_EQ(form->SportModePanel->ShownRecord(), "120704080503.TR9");
    QSignalSpy reset(list->model(), &QAbstractItemModel::modelReset);
    const int marksBefore = std::count(form->DayMarks.begin(), form->DayMarks.end(), 1);

    EXPECT_FALSE(Dropped({QUrl("https://example.org/ride.fit")})) << "only local files";
    ASSERT_TRUE(Dropped({QUrl::fromLocalFile(QString::fromStdString(rides.path()))}));
    EXPECT_TRUE(form->ImportWindow->isVisible());
    ASSERT_TRUE(Finish());
    RunFor(50);

    EXPECT_EQ(list->count(), 4);
    EXPECT_EQ(reset.count(), 1) << "one refill for the three records";
    const auto shown = list->findItems("120704080503.TR9", Qt::MatchExactly);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(list->MarkedRows(), std::vector<int>{list->row(shown.first())});
    EXPECT_EQ(std::count(form->DayMarks.begin(), form->DayMarks.end(), 1), marksBefore + 3)
        << "the calendar marks the three June days";

    // Nothing new the second time: no refill. Dropped onto the memo, the
    // file is imported too, not written into the notes.
    QPlainTextEdit *memo = &Part<QPlainTextEdit>(*form->SportModePanel, "SportMemo");
    ASSERT_TRUE(Dropped({QUrl::fromLocalFile(QString::fromStdString(rides.file("ride0.fit")))}, memo->viewport()));
    ASSERT_TRUE(Finish());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    EXPECT_TRUE(form->ImportWindow->ImportSummaryMemo->toPlainText().contains("Already there: 1"));
}

TEST_F(ImportIntoMainWindow, TheImportButtonAsksForTheSourcesAndNoRiderMeansNoImport)
{
    const TImportWindow::Chooser dialog = TImportWindow::ChooseSources;
    QWidget *anchor = nullptr;
    TImportWindow::ChooseSources = [&](QWidget *a, const MultiLanguage &) {
        anchor = a;
        return QStringList{QString::fromStdString(rides.file("ride1.fit"))};
    };
    TFaceButton *button = &Part<TFaceButton>(*form->SportModePanel, "ImportBtn");
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(anchor, button);
    ASSERT_TRUE(Finish());
    EXPECT_EQ(Part<TCheckList>(*form->SportModePanel, "FileDataCLB").count(), 2);

    // Chosen nothing: no import.
    TImportWindow::ChooseSources = [](QWidget *, const MultiLanguage &) { return QStringList(); };
    form->ImportWindow->hide();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(form->ImportWindow->isVisible());
    TImportWindow::ChooseSources = dialog;

    form->DataBase->RiderFolder.clear();
    EXPECT_FALSE(Dropped({QUrl::fromLocalFile(QString::fromStdString(rides.path()))}));
}

} // namespace
