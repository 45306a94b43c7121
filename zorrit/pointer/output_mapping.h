// SPDX-License-Identifier: GPL-3.0-or-later
// From the compositor's logical pixels, in which KWin and GNOME Shell report the pointer, to
// Xwayland's root pixels, in which the trail works.
#pragma once

#include "platform/output_places.h"

#include <QPoint>

#include <array>
#include <mutex>
#include <vector>

namespace zorrit::pointer {

// Each compositor output with its Xwayland rectangle. Xwayland names its RandR outputs after
// the compositor's, except older ones (XWAYLAND0, XWAYLAND1, ...): when no name matches and
// there are as many of each, they are paired in the order of their places, which scaling
// every output by one factor (all that KWin and Mutter do) keeps.
std::vector<platform::OutputPlace> xwaylandPlaces(const std::vector<platform::NamedRect> &logical,
                                                  const std::vector<platform::NamedRect> &root);

// The table the reports go through. Prepared on the GUI thread whenever the outputs change,
// read at every report on whichever thread takes it: the lock is held only to copy the table
// in and for the few multiplications of a report, never around a call into Qt, and a report
// allocates nothing. With no table, or where every output is the same in both, the point
// stays as it is.
class OutputMapping
{
public:
    static constexpr int kMaxOutputs = 16;

    // Outputs beyond kMaxOutputs are left out.
    void set(const std::vector<platform::OutputPlace> &places);
    // The root pixel of a logical point: on the output that holds it, or, between outputs, on
    // the nearest one.
    QPoint toRoot(QPointF logical) const;

private:
    mutable std::mutex m_lock;
    std::array<platform::OutputPlace, kMaxOutputs> m_places{};
    int m_count = 0;
};

} // namespace zorrit::pointer
