// Entry of the widget tests: one QApplication for the whole run.
#include "draw/WindowSight.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    TTeardownDeadline deadline;
    ::testing::InitGoogleTest(&argc, argv);
    return deadline.Ending(RUN_ALL_TESTS());
}
