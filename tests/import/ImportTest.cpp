#include "tests/import/ImportTest.h"

#include "tests/export/ExportRides.h"
#include "tests/support/TempFolder.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>


std::string FitSdkMissing()
{
    const bool hasNode = RunCommand("command -v node >/dev/null 2>&1").status == 0;
    if (!hasNode && std::getenv("CI"))
        ADD_FAILURE() << "node is missing in CI: scripts/install-deps installs it";
    if (!hasNode)
        return "node is not installed: no FIT files can be written with the FIT SDK "
               "(scripts/install-deps installs nodejs and the SDK)";
    if (!std::filesystem::exists(IMPORT_TEST_DIR "/../export/node_modules/@garmin/fitsdk")) {
        ADD_FAILURE() << "the FIT SDK is missing: run scripts/install-deps (npm ci in tests/export)";
        return "the FIT SDK is missing";
    }
    return {};
}

QJsonObject Mesg(const char *mesgNum, QJsonObject fields)
{
    fields["mesgNum"] = mesgNum;
    return fields;
}

std::string SdkFit(const std::string &folder, const QJsonArray &messages)
{
    const std::string messagesFile = folder + "/messages.json", out = folder + "/sdk.fit";
    writeFileBytes(messagesFile, QJsonDocument(QJsonObject{{"messages", messages}}).toJson().toStdString());
    const CommandRun run =
        RunCommand("node " IMPORT_TEST_DIR "/fit_make.mjs " + Quoted(messagesFile) + " " + Quoted(out) + " 2>&1");
    EXPECT_EQ(run.status, 0) << run.output;
    return readFileBytes(out);
}

ImportResult ImportOne(const std::string &file, const std::string &folder)
{
    ImportOptions options;
    options.zone = QTimeZone("Europe/Berlin");
    const std::vector<ImportResult> results = ImportRides({file}, folder, options);
    return results.front();
}

Ride RecordOf(const ImportResult &result, const std::string &folder)
{
    Ride ride;
    std::string error;
    EXPECT_FALSE(result.records.empty()) << result.reason;
    if (!result.records.empty()) {
        EXPECT_TRUE(ReadRide(folder + "/" + result.records.front(), ride, error)) << error;
    }
    return ride;
}
