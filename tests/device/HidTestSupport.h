#pragma once
// The application object of the GUI-free device tests, and their event loop
// helpers.
#include "device/FakeHidPlatform.h"
#include "tests/support/EventLoop.h"

#include <QCoreApplication>
#include <string>
#include <vector>

inline void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_device";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

constexpr std::uint16_t DongleVid = 0x1915, DonglePid = 0x003B;

// Report of the dongle carrying one log line (up to 33 data bytes as hex).
inline FakeHidPlatform::Report reportOf(const std::string &line, int pauseMs = 0)
{
    FakeHidPlatform::Report r;
    r.pauseMs = pauseMs;
    r.bytes.assign(65, 0);
    for (std::size_t i = 0; i + 1 < line.size() && i / 2 + 1 < r.bytes.size(); i += 2)
        r.bytes[i / 2 + 1] = std::uint8_t(std::stoi(line.substr(i, 2), nullptr, 16));
    return r;
}

inline std::vector<FakeHidPlatform::Report> reportsOf(const std::vector<std::string> &lines)
{
    std::vector<FakeHidPlatform::Report> out;
    for (const std::string &l : lines)
        out.push_back(reportOf(l));
    return out;
}
