#pragma once
// The user store: rider folders below the rider root, the remember-me file,
// and every reading of record files and notes files.
//
// Narrow text (IDs, paths, record file content) is UTF-8 in std::string;
// wide text (notes) is QString. Paths are joined with "/".
#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

class TKorvanDataBase {
public:
    // Rider folders. RootFolder and RiderFolder end with "/".
    std::string RootFolder;
    std::vector<std::string> RecordFiles; // bare record file names in RiderFolder
    std::vector<std::string> RecordLines; // lines of the record file loaded last
    std::vector<std::string> Riders;      // user IDs, one per rider folder
    QStringList NoteLines;                // memo lines after ReadRecord; notes to save before SaveNotes
    std::string RiderFolder;              // RootFolder + ID + "/" of the logged-in rider
    std::string CurrentID;

    // Values of the record read last, as the views show them.
    std::string SeriesText;     // result of ReadSeries
    std::string ExerciseTime;   // hh:mm:ss
    std::string DistanceText;   // km
    std::string CadenceAvgText;
    std::string SpeedAvgText;   // km/h
    std::string LapCountText;
    std::string KcalText;
    std::string HrMaxText;
    std::string HrAvgText;
    std::string Vo2MaxText;
    std::string HrLimitText;    // low~high
    QString Topic;
    QString Weather;            // weather choice as decimal text
    std::uint8_t Unit = 0;      // 0 metric, 1 imperial
    std::int32_t HrmExist = 0;
    std::int32_t SpdExist = 0;
    std::int32_t CadExist = 0;

    // Totals of SumDay.
    std::int32_t DaySeconds = 0;
    std::int32_t DayDistance = 0; // tenths of a kilometre
    std::int32_t DayKcal = 0;

    // --- rider folders ---

    // RootFolder = folder (a "/" is appended when it is missing). Returns 0.
    int SetRootFolder(const std::string &folder);
    // True when a folder of that name (letter case ignored) already exists, or
    // the ID is not usable as a folder name (empty, ".", "..", holding "/" or
    // NUL); nothing is created then. False when the folder has been created.
    bool CreateRiderFolder(const std::string &id);
    // Deletes RootFolder + id with everything in it, hidden entries too. The
    // folder is first renamed aside to a hidden name, so a deletion cut
    // short never leaves something that looks like a rider. RiderDeleted (also
    // when there is no such folder), RiderKept when it cannot be renamed (the
    // rider stays as it was), or RiderPartlyDeleted when it is no longer a
    // rider but some of its content could not be removed.
    enum DeleteResult { RiderDeleted = 0, RiderKept = 1, RiderPartlyDeleted = 2 };
    int DeleteRider(const std::string &id);
    // Removes a folder and everything below it, hidden entries included; a
    // symbolic link is removed as a link, never followed. True when the
    // folder is gone.
    bool DeleteFolderTree(const std::string &path);
    // Refills Riders with the plain folders of RootFolder. Returns 0.
    int ListRiders();
    // Refills RecordFiles with the record files (*.TR9, any letter case) of
    // RiderFolder. Returns 0.
    int ListRecordFiles();
    // Path of the rider's photo RootFolder + id + "/" + id + ".jpg", the file
    // name matched without regard to case; empty when there is none.
    std::string PhotoFile(const std::string &id) const;

    // --- record reading ---

    // Value of key in RecordLines: the first line containing key, between
    // its first "=" and its first ";".
    std::string ValueOf(const std::string &key) const;
    // Totals of the records of one day (year within the century). Returns 0.
    int SumDay(int year, int month, int day);
    // Loads RiderFolder + name and fills the value fields and the notes.
    // 0 on success, 1 when the file does not exist.
    int ReadRecord(const std::string &name);
    // SeriesText = the line after the first line containing heading, cut
    // after its filelimit::RecordSamples-th value (store/NarrowFile.h): no dump
    // holds more, so only a file from elsewhere loses its tail, and every
    // chart, report and export of a series stays as small as a real one's.
    // Returns 0.
    int ReadSeries(const std::string &heading);
    // Writes NoteLines as the notes file of record name (UTF-16 LE with mark,
    // replaced atomically). 0 on success, 1 when the file could not be written,
    // WriteUnconfirmed (store/AtomicFile.h) when it is written but its
    // folder's fsync failed.
    int SaveNotes(const std::string &name);
    // A value in tenths (distance, speed) as shown: value x 0.1 in the
    // shortest general form, 123 gives 12.3, 100 gives 10; "0" and a text
    // that is no number give "0".
    static std::string TenthsText(const std::string &value);
    // Name of the notes file of a record: its last character replaced by "M".
    static std::string NotesFileName(const std::string &recordName);

    // --- remember-me file appFolder + "/REME.txt" ---

    static std::string RememberMePath(const std::string &appFolder);
    // Replaces the file by one line id + CR LF (an empty id writes an empty
    // file), atomically. 0 on success, 1 when it could not be written.
    static int WriteRememberMe(const std::string &appFolder, const std::string &id);
    // Deletes the file if it exists. Returns 0.
    static int RemoveRememberMe(const std::string &appFolder);
    // True when the file exists; id = its first line (empty when it has none).
    static bool ReadRememberMe(const std::string &appFolder, std::string &id);
    // The login window's preselection: index of the first entry of choices
    // equal (letter case counts) to the remembered ID, or -1. When the file
    // exists but matches no entry (or is empty), it is deleted.
    static int MatchRememberMe(const std::string &appFolder, const std::vector<std::string> &choices);
};
