#pragma once
// The application object of the GUI-free device tests, and their event loop
// helpers.
#include "tests/support/EventLoop.h"

#include <QCoreApplication>

inline void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "test_device";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}
