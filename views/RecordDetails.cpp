#include "views/RecordDetails.h"

#include "draw/Controls.h"
#include "draw/DarkStyle.h"
#include "draw/Dialogs.h"
#include "draw/FaceButton.h"
#include "draw/FocusRing.h"
#include "draw/Image.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"
#include "store/AtomicFile.h"
#include "store/Databasecontroler.h"
#include "store/NarrowFile.h"
#include "views/CheckList.h"
#include "views/DetailPictures.h"
#include "views/ExportButton.h"
#include "views/RecordValues.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Value tiles: two rows of five right of the photo.
constexpr int kTilesLeft = 220;
constexpr int kTileW = 148;
constexpr int kTileH = 100;
constexpr int kTileGap = 10;
// Captions are centred on a column of this width (see RefreshCaptions).
constexpr int kCaptionColumn = 75;
// Sensor pictures in a column below the tiles, Delete under them and the
// row of Export, Laps and Import below Delete and the notes frame.
constexpr int kSensorTop = 250;
constexpr int kSensorStep = 96;
// The notes frame and the rows inside it.
const QRect kNotesFrame(336, 250, 664, 328);
constexpr int kNotesLabelLeft = 356;
constexpr int kNotesFieldLeft = 440;
constexpr int kNotesFieldWidth = 540;

// Caption and box names in box order; the captions are their English texts.
struct BoxNames { const char *box, *label, *icon, *caption; };
const BoxNames kBoxes[10] = {
    {"Dura_Edit", "Dura_Lab", "Dura_ICOImage", "Duration"},    {"Dist_Edit", "Dist_Lab", "Dist_ICOImage", "Distance"},
    {"RPM_Edit", "RPM_Lab", "RPM_ICOImage", "RPM"},            {"Speed_Edit", "Speed_Lab", "Speed_ICOImage", "AVG Speed"},
    {"LAP_Edit", "LAP_Lab", "LAP_ICOImage", "LAP"},            {"Calo_Edit", "Calo_Lab", "Calo_ICOImage", "KCAL"},
    {"HRM_Edit", "HRM_Lab", "HRM_ICOImage", "HR/MAX"},         {"HRA_Edit", "HRA_Lab", "HRA_ICOImage", "HR/AVG"},
    {"VO2_Edit", "VO2_Lab", "VO2_ICOImage", "VO2/MAX"},        {"Inte_Edit", "Inte_Lab", "Inte_ICOImage", "Intensity"},
};

// Weather entries; the entry's position is the weather code of the notes.
const char *const kWeather[13] = {
    "Fine/Fair/Sunny", "Clear to overcast", "Cloudy", "Drizzle", "Foggy", "Gale wind", "Misty",
    "Pour/DownPour", "Sleet", "Snowy", "Stormy wind", "Windy", "Blizzard",
};

// Caption of the plain message boxes: the program's title.
const char *const kTitle = "Cyclovex";

const char *const kStyle = R"(
QLineEdit#Dura_Edit, QLineEdit#Dist_Edit, QLineEdit#RPM_Edit, QLineEdit#Speed_Edit, QLineEdit#LAP_Edit,
QLineEdit#Calo_Edit, QLineEdit#HRM_Edit, QLineEdit#HRA_Edit, QLineEdit#VO2_Edit, QLineEdit#Inte_Edit {
  background: #1c1c1c; color: #E79333; border: 1px solid #8a8a8a; border-radius: 4px;
  font-weight: bold; font-size: 15px; }
QLineEdit#TopicEdit, QPlainTextEdit#SportMemo {
  background: #f4f4f4; color: #202020; border: 1px solid #ffffff; border-radius: 4px;
  selection-background-color: #E79333; font-size: 13px; }
QListWidget#FileDataCLB { background: #f4f4f4; color: #202020; border: 1px solid white; font-size: 14px;
  selection-background-color: #E79333; selection-color: white; }
)";

// An arrow from the left into an open box: rides coming in.
void PaintImportGlyph(QPainter &p, const QColor &ink, int h)
{
    const qreal y = (h - 18) / 2.0;
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{17, y + 1}, {25, y + 1}, {25, y + 17}, {17, y + 17}}));
    p.drawLine(QPointF(8, y + 9), QPointF(20, y + 9));
    p.drawPolyline(QPolygonF({{15, y + 4}, {20, y + 9}, {15, y + 14}}));
}

