#pragma once
// Event loop helpers for the GUI-free device tests.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

inline void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_device";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// Runs the event loop until done() holds or ms have passed; returns done().
inline bool runUntil(const std::function<bool()> &done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

inline void runFor(int ms)
{
    runUntil([] { return false; }, ms);
}
