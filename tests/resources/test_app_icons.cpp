// SPDX-License-Identifier: GPL-3.0-or-later
// The icons compiled into the programs: every drawn size is there and is a real picture.
#include "resources/app_icons.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(AppIcons, EveryDrawnSizeIsCompiledIn)
{
    const std::pair<const char *, QIcon> icons[] = {{"zorrit", resources::zorritIcon()},
                                                    {"vandrel", resources::vandrelIcon()},
                                                    {"theme file", resources::themeFileIcon()}};
    for (const auto &[name, icon] : icons) {
        SCOPED_TRACE(name);
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QImage image = icon.pixmap(QSize(size, size)).toImage();
            ASSERT_EQ(image.size(), QSize(size, size)) << size;
            // Drawn on a clear background: a transparent corner, and a good part of it painted.
            EXPECT_EQ(qAlpha(image.pixel(size - 1, 0)), 0) << size;
            int painted = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    painted += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
            EXPECT_GT(painted, size * size / 5) << size;
        }
    }
}
