// SPDX-License-Identifier: GPL-3.0-or-later
// Points on a compositor's outputs in Xwayland's root pixels: several monitors, rotated and scaled
// ones, and X11 programs that scale themselves.
#include "platform/output_places.h"

#include <gtest/gtest.h>

using platform::NamedRect;
using platform::OutputPlace;

TEST(OutputPlaces, RootRectanglesAreMatchedByNameOrFallBackToTheLogicalOnes)
{
    // A 2x monitor left of a 1x one; Xwayland doubles everything (X11 programs scale themselves)
    // and does not know the third output yet.
    const std::vector<NamedRect> logical = {{QStringLiteral("DP-1"), QRect(0, 0, 960, 540)},
                                            {QStringLiteral("HDMI-A-1"), QRect(960, 0, 800, 600)},
                                            {QStringLiteral("DP-2"), QRect(1760, 0, 640, 480)},
                                            {QString(), QRect(0, 600, 10, 10)}};
    const std::vector<NamedRect> root = {{QStringLiteral("HDMI-A-1"), QRect(1920, 0, 1600, 1200)},
                                         {QStringLiteral("DP-1"), QRect(0, 0, 1920, 1080)},
                                         {QStringLiteral("DP-2"), QRect()},
                                         {QString(), QRect(5, 5, 5, 5)}};
    const std::vector<OutputPlace> places = platform::placeOutputs(logical, root);
    ASSERT_EQ(places.size(), 4u);
    EXPECT_EQ(places[0].root, QRect(0, 0, 1920, 1080));
    EXPECT_EQ(places[1].root, QRect(1920, 0, 1600, 1200));
    EXPECT_EQ(places[2].root, logical[2].rect); // an empty RandR rectangle is no match
    EXPECT_EQ(places[3].root, logical[3].rect); // nor is a missing name
    for (std::size_t i = 0; i < places.size(); ++i)
        EXPECT_EQ(places[i].logical, logical[i].rect);
}

TEST(OutputPlaces, PointsLandOnTheRootPixelThatHoldsThem)
{
    const OutputPlace plain{QRect(0, 0, 800, 600), QRect(0, 0, 800, 600)};
    const OutputPlace right{QRect(800, 0, 960, 540), QRect(800, 0, 960, 540)};
    const OutputPlace selfScaling{QRect(800, 0, 960, 540), QRect(1600, 0, 1920, 1080)};
    const OutputPlace below{QRect(-100, 600, 1080, 1920), QRect(-100, 600, 1080, 1920)};
    const struct
    {
        const char *what;
        OutputPlace output;
        std::optional<QSize> buffer; // none: the point is logical
        QPoint point;
        std::optional<QPoint> root;
    } cases[] = {
        {"1x, logical", plain, {}, {10, 20}, QPoint(10, 20)},
        {"1x, buffer", plain, QSize(800, 600), {799, 599}, QPoint(799, 599)},
        {"2x buffer on a second output", right, QSize(1920, 1080), {1919, 1079}, QPoint(1759, 539)},
        {"2x buffer, odd pixel", right, QSize(1920, 1080), {101, 3}, QPoint(850, 1)},
        {"2x logical", right, {}, {900, 100}, QPoint(900, 100)},
        {"X11 scales itself, logical", selfScaling, {}, {900, 100}, QPoint(1800, 200)},
        {"X11 scales itself, buffer",
         selfScaling,
         QSize(1920, 1080),
         {200, 100},
         QPoint(1800, 100)},
        {"1.5x buffer", right, QSize(1440, 810), {1439, 3}, QPoint(1759, 2)},
        {"turned a quarter, negative x", below, QSize(1080, 1920), {0, 1919}, QPoint(-100, 2519)},
        {"logical left of the output", plain, {}, {-1, 0}, QPoint(-1, 0)},
        {"buffer left of the output", plain, QSize(800, 600), {-1, 10}, std::nullopt},
        {"buffer below the output", plain, QSize(800, 600), {10, 600}, std::nullopt},
        {"buffer not known", plain, QSize(0, 0), {10, 10}, std::nullopt},
    };
    for (const auto &c : cases) {
        const std::optional<QPointF> logical =
            c.buffer ? platform::bufferToLogical(c.output.logical, *c.buffer, c.point)
                     : std::optional(QPointF(c.point));
        const std::optional<QPoint> root =
            logical ? std::optional(platform::logicalToRoot(c.output, *logical)) : std::nullopt;
        EXPECT_EQ(root, c.root) << c.what;
    }
    EXPECT_EQ(platform::transformedSize(QSize(1920, 1080), 1), QSize(1080, 1920));
    EXPECT_EQ(platform::transformedSize(QSize(1920, 1080), 2), QSize(1920, 1080));
    EXPECT_EQ(platform::transformedSize(QSize(1920, 1080), 7), QSize(1080, 1920));
}
