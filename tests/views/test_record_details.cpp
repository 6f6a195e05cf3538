// The record details view on a temporary rider folder: presses and
// releases on the record list, the value boxes and sensor pictures, the
// notes saved and read back, Clean All, Delete and the failures shown.
#include "views/RecordDetails.h"

#include "draw/FaceButton.h"
#include "draw/Image.h"
#include "store/Databasecontroler.h"
#include "tests/store/RecordFixture.h"
#include "tests/support/FailingDisk.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/Parts.h"
#include "tests/support/TempFolder.h"
#include "views/Analysis.h"
#include "views/CheckList.h"
#include "views/ExportButton.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const std::string kFirst = "120704080503.TR9";
const std::string kSecond = "120705091000.TR9";
const std::string kThird = "120706100000.TR9";

class RecordDetailsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale::c());
        db.SetRootFolder(root.path());
        db.RiderFolder = root.path() + "/";
        for (const std::string &name : {kFirst, kSecond, kThird})
            writeFileBytes(root.file(name), RecordFixture().text());
        panel = std::make_unique<TSportModePanel>(nullptr, db);
        QObject::connect(panel.get(), &TSportModePanel::RecordsChanged, [this] { Refill(); });
        panel->resize(1024, 643);
        panel->show();
        panel->ClearRecordDetails();
        Refill();
    }

    void Refill()
    {
        db.ListRecordFiles();
        panel->FillList(db.RecordFiles);
    }

    TCheckList *List() const { return &Part<TCheckList>(*panel, "FileDataCLB"); }
    // The view's controls by name.
    QPushButton *Button(const char *name) const { return &Part<QPushButton>(*panel, name); }
    TImage *Picture(const char *name) const { return &Part<TImage>(*panel, name); }
    QLineEdit *Topic() const { return &Part<QLineEdit>(*panel, "TopicEdit"); }
    QComboBox *Weather() const { return &Part<QComboBox>(*panel, "cbbWCB"); }
    QPlainTextEdit *Memo() const { return &Part<QPlainTextEdit>(*panel, "SportMemo"); }
    TExportButton *Export() const { return &Part<TExportButton>(*panel, "ExportBtnImage"); }
    int Row(const std::string &name) const
    {
        const auto items = List()->findItems(QString::fromStdString(name), Qt::MatchExactly);
        return items.isEmpty() ? -1 : List()->row(items.first());
    }
    // A press at x within the item's line, released at (x, y of releaseRow).
    void Click(const std::string &name, int x, int releaseRow = -1)
    {
        const QRect item = List()->visualItemRect(List()->item(Row(name)));
        const QRect release = releaseRow < 0 ? item : List()->visualItemRect(List()->item(releaseRow));
        QWidget *viewport = List()->viewport();
        const int vx = x - viewport->x();
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(vx, item.center().y()));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(vx, release.center().y()));
    }
    void Show(const std::string &name) { Click(name, 60); }

    QString Box(const char *name) const { return Part<QLineEdit>(*panel, name).text(); }
    std::vector<int> Sensors() const
    {
        return {Picture("CS004Image")->ShownIndex, Picture("SP001Image")->ShownIndex,
                Picture("CA001Image")->ShownIndex};
    }
    // The lines of a record's notes file (UTF-16 LE with its mark, CR LF).
    QStringList NotesOnDisk(const std::string &record) const
    {
        const std::string bytes = readFileBytes(root.file(TKorvanDataBase::NotesFileName(record)));
        if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0)
            return {"<no notes file>"};
        QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.data() + 2),
                                          qsizetype(bytes.size() - 2) / 2);
        EXPECT_TRUE(text.endsWith("\r\n"));
        text.chop(2);
        return text.split("\r\n");
    }
    void TypeNotes(const QString &topic, int weather, const QString &memo)
    {
        Topic()->setText(topic);
        Weather()->setCurrentIndex(weather);
        Memo()->setPlainText(memo);
    }

    TempFolder root;
    TKorvanDataBase db;
    std::unique_ptr<TSportModePanel> panel;
};

TEST_F(RecordDetailsTest, StartsEmptyWithTheFilesListed)
{
    EXPECT_EQ(List()->count(), 3);
    EXPECT_EQ(List()->MarkedCount(), 0);
    EXPECT_EQ(List()->currentRow(), -1);
    EXPECT_EQ(Box("Dura_Edit"), "");
    EXPECT_EQ(Box("Inte_Edit"), "");
    EXPECT_EQ(Sensors(), (std::vector<int>{1, 3, 5}));
    EXPECT_FALSE(Button("MemoSaveBtn")->isEnabled());
    EXPECT_EQ(Weather()->count(), 13);
    EXPECT_EQ(Weather()->currentIndex(), 0);
    EXPECT_TRUE(List()->font().fixedPitch() || QFontInfo(List()->font()).fixedPitch());
}

