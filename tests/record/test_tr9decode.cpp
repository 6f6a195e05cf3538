// The command-line tool: output and exit status.
#include "tests/support/DumpBuilder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include "store/NarrowFile.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ASAN 1
#endif
#endif

namespace {

struct ToolRun {
    int status;
    std::string output;
};

ToolRun run(const std::string &arguments)
{
    // Arguments may redirect the output themselves; the standard error
    // always reaches the pipe.
    const std::string command = std::string(TR9DECODE) + " " + arguments +
                                (arguments.find('>') == std::string::npos ? " 2>&1" : "");
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

    // What killed decodes left behind goes; a running one's file stays.
    const std::string running = ".Temp1.txt." + std::to_string(::getpid()) + "-0-1.tmp";
    writeFileBytes(folder.file(".ALLDATA.TXT.99999999-3-4.tmp"), "half");
    writeFileBytes(folder.file(running), "half");
    EXPECT_EQ(run("'" + folder.path() + "'").status, 0);
    EXPECT_FALSE(fileExists(folder.file(".ALLDATA.TXT.99999999-3-4.tmp")));
    EXPECT_TRUE(fileExists(folder.file(running)));
}

TEST(Tr9decode, AnOutputThatCannotBeWrittenFails)
{
    // The printed name is the result: a full disk behind the standard
    // output is a failure, with its reason on the standard error.
    TempFolder folder;
    writeFileBytes(folder.file("Temp.txt"), DumpBuilder().tempText());
    const ToolRun full = run("'" + folder.path() + "' 2>&1 >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.output, "tr9decode: cannot write the standard output: No space left on device\n");
    EXPECT_EQ(run("--help 2>&1 >/dev/full").status, 1);
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

// Peak resident memory of one run of the tool on folder, in bytes.
long PeakMemory(const std::string &folder)
{
    const char *argv[] = {TR9DECODE, folder.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, TR9DECODE, &actions, nullptr, const_cast<char **>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss * 1024L;
}

TEST(Tr9decode, NeedsNoQt)
{
    const ToolRun libraries = [] {
        ToolRun r{-1, ""};
        std::FILE *pipe = ::popen((std::string("ldd ") + TR9DECODE + " 2>&1").c_str(), "r");
        char buffer[512];
        while (pipe && std::fgets(buffer, sizeof buffer, pipe))
            r.output += buffer;
        r.status = pipe ? ::pclose(pipe) : -1;
        return r;
    }();
    // The plain build links it whole; the sanitizer build against shared libraries.
    const bool whole = libraries.output.find("not a dynamic executable") != std::string::npos;
    ASSERT_TRUE(whole || libraries.status == 0) << libraries.output;
    EXPECT_EQ(libraries.output.find("Qt"), std::string::npos) << libraries.output;
}

TEST(Tr9decode, MemoryStaysBoundedOnShortLines)
{
    // The worst input within the limit: nothing but line feeds. Sanitizers
    // keep shadow memory of their own; the bound is the plain build's.
    TempFolder folder;
    writeFileBytes(folder.file("Temp.txt"), std::string(filelimit::Dump, '\n'));
    const long peak = PeakMemory(folder.path());
    ASSERT_GT(peak, 0);
#ifndef UNDER_ASAN
    EXPECT_LT(peak, 20L * long(filelimit::Dump)) << peak;
#endif
    // A file beyond the limit is refused before it is read.
    writeFileBytes(folder.file("Temp.txt"), "");
    std::filesystem::resize_file(folder.file("Temp.txt"), 100u << 20);
    const ToolRun refused = run("'" + folder.path() + "'");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output, "TR900 data transfer Fail!\nLoadDump 1: Temp.txt is larger than 1048576 bytes\n");
}

} // namespace
