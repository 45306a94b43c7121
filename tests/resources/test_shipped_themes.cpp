// SPDX-License-Identifier: GPL-3.0-or-later
// The themes that come with Zorrit: the files the build drew are the drawings, each theme loads
// onto the trail, and Vandrel writes the very same theme file from the same choices.
#include "resources/themes/theme_art.h"

#include "common/picture_loader.h"
#include "platform/fake/fake_dialogs.h"
#include "platform/fake/fake_window_system.h"
#include "vandrel/theme_writer.h"
#include "zorrit/prefs/prefs_holder.h"
#include "zorrit/prefs/prefs_model.h"
#include "zorrit/settings/settings_store.h"
#include "zorrit/trail/sprite_picture.h"
#include "zorrit/trail/sprite_window.h"
#include "zorrit/trail/trail_engine.h"
#include "zorrit/trail/translucency.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace resources::themes;

namespace {

const QDir kShipped(QStringLiteral(ZORRIT_THEMES_DIR));

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(ShippedThemes, EachPictureIsItsDrawingInItsFormat)
{
    const std::vector<ShippedTheme> themes = shippedThemes();
    ASSERT_GE(themes.size(), 4u);
    for (const ShippedTheme &theme : themes) {
        for (const ShippedPicture &picture : theme.pictures) {
            SCOPED_TRACE(picture.fileName.toStdString());
            const std::optional<QImage> loaded =
                common::loadPicture(kShipped.filePath(picture.fileName));
            ASSERT_TRUE(loaded.has_value());
            EXPECT_LE(loaded->width(), kSpriteSide);
            EXPECT_LE(loaded->height(), kSpriteSide);
            const QImage expected = storedImage(picture.image, theme.format);
            const QImage decoded = loaded->convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(decoded.size(), expected.size());
            int worst = 0;
            qint64 total = 0;
            for (int y = 0; y < expected.height(); ++y) {
                for (int x = 0; x < expected.width(); ++x) {
                    const QRgb want = expected.pixel(x, y);
                    const QRgb got = decoded.pixel(x, y);
                    if (qAlpha(want) == 0) { // the transparent GIF entry
                        EXPECT_EQ(qAlpha(got), 0) << x << "," << y;
                        continue;
                    }
                    for (const int d :
                         {std::abs(qRed(want) - qRed(got)), std::abs(qGreen(want) - qGreen(got)),
                          std::abs(qBlue(want) - qBlue(got))}) {
                        worst = std::max(worst, d);
                        total += d;
                    }
                }
            }
            // BMP and GIF keep every pixel; JPEG comes close on the whole.
            if (theme.format == PictureFormat::Jpeg)
                EXPECT_LE(total / (3 * expected.width() * expected.height()), 4);
            else
                EXPECT_EQ(worst, 0);
        }
    }
}

TEST(ShippedThemes, EachLoadsOntoTheTrailCutToItsShape)
{
    QTemporaryDir dir;
    zorrit::settings::SettingsStore store{dir.path()};
    platform::FakeWindowSystem fake;
    platform::FakeDialogs dialogs;
    zorrit::trail::MotionSettings motion;
    zorrit::trail::TrailEngine engine{fake, motion};
    zorrit::trail::Translucency translucency{store, fake, dialogs, engine.windows()};
    zorrit::prefs::PrefsHolder holder{
        zorrit::prefs::PrefsDeps{store, motion, engine, translucency, dialogs}};
    for (const ShippedTheme &theme : shippedThemes()) {
        SCOPED_TRACE(theme.fileStem.toStdString());
        zorrit::prefs::PrefsModel &model = holder.model();
        model.loadChosenTheme(kShipped.filePath(theme.fileStem + QStringLiteral(".thm")));
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(model.themeName(), theme.name);
        for (int k = 0; k < zorrit::trail::kSpriteCount; ++k) {
            const QImage &drawn = theme.pictures[size_t(k)].image;
            // Visible exactly where the drawing is: a square die fills its window, every other
            // shape leaves its corners to the desktop.
            const QRegion shape = engine.window(k)->shape();
            EXPECT_LE(shape.boundingRect().width(), drawn.width()) << k;
            EXPECT_FALSE(shape.isEmpty()) << k;
            EXPECT_EQ(shape.contains(QPoint(0, 0)), theme.format == PictureFormat::Jpeg) << k;
        }
        holder.unload();
    }
}

TEST(ShippedThemes, VandrelWritesTheSameThemeFromTheSameChoices)
{
    QTemporaryDir dir;
    for (const ShippedTheme &theme : shippedThemes()) {
        SCOPED_TRACE(theme.fileStem.toStdString());
        common::ThemeContent content{theme.name, theme.author, {}, theme.site};
        for (size_t k = 0; k < theme.pictures.size(); ++k)
            content.pictures[k] = theme.pictures[k].fileName;
        const QString written = vandrel::themeTargetPath(dir.filePath(theme.fileStem));
        ASSERT_TRUE(vandrel::saveThemeFile(written, content));
        EXPECT_EQ(fileBytes(written),
                  fileBytes(kShipped.filePath(theme.fileStem + QStringLiteral(".thm"))));
    }
}
