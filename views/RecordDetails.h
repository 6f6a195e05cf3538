#pragma once
// The record details view: the rider's record files, the totals of the
// marked one, the sensors it used, and its notes (topic, weather, memo).
#include "draw/ImageList.h"
#include "draw/ViewPanel.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TCheckList;
class TExportButton;
class TFaceButton;
class MultiLanguage;
class TKorvanDataBase;

class TSportModePanel : public TViewPanel {
    Q_OBJECT
public:
    TSportModePanel(QWidget *parent, TKorvanDataBase &db);

    // The record file names, none marked.
    void FillList(const std::vector<std::string> &names);
    // The empty view: no values, no notes, sensors unused, Save disabled.
    void ClearRecordDetails();
    // The frame around the notes, drawn onto the background once.
    void DrawMemoFrame();
    // The captions, weather choices, Export and Import buttons in the chosen
    // language; each caption centred on its column in its own font.
    void RefreshCaptions(const MultiLanguage &lang);

    void FileDataCLBMouseDown(int x);
    void FileDataCLBMouseUp();
    void MemoSaveBtnClick();
    void MemoCleanBtnClick();
    void FileDeleteBtnClick();

    // Marks and shows the record file of that name, as a click on it does;
    // false when the list does not hold it.
    bool SelectRecord(const std::string &name);
    // The topic, weather or memo on screen differ from what was read or
    // last saved for the shown record.
    bool NotesChanged() const;
    // Before another record, view or rider is shown, or the program ends:
    // changed notes are offered for saving ("Save the notes of NAME?"),
    // saved on Yes; either way the program goes on.
    void KeepNotes();

    // The record file shown at the last release (empty: none).
    const std::string &ShownRecord() const { return shownRecord_; }
    // Marks the record file of that name in the list, showing nothing new
    // (the list was refilled under the record shown); false when the list
    // does not hold it.
    bool MarkRecord(const std::string &name);
    // The control the dialog choosing files to import opens over.
    QWidget *ImportDialogAnchor() const;

signals:
    // A record file was deleted: the record lists are to be refilled.
    void RecordsChanged();
    // ImportBtn was pressed: the files to import are to be chosen.
    void ImportRequested();
    // The record file of that name was deleted / its notes were saved.
    void RecordDeleted(const QString &name);
    void NotesSaved(const QString &name);
    // The laps window is to show the record file of that name.
    void LapsRequested(const QString &name);

private:
    // Item index of the list under the pointer at the last press.
    std::int32_t PressedIndex = -1;

    TCheckList *FileDataCLB = nullptr;
    // Dura_Edit .. Inte_Edit in box order, with their captions and icons.
    std::array<QLineEdit *, 10> ValueEdits{};
    std::array<QLabel *, 10> ValueLabels{};
    std::array<TImage *, 10> ValueIcons{};
    // Heart-rate belt, speed sensor, cadence sensor.
    TImage *CS004Image = nullptr;
    TImage *SP001Image = nullptr;
    TImage *CA001Image = nullptr;
    TImageList SensorImageList;
    QLabel *TopicLab = nullptr;
    QLabel *WeatherLab = nullptr;
    QLabel *MemoLab = nullptr;
    QLineEdit *TopicEdit = nullptr;
    QComboBox *cbbWCB = nullptr;
    QPlainTextEdit *SportMemo = nullptr;
    QPushButton *MemoSaveBtn = nullptr;
    QPushButton *MemoCleanBtn = nullptr;
    QPushButton *FileDeleteBtn = nullptr;
    // Exports the shown record (FIT, TCX, CSV).
    TExportButton *ExportBtnImage = nullptr;
    // Imports rides from other devices' files (emits ImportRequested).
    TFaceButton *ImportBtn = nullptr;
    // Opens the laps window of the shown record (LapsRequested).
    TFaceButton *LapsBtn = nullptr;
    // Where the frame around the notes is drawn (hidden after drawing).
    QWidget *MemoShape = nullptr;

    void CreateValueTiles();
    void CreateNotes();
    void ShowRecord(const std::string &name);
    // The list row of the record file of that name, -1 when none.
    int RowOf(const std::string &name) const;
    void ShowSensors(int belt, int speed, int cadence);
    // The notes lines the fields on screen make.
    QStringList ScreenNotes() const;

    TKorvanDataBase &db_;
    std::string shownRecord_;
    QStringList readNotes_;       // the notes lines as read or last saved
    QString savePrompt_ = QStringLiteral("Save the notes of %1?");
    std::array<int, 10> captionHome_{}; // left edges of the caption columns
};
