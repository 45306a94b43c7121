// SPDX-License-Identifier: GPL-3.0-or-later
// Pairing the compositor's outputs with Xwayland's, and mapping reports through them.
#include "output_mapping.h"

#include <algorithm>
#include <cmath>

namespace zorrit::pointer {

using platform::NamedRect;
using platform::OutputPlace;

std::vector<OutputPlace> xwaylandPlaces(const std::vector<NamedRect> &logical,
                                        const std::vector<NamedRect> &root)
{
    const bool named = std::any_of(logical.begin(), logical.end(), [&](const NamedRect &output) {
        return !output.name.isEmpty()
               && std::any_of(root.begin(), root.end(),
                              [&](const NamedRect &other) { return other.name == output.name; });
    });
    if (named || logical.size() != root.size())
        return platform::placeOutputs(logical, root);

    const auto byPlace = [](const NamedRect *a, const NamedRect *b) {
        const QPoint p = a->rect.topLeft(), q = b->rect.topLeft();
        return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x();
    };
    std::vector<const NamedRect *> fromLogical, fromRoot;
    for (const NamedRect &output : logical)
        fromLogical.push_back(&output);
    for (const NamedRect &output : root)
        fromRoot.push_back(&output);
    std::sort(fromLogical.begin(), fromLogical.end(), byPlace);
    std::sort(fromRoot.begin(), fromRoot.end(), byPlace);
    std::vector<OutputPlace> places(logical.size());
    for (std::size_t k = 0; k < fromLogical.size(); ++k) {
        const auto index = std::size_t(fromLogical[k] - logical.data());
        places[index] = {fromLogical[k]->rect,
                         fromRoot[k]->rect.isEmpty() ? fromLogical[k]->rect : fromRoot[k]->rect};
    }
    return places;
}

void OutputMapping::set(const std::vector<OutputPlace> &places)
{
    std::array<OutputPlace, kMaxOutputs> table{};
    int count = 0;
    for (const OutputPlace &place : places) {
        if (count == kMaxOutputs)
            break;
        if (!place.logical.isEmpty())
            table[std::size_t(count++)] = place;
    }
    const std::lock_guard lock(m_lock);
    m_places = table;
    m_count = count;
}

namespace {
// How far a point lies outside a rectangle, squared; 0 inside.
qint64 distanceSquared(const QRect &rect, QPoint point)
{
    const qint64 dx =
        std::max({qint64(rect.left()) - point.x(), qint64(0), qint64(point.x()) - rect.right()});
    const qint64 dy =
        std::max({qint64(rect.top()) - point.y(), qint64(0), qint64(point.y()) - rect.bottom()});
    return dx * dx + dy * dy;
}
} // namespace

QPoint OutputMapping::toRoot(QPointF logicalPoint) const
{
    const QPoint logical(int(std::floor(logicalPoint.x())), int(std::floor(logicalPoint.y())));
    const std::lock_guard lock(m_lock);
    int best = -1;
    qint64 bestDistance = 0;
    for (int k = 0; k < m_count; ++k) {
        const qint64 distance = distanceSquared(m_places[std::size_t(k)].logical, logical);
        if (best < 0 || distance < bestDistance) {
            best = k;
            bestDistance = distance;
        }
        if (distance == 0)
            break;
    }
    if (best < 0)
        return logical;
    return platform::logicalToRoot(m_places[std::size_t(best)], logicalPoint);
}

} // namespace zorrit::pointer
