// SPDX-License-Identifier: GPL-3.0-or-later
// The system-icon control: style clamping, the on/off switch and the host's background.
#include "zorrit/shell/message_icon.h"

#include <QImage>

#include <gtest/gtest.h>

using zorrit::shell::MessageIcon;

namespace {
// True when every pixel of the control's picture has the given colour.
bool allPixels(const QImage &image, QColor colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != colour)
                return false;
        }
    }
    return true;
}
} // namespace

TEST(MessageIcon, StyleIsClampedAndChoosesTheIcon)
{
    struct Case
    {
        int set;
        int readBack;
        QStyle::StandardPixmap icon;
    };
    const Case cases[] = {
        {0, 0, QStyle::SP_MessageBoxWarning},      {1, 1, QStyle::SP_MessageBoxInformation},
        {2, 2, QStyle::SP_MessageBoxQuestion},     {5, 5, QStyle::SP_MessageBoxQuestion},
        {7, 5, QStyle::SP_MessageBoxQuestion},     {-3, 1, QStyle::SP_MessageBoxInformation},
        {-1, 1, QStyle::SP_MessageBoxInformation}, {40000, 5, QStyle::SP_MessageBoxQuestion},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.set);
        MessageIcon control;
        control.setIconStyle(c.set);
        EXPECT_EQ(control.iconStyle(), c.readBack);
        EXPECT_EQ(control.property("Style").toInt(), c.readBack);
        EXPECT_EQ(control.currentIcon(), c.icon);
    }
}

TEST(MessageIcon, DefaultsToAnEnabledInformationIcon)
{
    MessageIcon control;
    EXPECT_EQ(control.iconStyle(), 1);
    EXPECT_TRUE(control.isIconEnabled());
    EXPECT_EQ(control.currentIcon(), QStyle::SP_MessageBoxInformation);
    EXPECT_EQ(control.size(), QSize(33, 33));
}

TEST(MessageIcon, PaintsOnTheHostsColourAndNothingWhenDisabled)
{
    const QColor hostColour(12, 200, 34);
    QWidget host;
    QPalette palette = host.palette();
    palette.setColor(QPalette::Window, hostColour);
    host.setPalette(palette);
    host.setAutoFillBackground(true);
    auto *control = new MessageIcon(&host);
    host.resize(60, 60);
    host.show();

    QImage picture = control->grab().toImage();
    EXPECT_EQ(picture.pixelColor(0, 0), hostColour) << "the icon starts at (1, 1)";
    EXPECT_FALSE(allPixels(picture, hostColour)) << "no icon painted";

    control->setIconEnabled(false);
    EXPECT_TRUE(allPixels(control->grab().toImage(), hostColour));

    control->setIconStyle(0);
    control->setIconEnabled(true);
    EXPECT_FALSE(allPixels(control->grab().toImage(), hostColour));
    EXPECT_EQ(control->currentIcon(), QStyle::SP_MessageBoxWarning);

    // The host changes its colour: the control follows.
    const QColor newColour(250, 240, 10);
    palette.setColor(QPalette::Window, newColour);
    host.setPalette(palette);
    EXPECT_EQ(control->grab().toImage().pixelColor(0, 0), newColour);
}
