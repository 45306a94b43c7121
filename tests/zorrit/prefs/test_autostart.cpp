// SPDX-License-Identifier: GPL-3.0-or-later
// "Start Zorrit when I log in": what the autostart folder holds for Zorrit, Zorrit's own entry,
// and the user's own entries, which are switched off and on but never removed.
#include "zorrit/prefs/autostart.h"
#include "zorrit/prefs/prefs_holder.h"
#include "zorrit/prefs/prefs_model.h"

#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_window_system.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/translucency.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace zorrit;
using zorrit::prefs::AutostartPlace;
using zorrit::prefs::readAutostart;
using zorrit::prefs::switchAutostart;

namespace {

class AutostartTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return folder.filePath(name); }
    void write(const QString &name, const QByteArray &bytes) const
    {
        QDir().mkpath(folder.path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // What a session would start from this folder, as dex reads it: the commands, or nothing
    // when dex is not there.
    std::optional<QStringList> sessionStarts() const
    {
        const QString dex = QStandardPaths::findExecutable(QStringLiteral("dex"));
        if (dex.isEmpty())
            return std::nullopt;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), base.path());
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"),
                           base.filePath(QStringLiteral("none")));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(dex, {QStringLiteral("--autostart"), QStringLiteral("--dry-run")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return std::nullopt;
        QStringList started;
        for (const QByteArray &line : process.readAllStandardOutput().split('\n'))
            if (line.startsWith("Executing command: "))
                started.append(QString::fromUtf8(line.mid(19)));
        return started;
    }

    QTemporaryDir base;
    QDir folder{base.filePath(QStringLiteral("autostart"))};
    AutostartPlace place{folder.path(), QStringLiteral("/opt/my zorrit/bin/zorrit")};
};

// The menu entry a user copies into the folder by hand.
const QByteArray kUsersEntry = "# my own\n[Desktop Entry]\nType=Application\nName=Zorrit\n"
                               "Exec=zorrit %f\nIcon=zorrit\n\n[Desktop Action Quit]\n"
                               "Exec=zorrit --quit\n";

} // namespace

TEST_F(AutostartTest, OnWritesZorritsEntryAndOffRemovesIt)
{
    for (const QString &program : {QStringLiteral("zorrit"), place.program}) {
        SCOPED_TRACE(program.toStdString());
        place.program = program;
        EXPECT_FALSE(readAutostart(folder.path()).on()); // no folder yet
        EXPECT_EQ(switchAutostart(place, true), std::nullopt);
        const QByteArray entry = read(QStringLiteral("zorrit.desktop"));
        EXPECT_EQ(entry, prefs::autostartEntry(program));
        // A path with a blank is one quoted argument; the installed copy is found on PATH.
        EXPECT_TRUE(entry.contains(program == QLatin1String("zorrit")
                                       ? QByteArray("\nExec=zorrit\n")
                                       : QByteArray("\nExec=\"/opt/my zorrit/bin/zorrit\"\n")));
        EXPECT_EQ(readAutostart(folder.path()).ourEntry, path(QStringLiteral("zorrit.desktop")));
        EXPECT_EQ(switchAutostart(place, false), std::nullopt);
        EXPECT_EQ(folder.entryList(QDir::Files), QStringList());
    }
}

TEST_F(AutostartTest, OurEntryWrittenInAnotherLanguageIsStillOurs)
{
    // Written while the desktop spoke German; read after it went back to English.
    QByteArray german = prefs::autostartEntry(place.program);
    german.replace("Icon=", "Comment[de]=Startet die Mausspur bei der Anmeldung\nIcon=");
    write(QStringLiteral("zorrit.desktop"), german);
    EXPECT_EQ(readAutostart(folder.path()).ourEntry, path(QStringLiteral("zorrit.desktop")));
    EXPECT_EQ(switchAutostart(place, false), std::nullopt);
    EXPECT_EQ(folder.entryList(QDir::Files), QStringList());
}

