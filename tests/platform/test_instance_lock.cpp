// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance lock: one holder at a time, free again when the holder goes.
#include "platform/instance_lock.h"

#include <QProcess>
#include <QThread>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    holder.start(QStringLiteral("flock"), {QStringLiteral("-o"), path, QStringLiteral("sleep"), QStringLiteral("30")});
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