// A flag on its pole, as on the laps tile: the laps of the ride.
void PaintLapsGlyph(QPainter &p, const QColor &ink, int h)
{
    const qreal y = (h - 18) / 2.0;
    p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(11, y + 1), QPointF(11, y + 17));
    p.drawPolyline(QPolygonF({{11, y + 2}, {25, y + 2}, {21, y + 6.5}, {25, y + 11}, {11, y + 11}}));
}

} // namespace

TSportModePanel::TSportModePanel(QWidget *parent, TKorvanDataBase &db)
    : TViewPanel(parent, "SportModePanel", "SportModeBGImage", "DataAccountImage"),
      SensorImageList(SensorPictures()), db_(db)
{
    setStyleSheet(DarkButtonRules() + QString::fromLatin1(kStyle));
    FileDataCLB = new TCheckList(this, "FileDataCLB");
    FileDataCLB->setGeometry(24, 240, 176, 379);
    connect(FileDataCLB, &TCheckList::Pressed, this, &TSportModePanel::FileDataCLBMouseDown);
    connect(FileDataCLB, &TCheckList::Released, this, &TSportModePanel::FileDataCLBMouseUp);

    CreateValueTiles();
    CS004Image = NewPicture(this, "CS004Image", QRect(kTilesLeft, kSensorTop, 92, 86));
    SP001Image = NewPicture(this, "SP001Image", QRect(kTilesLeft, kSensorTop + kSensorStep, 92, 86));
    CA001Image = NewPicture(this, "CA001Image", QRect(kTilesLeft, kSensorTop + 2 * kSensorStep, 92, 86));
    FileDeleteBtn = NewButton(this, "FileDeleteBtn", "Delete",
                              QRect(kTilesLeft, kSensorTop + 3 * kSensorStep + 10, 92, 30));
    connect(FileDeleteBtn, &QPushButton::clicked, this, &TSportModePanel::FileDeleteBtnClick);
    // One row of equal buttons, 8 pixels apart, below the notes frame.
    const QRect exportSlot(kTilesLeft, kSensorTop + 3 * kSensorStep + 50, 92, 30);
    const QPoint nextSlot(92 + 8, 0);
    ExportBtnImage = new TExportButton(this, exportSlot);
    LapsBtn = new TFaceButton(this, "LapsBtn", exportSlot.translated(nextSlot), PaintLapsGlyph);
    LapsBtn->setEnabled(false);
    connect(LapsBtn, &TImage::clicked, this, [this] {
        if (!shownRecord_.empty())
            emit LapsRequested(QString::fromStdString(shownRecord_));
    });
    ImportBtn = new TFaceButton(this, "ImportBtn", exportSlot.translated(2 * nextSlot), PaintImportGlyph);
    connect(ImportBtn, &TImage::clicked, this, &TSportModePanel::ImportRequested);
    CreateNotes();
}

void TSportModePanel::CreateValueTiles()
{
    for (int k = 0; k < RecordValues::BoxCount; ++k) {
        const QPoint tile(kTilesLeft + (k % 5) * (kTileW + kTileGap), 18 + (k / 5) * (kTileH + kTileGap));
        NewPicture(this, "", QRect(tile, QSize(kTileW, kTileH)))->SetPicture(ValueTile(kTileW, kTileH));
        const BoxNames &names = kBoxes[k];
        ValueIcons[k] = NewPicture(this, names.icon, QRect(tile + QPoint((kTileW - 28) / 2, 10), QSize(28, 28)));
        ValueIcons[k]->SetPicture(ValueIcon(k));
        ValueLabels[k] = NewLabel(this, names.label, names.caption,
                                  QRect(tile + QPoint((kTileW - kCaptionColumn) / 2, 42), QSize(kCaptionColumn, 20)));
        ValueLabels[k]->setAlignment(Qt::AlignCenter);
        captionHome_[std::size_t(k)] = ValueLabels[k]->x();
        auto *box = new QLineEdit(QStringLiteral("0"), this);
        box->setObjectName(QString::fromLatin1(names.box));
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
        box->setGeometry(QRect(tile + QPoint(12, 64), QSize(kTileW - 24, 28)));
        // Read, not typed into: Tab passes by; a screen reader names it.
        box->setFocusPolicy(Qt::NoFocus);
        box->setAccessibleName(QString::fromLatin1(names.caption));
        ValueEdits[k] = box;
    }
}