TEST_F(AutostartTest, AUsersOwnEntryCountsAndIsSwitchedOffAndOnButNeverRemoved)
{
    const struct
    {
        const char *name;
        QByteArray entry;
    } entries[] = {
        {"zorrit.desktop", kUsersEntry},
        {"trail.desktop", "[Desktop Entry]\nExec=\"/home/me/bin/zorrit\" /home/me/t.thm\n"},
        // Zorrit's own entry, edited by the user, is theirs from then on.
        {"zorrit.desktop", prefs::autostartEntry(QStringLiteral("zorrit")) + "X-Mine=1\n"},
    };
    for (const auto &row : entries) {
        SCOPED_TRACE(row.name);
        const QString name = QString::fromLatin1(row.name);
        write(name, row.entry);
        EXPECT_TRUE(readAutostart(folder.path()).on());
        EXPECT_EQ(readAutostart(folder.path()).usersEntries, QStringList{path(name)});
        EXPECT_EQ(switchAutostart(place, true), std::nullopt); // already on: nothing written
        EXPECT_EQ(read(name), row.entry);

        EXPECT_EQ(switchAutostart(place, false), std::nullopt);
        EXPECT_FALSE(readAutostart(folder.path()).on());
        QByteArray hidden = row.entry;
        const qsizetype group = hidden.indexOf("[Desktop Entry]\n") + 16;
        EXPECT_EQ(read(name), hidden.insert(group, "Hidden=true\n"));

        EXPECT_EQ(switchAutostart(place, true), std::nullopt); // theirs again, not a second one
        EXPECT_EQ(read(name), row.entry);
        EXPECT_EQ(folder.entryList(QDir::Files), QStringList{name});
        QFile::remove(path(name));
    }
}

