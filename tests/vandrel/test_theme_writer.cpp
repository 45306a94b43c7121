// SPDX-License-Identifier: GPL-3.0-or-later
// The ".thm" rule and the atomic theme write, including writes that fail half-way.
#include "vandrel/theme_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace vandrel;

namespace {

common::ThemeContent sampleTheme()
{
    common::ThemeContent c;
    c.name = QStringLiteral("Snow");
    c.author = QStringLiteral("Lor");
    c.pictures = {QStringLiteral("a.gif"), QStringLiteral("b.gif"), QStringLiteral("No picture"),
                  QStringLiteral("c.gif"), QStringLiteral("d.gif")};
    c.site = QStringLiteral("lor@example.test");
    return c;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// A device that takes a few bytes and then reports a write error, like a disk that fills up.
class FillingDevice final : public QIODevice
{
public:
    explicit FillingDevice(qint64 room)
        : m_room(room)
    {
        open(QIODevice::WriteOnly);
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *, qint64 len) override
    {
        if (m_room <= 0)
            return -1;
        const qint64 n = std::min(len, m_room);
        m_room -= n;
        return n;
    }

private:
    qint64 m_room;
};

// Lets the process write files of at most `bytes` bytes while it lives: a full disk for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

TEST(ThemeWriter, ThmRuleTable)
{
    const struct
    {
        const char *chosen;
        const char *target;
    } cases[] = {
        {"/t/dots", "/t/dots.thm"},
        {"/t/dots.thm", "/t/dots.thm"},
        {"/t/dots.THM", "/t/dots.THM.thm"},
        {"/t/dots.Thm", "/t/dots.Thm.thm"},
        {"/t/.thm", "/t/.thm"},
        {"/t/a.thm.thm", "/t/a.thm.thm"},
        {"/t/a.txt", "/t/a.txt.thm"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(themeTargetPath(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.target));
}

TEST(ThemeWriter, AFailingDeviceIsReported)
{
    const QByteArray bytes(100, 'x');
    FillingDevice full(40);
    EXPECT_FALSE(writeAllBytes(full, bytes));
    FillingDevice roomy(1000);
    EXPECT_TRUE(writeAllBytes(roomy, bytes));
}

TEST(ThemeWriter, FailedSavesLeaveNothingBehindAndKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("snow.thm"));
    const QByteArray before("the theme that was there\r\n");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(before);
    old.close();

    {
        FileSizeLimit full(8); // the disk is full after 8 bytes
        EXPECT_FALSE(saveThemeFile(path, sampleTheme()));
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("snow.thm")});

    // A folder that does not exist, and a "folder" that is a file.
    EXPECT_FALSE(saveThemeFile(dir.filePath(QStringLiteral("nowhere/x.thm")), sampleTheme()));
    EXPECT_FALSE(saveThemeFile(path + QStringLiteral("/x.thm"), sampleTheme()));
    EXPECT_EQ(readAll(path), before);
}

TEST(ThemeWriter, ReadOnlyFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("snow.thm"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    if (::access(QFile::encodeName(dir.path()).constData(), W_OK) == 0) {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "running as root: a read-only folder is still writable";
    }
    EXPECT_FALSE(saveThemeFile(path, sampleTheme()));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}
