// SPDX-License-Identifier: GPL-3.0-or-later
// What a sprite window shows and the outline it is cut to.
#include "zorrit/trail/sprite_picture.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace zorrit::trail;

namespace {

QImage solid(int w, int h, QRgb colour, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(w, h, format);
    image.fill(colour);
    return image;
}

int pixelCount(const QRegion &region)
{
    int count = 0;
    for (const QRect &r : region)
        count += r.width() * r.height();
    return count;
}

} // namespace

TEST(SpritePicture, ElevenByElevenWithKeyCornersShowsOnlyThePicturesOtherPixels)
{
    QImage picture = solid(11, 11, qRgb(10, 20, 30));
    for (const QPoint corner : {QPoint(0, 0), QPoint(10, 0), QPoint(0, 10), QPoint(10, 10)})
        picture.setPixel(corner, KeyColour);
    const QImage drawing = composeSpriteDrawing(picture);
    ASSERT_EQ(drawing.size(), QSize(kSpriteSize, kSpriteSize));
    const QRegion region = visibleRegion(drawing);
    EXPECT_EQ(pixelCount(region), 11 * 11 - 4);
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 11, 11));
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(10, 10)));
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(5, 5)));
    // The margin right of and below the picture is the key colour and cut away.
    EXPECT_FALSE(region.contains(QPoint(11, 5)));
    EXPECT_FALSE(region.contains(QPoint(5, 11)));
    EXPECT_EQ(drawing.pixel(19, 19), KeyColour | 0xff000000u);
}

TEST(SpritePicture, OnlyTheExactKeyColourIsCut)
{
    for (const QRgb near : {qRgb(255, 0, 254), qRgb(254, 0, 255), qRgb(255, 1, 255)}) {
        QImage picture = solid(kSpriteSize, kSpriteSize, KeyColour);
        picture.setPixel(3, 4, near);
        const QRegion region = visibleRegion(composeSpriteDrawing(picture));
        EXPECT_EQ(pixelCount(region), 1) << std::hex << near;
        EXPECT_TRUE(region.contains(QPoint(3, 4)));
    }
    // An explicit cut colour replaces the key colour.
    const QImage drawing = solid(kSpriteSize, kSpriteSize, qRgb(1, 2, 3));
    EXPECT_TRUE(visibleRegion(drawing, qRgb(1, 2, 3)).isEmpty());
}

TEST(SpritePicture, LargePictureIsCutToTheWindow)
{
    const QImage drawing = composeSpriteDrawing(solid(32, 32, qRgb(0, 128, 0)));
    EXPECT_EQ(drawing.size(), QSize(kSpriteSize, kSpriteSize));
    const QRegion region = visibleRegion(drawing);
    EXPECT_EQ(region, QRegion(0, 0, 20, 20));
    // Not scaled: the top-left pixel of the picture stays the top-left pixel.
    QImage marked = solid(32, 32, qRgb(0, 128, 0));
    marked.setPixel(0, 0, qRgb(200, 0, 0));
    marked.setPixel(19, 19, qRgb(0, 0, 200));
    const QImage cut = composeSpriteDrawing(marked);
    EXPECT_EQ(cut.pixel(0, 0), qRgb(200, 0, 0));
    EXPECT_EQ(cut.pixel(19, 19), qRgb(0, 0, 200));
}

TEST(SpritePicture, BlankOrNullPictureGivesAnEmptyOutline)
{
    EXPECT_EQ(blankPicture().size(), QSize(1, 1));
    EXPECT_EQ(qAlpha(blankPicture().pixel(0, 0)), 0);
    EXPECT_TRUE(visibleRegion(composeSpriteDrawing(blankPicture())).isEmpty());
    EXPECT_TRUE(visibleRegion(composeSpriteDrawing(QImage())).isEmpty());
    EXPECT_TRUE(visibleRegion(solid(20, 20, KeyColour)).isEmpty());
}

TEST(SpritePicture, TransparentPixelsAreCutAndTheRestDrawnOpaque)
{
    QImage picture = solid(4, 1, qRgba(0, 0, 0, 0), QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(50, 60, 70, 127)); // below half: cut
    picture.setPixel(1, 0, qRgba(50, 60, 70, 128)); // half: drawn, opaque
    picture.setPixel(2, 0, qRgba(50, 60, 70, 255));
    const QImage drawing = composeSpriteDrawing(picture);
    const QRegion region = visibleRegion(drawing);
    EXPECT_FALSE(region.contains(QPoint(0, 0)));
    EXPECT_TRUE(region.contains(QPoint(1, 0)));
    EXPECT_TRUE(region.contains(QPoint(2, 0)));
    EXPECT_FALSE(region.contains(QPoint(3, 0)));
    EXPECT_EQ(qAlpha(drawing.pixel(1, 0)), 255);
    // Paletted pictures (GIF) keep their transparent index transparent.
    QImage indexed(3, 1, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(0, 0, 0, 0), qRgb(9, 9, 9)});
    indexed.setPixel(0, 0, 0);
    indexed.setPixel(1, 0, 1);
    indexed.setPixel(2, 0, 0);
    EXPECT_EQ(visibleRegion(composeSpriteDrawing(indexed)), QRegion(1, 0, 1, 1));
}

