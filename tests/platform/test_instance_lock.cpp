// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance lock: one holder at a time, free again when the holder goes.
#include "platform/instance_lock.h"
#include "platform/runtime_dir.h"

#include <QCoreApplication>
#include <QFile>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using platform::InstanceLock;

TEST(InstanceLock, OneHolderAtATimeAndFreeAfterRelease)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorrit.lock"));
    InstanceLock first(path);
    InstanceLock second(path);
    EXPECT_FALSE(second.isHeldByAnyone());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(second.isHeldByAnyone());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.acquire(60));
    first.release();
    EXPECT_FALSE(second.isHeldByAnyone());
    EXPECT_TRUE(second.acquire(1000));
}

TEST(InstanceLock, IsFreedWhenTheHoldingProcessDies)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zorrit.lock"));
    // flock(1) -o holds the lock itself (not its child) until it is killed.
    QProcess holder;
    holder.start(QStringLiteral("flock"),
                 {QStringLiteral("-o"), path, QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted());
    InstanceLock lock(path);
    for (int i = 0; i < 100 && !lock.isHeldByAnyone(); ++i)
        QThread::msleep(20);
    ASSERT_TRUE(lock.isHeldByAnyone());
    holder.kill();
    holder.waitForFinished();
    EXPECT_TRUE(lock.acquire(2000));
}

TEST(InstanceLock, UnusablePathNeverClaimsTheLock)
{
    InstanceLock lock(QStringLiteral("/nonexistent-folder/zorrit.lock"));
    EXPECT_FALSE(lock.tryAcquire());
    EXPECT_FALSE(lock.isHeld());
}

TEST(RuntimeDir, FallsBackToAPrivateFolderNobodyElseCanTake)
{
    // Without a usable runtime folder, and with the shared /tmp name taken by someone else (here a
    // plain file), the folder is in the user's own cache: private, and the lock works there.
    QTemporaryDir cache;
    const QString program =
        QStringLiteral("zorrit-test-%1").arg(QCoreApplication::applicationPid());
    const QString taken = QStringLiteral("/tmp/%1-%2").arg(program).arg(::getuid());
    QFile squatter(taken);
    ASSERT_TRUE(squatter.open(QIODevice::WriteOnly));
    squatter.close();
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray oldCache = qgetenv("XDG_CACHE_HOME");
    for (const QByteArray &runtime : {QByteArray(), QByteArray("/nonexistent-runtime")}) {
        SCOPED_TRACE(runtime.constData());
        qputenv("XDG_RUNTIME_DIR", runtime);
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path()));
        const QString dir = platform::runtimeDir(program);
        ASSERT_FALSE(dir.isEmpty());
        EXPECT_TRUE(dir.startsWith(cache.path() + QLatin1Char('/')));
        struct stat st = {};
        ASSERT_EQ(::stat(QFile::encodeName(dir).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
        EXPECT_EQ(st.st_uid, ::getuid());
        InstanceLock lock(dir + QStringLiteral("/zorrit.lock"));
        EXPECT_TRUE(lock.tryAcquire());
        EXPECT_FALSE(lock.isUnusable());
    }
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    qputenv("XDG_CACHE_HOME", oldCache);
    QFile::remove(taken);

    // A lock that cannot be made says so, and waiting for it ends at once.
    InstanceLock nowhere(QStringLiteral("/nonexistent-folder/zorrit.lock"));
    EXPECT_FALSE(nowhere.acquire(60000));
    EXPECT_TRUE(nowhere.isUnusable());
}
