// tr9import [-o RIDER_FOLDER] FILE|FOLDER...: imports FIT, TCX and GPX files
// (also .gz) of other devices and platforms as record files of a rider.
#include "import/Import.h"
#include "tools/Output.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

void Usage(std::FILE *out)
{
    std::fputs("Usage: tr9import [-o RIDER_FOLDER] FILE|FOLDER...\n"
               "\n"
               "Imports rides from FIT, TCX and GPX files (also .gz) as record files\n"
               "(YYMMDDhhmmss.TR9, named after the local start by this computer's time\n"
               "zone) into RIDER_FOLDER (default: the current folder), and keeps each\n"
               "imported file in RIDER_FOLDER/Imported/. A FOLDER stands for every such\n"
               "file below it. Rides are resampled to one sample every 10 s; a ride the\n"
               "rider has already (the same record name, or a start within 60 s and a\n"
               "distance within 2 %) is not imported again.\n"
               "\n"
               "Prints one line per file: the records written, \"already there\", or the\n"
               "reason it failed.\n"
               "\n"
               "Exit status: 0 when every file was imported or already there, 1 otherwise,\n"
               "2 on a usage error.\n",
               out);
}

std::string Names(const std::vector<std::string> &records)
{
    std::string text;
    for (const std::string &name : records)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

// The line of one file: the records written, "already there", or the reason.
void Print(const ImportResult &r)
{
    switch (r.status) {
    case ImportStatus::Imported:
        std::printf("%s: imported as %s\n", r.file.c_str(), Names(r.records).c_str());
        break;
    case ImportStatus::AlreadyThere:
        std::printf("%s: already there (%s)\n", r.file.c_str(), Names(r.records).c_str());
        break;
    case ImportStatus::Failed:
        std::printf("%s: not imported: %s\n", r.file.c_str(), r.reason.c_str());
        break;
    case ImportStatus::Cancelled:
        break;
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    std::string folder = ".";
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(stdout);
            return FinishOutput(0, "tr9import");
        }
        if (arg == "-o") {
            if (i + 1 >= argc) {
                std::fputs("tr9import: -o needs a folder\n", stderr);
                Usage(stderr);
                return 2;
            }
            folder = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::fprintf(stderr, "tr9import: unknown option %s\n", arg.c_str());
            Usage(stderr);
            return 2;
        } else {
            arguments.push_back(arg);
        }
    }
    if (arguments.empty()) {
        std::fputs("tr9import: no file given\n", stderr);
        Usage(stderr);
        return 2;
    }

    bool allIn = true;
    std::vector<std::string> files;
    for (const std::string &argument : arguments) {
        const std::vector<std::string> found = ImportFilesOf(argument);
        if (found.empty()) {
            std::printf("%s: holds no FIT, TCX or GPX file\n", argument.c_str());
            allIn = false;
        }
        files.insert(files.end(), found.begin(), found.end());
    }
    // A line per file in the order given, each once those before it are done.
    std::vector<ImportResult> finished(files.size());
    std::vector<bool> done(files.size());
    std::size_t printed = 0;
    ImportOptions options;
    options.progress = [&](std::size_t, std::size_t, std::size_t index, const ImportResult &r) {
        finished[index] = r;
        done[index] = true;
        for (; printed < done.size() && done[printed]; ++printed)
            Print(finished[printed]);
    };
    for (const ImportResult &r : ImportRides(files, folder, options))
        if (r.status != ImportStatus::Imported && r.status != ImportStatus::AlreadyThere)
            allIn = false;
    return FinishOutput(allIn ? 0 : 1, "tr9import");
}