void TSportModePanel::DrawMemoFrame()
{
    const QRect r = MemoShape->geometry();
    TKorvanDraw().DrawFrameLabel(Background, r.left(), r.top(), r.left() + r.width(), r.top() + r.height(), 0xFFFFFF,
                                 std::string(16, ' '));
    MemoShape->hide();
}

void TSportModePanel::RefreshCaptions(const MultiLanguage &lang)
{
    for (int k = 0; k < RecordValues::BoxCount; ++k) {
        ValueLabels[k]->setText(lang.CL(kBoxes[k].caption));
        ValueEdits[k]->setAccessibleName(lang.CL(kBoxes[k].caption));
    }
    savePrompt_ = lang.CL("Save the notes of %1?");
    FileDataCLB->setAccessibleName(lang.CL("Records"));
    TopicEdit->setAccessibleName(lang.CL("Topic"));
    cbbWCB->setAccessibleName(lang.CL("Weather"));
    SportMemo->setAccessibleName(lang.CL("Memo"));
    TopicLab->setText(lang.CL("Topic"));
    WeatherLab->setText(lang.CL("Weather"));
    MemoLab->setText(lang.CL("Memo"));
    MemoSaveBtn->setText(lang.CL("Save"));
    MemoCleanBtn->setText(lang.CL("Clean All"));
    FileDeleteBtn->setText(lang.CL("Delete"));
    for (int i = 0; i < 13 && i < cbbWCB->count(); ++i)
        cbbWCB->setItemText(i, lang.CL(kWeather[i]));
    ExportBtnImage->SetCaption(lang.CL("Export"));
    LapsBtn->SetCaption(lang.CL("Laps"));
    ImportBtn->SetCaption(lang.CL("Import"));
    ImportBtn->setToolTip(lang.CL("Import rides from FIT, TCX and GPX files"));
    for (int k = 0; k < RecordValues::BoxCount; ++k)
        CentreOnColumn(ValueLabels[k], captionHome_[std::size_t(k)]);
}

void TSportModePanel::CreateNotes()
{
    MemoShape = new QWidget(this);
    MemoShape->setObjectName("MemoShape");
    MemoShape->setGeometry(kNotesFrame);
    // In the gap the frame leaves open in its top edge.
    NewPicture(this, "MemoIconImage", QRect(kNotesFrame.left() + 37, kNotesFrame.top() - 12, 24, 24))
        ->SetPicture(NotesIcon());
    const int top = kNotesFrame.top() + 22;
    auto label = [this](const char *name, const char *text, int y) {
        QLabel *l = NewLabel(this, name, QString::fromLatin1(text), QRect(kNotesLabelLeft, y, 80, 28));
        SetBold(l);
        return l;
    };
    TopicLab = label("TopicLab", "Topic", top);
    TopicEdit = new QLineEdit(this);
    TopicEdit->setObjectName("TopicEdit");
    TopicEdit->setGeometry(kNotesFieldLeft, top, kNotesFieldWidth, 28);
    // Room for the longest topic a notes file holds (two bytes a character),
    // so a topic is never cut when it is shown and saved again.
    TopicEdit->setMaxLength(static_cast<int>(filelimit::Notes / 2));

    WeatherLab = label("WeatherLab", "Weather", top + 38);
    cbbWCB = new QComboBox(this);
    cbbWCB->setObjectName("cbbWCB");
    cbbWCB->setEditable(true);
    cbbWCB->setInsertPolicy(QComboBox::NoInsert);
    for (const char *entry : kWeather)
        cbbWCB->addItem(QString::fromLatin1(entry));
    cbbWCB->setMaxVisibleItems(13);
    cbbWCB->setGeometry(kNotesFieldLeft, top + 38, 260, 28);

    MemoLab = label("MemoLab", "Memo", top + 76);
    SportMemo = new QPlainTextEdit(this);
    SportMemo->setObjectName("SportMemo");
    const int buttonsTop = kNotesFrame.bottom() - 44;
    SportMemo->setGeometry(kNotesFieldLeft, top + 76, kNotesFieldWidth, buttonsTop - 12 - (top + 76));
    TabLeavesText(SportMemo);

    const int right = kNotesFieldLeft + kNotesFieldWidth;
    MemoCleanBtn = NewButton(this, "MemoCleanBtn", "Clean All", QRect(right - 110, buttonsTop, 110, 30));
    MemoSaveBtn = NewButton(this, "MemoSaveBtn", "Save", QRect(right - 230, buttonsTop, 110, 30));
    MemoSaveBtn->setEnabled(false);
    connect(MemoSaveBtn, &QPushButton::clicked, this, &TSportModePanel::MemoSaveBtnClick);
    connect(MemoCleanBtn, &QPushButton::clicked, this, &TSportModePanel::MemoCleanBtnClick);
    // From the memo to Save, then Clean All.
    setTabOrder(SportMemo, MemoSaveBtn);
    setTabOrder(MemoSaveBtn, MemoCleanBtn);
}

