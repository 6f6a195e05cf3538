// Downloads end to end: scripted dongle reports through the reader thread
// into the log, the end-of-transfer rule, "Temp.txt", the decoder and the
// record filed in the rider's folder, with every message box.
#include "tests/device/MainWindowFixture.h"

#include "record/Trfsanalysis.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/FailingDisk.h"

#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QLineEdit>

namespace {

DumpBuilder exercise(int year = 12, int month = 7)
{
    DumpBuilder b;
    b.setStart(year, month, 4, 8, 5, 3);
    for (int i = 0; i < 300; ++i)
        b.addSample(std::uint8_t(120 + i % 40), std::uint8_t(80 + i % 9), std::uint16_t(i), 6181);
    b.addLap(DumpBuilder::lap(1));
    b.addLap(DumpBuilder::lap(2));
    return b;
}

// The record the decoder writes for a dump text, and its name.
std::pair<std::string, std::string> expectedRecord(const std::string &tempText)
{
    TempFolder f;
    writeFileBytes(f.file("Temp.txt"), tempText);
    TTRAnalysis decoder;
    EXPECT_FALSE(decoder.Decode(f.path()));
    return {decoder.FileName, readFileBytes(f.file(decoder.FileName))};
}

} // namespace

class Download : public MainWindowTest {
protected:
    void SetUp() override { dongle = fake.plug(DongleVid, DonglePid, 65); }

    void transfer(const std::vector<FakeHidPlatform::Report> &reports, const QString &lastBox,
                  int ms = 10000)
    {
        fake.stream(dongle, reports);
        clickStart();
        EXPECT_TRUE(dl->StartShowsRunning);
        EXPECT_EQ(startImage->ShownIndex, 1);
        // An empty lastBox waits for any message box.
        ASSERT_TRUE(RunUntil([&] { return lastBox.isEmpty() ? !boxes.seen.empty() : boxes.Saw(lastBox); }, ms));
        RunFor(20);
    }

    std::string dongle;
};

TEST_F(Download, AFullTransferEndsAsTheByteExactRecordInTheRidersFolder)
{
    open();
    const DumpBuilder b = exercise(13, 2);
    const auto [name, record] = expectedRecord(b.tempText());
    ASSERT_EQ(name.substr(0, 4), "1302");

    transfer(reportsOf(b.reportLines()), "TR900 data transfer Ok!");
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].caption, "info");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Information);
    EXPECT_TRUE(boxes.seen[0].onTop);
    EXPECT_EQ(readFileBytes(app.file("Temp.txt")), b.tempText());
    EXPECT_EQ(readFileBytes(riderFile(name)), record);
    EXPECT_FALSE(fileExists(app.file(name)));
    EXPECT_EQ(form->ShowYear, 2013);
    EXPECT_EQ(form->ShowMonth, 2);
    // Its day is marked and the summary's totals count it at once.
    const auto &listed = form->DataBase->RecordFiles;
    EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end());
    EXPECT_EQ(logLines(), 0);
    EXPECT_FALSE(dl->DownloadRunning);
    EXPECT_EQ(startImage->ShownIndex, 0);
    EXPECT_EQ(ctl<QLineEdit>("InRepCountEdit")->text().toInt(), int(b.reportLines().size()));
}