TEST(SpritePicture, OutlineIsTheSameEveryTime)
{
    const QImage drawing = composeSpriteDrawing(builtInBall(2));
    EXPECT_EQ(visibleRegion(drawing), visibleRegion(drawing));
}

TEST(SpritePicture, BuiltInBallsAreElevenPixelRoundShadedAndNeverKeyColoured)
{
    QRgb centres[5];
    for (int k = 0; k < 5; ++k) {
        const QImage ball = builtInBall(k);
        ASSERT_EQ(ball.size(), QSize(11, 11)) << k;
        EXPECT_EQ(qAlpha(ball.pixel(0, 0)), 0) << "transparent surround " << k;
        EXPECT_EQ(qAlpha(ball.pixel(10, 10)), 0) << k;
        EXPECT_EQ(qAlpha(ball.pixel(5, 5)), 255) << k;
        EXPECT_NE(ball.pixel(3, 3), ball.pixel(8, 8)) << "shaded " << k;
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x)
                EXPECT_NE(ball.pixel(x, y) | 0xff000000u, KeyColour | 0xff000000u);
        const QRegion region = visibleRegion(composeSpriteDrawing(ball));
        EXPECT_GT(pixelCount(region), 60) << k;
        EXPECT_TRUE(QRect(0, 0, 11, 11).contains(region.boundingRect())) << k;
        centres[k] = ball.pixel(5, 5);
    }
    // Red, blue, orange, green, purple: the dominant channels tell them apart.
    EXPECT_GT(qRed(centres[0]), qBlue(centres[0]));
    EXPECT_GT(qBlue(centres[1]), qRed(centres[1]));
    EXPECT_GT(qRed(centres[2]), qGreen(centres[2]));
    EXPECT_GT(qGreen(centres[2]), qBlue(centres[2]));
    EXPECT_GT(qGreen(centres[3]), qRed(centres[3]));
    EXPECT_GT(qBlue(centres[4]), qGreen(centres[4]));
    EXPECT_GT(qRed(centres[4]), qGreen(centres[4]));
}

TEST(SpritePicture, OnALargerTrailPicturesAreScaledSmoothlyAndTheBallsDrawnAtTheirSize)
{
    const SpriteScale scale = spriteScaleFor(48); // twice the usual pointer: 40 x 40
    const QRgb green = qRgb(0, 160, 0);

    // A picture as files hold them, drawn for the usual pointer: an 8 x 8 square framed in the
    // key colour. Scaled, its edge keeps its own colour: none of the key colour bleeds in.
    QImage framed = solid(12, 12, KeyColour);
    for (int y = 2; y < 10; ++y)
        for (int x = 2; x < 10; ++x)
            framed.setPixel(x, y, green);
    const QImage drawing = composeSpriteDrawing(framed, scale);
    ASSERT_EQ(drawing.size(), QSize(40, 40));
    const QRegion visible = visibleRegion(drawing);
    EXPECT_TRUE(QRect(3, 3, 18, 18).contains(visible.boundingRect()));
    EXPECT_TRUE(visible.contains(QRect(5, 5, 14, 14)));
    for (const QRect &run : visible) {
        for (int x = run.left(); x <= run.right(); ++x) {
            const QRgb pixel = drawing.pixel(x, run.top());
            EXPECT_LE(std::abs(qRed(pixel) - qRed(green)) + std::abs(qGreen(pixel) - qGreen(green))
                          + std::abs(qBlue(pixel) - qBlue(green)),
                      3)
                << x << "," << run.top();
        }
    }
    // Only the sprite's square as drawn is shown, now 40 x 40.
    EXPECT_EQ(visibleRegion(composeSpriteDrawing(solid(32, 32, green), scale)),
              QRegion(0, 0, 40, 40));

    // The balls are drawn at the size they are shown, 22 x 22, and shown pixel for pixel.
    for (int k = 0; k < 5; ++k) {
        const QImage ball = builtInBall(k, scale.factor);
        ASSERT_EQ(ball.size(), QSize(22, 22)) << k;
        const QImage shown = composeSpriteDrawing(ball, scale);
        int opaque = 0;
        for (int y = 0; y < 22; ++y) {
            for (int x = 0; x < 22; ++x) {
                const QRgb pixel = ball.pixel(x, y);
                opaque += qAlpha(pixel) == 255;
                EXPECT_EQ(shown.pixel(x, y),
                          qAlpha(pixel) == 255 ? pixel : KeyColour | 0xff000000u);
                EXPECT_NE(pixel | 0xff000000u, KeyColour | 0xff000000u);
            }
        }
        EXPECT_NEAR(opaque, 4 * pixelCount(visibleRegion(composeSpriteDrawing(builtInBall(k)))), 16)
            << k;
    }
}