TEST_F(RecordDetailsTest, PressesAndReleasesOnTheList)
{
    // A press on the check box of an unmarked item marks it; the release shows it.
    Click(kSecond, 5);
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kSecond)});
    EXPECT_EQ(List()->currentRow(), Row(kSecond));
    EXPECT_EQ(Box("Dura_Edit"), "01:05:30");
    EXPECT_EQ(Box("Dist_Edit"), "12.3 KM");
    EXPECT_EQ(Box("Speed_Edit"), "25.4 KM/h");
    EXPECT_EQ(Box("Inte_Edit"), "130~165");
    EXPECT_TRUE(Button("MemoSaveBtn")->isEnabled());
    EXPECT_EQ(panel->ShownRecord(), kSecond);

    // On another item's check box: the mark moves there, the others lose theirs.
    Click(kThird, 5);
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kThird)});
    EXPECT_EQ(panel->ShownRecord(), kThird);

    // On the text of an unmarked item: the mark moves there too.
    Show(kFirst);
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kFirst)});
    EXPECT_EQ(panel->ShownRecord(), kFirst);

    // On the text of the marked item: unmarked, the view empties.
    Show(kFirst);
    EXPECT_EQ(List()->MarkedCount(), 0);
    EXPECT_EQ(Box("Dura_Edit"), "");
    EXPECT_EQ(Sensors(), (std::vector<int>{1, 3, 5}));
    EXPECT_FALSE(Button("MemoSaveBtn")->isEnabled());

    // The release acts on the pressed item even when the pointer moved.
    Click(kFirst, 60, Row(kThird));
    EXPECT_EQ(List()->currentRow(), Row(kFirst));
    EXPECT_EQ(panel->ShownRecord(), kFirst);

    // A click on the empty part of the list leaves every mark as it is.
    const QPoint below(60 - List()->viewport()->x(), List()->viewport()->height() - 3);
    ASSERT_EQ(List()->indexAt(below).row(), -1);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kFirst)});
    EXPECT_EQ(panel->ShownRecord(), kFirst);
}

// A refill under the shown record: its mark comes back by name without a
// new read; a name the list does not hold marks nothing.
TEST_F(RecordDetailsTest, ARecordIsMarkedAgainByNameAfterARefill)
{
    Show(kSecond);
    Refill();
    EXPECT_EQ(List()->MarkedCount(), 0);
    EXPECT_TRUE(panel->MarkRecord(kSecond));
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kSecond)});
    EXPECT_EQ(panel->ShownRecord(), kSecond);
    EXPECT_FALSE(panel->MarkRecord("missing.TR9"));
    EXPECT_FALSE(panel->MarkRecord(""));
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kSecond)});
}

TEST_F(RecordDetailsTest, ImperialUnitAndSensorPictures)
{
    RecordFixture fixture;
    fixture.head["UNIT"] = "1";
    fixture.head["DISTANCE"] = "400";
    std::string text = fixture.text();
    text.replace(text.find("SPD_EXIST=1;"), 12, "SPD_EXIST=0;");
    writeFileBytes(root.file(kSecond), text);
    Show(kSecond);
    EXPECT_EQ(Box("Dist_Edit"), "24.84 ml");
    EXPECT_EQ(Box("Speed_Edit"), "15.77 ml/h");
    EXPECT_EQ(Sensors(), (std::vector<int>{0, 3, 4}));
    Show(kFirst);
    EXPECT_EQ(Box("Dist_Edit"), "12.3 KM");
    EXPECT_EQ(Sensors(), (std::vector<int>{0, 2, 4}));
}

