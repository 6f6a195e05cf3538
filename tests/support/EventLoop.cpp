#include "tests/support/EventLoop.h"

#include <QCoreApplication>
#include <QElapsedTimer>

bool RunUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void RunFor(int ms)
{
    RunUntil([] { return false; }, ms);
}
