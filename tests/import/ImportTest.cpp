#include "tests/import/ImportTest.h"

#include "tests/export/ExportRides.h"
#include "tests/support/TempFolder.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

std::uint16_t Crc(std::string_view bytes)
{
    // CRC-16 as the FIT protocol defines it (polynomial 0xA001, nibble table).
    static constexpr std::uint16_t table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00, 0x2800, 0xE401,
                                                0xA001, 0x6C00, 0x7800, 0xB401, 0x5000, 0x9C01, 0x8801, 0x4400};
    std::uint16_t crc = 0;
    for (const char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        crc = ((crc >> 4) & 0x0FFF) ^ table[crc & 0xF] ^ table[byte & 0xF];
        crc = ((crc >> 4) & 0x0FFF) ^ table[crc & 0xF] ^ table[(byte >> 4) & 0xF];
    }
    return crc;
}

} // namespace

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
    const std::string spec = folder + "/spec.json", out = folder + "/sdk.fit";
    writeFileBytes(spec, QJsonDocument(QJsonObject{{"messages", messages}}).toJson().toStdString());
    const CommandRun run = RunCommand("node " IMPORT_TEST_DIR "/fit_make.mjs " + Quoted(spec) + " " + Quoted(out) + " 2>&1");
    EXPECT_EQ(run.status, 0) << run.output;
    return readFileBytes(out);
}

std::string Le(std::uint64_t value, int size)
{
    std::string out;
    for (int i = 0; i < size; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string Be(std::uint64_t value, int size)
{
    std::string out = Le(value, size);
    return {out.rbegin(), out.rend()};
}

FitBytes &FitBytes::define(int local, int global, std::initializer_list<std::array<int, 3>> fields, bool bigEndian,
                           std::initializer_list<std::array<int, 3>> developer)
{
    records_ += static_cast<char>(0x40 | (developer.size() ? 0x20 : 0) | local);
    records_ += '\0';
    records_ += static_cast<char>(bigEndian ? 1 : 0);
    records_ += bigEndian ? Be(static_cast<std::uint64_t>(global), 2) : Le(static_cast<std::uint64_t>(global), 2);
    records_ += static_cast<char>(fields.size());
    for (const auto &f : fields)
        for (int v : f)
            records_ += static_cast<char>(v);
    if (developer.size()) {
        records_ += static_cast<char>(developer.size());
        for (const auto &f : developer)
            for (int v : f)
                records_ += static_cast<char>(v);
    }
    return *this;
}

FitBytes &FitBytes::data(int local, const std::string &bytes)
{
    records_ += static_cast<char>(local);
    records_ += bytes;
    return *this;
}

FitBytes &FitBytes::compressed(int local, int timeOffset, const std::string &bytes)
{
    records_ += static_cast<char>(0x80 | local << 5 | (timeOffset & 0x1F));
    records_ += bytes;
    return *this;
}

std::string FitBytes::file(int headerSize) const
{
    std::string out;
    out += static_cast<char>(headerSize);
    out += '\x20';
    out += Le(2140, 2);
    out += Le(records_.size(), 4);
    out += ".FIT";
    if (headerSize == 14)
        out += Le(Crc(out), 2);
    out += records_;
    out += Le(Crc(out), 2);
    return out;
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