TEST_F(RecordDetailsTest, NotesRoundTrips)
{
    struct Case { QString topic; int weather; QString memo; QStringList file; };
    const Case cases[] = {
        {"Morning ride", 2, "first memo line\nsecond memo line",
         {"Morning ride", "2", "first memo line", "second memo line"}},
        {"Morning ride", 2, "", {"Morning ride", "2"}},
        {"Hills", 12, "one\ntwo\nthree", {"Hills", "12", "one", "two", "three"}},
        {QString::fromUtf8("山路騎行"), 4, QString::fromUtf8("天氣很好\n风很大"),
         {QString::fromUtf8("山路騎行"), "4", QString::fromUtf8("天氣很好"), QString::fromUtf8("风很大")}},
    };
    for (const Case &c : cases) {
        Show(kFirst);
        TypeNotes(c.topic, c.weather, c.memo);
        ModalAnswerer answer;
        QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
        EXPECT_TRUE(answer.Saw("Save File Ok", "info"));
        ASSERT_EQ(answer.seen.size(), 1u);
        EXPECT_EQ(answer.seen[0].icon, QMessageBox::Information);
        EXPECT_TRUE(answer.seen[0].onTop);
        EXPECT_EQ(NotesOnDisk(kFirst), c.file);

        Show(kFirst);  // unmark
        QTest::mouseClick(Button("MemoCleanBtn"), Qt::LeftButton);
        Show(kFirst);  // read again
        EXPECT_EQ(Topic()->text(), c.topic);
        EXPECT_EQ(Weather()->currentIndex(), c.weather);
        EXPECT_EQ(Memo()->toPlainText(), c.memo);
        Show(kFirst);
    }
}

TEST_F(RecordDetailsTest, CleanAllThenSaveAndTypedWeather)
{
    Show(kFirst);
    TypeNotes("Topic", 5, "memo");
    QTest::mouseClick(Button("MemoCleanBtn"), Qt::LeftButton);
    EXPECT_FALSE(fileExists(root.file(TKorvanDataBase::NotesFileName(kFirst))));
    ModalAnswerer answer;
    QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    EXPECT_EQ(NotesOnDisk(kFirst), (QStringList{"", "0"}));

    // A typed weather that is no entry is stored as -1 and reads back as none.
    Weather()->setEditText("Hail");
    QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    EXPECT_EQ(NotesOnDisk(kFirst), (QStringList{"", "-1"}));
    Show(kFirst);
    Show(kFirst);
    EXPECT_EQ(Weather()->currentIndex(), -1);
}

TEST_F(RecordDetailsTest, KeyboardMovesTheSelectionOnly)
{
    Show(kFirst);
    TypeNotes("Shown one", 1, "");
    List()->setFocus();
    QTest::keyClick(List(), Qt::Key_Down);
    EXPECT_EQ(List()->currentRow(), Row(kFirst) + 1);
    EXPECT_EQ(List()->MarkedRows(), std::vector<int>{Row(kFirst)});
    ModalAnswerer answer;
    QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    EXPECT_EQ(NotesOnDisk(kFirst), (QStringList{"Shown one", "1"}));
    EXPECT_FALSE(fileExists(root.file(TKorvanDataBase::NotesFileName(kSecond))));
}

// Import asks the shell (the panel cannot open the import window): by
// mouse and by keyboard, with or without a shown record, never while
// disabled; it looks like Export.
TEST_F(RecordDetailsTest, ImportButtonAsksForAnImportByMouseAndKeyboard)
{
    TFaceButton *button = &Part<TFaceButton>(*panel, "ImportBtn");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->objectName(), "ImportBtn");
    EXPECT_EQ(button->size(), Export()->size());
    EXPECT_FALSE(button->geometry().intersects(Export()->geometry()));
    // The row of Export, Laps and Import lies outside the notes frame.
    const QRect notes = Part<QWidget>(*panel, "MemoShape").geometry();
    for (const char *name : {"ExportBtnImage", "LapsBtn", "ImportBtn"})
        EXPECT_FALSE(Part<QWidget>(*panel, name).geometry().intersects(notes)) << name;
    QSignalSpy asked(panel.get(), &TSportModePanel::ImportRequested);

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(asked.count(), 1) << "no record shown";
    Show(kFirst);
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << "reached with Tab";
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_Enter);
    EXPECT_EQ(asked.count(), 3);
    button->setEnabled(false);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(asked.count(), 3);
}

TEST_F(RecordDetailsTest, AFailedSaveIsShownAndKeepsTheNotes)
{
    QDir().mkdir(QString::fromStdString(root.file(TKorvanDataBase::NotesFileName(kFirst))));
    Show(kFirst);
    TypeNotes("Lost?", 3, "not lost");
    ModalAnswerer answer;
    QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_FALSE(answer.Saw("Save File Ok"));
    EXPECT_EQ(answer.seen[0].text, "The notes of 120704080503.TR9 were not saved!");
    EXPECT_EQ(answer.seen[0].icon, QMessageBox::Critical);
    EXPECT_EQ(Topic()->text(), "Lost?");
    EXPECT_EQ(Memo()->toPlainText(), "not lost");
    EXPECT_TRUE(Button("MemoSaveBtn")->isEnabled());
}

