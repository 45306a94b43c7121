// SPDX-License-Identifier: GPL-3.0-or-later
// Where a compositor's outputs lie in Xwayland's root pixels, and a point on an output mapped
// there.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

struct NamedRect
{
    QString name;
    QRect rect;
};

// One output in both spaces: the compositor's logical pixels, and Xwayland's root pixels. They
// are the same where the compositor scales X11 windows itself; where X11 programs scale
// themselves, Xwayland's rectangle is the logical one times a factor.
struct OutputPlace
{
    QRect logical;
    QRect root;
};

// Each logical output (in its order) with its Xwayland rectangle: the RandR output of the same
// name (Xwayland names its outputs after the Wayland ones), else the logical rectangle itself.
std::vector<OutputPlace> placeOutputs(const std::vector<NamedRect> &logical,
                                      const std::vector<NamedRect> &root);

// The root pixel that holds a point given in the compositor's logical pixels, on that output.
QPoint logicalToRoot(const OutputPlace &output, QPointF logical);

// The compositor's logical point of a point given in an output's buffer pixels (physical, with
// the output's rotation applied, so `buffer` is the mode's size turned as the output shows it).
// Nothing for a point outside the buffer: the pointer is then on another output, which says so.
std::optional<QPointF> bufferToLogical(const QRect &logical, QSize buffer, QPoint point);

// The buffer's size as the output shows it: a mode turned by a quarter (wl_output transforms 1,
// 3, 5 and 7) has its width and height swapped.
QSize transformedSize(QSize mode, int transform);

} // namespace platform
