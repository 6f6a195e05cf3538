// Arbitrary bytes as a notes file: read with the record, saved and read
// again; the notes must come back unchanged.
#include "fuzz/store/FuzzFolder.h"
#include "store/Databasecontroler.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TKorvanDataBase db;
    db.RiderFolder = FuzzFolder();
    const std::string name = "120704080503.TR9";
    static const char record[] = "[File Head]\r\nEXEHOUR=1;\r\n";
    FuzzWrite(db.RiderFolder + name, reinterpret_cast<const std::uint8_t *>(record), sizeof record - 1);
    FuzzWrite(db.RiderFolder + TKorvanDataBase::NotesFileName(name), data, size);
    if (db.ReadRecord(name) != 0)
        __builtin_trap();
    const QString topic = db.Topic, weather = db.Weather;
    const QStringList memo = db.NoteLines;
    db.NoteLines = QStringList{topic, weather} + memo;
    if (db.SaveNotes(name) != 0 || db.ReadRecord(name) != 0)
        __builtin_trap();
    if (db.Topic != topic || db.Weather != weather || db.NoteLines != memo)
        __builtin_trap();
    return 0;
}
