// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the wizard and the help page in the build tree and in an installation.
#include "zorrit/integration/install_locations.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorrit::integration;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(InstallLocations, VandrelLiesBesideTheProgram)
{
    EXPECT_EQ(vandrelProgram(QStringLiteral("/usr/bin")), QStringLiteral("/usr/bin/vandrel"));
    EXPECT_EQ(vandrelProgram(QStringLiteral("/home/me/my build/bin/")),
              QStringLiteral("/home/me/my build/bin/vandrel"));
}

TEST(InstallLocations, HelpIsLookedForInTheCurrentFolderFirstThenBesideTheProgram)
{
    QTemporaryDir root;
    const QString prefix = root.filePath(QStringLiteral("prefix"));
    const QString bin = prefix + QStringLiteral("/bin");
    const QString cwd = root.filePath(QStringLiteral("work"));
    const QString beside = prefix + QStringLiteral("/share/zorrit/Help.htm");
    QDir().mkpath(bin);
    QDir().mkpath(cwd);

    const QStringList candidates = helpFileCandidates(cwd, bin);
    ASSERT_GE(candidates.size(), 3);
    EXPECT_EQ(candidates[0], cwd + QStringLiteral("/Help.htm"));
    EXPECT_EQ(candidates[1], beside);
    EXPECT_TRUE(candidates.last().endsWith(QStringLiteral("/share/zorrit/Help.htm")));

    // Nothing in the tree: at most the copy installed for this build's prefix is found.
    EXPECT_FALSE(findHelpFile(cwd, bin).startsWith(root.path()));
    touch(beside);
    EXPECT_EQ(findHelpFile(cwd, bin), beside);
    touch(cwd + QStringLiteral("/Help.htm"));
    EXPECT_EQ(findHelpFile(cwd, bin), cwd + QStringLiteral("/Help.htm"));
}

TEST(InstallLocations, TheBuildTreeHasItsHelpPage)
{
    const QString found = findHelpFile(QString(), QStringLiteral(ZORRIT_TEST_BUILD_BIN_DIR));
    EXPECT_EQ(found, QDir::cleanPath(
                         QStringLiteral(ZORRIT_TEST_BUILD_BIN_DIR "/../share/zorrit/Help.htm")));
    EXPECT_FALSE(isInstalledCopy(QStringLiteral(ZORRIT_TEST_BUILD_BIN_DIR)));
}

TEST(InstallLocations, AnInstalledCopyHasItsMenuEntryBesideIt)
{
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    QDir().mkpath(bin);
    EXPECT_FALSE(isInstalledCopy(bin));
    touch(root.filePath(QStringLiteral("share/applications/zorrit.desktop")));
    EXPECT_TRUE(isInstalledCopy(bin));
    EXPECT_FALSE(isInstalledCopy(QString()));
}
