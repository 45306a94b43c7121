// SPDX-License-Identifier: GPL-3.0-or-later
// The red ball of the built-in theme, centred on the usual icon sizes.
#include "program_icon.h"

#include "zorrit/trail/sprite_picture.h"

#include <QPainter>
#include <QPixmap>

namespace zorrit::shell {

QIcon programIcon()
{
    const QImage ball = trail::builtInBall(0);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48}) {
        // Whole-number scaling keeps the ball's shading crisp.
        const int scale = std::max(1, size / (ball.width() + 2));
        const QImage scaled = ball.scaled(ball.size() * scale, Qt::IgnoreAspectRatio,
                                          Qt::FastTransformation);
        QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter painter(&canvas);
        painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(canvas));
    }
    return icon;
}

} // namespace zorrit::shell