TEST_F(AutostartTest, TheBoxShowsWhatTheSessionStartsAndSwitchingKeepsModeAndOwner)
{
    if (!sessionStarts())
        GTEST_SKIP() << "dex is not installed (scripts/install-deps --tests)";
    const QByteArray longLine = "Comment=" + QByteArray(70 * 1024, 'x') + "\n";
    const struct
    {
        const char *what;
        QByteArray entry;
        mode_t mode;
        QByteArray off;     // the entry once the box is cleared
        QByteArray onAgain; // and once it is ticked again
    } rows[] = {
        {"a key of its own that says it is not hidden",
         "[Desktop Entry]\nType=Application\nName=Zorrit\nHidden=false\nExec=zorrit\n", 0644,
         "[Desktop Entry]\nType=Application\nName=Zorrit\nHidden=true\nExec=zorrit\n",
         "[Desktop Entry]\nType=Application\nName=Zorrit\nExec=zorrit\n"},
        {"larger than 64 KiB, with its Exec after a line longer than that",
         "[Desktop Entry]\nType=Application\nName=Zorrit\n" + longLine + "Exec=zorrit\n", 0644,
         "[Desktop Entry]\nHidden=true\nType=Application\nName=Zorrit\n" + longLine
             + "Exec=zorrit\n",
         "[Desktop Entry]\nType=Application\nName=Zorrit\n" + longLine + "Exec=zorrit\n"},
        {"only its owner may read it", kUsersEntry, 0600,
         QByteArray(kUsersEntry).replace("[Desktop Entry]\n", "[Desktop Entry]\nHidden=true\n"),
         kUsersEntry},
    };
    // As root the entry can be someone else's, whose it must stay.
    const uid_t owner = ::geteuid() == 0 ? 4242 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 4242 : ::getegid();
    const QString name = QStringLiteral("zorrit.desktop");
    const QByteArray entryPath = QFile::encodeName(path(name));
    const auto expectFile = [&](const QByteArray &content, mode_t mode) {
        EXPECT_EQ(read(name), content);
        struct stat st = {};
        ASSERT_EQ(::stat(entryPath.constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        EXPECT_EQ(st.st_uid, owner);
        EXPECT_EQ(st.st_gid, group);
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        write(name, row.entry);
        ASSERT_EQ(::chmod(entryPath.constData(), row.mode), 0);
        ASSERT_EQ(::chown(entryPath.constData(), owner, group), 0);
        EXPECT_EQ(sessionStarts(), QStringList{QStringLiteral("zorrit")});
        EXPECT_TRUE(readAutostart(folder.path()).on());

        EXPECT_EQ(switchAutostart(place, false), std::nullopt);
        EXPECT_EQ(sessionStarts(), QStringList());
        EXPECT_FALSE(readAutostart(folder.path()).on());
        expectFile(row.off, row.mode);

        EXPECT_EQ(switchAutostart(place, true), std::nullopt);
        EXPECT_EQ(sessionStarts(), QStringList{QStringLiteral("zorrit")});
        EXPECT_TRUE(readAutostart(folder.path()).on());
        expectFile(row.onAgain, row.mode);
        EXPECT_EQ(folder.entryList(QDir::Files), QStringList{name});
        QFile::remove(path(name));
    }
}

TEST_F(AutostartTest, OthersFilesAndLinksAreLeftAsTheyAre)
{
    // Another program's entry under Zorrit's name: not Zorrit's to replace.
    write(QStringLiteral("zorrit.desktop"), "[Desktop Entry]\nExec=xclock\n");
    EXPECT_FALSE(readAutostart(folder.path()).on());
    EXPECT_EQ(switchAutostart(place, true), path(QStringLiteral("zorrit.desktop")));
    EXPECT_EQ(read(QStringLiteral("zorrit.desktop")), QByteArray("[Desktop Entry]\nExec=xclock\n"));

    // A link to the installed menu entry is switched off in place; what it points to is not
    // touched.
    QFile::remove(path(QStringLiteral("zorrit.desktop")));
    const QString menuEntry = base.filePath(QStringLiteral("menu-zorrit.desktop"));
    QFile file(menuEntry);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kUsersEntry);
    file.close();
    ASSERT_TRUE(QFile::link(menuEntry, path(QStringLiteral("zorrit.desktop"))));
    EXPECT_TRUE(readAutostart(folder.path()).on());
    EXPECT_EQ(switchAutostart(place, false), std::nullopt);
    EXPECT_FALSE(readAutostart(folder.path()).on());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kUsersEntry);
}

TEST_F(AutostartTest, TheBoxShowsTheFolderAndAFailureIsToldAndUnticked)
{
    QTemporaryDir dir;
    settings::SettingsStore store{dir.path()};
    platform::FakeWindowSystem fake;
    platform::FakeDialogs dialogs;
    trail::MotionSettings motion;
    trail::TrailEngine engine{fake, motion};
    trail::Translucency translucency{store, fake, dialogs, engine.windows()};
    prefs::PrefsHolder holder{
        prefs::PrefsDeps{store, motion, engine, translucency, dialogs, nullptr, place}};

    write(QStringLiteral("mine.desktop"), kUsersEntry);
    EXPECT_TRUE(holder.model().startsWithSession());
    holder.model().clickStartWithSession(false);
    EXPECT_FALSE(holder.model().startsWithSession());
    holder.unload();

    // A folder that cannot be made (a file is in the way): the user hears of it, the box stays
    // clear.
    write(QStringLiteral("mine.desktop"), "");
    place.folder = path(QStringLiteral("mine.desktop"));
    prefs::PrefsHolder blocked{
        prefs::PrefsDeps{store, motion, engine, translucency, dialogs, nullptr, place}};
    blocked.model().clickStartWithSession(true);
    EXPECT_FALSE(blocked.model().startsWithSession());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Zorrit - Error"));
    EXPECT_TRUE(dialogs.shown[0].text.contains(place.folder));
}
