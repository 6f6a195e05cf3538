#include "tests/training/TrainingRider.h"

#include "tests/export/ExportRides.h"
#include "tests/support/DumpBuilder.h"
#include "tests/training/IndexRides.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

std::string WriteRide(const std::string &folder, int year, int month, int day, int samples, int laps, bool imperial)
{
    const std::string scratch = folder + "/.scratch";
    std::filesystem::create_directories(scratch);
    const std::string decoded = DecodedRecord(scratch, RideDump(samples, laps));
    std::string text = readFileBytes(decoded);
    std::filesystem::remove_all(scratch);
    // The start fields of the header name the ride.
    const auto set = [&text](const char *key, int value) {
        text = std::regex_replace(text, std::regex(std::string("(^|\\n)") + key + "=[^;\\r\\n]*"),
                                  std::string("$1") + key + "=" + std::to_string(value));
    };
    set("YEAR", year % 100);
    set("MONTH", month);
    set("DAY", day);
    set("HOUR", 8);
    set("MINUTE", 0);
    set("SECOND", 0);
    if (imperial)
        set("UNIT", 1);
    const std::string name = IndexRides::Name(year, month, day, 8, 0, 0);
    writeFileBytes(folder + "/" + name, text);
    return name;
}

void OpenAndWait(TrainingService &service, const std::string &folder)
{
    service.Open(folder);
    QElapsedTimer timer;
    timer.start();
    while (!service.Ready() && timer.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(service.Ready());
}
