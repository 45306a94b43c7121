// SPDX-License-Identifier: GPL-3.0-or-later
// The loading window and the shared trail picture.
#include "loading_window.h"

#include "window_pictures.h"
#include "zorrit/trail/sprite_picture.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace zorrit::shell {

QPixmap trailPicture(int scale)
{
    constexpr int kBall = 11;
    QImage row(kBall * 5 + 4 * 3, kBall + 8, QImage::Format_ARGB32);
    row.fill(Qt::transparent);
    QPainter painter(&row);
    for (int k = 0; k < 5; ++k)
        painter.drawImage(QPoint(k * (kBall + 3), (k % 2) * 4 + 2), trail::builtInBall(k));
    painter.end();
    return QPixmap::fromImage(
        row.scaled(row.size() * scale, Qt::KeepAspectRatio, Qt::FastTransformation));
}

LoadingWindow::LoadingWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
{
    setObjectName(QStringLiteral("stand"));
    setWindowRole(objectName());
    setWindowTitle(QStringLiteral("Zorrit"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *layout = new QHBoxLayout(this);
    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(programPicture()); // the about box's picture
    auto *label = new QLabel(tr("Loading, please wait..."), this);
    label->setObjectName(QStringLiteral("Label1"));
    layout->addWidget(image);
    layout->addWidget(label);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(16);
    setFixedSize(sizeHint());
}

void LoadingWindow::showNow()
{
    show();
    repaint();
    QApplication::sendPostedEvents(this);
}

} // namespace zorrit::shell