TEST_F(RecordDetailsTest, NotesInPlaceButUnconfirmedAreSaidToBeSaved)
{
    // The folder's fsync fails after the rename: the notes are on file, and
    // the message says so instead of "not saved".
    Show(kFirst);
    TypeNotes("Kept", 2, "in place");
    ModalAnswerer answer;
    {
        FailingDisk disk(DiskStep::FolderSync);
        QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    }
    ASSERT_EQ(answer.seen.size(), 1u);
    EXPECT_EQ(answer.seen[0].text,
              "The notes of 120704080503.TR9 were saved, but the disk did not confirm that they are kept!");
    EXPECT_EQ(NotesOnDisk(kFirst), (QStringList{"Kept", "2", "in place"}));
}

TEST_F(RecordDetailsTest, DeleteYesNoAndVanished)
{
    // Notes saved beside the record stay after its deletion.
    Show(kSecond);
    {
        ModalAnswerer answer;
        QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    }
    {
        ModalAnswerer answer;
        answer.AnswerBox(QMessageBox::No);
        QTest::mouseClick(Button("FileDeleteBtn"), Qt::LeftButton);
        ASSERT_EQ(answer.seen.size(), 1u);
        const SeenBox &ask = answer.seen[0];
        EXPECT_EQ(ask.text, "Delete 120705091000.TR9?");
        EXPECT_EQ(ask.caption, "Delete File");
        EXPECT_EQ(ask.icon, QMessageBox::NoIcon);
        EXPECT_EQ(ask.buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(ask.defaultButton, QMessageBox::No);
        EXPECT_TRUE(ask.onTop);
        EXPECT_TRUE(fileExists(root.file(kSecond)));
        EXPECT_EQ(panel->ShownRecord(), kSecond);
    }
    {
        ModalAnswerer answer;
        answer.AnswerBox(QMessageBox::Yes);
        QTest::mouseClick(Button("FileDeleteBtn"), Qt::LeftButton);
        EXPECT_TRUE(answer.Saw("File Deleted!"));
        EXPECT_FALSE(fileExists(root.file(kSecond)));
        EXPECT_TRUE(fileExists(root.file(TKorvanDataBase::NotesFileName(kSecond))));
        EXPECT_EQ(List()->count(), 2);
        EXPECT_EQ(Row(kSecond), -1);
        EXPECT_EQ(List()->MarkedCount(), 0);
        EXPECT_EQ(Box("Dura_Edit"), "");
        EXPECT_FALSE(Button("MemoSaveBtn")->isEnabled());
    }
    {
        // Removed outside the program after the list was filled.
        Show(kThird);
        std::remove(root.file(kThird).c_str());
        ModalAnswerer answer;
        answer.AnswerBox(QMessageBox::Yes);
        QTest::mouseClick(Button("FileDeleteBtn"), Qt::LeftButton);
        EXPECT_TRUE(answer.Saw("File is not Exists!"));
        EXPECT_FALSE(answer.Saw("File Deleted!"));
        EXPECT_EQ(List()->count(), 2);
        EXPECT_EQ(panel->ShownRecord(), kThird);
    }
    {
        // Nothing marked: Delete does nothing.
        Show(kThird);
        ModalAnswerer answer;
        QTest::mouseClick(Button("FileDeleteBtn"), Qt::LeftButton);
        EXPECT_TRUE(answer.seen.empty());
    }
}

TEST_F(RecordDetailsTest, AFailedDeleteIsShown)
{
    Show(kFirst);
    // Something that cannot be removed as a file now stands at the record's place.
    std::remove(root.file(kFirst).c_str());
    QDir().mkpath(QString::fromStdString(root.file(kFirst) + "/inside"));
    ModalAnswerer answer;
    answer.AnswerBox(QMessageBox::Yes);
    QTest::mouseClick(Button("FileDeleteBtn"), Qt::LeftButton);
    EXPECT_FALSE(answer.Saw("File Deleted!"));
    EXPECT_TRUE(answer.Saw("The record 120704080503.TR9 was not deleted!", "Error"));
    EXPECT_EQ(panel->ShownRecord(), kFirst);
    EXPECT_EQ(List()->count(), 3);
}

TEST_F(RecordDetailsTest, AVanishedRecordShowsZerosAndNoOtherNotes)
{
    Show(kFirst);
    TypeNotes("First's notes", 2, "memo");
    {
        ModalAnswerer answer;
        QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    }
    Show(kFirst);
    Show(kFirst);
    std::remove(root.file(kThird).c_str());
    Show(kThird);
    EXPECT_EQ(Box("Dist_Edit"), "0 KM");
    EXPECT_EQ(Box("Dura_Edit"), "0");
    EXPECT_EQ(Topic()->text(), "");
    EXPECT_EQ(Memo()->toPlainText(), "");
    EXPECT_EQ(Sensors(), (std::vector<int>{1, 3, 5}));
}



// The export button writes the shown record in the format of the chosen
// filter or of the extension typed, starts where the last export went, and
// says why a file could not be written.
TEST_F(RecordDetailsTest, ExportWritesTheShownRecordAndReportsAFailure)
{
    TExportButton *button = Export();
    EXPECT_FALSE(button->isEnabled());
    Show(kFirst);
    ASSERT_TRUE(button->isEnabled());

    const TExportButton::Chooser dialog = TExportButton::ChooseFile;
    TempFolder out;
    QString suggested;
    QString answer;
    int answerFilter = 0;
    TExportButton::ChooseFile = [&](const QString &s, const QStringList &filters, int &filter) {
        suggested = s;
        EXPECT_EQ(filters.size(), 3);
        filter = answerFilter;
        return answer;
    };
    answer = QString::fromStdString(out.file("ride"));
    answerFilter = 1; // TCX, no extension typed
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(suggested.endsWith("/2012-07-04_080503.fit")) << suggested.toStdString();
    EXPECT_NE(readFileBytes(out.file("ride.tcx")).find("<TrainingCenterDatabase"), std::string::npos);

    answer = QString::fromStdString(out.file("sheet.csv")); // the extension wins over the filter
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(suggested.startsWith(QString::fromStdString(out.path()) + "/"));
    EXPECT_FALSE(readFileBytes(out.file("sheet.csv")).empty());

    ModalAnswerer boxes;
    answer = QString::fromStdString(out.file("missing/ride.fit"));
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_TRUE(boxes.seen[0].text.startsWith("The ride could not be exported: "));
    EXPECT_EQ(boxes.seen[0].caption, "Error");

    answer.clear(); // cancelled
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(boxes.seen.size(), 1u);
    TExportButton::ChooseFile = dialog;
}

// Many rides: the list keeps its order and its empty selection, shows the
// newest ride (also when filled while hidden) and needs no sideways scroll.
TEST_F(RecordDetailsTest, AFilledListShowsTheNewestRideAndFitsItsText)
{
    std::vector<std::string> names;
    for (int i = 0; i < 2000; ++i)
        names.push_back(QStringLiteral("%1%2.TR9").arg(100101 + i % 28 + i / 28 % 12 * 100 + i / 336 * 10000)
                            .arg(80000 + i % 7, 6, 10, QLatin1Char('0')).toStdString());
    std::swap(names[1500], names.back());  // the newest is not the last
    const auto newestInView = [this](const std::string &newest) {
        const QRect shown = List()->visualItemRect(List()->item(Row(newest)));
        return List()->viewport()->rect().contains(shown);
    };
    for (bool hidden : {false, true}) {
        panel->setVisible(!hidden);
        panel->FillList(names);
        panel->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(newestInView(names[1500])) << hidden;
        EXPECT_EQ(List()->item(0)->text().toStdString(), names[0]);
        EXPECT_EQ(List()->currentRow(), -1);
        EXPECT_TRUE(List()->selectedItems().isEmpty());
        EXPECT_TRUE(List()->MarkedRows().empty());
        EXPECT_FALSE(List()->horizontalScrollBar()->isVisible());
        EXPECT_LE(List()->visualItemRect(List()->item(0)).width(), List()->viewport()->width());
        QStyleOptionViewItem option;
        option.initFrom(List());
        option.font = List()->font();
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        option.text = List()->item(0)->text();
        const int textRight = List()->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, List()).left() +
                              List()->fontMetrics().horizontalAdvance(option.text);
        EXPECT_LE(textRight, List()->viewport()->width()) << hidden;
        EXPECT_GE(QFontInfo(List()->font()).pixelSize(), 10);
    }
    // Short names get the styled text size back.
    panel->FillList({"1.TR9"});
    EXPECT_EQ(QFontInfo(List()->font()).pixelSize(), 14);
}

} // namespace