TEST_F(Download, AnExistingRecordIsReplacedOnYesAndKeptOnNo)
{
    open();
    const DumpBuilder b = exercise();
    const auto [name, record] = expectedRecord(b.tempText());
    writeFileBytes(riderFile(name), "old\r\n");

    boxes.answers = {QMessageBox::No};
    transfer(reportsOf(b.reportLines()), "TR900 data transfer Ok!");
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(boxes.seen[0].text, "File Exists! Over write?");
    EXPECT_EQ(boxes.seen[0].caption, "Worring");
    EXPECT_EQ(boxes.seen[0].icon, QMessageBox::Question);
    EXPECT_EQ(boxes.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(boxes.seen[0].defaultButton, QMessageBox::No);
    EXPECT_TRUE(boxes.seen[0].onTop);
    EXPECT_EQ(readFileBytes(riderFile(name)), "old\r\n");
    EXPECT_EQ(readFileBytes(app.file(name)), record);
    EXPECT_EQ(form->ShowMonth, 7);

    boxes.seen.clear();
    boxes.answers = {QMessageBox::Yes};
    transfer(reportsOf(b.reportLines()), "TR900 data transfer Ok!");
    ASSERT_EQ(boxes.seen.size(), 2u);
    EXPECT_EQ(readFileBytes(riderFile(name)), record);
    EXPECT_FALSE(fileExists(app.file(name)));

    // Saved with a small ".tr9": the same record, asked for and replaced
    // under that name, so the ride is not in the folder twice.
    std::string lower = name;
    lower.replace(lower.size() - 3, 3, "tr9");
    std::remove(riderFile(name).c_str());
    writeFileBytes(riderFile(lower), "old\r\n");
    boxes.seen.clear();
    boxes.answers = {QMessageBox::Yes};
    transfer(reportsOf(b.reportLines()), "TR900 data transfer Ok!");
    EXPECT_EQ(boxes.seen[0].text, "File Exists! Over write?");
    EXPECT_EQ(readFileBytes(riderFile(lower)), record);
    EXPECT_FALSE(fileExists(riderFile(name)));
}

TEST_F(Download, AFailedCopyKeepsTheRecordInTheApplicationFolder)
{
    open();
    const DumpBuilder b = exercise();
    const auto [name, record] = expectedRecord(b.tempText());
    const std::int16_t month = form->ShowMonth;
    // The rider's folder vanished after the login.
    ASSERT_TRUE(QDir(QString::fromStdString(form->DataBase->RiderFolder)).removeRecursively());

    transfer(reportsOf(b.reportLines()), QString());
    RunFor(50);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.contains(QString::fromStdString(app.file(name))));
    EXPECT_FALSE(boxes.Saw("TR900 data transfer Ok!"));
    EXPECT_EQ(readFileBytes(app.file(name)), record);
    EXPECT_EQ(form->ShowMonth, month);
}

TEST_F(Download, AFullDiskInTheRidersFolderIsNoSuccess)
{
    open();
    const DumpBuilder b = exercise();
    const auto [name, record] = expectedRecord(b.tempText());
    FailingDisk disk(DiskStep::Write, ENOSPC, form->DataBase->RiderFolder);
    transfer(reportsOf(b.reportLines()), QString());
    RunFor(50);
    EXPECT_GT(disk.Failures(), 0);
    EXPECT_FALSE(boxes.Saw("TR900 data transfer Ok!"));
    EXPECT_FALSE(fileExists(riderFile(name)));
    EXPECT_EQ(readFileBytes(app.file(name)), record);
}

TEST_F(Download, ATransferEndingAfterALogoutShowsItsBoxOverTheLoginWindow)
{
    open();
    const DumpBuilder b = exercise();
    // Stands in for the login window shown after a logout, with the main
    // window unseen behind it.
    QDialog login;
    login.setObjectName("LoginForm");
    form->SetTransparent(true);
    QWidget *boxParent = nullptr;
    boxes.Then([&](QWidget *w) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (box == nullptr)
            return false;
        boxParent = box->parentWidget();
        ClickLater(box->button(QMessageBox::Ok));
        QTimer::singleShot(50, &login, &QDialog::accept);
        return true;
    });
    fake.stream(dongle, reportsOf(b.reportLines()));
    clickStart();
    login.exec();
    EXPECT_EQ(boxParent, &login);
}

TEST_F(Download, AMonthOutsideOneToTwelveFilesTheRecordAndKeepsTheShownMonth)
{
    open();
    const DumpBuilder b = exercise(12, 13);
    const auto [name, record] = expectedRecord(b.tempText());
    const std::int16_t year = form->ShowYear, month = form->ShowMonth;
    transfer(reportsOf(b.reportLines()), "TR900 data transfer Ok!");
    EXPECT_EQ(readFileBytes(riderFile(name)), record);
    EXPECT_EQ(form->ShowYear, year);
    EXPECT_EQ(form->ShowMonth, month);
}

