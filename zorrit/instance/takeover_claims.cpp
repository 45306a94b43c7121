// SPDX-License-Identifier: GPL-3.0-or-later
// The file of takeover claims, read and written under flock().
#include "takeover_claims.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zorrit::instance {

namespace {

constexpr qint64 kMaxFileBytes = 64 * 1024;
// A copy stopped while it held the file must not hang the others for good, nor the running
// copy's event loop: after this long they go on without the claims.
constexpr auto kLockWait = std::chrono::milliseconds(500);

// The claims file, open and locked for as long as this object lives.
class LockedFile
{
public:
    LockedFile(const QString &path, bool forWriting)
    {
        const int flags = forWriting ? O_RDWR | O_CREAT : O_RDONLY;
        m_fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (m_fd < 0)
            return;
        const auto deadline = std::chrono::steady_clock::now() + kLockWait;
        const int operation = (forWriting ? LOCK_EX : LOCK_SH) | LOCK_NB;
        while (::flock(m_fd, operation) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR)
                || std::chrono::steady_clock::now() >= deadline) {
                ::close(m_fd);
                m_fd = -1;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    ~LockedFile()
    {
        if (m_fd >= 0)
            ::close(m_fd); // drops the lock
    }
    LockedFile(const LockedFile &) = delete;
    LockedFile &operator=(const LockedFile &) = delete;

    bool isOpen() const { return m_fd >= 0; }

    QByteArray readAll() const
    {
        QByteArray text;
        char buffer[4096];
        while (text.size() < kMaxFileBytes) {
            const ssize_t got = ::pread(m_fd, buffer, sizeof buffer, text.size());
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            text.append(buffer, got);
        }
        return text;
    }

    void replace(const QByteArray &text) const
    {
        if (::ftruncate(m_fd, 0) != 0)
            return;
        qsizetype written = 0;
        while (written < text.size()) {
            const ssize_t put =
                ::pwrite(m_fd, text.constData() + written, size_t(text.size() - written), written);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return;
            written += put;
        }
    }

private:
    int m_fd = -1;
};

// One claim a line: the process id, a blank, its start in clock ticks. Lines that are not one
// are dropped.
std::vector<StartMark> parseClaims(const QByteArray &text)
{
    std::vector<StartMark> claims;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 2)
            continue;
        bool pidOk = false;
        bool ticksOk = false;
        const StartMark mark{fields[1].toULongLong(&ticksOk), fields[0].toLongLong(&pidOk)};
        if (pidOk && ticksOk && mark.pid > 0)
            claims.push_back(mark);
    }
    return claims;
}

QByteArray claimsText(const std::vector<StartMark> &claims)
{
    QByteArray text;
    for (const StartMark &mark : claims)
        text += QByteArray::number(mark.pid) + ' ' + QByteArray::number(mark.ticks) + '\n';
    return text;
}

} // namespace

QString takeoverClaimsPath(const QString &runtimeFolder)
{
    return runtimeFolder + QStringLiteral("/takeover");
}

TakeoverClaims::TakeoverClaims(QString runtimeFolder, RunningTest isRunning)
    : m_folder(std::move(runtimeFolder))
    , m_isRunning(std::move(isRunning))
{
}

bool TakeoverClaims::claim(const StartMark &mine, const std::function<void()> &whileNewest) const
{
    const LockedFile file(takeoverClaimsPath(m_folder), true);
    if (!file.isOpen()) {
        if (whileNewest)
            whileNewest();
        return true;
    }
    std::vector<StartMark> claims = parseClaims(file.readAll());
    std::erase_if(claims,
                  [&](const StartMark &mark) { return mark != mine && !m_isRunning(mark); });
    if (std::find(claims.begin(), claims.end(), mine) == claims.end())
        claims.push_back(mine);
    std::sort(claims.begin(), claims.end());
    claims.erase(std::unique(claims.begin(), claims.end()), claims.end());
    if (claims.size() > size_t(kMaxClaims))
        claims.erase(claims.begin(), claims.end() - kMaxClaims);
    file.replace(claimsText(claims));
    if (claims.back() != mine)
        return false; // the marks are sorted: the last is the newest, and it still runs
    if (whileNewest)
        whileNewest();
    return true;
}

bool TakeoverClaims::newerClaim(const StartMark &mine) const
{
    const LockedFile file(takeoverClaimsPath(m_folder), false);
    if (!file.isOpen())
        return false;
    const std::vector<StartMark> claims = parseClaims(file.readAll());
    return std::any_of(claims.begin(), claims.end(),
                       [&](const StartMark &mark) { return mark > mine && m_isRunning(mark); });
}

} // namespace zorrit::instance
