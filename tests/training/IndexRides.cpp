// Record and notes files for the metrics index tests and benchmark.
#include "tests/training/IndexRides.h"

#include "store/Databasecontroler.h"
#include "store/Textfile.h"
#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <cstdio>
#include <stdexcept>

namespace {

// text with the first line starting key= given value.
void SetField(std::string &text, const std::string &key, int value)
{
    const std::size_t at = text.find("\n" + key + "=");
    const std::size_t end = at == std::string::npos ? at : text.find(';', at);
    if (end == std::string::npos)
        throw std::runtime_error("no field " + key);
    const std::size_t from = at + key.size() + 2;
    text.replace(from, end - from, std::to_string(value));
}

} // namespace

IndexRides::IndexRides(const std::string &scratch, int samples)
    : allSensors_(readFileBytes(DecodedRecord(scratch, RideDump(samples, 2)))),
      beltOnly_(readFileBytes(DecodedRecord(scratch, HeartRateOnlyDump(samples))))
{
}

std::string IndexRides::Name(int year, int month, int day, int hour, int minute, int second)
{
    char name[32];
    std::snprintf(name, sizeof name, "%02d%02d%02d%02d%02d%02d.TR9", year % 100, month, day, hour, minute, second);
    return name;
}

std::string IndexRides::Text(int year, int month, int day, int hour, int minute, int second, Kind kind) const
{
    std::string text = kind == Kind::AllSensors ? allSensors_ : beltOnly_;
    SetField(text, "YEAR", year % 100);
    SetField(text, "MONTH", month);
    SetField(text, "DAY", day);
    SetField(text, "HOUR", hour);
    SetField(text, "MINUTE", minute);
    SetField(text, "SECOND", second);
    return text;
}

std::string IndexRides::Write(const std::string &folder, int year, int month, int day, int hour, int minute,
                              int second, Kind kind) const
{
    const std::string name = Name(year, month, day, hour, minute, second);
    writeFileBytes(folder + "/" + name, Text(year, month, day, hour, minute, second, kind));
    return name;
}

void WriteNotes(const std::string &folder, const std::string &name, const std::string &topic,
                const std::string &weather, const std::vector<std::string> &memo)
{
    QStringList lines{QString::fromStdString(topic), QString::fromStdString(weather)};
    for (const std::string &line : memo)
        lines << QString::fromStdString(line);
    writeFileBytes(folder + "/" + TKorvanDataBase::NotesFileName(name), EncodeUtf16Lines(lines));
}
