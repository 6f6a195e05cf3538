// tr9export [--format fit|tcx|csv] [-o FOLDER] FILE.TR9...: writes record
// files as FIT, TCX or CSV files for training platforms and spreadsheets.
#include "export/Export.h"
#include "ride/Ride.h"
#include "store/AtomicFile.h"
#include "store/Textfile.h"
#include "tools/Output.h"

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

void Usage(std::FILE *out)
{
    std::fputs("Usage: tr9export [--format fit|tcx|csv] [-o FOLDER] FILE.TR9...\n"
               "\n"
               "Writes each record file as a FIT (default), TCX or CSV file into FOLDER\n"
               "(default: the current folder), named after the ride's start, for example\n"
               "2012-07-04_080503.fit, and prints the name of every file written.\n"
               "A FILE that is a folder stands for all the record files (*.TR9) in it.\n"
               "Times in FIT and TCX files are UTC, converted with this computer's time\n"
               "zone (TZ) at the date of the ride.\n"
               "\n"
               "Exit status: 0 when every file was written, 1 when a record could not be\n"
               "read or written (each reason is printed), 2 on a usage error.\n",
               out);
}

struct Options {
    ExportFormat format = ExportFormat::Fit;
    std::string folder = ".";
    std::vector<std::string> files;
};

// False on a usage error (told on stderr); help asks for the usage text.
bool ParseArguments(int argc, char **argv, Options &options, bool &help)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        }
        if (arg == "--format" || arg.rfind("--format=", 0) == 0) {
            const std::string name = arg == "--format" ? (hasValue ? argv[++i] : "") : arg.substr(9);
            if (!ExportFormatOf(name, options.format)) {
                std::fprintf(stderr, "tr9export: unknown format \"%s\" (fit, tcx or csv)\n", name.c_str());
                return false;
            }
        } else if (arg == "-o") {
            if (!hasValue) {
                std::fputs("tr9export: -o needs a folder\n", stderr);
                return false;
            }
            options.folder = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tr9export: unknown option %s\n", arg.c_str());
            return false;
        } else {
            options.files.push_back(arg);
        }
    }
    if (options.files.empty()) {
        std::fputs("tr9export: no record file given\n", stderr);
        return false;
    }
    return true;
}

// Writes one record into the output folder and prints the file's path.
bool Export(const std::string &record, const Options &options, std::set<std::string> &written,
            std::string &error)
{
    const std::string name = SuggestedExportName(record, options.format, &error);
    if (name.empty())
        return false;
    const std::string out = (std::filesystem::path(options.folder) / name).string();
    if (!written.insert(out).second) {
        error = record + " starts in the same second as a record already written to " + out;
        return false;
    }
    if (!ExportRecord(record, options.format, out, error))
        return false;
    if (!error.empty())
        std::fprintf(stderr, "tr9export: %s\n", error.c_str());
    std::printf("%s\n", out.c_str());
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    bool help = false;
    if (!ParseArguments(argc, argv, options, help)) {
        Usage(stderr);
        return 2;
    }
    if (help) {
        Usage(stdout);
        return FinishOutput(0, "tr9export");
    }

    RemoveTemporaryFiles(options.folder); // left by exports that were killed
    bool allWritten = true;
    std::set<std::string> written; // two rides of the same second must not overwrite each other
    for (const std::string &argument : options.files) {
        const std::vector<std::string> records = RecordPathsOf(argument);
        if (records.empty()) {
            std::fprintf(stderr, "tr9export: %s holds no record file\n", argument.c_str());
            allWritten = false;
        }
        for (const std::string &record : records) {
            std::string error;
            if (Export(record, options, written, error))
                continue;
            std::fprintf(stderr, "tr9export: %s\n", error.c_str());
            allWritten = false;
        }
    }
    return FinishOutput(allWritten ? 0 : 1, "tr9export");
}
