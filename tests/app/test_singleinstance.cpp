// One program per application folder: the lock, the call of a second start,
// a lock left by a program that is gone.
#include "app/SingleInstance.h"

#include "tests/support/TempFolder.h"

#include <QDir>
#include <QLockFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(SingleInstance, SecondStartCallsTheFirstAndTheLockEndsWithIt)
{
    TempFolder dir;
    const QString folder = QString::fromStdString(dir.path());
    int calls = 0;
    auto first = std::make_unique<TSingleInstance>(folder);
    ASSERT_TRUE(first->Acquire([&] { ++calls; }));

    TSingleInstance second(folder + "/./");
    EXPECT_FALSE(second.Acquire([] {}));
    EXPECT_TRUE(second.CallFirst());
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls == 1; }, 2000));

    first.reset();
    TSingleInstance third(folder);
    EXPECT_TRUE(third.Acquire([] {}));
}

TEST(SingleInstance, UnreachableFirstIsReportedAndAStaleLockIsTakenOver)
{
    TempFolder dir;
    const QString folder = QString::fromStdString(dir.path());
    // Another holder of the lock that does not answer.
    QLockFile other(folder + "/Cyclovex.lock");
    ASSERT_TRUE(other.tryLock(0));
    TSingleInstance second(folder);
    EXPECT_FALSE(second.Acquire([] {}));
    EXPECT_FALSE(second.CallFirst(200));
    other.unlock();

    // A lock file whose program is gone (a crash) does not keep riders out.
    writeFileBytes(dir.file("Cyclovex.lock"), "999999999\ncyclovex\n" + QSysInfo::machineHostName().toStdString() + "\n");
    TSingleInstance next(folder);
    EXPECT_TRUE(next.Acquire([] {}));
}

// A lock file cut short (a crash or a full disk while it was written) or
// holding no program at all keeps nobody out: nothing answers as its owner.
TEST(SingleInstance, AnUnreadableLockIsTakenOver)
{
    for (const char *bytes : {"", "garbage", "\n\n\n"}) {
        TempFolder dir;
        writeFileBytes(dir.file("Cyclovex.lock"), bytes);
        TSingleInstance start(QString::fromStdString(dir.path()));
        EXPECT_TRUE(start.Acquire([] {})) << bytes;
        EXPECT_FALSE(start.Unguarded());
    }
    // A folder under the lock's name: no lock can be made, and the start
    // says so instead of claiming another program runs.
    TempFolder dir;
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(dir.file("Cyclovex.lock"))));
    TSingleInstance start(QString::fromStdString(dir.path()));
    EXPECT_TRUE(start.Acquire([] {}));
    EXPECT_TRUE(start.Unguarded());
}

TEST(SingleInstance, AFolderWithoutALockIsToldAndStillFindsTheFirst)
{
    // No lock file can be made in a folder that is gone: the start goes on
    // and says so, and a later start still finds it through its socket.
    TempFolder dir;
    const QString folder = QString::fromStdString(dir.file("gone"));
    TSingleInstance first(folder);
    int calls = 0;
    EXPECT_TRUE(first.Acquire([&calls] { ++calls; }));
    EXPECT_TRUE(first.Unguarded());
    TSingleInstance second(folder);
    EXPECT_FALSE(second.Acquire([] {}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 1; }, 2000));
}

TEST(SingleInstance, SocketNameDependsOnTheFolderOnly)
{
    TempFolder a, b;
    const QString pa = QString::fromStdString(a.path()), pb = QString::fromStdString(b.path());
    EXPECT_EQ(TSingleInstance::ServerName(pa), TSingleInstance::ServerName(pa + "/sub/.."));
    EXPECT_NE(TSingleInstance::ServerName(pa), TSingleInstance::ServerName(pb));
}

}  // namespace
