// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store: defaults written back, odd values kept intact, damaged or unwritable files.
#include "zorrit/settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

using namespace zorrit::settings;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QString kThemePath = QStringLiteral("HKCU\\Software\\ReDiroriro\\Data\\Theme");

} // namespace

TEST(SettingsStore, KeysAreTheFullValuePaths)
{
    EXPECT_EQ(kTheme.path(), kThemePath);
    EXPECT_EQ(kTransSlid.path(), QStringLiteral("HKCU\\Software\\ReDiroriro\\Data\\transslid"));
    struct Row
    {
        const SettingKey &key;
        const char *fallback;
    };
    const Row rows[] = {{kTheme, "default"}, {kAbove, "1"},       {kUnder, "0"},
                        {kMove, "0"},        {kFast, "1"},        {kBotRight, "1"},
                        {kBotLeft, "0"},     {kTopRight, "0"},    {kTopLeft, "0"},
                        {kTransOn, "0"},     {kTransSlid, "130"}, {kScroll, "Yes"}};
    for (const Row &row : rows)
        EXPECT_EQ(row.key.fallback(), QLatin1String(row.fallback)) << row.key.name;
}

TEST(SettingsStore, MissingOrEmptyValueReadsAsItsDefaultAndIsWrittenBack)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("ReDiroriro")));
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("default"));
    ASSERT_TRUE(QFile::exists(store.filePath()));
    // A second store (another copy of the program) sees it: nothing is cached.
    const SettingsStore other(dir.filePath(QStringLiteral("ReDiroriro")));
    EXPECT_EQ(other.read(kThemePath, QStringLiteral("other")), QStringLiteral("default"));

    store.write(kThemePath, QString());
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("default"));
    EXPECT_EQ(other.read(kThemePath, QStringLiteral("x")), QStringLiteral("default"));

    store.write(kScroll, QStringLiteral("No"));
    EXPECT_EQ(other.read(kScroll), QStringLiteral("No"));
}

TEST(SettingsStore, ValuesRoundTripWhateverTheyHold)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    const QString values[] = {
        QStringLiteral("a=b=c"),
        QStringLiteral("C:\\Themes\\x.thm"),
        QStringLiteral("trailing backslash\\"),
        QStringLiteral("\\n is not a line break"),
        QStringLiteral("line1\nline2\r\nline3\r"),
        QStringLiteral("  blanks kept  "),
        QStringLiteral("#not a comment"),
        QStringLiteral("Ünïcødé ✓ テーマ"),
        // A file name that was not valid UTF-8 reaches us with replacement characters.
        QStringLiteral("/home/u/caf\uFFFD.thm"),
    };
    int i = 0;
    for (const QString &value : values) {
        const QString path = kThemePath + QString::number(i++);
        store.write(path, value);
        EXPECT_EQ(store.read(path, QStringLiteral("default")), value) << value.toStdString();
    }
    // Every earlier value survived the later writes.
    i = 0;
    for (const QString &value : values)
        EXPECT_EQ(store.read(kThemePath + QString::number(i++), QString()), value);
    const SettingsStore::Parsed parsed = SettingsStore::parse(readAll(store.filePath()));
    EXPECT_FALSE(parsed.damaged);
}

TEST(SettingsStore, DamagedFileKeepsItsReadableValuesAndIsCopiedAsideFirst)
{
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    const QByteArray damaged = QByteArray("# ours\n") + kThemePath.toUtf8() + "=/home/u/t.thm\n"
                               + "garbage line without equals\n" + "\x01\x02\xff\xfe binary\n"
                               + "HKCU\\Software\\ReDiroriro\\Data\\Bad=\xc3\x28\n"
                               + "HKCU\\Software\\ReDiroriro\\Data\\Esc=bad \\q escape\n"
                               + "HKCU\\Software\\ReDiroriro\\Data\\Move=1\r\n" + "=no name\n"
                               + "HKCU\\Software\\ReDiroriro\\Data\\Tail=ends in \\";
    writeAll(store.filePath(), damaged);

    const SettingsStore::Parsed parsed = SettingsStore::parse(damaged);
    EXPECT_TRUE(parsed.damaged);
    EXPECT_EQ(parsed.values.value(kThemePath), QStringLiteral("/home/u/t.thm"));
    EXPECT_EQ(parsed.values.value(kMove.path()), QStringLiteral("1"));
    EXPECT_FALSE(parsed.values.contains(QStringLiteral("HKCU\\Software\\ReDiroriro\\Data\\Esc")));
    EXPECT_FALSE(parsed.values.contains(QStringLiteral("HKCU\\Software\\ReDiroriro\\Data\\Tail")));

    // Reading leaves the file alone.
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("/home/u/t.thm"));
    EXPECT_EQ(readAll(store.filePath()), damaged);
    EXPECT_FALSE(QFile::exists(store.backupPath()));

    // The first rewrite keeps the original aside, byte for byte.
    store.write(kFast, QStringLiteral("0"));
    EXPECT_EQ(readAll(store.backupPath()), damaged);
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("/home/u/t.thm"));
    EXPECT_EQ(store.read(kMove), QStringLiteral("1"));
    EXPECT_EQ(store.read(kFast), QStringLiteral("0"));
    EXPECT_FALSE(SettingsStore::parse(readAll(store.filePath())).damaged);

    // Later writes of the now sound file leave the copy alone.
    store.write(kFast, QStringLiteral("1"));
    EXPECT_EQ(readAll(store.backupPath()), damaged);
}