void TSportModePanel::FillList(const std::vector<std::string> &names)
{
    FileDataCLB->SetNames(names);
}

void TSportModePanel::ShowSensors(int belt, int speed, int cadence)
{
    SensorImageList.Draw(CS004Image, belt);
    SensorImageList.Draw(SP001Image, speed);
    SensorImageList.Draw(CA001Image, cadence);
}

void TSportModePanel::ClearRecordDetails()
{
    for (QLineEdit *box : ValueEdits)
        box->clear();
    TopicEdit->clear();
    SportMemo->clear();
    cbbWCB->setCurrentIndex(0);
    ShowSensors(1, 3, 5);
    MemoSaveBtn->setEnabled(false);
    shownRecord_.clear();
    readNotes_.clear();
    ExportBtnImage->SetRecord(std::string());
    LapsBtn->setEnabled(false);
}

void TSportModePanel::FileDataCLBMouseDown(int x)
{
    const int row = FileDataCLB->currentRow();
    if (row < 0)
        return;
    if (x >= TCheckList::CheckColumn)
        FileDataCLB->ToggleMarked(row);
    FileDataCLB->UnmarkOthers(row);
    PressedIndex = row;
}

void TSportModePanel::FileDataCLBMouseUp()
{
    // A release shows a record or none: notes typed for the one shown go
    // only when the rider says so.
    KeepNotes();
    if (FileDataCLB->currentRow() < 0) {
        MemoSaveBtn->setEnabled(false);
        return;
    }
    FileDataCLB->setCurrentRow(PressedIndex);
    if (!FileDataCLB->Marked(PressedIndex)) {
        ClearRecordDetails();
        return;
    }
    MemoSaveBtn->setEnabled(true);
    ShowRecord(FileDataCLB->item(PressedIndex)->text().toStdString());
}

void TSportModePanel::ShowRecord(const std::string &name)
{
    shownRecord_ = name;
    ExportBtnImage->SetRecord(db_.RiderFolder + name);
    LapsBtn->setEnabled(true);
    const bool vanished = db_.ReadRecord(name) != 0;
    std::array<QString, RecordValues::BoxCount> texts;
    for (int k = 0; k < RecordValues::BoxCount; ++k)
        texts[k] = ValueEdits[k]->text();
    // The rider's locale: the system's (tests pin it through the default).
    RecordValues::FillBoxTexts(db_, QLocale(), texts);
    for (int k = 0; k < RecordValues::BoxCount; ++k)
        ValueEdits[k]->setText(texts[k]);
    if (vanished) {
        // The store still holds the notes of the record read before: show
        // none rather than another record's notes.
        MemoCleanBtnClick();
        ShowSensors(1, 3, 5);
        readNotes_ = ScreenNotes();
        return;
    }
    TopicEdit->setText(db_.Topic);
    const int weather = RecordValues::WeatherEntry(db_.Weather);
    cbbWCB->setCurrentIndex(weather >= 0 && weather < cbbWCB->count() ? weather : -1);
    SportMemo->setPlainText(RecordValues::MemoText(db_.NoteLines));
    ShowSensors(db_.HrmExist == 1 ? 0 : 1, db_.SpdExist == 1 ? 2 : 3, db_.CadExist == 1 ? 4 : 5);
    readNotes_ = ScreenNotes();
}

