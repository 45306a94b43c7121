// SPDX-License-Identifier: GPL-3.0-or-later
// Which of the desktop's settings says how large the pointer is, and how each is read.
#include "platform/pointer_size.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

using platform::PointerSizeSources;

namespace {

constexpr std::optional<int> kNone = std::nullopt;

} // namespace

TEST(PointerSize, TheSessionsOwnDesktopFirstThenTheEnvironmentThenTheXResources)
{
    const struct
    {
        const char *desktop;
        std::optional<int> gnome, kde, environment, xResources;
        std::optional<int> expected;
        const char *asked; // the sources asked, in order: only until one answers
    } cases[] = {
        {"", kNone, kNone, kNone, kNone, kNone, "ex"},
        {"", kNone, kNone, 48, 32, 48, "e"},
        {"", kNone, kNone, kNone, 32, 32, "ex"},
        // GNOME's and KDE's own settings only in their sessions, where they draw the pointer.
        {"XFCE", 64, 72, kNone, 32, 32, "ex"},
        {"GNOME", 64, 72, 48, 32, 64, "g"},
        {"ubuntu:GNOME", 64, kNone, 48, kNone, 64, "g"},
        {"GNOME-Classic", 64, kNone, 48, kNone, 48, "e"},
        {"GNOME", kNone, 72, 48, kNone, 48, "ge"},
        {"KDE", 64, 72, 48, 32, 72, "k"},
        {"KDE", kNone, kNone, kNone, 32, 32, "kex"},
        // A size that is none, or absurd, is passed over.
        {"", kNone, kNone, 0, 32, 32, "ex"},
        {"GNOME", 5000, kNone, 48, kNone, 48, "ge"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + " asking " + c.asked);
        std::string asked;
        const auto source = [&asked](char name, std::optional<int> value) {
            return [&asked, name, value] {
                asked += name;
                return value;
            };
        };
        const PointerSizeSources sources{c.desktop, source('g', c.gnome), source('k', c.kde),
                                         source('e', c.environment), source('x', c.xResources)};
        EXPECT_EQ(platform::desktopPointerSize(sources), c.expected);
        EXPECT_EQ(asked, c.asked);
    }
    EXPECT_EQ(platform::desktopPointerSize({"GNOME", {}, {}, {}, {}}), kNone);
}

TEST(PointerSize, EachSettingIsReadAsItsDesktopWritesIt)
{
    const struct
    {
        std::optional<int> (*read)(QByteArrayView);
        const char *text;
        std::optional<int> expected;
    } cases[] = {
        {platform::pointerSizeValue, "48", 48},
        {platform::pointerSizeValue, " 32\n", 32},
        {platform::pointerSizeValue, "0", kNone},
        {platform::pointerSizeValue, "-24", kNone},
        {platform::pointerSizeValue, "48px", kNone},
        {platform::pointerSizeValue, "99999", kNone},
        {platform::pointerSizeValue, "", kNone},
        // RESOURCE_MANAGER as xrdb writes it: one "name:\tvalue" a line.
        {platform::xResourcePointerSize,
         "Xft.dpi:\t96\nXcursor.size:\t48\nXcursor.theme:\tAdwaita\n", 48},
        {platform::xResourcePointerSize, "Xcursor*size: 64", 64},
        {platform::xResourcePointerSize, "Xcursor.size:\t32\nXcursor.size:\t40\n", 40},
        {platform::xResourcePointerSize, "Xcursor.theme:\tsize48\n*size:\t48\n", kNone},
        {platform::xResourcePointerSize, "XXcursor.size:\t48\n", kNone},
        // KDE's kcminputrc: cursorSize in the [Mouse] group only.
        {platform::kdePointerSize, "[Mouse]\ncursorTheme=breeze_cursors\ncursorSize=48\n", 48},
        {platform::kdePointerSize, "[Keyboard]\nRepeatRate=25\n\n[Mouse]\ncursorSize = 36\n", 36},
        {platform::kdePointerSize,
         "[Keyboard]\ncursorSize=48\n[Mouse]\nX11LibInputXAccelProfile=1\n", kNone},
        {platform::kdePointerSize, "[Mouse]\ncursorSize=\n", kNone},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.read(c.text), c.expected);
    }
}

TEST(PointerSize, TheSessionsSettingsAreReadWhereEachDesktopKeepsThem)
{
    // GSettings from a key file instead of dconf's database, KDE's file in the user's folder.
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("glib-2.0/settings")));
    const auto write = [&](const QString &name, const QByteArray &text) {
        QFile file(home.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    };
    write(QStringLiteral("glib-2.0/settings/keyfile"),
          "[org/gnome/desktop/interface]\ncursor-size=48\n");
    write(QStringLiteral("kcminputrc"), "[Mouse]\ncursorSize=36\n");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XCURSOR_SIZE", "40");
    qputenv("XDG_CURRENT_DESKTOP", "KDE");

    const PointerSizeSources sources = platform::sessionPointerSizeSources();
    EXPECT_EQ(sources.currentDesktop, "KDE");
    EXPECT_EQ(sources.kde(), 36);
    EXPECT_EQ(sources.environment(), 40);
    EXPECT_EQ(sources.xResources(), kNone) << "no X display here";
    EXPECT_EQ(platform::desktopPointerSize(sources), 36);
    // GNOME's schemas come with GNOME (gsettings-desktop-schemas).
    if (QFileInfo::exists(
            QStringLiteral("/usr/share/glib-2.0/schemas/org.gnome.desktop.interface.gschema.xml")))
        EXPECT_EQ(sources.gnome(), 48);
    else
        EXPECT_EQ(sources.gnome(), kNone);
}