TEST(SettingsStore, HugeDamageKeepsTheReadableLinesAndAPrivateCopy)
{
    const QByteArray scroll = kScroll.path().toUtf8() + "=No\n";
    const QByteArray theme = kThemePath.toUtf8() + "=/x.thm\n";
    struct Case
    {
        const char *what;
        QByteArray file;
        bool themeKept; // the line after the damage
    };
    const Case cases[] = {
        {"one 10 MB line between good ones", scroll + QByteArray(10 << 20, 'a') + "\n" + theme,
         true},
        {"20 MB of garbage after good lines", scroll + QByteArray(20 << 20, '\x01') + "\n" + theme,
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const SettingsStore store(dir.path());
        writeAll(store.filePath(), c.file);
        EXPECT_EQ(store.read(kScroll), QStringLiteral("No"));
        EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")),
                  c.themeKept ? QStringLiteral("/x.thm") : QStringLiteral("default"));
        // The rewrite keeps the good values and sets the original aside, readable by its owner
        // only.
        store.write(kFast, QStringLiteral("0"));
        EXPECT_EQ(store.read(kScroll), QStringLiteral("No"));
        EXPECT_FALSE(SettingsStore::parse(readAll(store.filePath())).damaged);
        const QFileInfo backup(store.backupPath());
        EXPECT_EQ(backup.size(), c.file.size());
        EXPECT_EQ(
            backup.permissions()
                & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
            QFile::Permissions());
    }
}

TEST(SettingsStore, OnlyRegularFilesAreReadOrWritten)
{
    // Read or written as a file, each of these would hang the start (a FIFO), write through to a
    // device, or read as a store with no values at all: the defaults, nothing written, nothing
    // replaced.
    struct Case
    {
        const char *what;
        std::function<void(const QString &file, const QString &dir)> make;
        bool dir;
    };
    const Case cases[] = {
        {"folder", [](const QString &f, const QString &) { QDir().mkpath(f); }, true},
        {"fifo", [](const QString &f, const QString &) { ::mkfifo(QFile::encodeName(f), 0600); },
         false},
        {"link to a fifo",
         [](const QString &f, const QString &d) {
             const QByteArray fifo = QFile::encodeName(d + QStringLiteral("/pipe"));
             ::mkfifo(fifo.constData(), 0600);
             QFile::link(QString::fromLocal8Bit(fifo), f);
         },
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const SettingsStore store(dir.path());
        c.make(store.filePath(), dir.path());
        EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("default"));
        EXPECT_EQ(store.read(kScroll), QStringLiteral("Yes"));
        store.write(kScroll, QStringLiteral("No"));
        EXPECT_EQ(store.read(kScroll), QStringLiteral("Yes"));
        struct stat st = {};
        ASSERT_EQ(::stat(QFile::encodeName(store.filePath()).constData(), &st), 0);
        EXPECT_EQ(S_ISDIR(st.st_mode), c.dir);
        EXPECT_EQ(S_ISFIFO(st.st_mode), !c.dir);
        EXPECT_FALSE(QFile::exists(store.backupPath()));
    }

    // A link to a regular file keeps working, written through, as dotfile managers need.
    QTemporaryDir dir;
    const SettingsStore store(dir.filePath(QStringLiteral("conf")));
    writeAll(dir.filePath(QStringLiteral("real.conf")), "");
    QDir().mkpath(dir.filePath(QStringLiteral("conf")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("real.conf")), store.filePath()));
    store.write(kScroll, QStringLiteral("No"));
    EXPECT_EQ(store.read(kScroll), QStringLiteral("No"));
    EXPECT_TRUE(QFileInfo(store.filePath()).isSymLink());
    EXPECT_TRUE(readAll(dir.filePath(QStringLiteral("real.conf"))).contains("Scroll=No"));
}

TEST(SettingsStore, UnwritableStoreReadsEmptyAndRaisesNothing)
{
    QTemporaryDir dir;
    // The folder would have to be made under a regular file: impossible, even for root.
    const QString blocker = dir.filePath(QStringLiteral("file"));
    writeAll(blocker, "x");
    const SettingsStore store(blocker + QStringLiteral("/ReDiroriro"));
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QString());
    store.write(kThemePath, QStringLiteral("x")); // ignored
    EXPECT_EQ(store.read(kThemePath, QString()), QString());
}

TEST(SettingsStore, FailedWriteKeepsTheOldValue)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop writes";
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.write(kThemePath, QStringLiteral("/old.thm"));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    store.write(kThemePath, QStringLiteral("/new.thm"));
    EXPECT_EQ(store.read(kThemePath, QStringLiteral("default")), QStringLiteral("/old.thm"));
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

TEST(SettingsStore, UnreadableFileIsNeverOverwritten)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop reads";
    QTemporaryDir dir;
    const SettingsStore store(dir.path());
    store.write(kThemePath, QStringLiteral("/kept.thm"));
    const QByteArray before = readAll(store.filePath());
    ASSERT_EQ(::chmod(QFile::encodeName(store.filePath()).constData(), 0200), 0);
    store.write(kFast, QStringLiteral("0"));
    ::chmod(QFile::encodeName(store.filePath()).constData(), 0600);
    EXPECT_EQ(readAll(store.filePath()), before);
}

TEST(SettingToBool, AcceptsBothStoredForms)
{
    struct Row
    {
        const char *text;
        bool value;
    };
    const Row rows[] = {{"1", true},      {"True", true},   {"-1", true},   {"0", false},
                        {"False", false}, {"", false},      {"abc", false}, {"true", true},
                        {"TRUE", true},   {" True ", true}, {"2", true}};
    for (const Row &row : rows)
        EXPECT_EQ(settingToBool(QString::fromLatin1(row.text)), row.value) << row.text;
}
