// SPDX-License-Identifier: GPL-3.0-or-later
// Reports in the compositor's logical pixels land on the pointer's Xwayland root pixel: scaled
// outputs, X11 programs that scale themselves, Xwayland's own output names, several outputs.
#include "zorrit/pointer/output_mapping.h"

#include <gtest/gtest.h>

using platform::NamedRect;
using zorrit::pointer::OutputMapping;

namespace {
NamedRect out(const char *name, QRect rect)
{
    return {QString::fromLatin1(name), rect};
}
} // namespace

TEST(OutputMapping, ReportsLandOnThePointersRootPixel)
{
    const struct
    {
        const char *what;
        std::vector<NamedRect> logical, root;
        QPoint report, expected;
    } cases[] = {
        {"no outputs known: as reported", {}, {}, {300, 300}, {300, 300}},
        {"the compositor scales X11 windows",
         {out("Virtual-0", {0, 0, 1024, 640})},
         {out("XWAYLAND0", {0, 0, 1024, 640})},
         {700, 500},
         {700, 500}},
        // Older Xwayland names its outputs itself: paired by place.
        {"X11 programs scale themselves by 2",
         {out("Virtual-0", {0, 0, 1280, 1024})},
         {out("XWAYLAND0", {0, 0, 2560, 2048})},
         {700, 500},
         {1400, 1000}},
        {"by 1.25",
         {out("Virtual-0", {0, 0, 1280, 1024})},
         {out("XWAYLAND0", {0, 0, 1600, 1280})},
         {301, 300},
         {376, 375}},
        // Listed in another order than Xwayland's: the second output is the one on the right.
        {"two outputs by 2, the right one",
         {out("Virtual-1", {1280, 0, 1280, 1024}), out("Virtual-0", {0, 0, 1280, 1024})},
         {out("XWAYLAND0", {0, 0, 2560, 2048}), out("XWAYLAND1", {2560, 0, 2560, 2048})},
         {1300, 10},
         {2600, 20}},
        // Newer Xwayland takes the compositor's names: matched by name, whatever the order.
        {"named outputs of different scales",
         {out("DP-1", {0, 0, 1280, 800}), out("eDP-1", {1280, 0, 1536, 960})},
         {out("eDP-1", {2560, 0, 3072, 1920}), out("DP-1", {0, 0, 2560, 1600})},
         {1290, 100},
         {2580, 200}},
        {"between outputs: the nearest",
         {out("A", {0, 0, 1000, 1000}), out("B", {1000, 0, 1000, 500})},
         {out("A", {0, 0, 2000, 2000}), out("B", {2000, 0, 2000, 1000})},
         {1500, 700},
         {3000, 1400}},
        // An output Xwayland does not show yet keeps its logical place.
        {"more outputs than Xwayland's, none named alike",
         {out("A", {0, 0, 1000, 1000}), out("B", {1000, 0, 1000, 1000})},
         {out("XWAYLAND0", {0, 0, 2000, 2000})},
         {500, 500},
         {500, 500}},
    };
    for (const auto &c : cases) {
        OutputMapping mapping;
        mapping.set(zorrit::pointer::xwaylandPlaces(c.logical, c.root));
        EXPECT_EQ(mapping.toRoot(c.report), c.expected) << c.what;
    }
}

TEST(OutputMapping, MoreOutputsThanTheTableHoldsAndFarPointsStillMap)
{
    // More outputs than the table holds, then a report far outside any of them.
    std::vector<NamedRect> logical, root;
    for (int k = 0; k < OutputMapping::kMaxOutputs + 4; ++k) {
        logical.push_back(out("", {k * 100, 0, 100, 100}));
        root.push_back(out("", {k * 200, 0, 200, 200}));
    }
    OutputMapping mapping;
    mapping.set(zorrit::pointer::xwaylandPlaces(logical, root));
    EXPECT_EQ(mapping.toRoot({32767, -32767}), QPoint(65534, -65534));
    EXPECT_EQ(mapping.toRoot({150, 50}), QPoint(300, 100));
}
