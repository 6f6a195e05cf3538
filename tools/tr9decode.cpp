// tr9decode [FOLDER]: decodes the saved transfer FOLDER/Temp.txt into a
// record file in FOLDER, the way the program does after a download.
#include "record/Trfsanalysis.h"
#include "store/AtomicFile.h"
#include "tools/Output.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void Usage(std::FILE *out)
{
    std::fputs("Usage: tr9decode [FOLDER]\n"
               "\n"
               "Decodes the saved transfer FOLDER/Temp.txt (default: the current folder)\n"
               "into a record file YYMMDDhhmmss.TR9 in FOLDER and prints its name.\n"
               "The decoder's work files (Temp0.txt ... Temp6.txt, ALLDATA.TXT) are\n"
               "written into FOLDER as well.\n"
               "\n"
               "Exit status: 0 when the record file was written and its name printed,\n"
               "1 when the transfer cannot be decoded or the name cannot be printed\n"
               "(the reason is printed), 2 on a usage error.\n",
               out);
}

} // namespace

int main(int argc, char **argv)
{
    std::string folder = ".";
    if (argc > 2) {
        Usage(stderr);
        return 2;
    }
    if (argc == 2) {
        if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
            Usage(stdout);
            return FinishOutput(0, "tr9decode");
        }
        folder = argv[1];
    }

    RemoveTemporaryFiles(folder); // left by decodes that were killed
    TTRAnalysis analysis([](const std::string &text, const std::string &caption) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    });
    if (analysis.Decode(folder)) {
        std::fprintf(stderr, "TR900 data transfer Fail!\n%s\n", analysis.FailReason.c_str());
        return 1;
    }
    if (analysis.RecordUnconfirmed)
        std::fprintf(stderr, "tr9decode: %s is written, but the disk did not confirm that it is kept"
                             " (the folder could not be synced)\n", analysis.FileName.c_str());
    std::printf("%s\n", analysis.FileName.c_str());
    return FinishOutput(0, "tr9decode");
}
