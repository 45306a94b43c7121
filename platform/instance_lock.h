// SPDX-License-Identifier: GPL-3.0-or-later
// "Is another copy running?": a per-user lock the kernel releases when its holder dies.
#pragma once

#include <QString>

namespace platform {

class InstanceLock
{
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Takes the lock if nobody holds it. True when this object holds it afterwards.
    bool tryAcquire();
    // Waits (polling) until the lock is free and takes it; false after timeoutMs.
    bool acquire(int timeoutMs);
    // True when some process, this one included, holds the lock.
    bool isHeldByAnyone() const;
    bool isHeld() const { return m_fd >= 0; }
    // The last attempt failed not because another process holds the lock but because no lock
    // file could be made or locked here (no folder, no permission): nobody can hold it.
    bool isUnusable() const { return m_unusable; }
    void release();
    const QString &path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
    bool m_unusable = false;
};

} // namespace platform
