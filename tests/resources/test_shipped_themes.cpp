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

TEST(ShippedThemes, EachLoadsOntoTheTrailCutToItsShapeDrawnAtTheTrailsSize)
{
    // The usual pointer, and one twice as large: then each picture is drawn afresh at twice its
    // size, as sharp as its file, rather than the file scaled.
    for (const std::optional<int> pointerSize : {std::optional<int>(), std::optional<int>(48)}) {
        SCOPED_TRACE(pointerSize.value_or(0));
        const zorrit::trail::SpriteScale scale = zorrit::trail::spriteScaleFor(pointerSize);
        QTemporaryDir dir;
        zorrit::settings::SettingsStore store{dir.path()};
        platform::FakeWindowSystem fake;
        platform::FakeDialogs dialogs;
        zorrit::trail::MotionSettings motion;
        zorrit::trail::TrailEngine engine{fake, motion, scale};
        zorrit::trail::Translucency translucency{store, fake, dialogs, engine.windows()};
        zorrit::prefs::PrefsHolder holder{zorrit::prefs::PrefsDeps{
            store, motion, engine, translucency, dialogs, nullptr, {}, kShipped.path()}};
        for (const ShippedTheme &theme : shippedThemes()) {
            SCOPED_TRACE(theme.fileStem.toStdString());
            zorrit::prefs::PrefsModel &model = holder.model();
            model.loadChosenTheme(kShipped.filePath(theme.fileStem + QStringLiteral(".thm")));
            EXPECT_TRUE(dialogs.shown.empty());
            EXPECT_EQ(model.themeName(), theme.name);
            for (int k = 0; k < zorrit::trail::kSpriteCount; ++k) {
                const QImage &drawn = theme.pictures[size_t(k)].image;
                const QImage &shown = engine.window(k)->picture();
                EXPECT_EQ(shown.size(), drawn.size() * scale.factor) << k;
                EXPECT_EQ(shown.devicePixelRatio(), scale.factor) << k;
                // Visible exactly where the drawing is: a square die fills its window, every
                // other shape leaves its corners to the desktop.
                const QRegion shape = engine.window(k)->shape();
                EXPECT_LE(shape.boundingRect().width(), shown.width()) << k;
                EXPECT_FALSE(shape.isEmpty()) << k;
                EXPECT_EQ(shape.contains(QPoint(0, 0)), theme.format == PictureFormat::Jpeg) << k;
            }
            holder.unload();
        }
        // A copy elsewhere is a theme like any other: its files are shown, scaled by the sprite.
        const ShippedTheme stars = shippedThemes().front();
        for (const QString &name :
             {stars.fileStem + QStringLiteral(".thm"), stars.pictures[0].fileName})
            ASSERT_TRUE(QFile::copy(kShipped.filePath(name), dir.filePath(name)));
        holder.model().loadChosenTheme(dir.filePath(stars.fileStem + QStringLiteral(".thm")));
        EXPECT_EQ(engine.window(0)->picture().size(), stars.pictures[0].image.size());
        EXPECT_EQ(engine.window(0)->picture().devicePixelRatio(), 1);
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
