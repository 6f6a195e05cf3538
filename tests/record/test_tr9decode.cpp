// The command-line tool: output and exit status.
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status;
    std::string output;
};

ToolRun run(const std::string &arguments)
{
    const std::string command = std::string(TR9DECODE) + " " + arguments + " 2>&1";
    std::FILE *pipe = ::popen(command.c_str(), "r");
    ToolRun result{-1, ""};
    if (!pipe)
        return result;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST(Tr9decode, DecodesTheSavedTransferInTheFolder)
{
    TempFolder folder;
    DumpBuilder b;
    b.addLap(DumpBuilder::lap(1));
    writeFileBytes(folder.file("Temp.txt"), b.tempText());
    const ToolRun ok = run("'" + folder.path() + "'");
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.output, "120704080503.TR9\n");
    EXPECT_TRUE(fileExists(folder.file("120704080503.TR9")));
}

TEST(Tr9decode, ReportsWhyATransferFails)
{
    TempFolder folder;
    ToolRun missing = run("'" + folder.path() + "'");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "TR900 data transfer Fail!\nLoadDump 1: Temp.txt does not exist\n");

    DumpBuilder b;
    b.setHeaderByte(46, 0x01);
    b.setHeaderByte(47, 250);
    writeFileBytes(folder.file("Temp.txt"), b.tempText());
    const ToolRun lap = run("'" + folder.path() + "'");
    EXPECT_EQ(lap.status, 1);
    EXPECT_EQ(lap.output.substr(0, 56), "info: TR900 LAP Data Fail!\nTR900 data transfer Fail!\n"
                                        "TR9");

    const ToolRun help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.substr(0, 24), "Usage: tr9decode [FOLDER");
    EXPECT_EQ(run("a b").status, 2);
}

} // namespace
