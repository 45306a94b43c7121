// SPDX-License-Identifier: GPL-3.0-or-later
// Seam for what the desktop says of the window that has the focus: whether it is full screen, and
// where it is shown.
#pragma once

#include <QObject>
#include <QRect>

#include <vector>

namespace platform {

struct FocusedWindow
{
    bool fullScreen = false;
    // Where it is shown, in the trail's pixels: its own rectangle (X11), or those of the outputs
    // it is on (Wayland). Empty: not known.
    std::vector<QRect> areas;

    bool operator==(const FocusedWindow &) const = default;
};

// Follows the window with the focus through the desktop's own notices, never by asking again and
// again. Lives on the GUI thread and signals there.
class FullScreenWatch : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // As of the last notice.
    virtual FocusedWindow focused() const = 0;

Q_SIGNALS:
    // focused() says something else now.
    void changed();
};

} // namespace platform