namespace {

// Typed notes are never lost without a word: before another record shows
// (or none), changed notes are offered for saving; Yes saves, No lets them
// go; unchanged or saved notes ask nothing.
TEST_F(RecordDetailsTest, ChangedNotesAreOfferedBeforeAnotherRecordShows)
{
    ModalAnswerer boxes;
    Show(kFirst);
    Show(kSecond);
    Show(kFirst); // nothing typed: no question
    EXPECT_TRUE(boxes.seen.empty());

    TypeNotes("Hill repeats", 2, "cold\nwindy");
    boxes.answers = {QMessageBox::Yes};
    Show(kSecond);
    ASSERT_EQ(boxes.seen.size(), 2u); // the question, then "Save File Ok"
    EXPECT_EQ(boxes.seen[0].text, QString::fromStdString("Save the notes of " + kFirst + "?"));
    EXPECT_EQ(boxes.seen[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(boxes.seen[0].defaultButton, QMessageBox::Yes);
    EXPECT_EQ(boxes.seen[1].text, "Save File Ok");
    EXPECT_EQ(NotesOnDisk(kFirst), (QStringList{"Hill repeats", "2", "cold", "windy"}));
    EXPECT_EQ(panel->ShownRecord(), kSecond);

    // No: the notes go, the file keeps what it had, the next record shows.
    Memo()->setPlainText("never kept");
    boxes.answers = {QMessageBox::No};
    Show(kFirst);
    ASSERT_EQ(boxes.seen.size(), 3u);
    EXPECT_EQ(NotesOnDisk(kSecond), (QStringList{"<no notes file>"}));
    EXPECT_EQ(Topic()->text(), "Hill repeats");

    // Saved with the button, unmarked: nothing to ask. A weather typed is a
    // change too, and so is unmarking the shown record.
    Topic()->setText("Hill repeats again");
    QTest::mouseClick(Button("MemoSaveBtn"), Qt::LeftButton);
    EXPECT_FALSE(panel->NotesChanged());
    Weather()->setEditText("Hail");
    EXPECT_TRUE(panel->NotesChanged());
    boxes.answers = {QMessageBox::No};
    const std::size_t before = boxes.seen.size();
    Show(kFirst); // unmarks it: the view empties
    EXPECT_EQ(boxes.seen.size(), before + 1);
    EXPECT_EQ(panel->ShownRecord(), "");
    // Asked once: what the rider let go is not asked about again.
    panel->KeepNotes();
    EXPECT_EQ(boxes.seen.size(), before + 1);
}

// Tab walks the list, the notes and the buttons, never the ten read-only
// boxes; Tab leaves the memo for Save, Ctrl+Tab types a tab in it; every box
// is named after its caption.
TEST_F(RecordDetailsTest, TabPassesTheValueBoxesAndLeavesTheMemo)
{
    panel->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    Show(kFirst);
    for (const char *name : {"Dura_Edit", "Dist_Edit", "RPM_Edit", "Speed_Edit", "LAP_Edit", "Calo_Edit", "HRM_Edit",
                             "HRA_Edit", "VO2_Edit", "Inte_Edit"})
        EXPECT_EQ(Part<QLineEdit>(*panel, name).focusPolicy(), Qt::NoFocus) << name;
    EXPECT_EQ(Part<QLineEdit>(*panel, "Dura_Edit").accessibleName(), "Duration");
    EXPECT_EQ(Part<QLineEdit>(*panel, "Inte_Edit").accessibleName(), "Intensity");
    List()->setFocus(Qt::TabFocusReason);
    std::vector<QString> chain;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        chain.push_back(QApplication::focusWidget()->objectName());
    }
    EXPECT_EQ(chain, (std::vector<QString>{"FileDeleteBtn", "ExportBtnImage", "LapsBtn", "ImportBtn", "TopicEdit",
                                           "cbbWCB", "SportMemo", "MemoSaveBtn", "MemoCleanBtn", "FileDataCLB"}));
    Memo()->setFocus();
    Memo()->clear();
    QTest::keyClicks(Memo(), "a");
    QTest::keyClick(Memo(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Memo()->toPlainText(), "a\t");
    QTest::keyClick(Memo(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Button("MemoSaveBtn"));
    ModalAnswerer boxes;
    QTest::keyClick(Button("MemoSaveBtn"), Qt::Key_Space);
    ASSERT_EQ(boxes.seen.size(), 1u);
    EXPECT_EQ(boxes.seen[0].text, "Save File Ok");
}

} // namespace