QStringList TSportModePanel::ScreenNotes() const
{
    QStringList entries;
    for (int i = 0; i < cbbWCB->count(); ++i)
        entries << cbbWCB->itemText(i);
    const int weather = RecordValues::ChosenEntry(entries, cbbWCB->currentIndex(), cbbWCB->currentText());
    return RecordValues::NotesLines(TopicEdit->text(), weather, SportMemo->toPlainText());
}

bool TSportModePanel::NotesChanged() const
{
    return !shownRecord_.empty() && ScreenNotes() != readNotes_;
}

void TSportModePanel::KeepNotes()
{
    if (!NotesChanged())
        return;
    const QString name = QString::fromStdString(shownRecord_);
    if (ShowMessage(this, savePrompt_.arg(name), kTitle, QMessageBox::Question, true,
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes)
        MemoSaveBtnClick();
    // Asked once: what the rider let go is not asked about again.
    readNotes_ = ScreenNotes();
}

void TSportModePanel::MemoSaveBtnClick()
{
    if (shownRecord_.empty())
        return;
    db_.NoteLines = ScreenNotes();
    const QStringList notes = db_.NoteLines;
    const int saved = db_.SaveNotes(shownRecord_);
    if (saved != 1) { // the file holds the notes
        readNotes_ = notes;
        emit NotesSaved(QString::fromStdString(shownRecord_));
    }
    if (saved == 0) {
        ShowMessage(this, "Save File Ok", "info", QMessageBox::Information, true);
    } else if (saved == WriteUnconfirmed) {
        ShowErrorBox(this, "The notes of " + QString::fromStdString(shownRecord_) +
                               " were saved, but the disk did not confirm that they are kept!",
                     "Error", true);
    } else {
        ShowErrorBox(this, "The notes of " + QString::fromStdString(shownRecord_) + " were not saved!", "Error",
                     true);
    }
}

void TSportModePanel::MemoCleanBtnClick()
{
    TopicEdit->clear();
    cbbWCB->setCurrentIndex(0);
    SportMemo->clear();
}

void TSportModePanel::FileDeleteBtnClick()
{
    const int row = FileDataCLB->currentRow();
    if (row < 0 || !FileDataCLB->Marked(row))
        return;
    const QString name = FileDataCLB->item(row)->text();
    if (ShowMessage(this, "Delete " + name + "?", "Delete File", QMessageBox::NoIcon, true,
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    const QString path = QString::fromStdString(db_.RiderFolder) + name;
    if (!QFile::exists(path)) {
        ShowMessage(this, "File is not Exists!", kTitle, QMessageBox::NoIcon, false);
        return;
    }
    if (!QFile::remove(path)) {
        ShowErrorBox(this, "The record " + name + " was not deleted!", "Error", true);
        return;
    }
    emit RecordsChanged();
    emit RecordDeleted(name);
    ShowMessage(this, "File Deleted!", kTitle, QMessageBox::NoIcon, false);
    ClearRecordDetails();
}

int TSportModePanel::RowOf(const std::string &name) const
{
    const QString text = QString::fromStdString(name);
    for (int row = 0; row < FileDataCLB->count(); ++row)
        if (FileDataCLB->item(row)->text() == text)
            return row;
    return -1;
}

bool TSportModePanel::SelectRecord(const std::string &name)
{
    const int row = RowOf(name);
    if (row < 0)
        return false;
    if (!FileDataCLB->Marked(row))
        FileDataCLB->ToggleMarked(row);
    FileDataCLB->UnmarkOthers(row);
    FileDataCLB->setCurrentRow(row);
    PressedIndex = row;
    MemoSaveBtn->setEnabled(true);
    ShowRecord(name);
    return true;
}

bool TSportModePanel::MarkRecord(const std::string &name)
{
    const int row = RowOf(name);
    if (row >= 0)
        FileDataCLB->SetMarked(row, true);
    return row >= 0;
}

QWidget *TSportModePanel::ImportDialogAnchor() const
{
    return ImportBtn;
}
