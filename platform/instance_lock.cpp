// SPDX-License-Identifier: GPL-3.0-or-later
// flock() based single-instance lock.
#include "instance_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(QString path)
    : m_path(std::move(path))
{
}

InstanceLock::~InstanceLock()
{
    release();
}

bool InstanceLock::tryAcquire()
{
    if (m_fd >= 0)
        return true;
    m_unusable = true;
    if (m_path.isEmpty())
        return false;
    const int fd =
        ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_unusable = errno != EWOULDBLOCK;
        ::close(fd);
        return false;
    }
    m_unusable = false;
    m_fd = fd;
    return true;
}

bool InstanceLock::acquire(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!tryAcquire()) {
        if (m_unusable || deadline.hasExpired())
            return false;
        QThread::msleep(20);
    }
    return true;
}

bool InstanceLock::isHeldByAnyone() const
{
    if (m_fd >= 0)
        return true;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd); // closing drops the probe lock, if we got it
    return held;
}

void InstanceLock::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace platform