TEST_F(Download, StopOrUnplugInMidTransferFailsAndKeepsTempTxt)
{
    open();
    const std::vector<std::string> lines = exercise().reportLines();
    const std::vector<std::string> half(lines.begin(), lines.begin() + 40);
    std::vector<FakeHidPlatform::Report> reports = reportsOf(half);
    reports.push_back(reportOf(lines[40], 2000)); // never read: the user stops first
    fake.stream(dongle, reports);
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return logLines() == 40; }));
    clickStart(); // the user's button again: Stop
    EXPECT_FALSE(dl->DownloadRunning);
    EXPECT_EQ(startImage->ShownIndex, 0);
    ASSERT_TRUE(RunUntil([&] { return boxes.Saw("TR900 data transfer Fail!"); }));
    EXPECT_EQ(boxes.seen[0].caption, "info");
    EXPECT_EQ(readFileBytes(app.file("Temp.txt")), DumpBuilder::joinLines(half));
    EXPECT_EQ(logLines(), 0);

    // Unplugged after 40 reports: the failed read's empty line is dropped.
    boxes.seen.clear();
    fake.unplug(dongle);
    const std::string second = fake.plug(DongleVid, DonglePid, 65);
    ASSERT_TRUE(RunUntil([&] { return dl->DongleLinked(); }));
    fake.stream(second, reportsOf(half));
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return logLines() == 40; }));
    fake.unplug(second);
    ASSERT_TRUE(RunUntil([&] { return boxes.Saw("TR900 data transfer Fail!"); }));
    EXPECT_EQ(readFileBytes(app.file("Temp.txt")), DumpBuilder::joinLines(half));
    EXPECT_EQ(startImage->ShownIndex, 2);
}

TEST_F(Download, ANewStartIsNotEndedByTheRuleOfAStoppedDownload)
{
    open(100);
    fake.stream(dongle, reportsOf({"AA", "BB"}));
    clickStart();
    ASSERT_TRUE(RunUntil([&] { return logLines() == 2; }));
    clickStart(); // stopped with lines pending
    ASSERT_TRUE(dl->StatusCheckTimer->isActive()); // the old download's rule still runs
    clickStart(); // a new download before the rule ended the old one
    ASSERT_TRUE(dl->DownloadRunning);
    int ticks = 0;
    QObject::connect(dl->MeasureTimer, &QTimer::timeout, [&] { ++ticks; });
    // Well past three ticks without a report.
    ASSERT_TRUE(RunUntil([&] { return ticks >= 5 || !dl->DownloadRunning; }));
    EXPECT_TRUE(dl->DownloadRunning);
    EXPECT_TRUE(boxes.seen.empty());
    clickStart();
}

TEST_F(Download, TwoThousandReportsBackToBackGiveAsManyLines)
{
    open();
    std::vector<std::string> lines;
    for (int i = 0; i < 2048; ++i)
        lines.push_back(QString::asprintf("%04X", i).toStdString());
    transfer(reportsOf(lines), "TR900 data transfer Fail!"); // not a dump
    const std::string saved = readFileBytes(app.file("Temp.txt"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 2048);
    EXPECT_EQ(saved.substr(0, 8), "00000000");
    EXPECT_EQ(saved.substr(saved.size() - 68, 6), "07FF00");
}

// A device that never pauses: what lies beyond the largest dump is not
// kept, and the transfer ends as one that failed.
TEST_F(Download, ALogBeyondTheLargestDumpEndsAsAFailure)
{
    open(100);
    std::vector<std::string> lines;
    for (int i = 0; i < 20000; ++i)
        lines.push_back(QString::asprintf("%04X", i).toStdString() + std::string(62, '0'));
    transfer(reportsOf(lines), "TR900 data transfer Fail!", 60000);
    const std::string saved = readFileBytes(app.file("Temp.txt"));
    EXPECT_GT(saved.size(), std::size_t(1) << 20);
    EXPECT_LT(saved.size(), (std::size_t(1) << 20) + 200);
}

// With the real 1000 ms periods: a pause of 3 s never ends a transfer, a
// pause of 4 s always does.
TEST_F(Download, APauseOfThreeSecondsDoesNotEndATransferButFourSecondsDo)
{
    open(1000);
    const DumpBuilder b = exercise();
    const std::vector<std::string> lines = b.reportLines();
    std::vector<FakeHidPlatform::Report> reports = reportsOf(lines);
    reports[20].pauseMs = 3000;
    transfer(reports, "TR900 data transfer Ok!", 15000);
    EXPECT_EQ(readFileBytes(app.file("Temp.txt")), b.tempText());

    boxes.seen.clear();
    reports[20].pauseMs = 4000;
    transfer(reports, "TR900 data transfer Fail!", 15000);
    EXPECT_EQ(readFileBytes(app.file("Temp.txt")),
              DumpBuilder::joinLines(std::vector<std::string>(lines.begin(), lines.begin() + 20)));
    EXPECT_GT(fake.unread(dongle), 0u);
}
