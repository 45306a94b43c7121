// SPDX-License-Identifier: GPL-3.0-or-later
// Mapping points on the compositor's outputs to Xwayland's root pixels.
#include "output_places.h"

#include <cmath>

namespace platform {

std::vector<OutputPlace> placeOutputs(const std::vector<NamedRect> &logical,
                                      const std::vector<NamedRect> &root)
{
    std::vector<OutputPlace> places;
    places.reserve(logical.size());
    for (const NamedRect &output : logical) {
        OutputPlace place{output.rect, output.rect};
        for (const NamedRect &candidate : root) {
            if (!output.name.isEmpty() && candidate.name == output.name
                && !candidate.rect.isEmpty()) {
                place.root = candidate.rect;
                break;
            }
        }
        places.push_back(place);
    }
    return places;
}

namespace {
// Floor, not round: the pixel that holds the point, so that an output's last logical pixel
// never lands on the next output's first root pixel.
int scaled(double offset, int from, int to)
{
    return int(std::floor(offset * double(to) / double(from)));
}
} // namespace

QPoint logicalToRoot(const OutputPlace &output, QPointF logical)
{
    const QRect &from = output.logical;
    const QRect &to = output.root;
    if (from.isEmpty())
        return to.topLeft();
    return to.topLeft()
           + QPoint(scaled(logical.x() - from.x(), from.width(), to.width()),
                    scaled(logical.y() - from.y(), from.height(), to.height()));
}

std::optional<QPointF> bufferToLogical(const QRect &logical, QSize buffer, QPoint point)
{
    if (buffer.isEmpty() || point.x() < 0 || point.y() < 0 || point.x() >= buffer.width()
        || point.y() >= buffer.height())
        return std::nullopt;
    // The fraction is kept: where X11 programs scale themselves, half a logical pixel is a
    // whole root pixel.
    return QPointF(logical.x() + double(point.x()) * logical.width() / buffer.width(),
                   logical.y() + double(point.y()) * logical.height() / buffer.height());
}

QSize transformedSize(QSize mode, int transform)
{
    return (transform & 1) ? mode.transposed() : mode;
}

} // namespace platform
