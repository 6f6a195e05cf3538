#include "tests/export/ExportRides.h"

#include "record/Trfsanalysis.h"
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>

DumpBuilder RideDump(int samples, int laps)
{
    DumpBuilder b;
    for (int i = 0; i < samples; ++i)
        b.addSample(static_cast<std::uint8_t>(120 + i % 40), static_cast<std::uint8_t>(80 + i % 20),
                    static_cast<std::uint16_t>(1000 + 37 * i), 6181);
    for (int i = 1; i <= laps; ++i)
        b.addLap(DumpBuilder::lap(static_cast<std::uint8_t>(i)));
    return b;
}

DumpBuilder HeartRateOnlyDump(int samples)
{
    DumpBuilder b;
    for (int i = 0; i < samples; ++i)
        b.addSample(static_cast<std::uint8_t>(100 + i % 50), 0, 500, 0xFFFF);
    return b;
}

DumpBuilder TenHourDump()
{
    DumpBuilder b = RideDump(3600, 0);
    b.setHeaderByte(7, 10); // 10:00:00
    b.setHeaderByte(8, 0);
    b.setHeaderByte(9, 0);
    for (int i = 1; i <= 10; ++i) {
        DumpBuilder::Lap lap = DumpBuilder::lap(static_cast<std::uint8_t>(i));
        lap.bytes[1] = static_cast<std::uint8_t>(i); // split i:00:00
        lap.bytes[2] = lap.bytes[3] = 0;
        lap.bytes[4] = 1; // lap 1:00:00
        lap.bytes[5] = lap.bytes[6] = 0;
        b.addLap(lap);
    }
    return b;
}

std::string DecodedRecord(const std::string &folder, const DumpBuilder &dump)
{
    writeFileBytes(folder + "/Temp.txt", dump.tempText());
    TTRAnalysis decoder;
    if (decoder.Decode(folder))
        throw std::runtime_error("decode failed: " + decoder.FailReason);
    return folder + "/" + decoder.FileName;
}

CommandRun RunCommand(const std::string &command)
{
    CommandRun run;
    std::FILE *pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Quoted(const std::string &text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}
