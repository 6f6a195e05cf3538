#pragma once
// Record files for the export tests and benchmark, built as dumps and
// written by the decoder: a ride with laps and all three sensors, and the
// edge cases (no laps, no samples, heart-rate belt only, ten hours).
#include <string>

class DumpBuilder;

// A ride of the given samples (every 10 s) and laps, all sensors present:
// heart rate 120 + i % 40, cadence 80 + i % 20, 37 wheel turns of 2096 mm
// per sample (70 m) at a period of 6181 (39.9 km/h). Exercise time
// 1:02:03 unless set in the header.
DumpBuilder RideDump(int samples, int laps);
// The heart-rate belt alone: heart rate 100 + i % 50, no cadence, no wheel.
DumpBuilder HeartRateOnlyDump(int samples);
// Ten hours: 3,600 samples and ten laps of one hour.
DumpBuilder TenHourDump();

// Decodes the dump in folder and returns the path of its record file.
std::string DecodedRecord(const std::string &folder, const DumpBuilder &dump);

// Exit status and standard output of a shell command (stderr too when the
// command redirects it).
struct CommandRun {
    int status = -1;
    std::string output;
};
CommandRun RunCommand(const std::string &command);
// text in single quotes for the shell.
std::string Quoted(const std::string &text);
