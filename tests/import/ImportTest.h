#pragma once
// Helpers of the import tests: FIT files from the FIT SDK's encoder (node),
// FIT files built byte by byte, and the import of one file into a folder.
#include "import/Import.h"
#include "ride/Ride.h"
#include "tests/import/FitBuilder.h"

#include <QJsonArray>
#include <QJsonObject>

#include <cstdint>
#include <string>

// FIT time of 2021-06-01 10:00:00 UTC (12:00 in Berlin).
constexpr std::int64_t FitStart = 991476000;

// Skips the test where node or the SDK is missing (fails in CI instead).
#define REQUIRE_FIT_SDK()                                                                                              \
    do {                                                                                                               \
        const std::string why = FitSdkMissing();                                                                       \
        if (!why.empty())                                                                                              \
            GTEST_SKIP() << why;                                                                                       \
    } while (0)
std::string FitSdkMissing();

// Writes the messages (the SDK's names, times in FIT seconds) as a FIT file
// with the SDK's encoder and returns its bytes.
std::string SdkFit(const std::string &folder, const QJsonArray &messages);
QJsonObject Mesg(const char *mesgNum, QJsonObject fields);

// Imports one file into folder (Berlin time); the single result.
ImportResult ImportOne(const std::string &file, const std::string &folder);
// Reads the record written by a result (its first).
Ride RecordOf(const ImportResult &result, const std::string &folder);
