// Arbitrary bytes as a notes file: read with the record; the notes read must
// come back unchanged through the encoding that SaveNotes writes.
#include "fuzz/store/FuzzFolder.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TKorvanDataBase db;
    db.RiderFolder = FuzzFolder();
    const std::string name = "120704080503.TR9";
    static const bool recordWritten = [&] {
        static const char record[] = "[File Head]\r\nEXEHOUR=1;\r\n";
        FuzzWrite(db.RiderFolder + name, reinterpret_cast<const std::uint8_t *>(record), sizeof record - 1);
        return true;
    }();
    (void)recordWritten;
    FuzzWrite(db.RiderFolder + TKorvanDataBase::NotesFileName(name), data, size);
    if (db.ReadRecord(name) != 0)
        __builtin_trap();
    const QStringList notes = QStringList{db.Topic, db.Weather} + db.NoteLines;
    const QStringList again = SplitWideLines(DecodeText(EncodeUtf16Lines(notes)));
    // Empty topic and weather of a notes file with fewer than two lines are
    // written as empty lines, which read back as such.
    if (again != notes)
        __builtin_trap();
    return 0;
}
