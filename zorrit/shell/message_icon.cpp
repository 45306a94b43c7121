// SPDX-License-Identifier: GPL-3.0-or-later
// The system-icon control: style clamping, the on/off switch and painting on the host's colour.
#include "message_icon.h"

#include <QEvent>
#include <QPainter>

namespace zorrit::shell {

MessageIcon::MessageIcon(QWidget *parent)
    : QWidget(parent)
{
    // The palette is inherited from the host, so the area is filled with the dialog's own colour
    // and follows it when the host's colour changes.
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    resize(kSide, kSide);
    loadIcon();
}

void MessageIcon::setIconStyle(int style)
{
    m_style = clampStyle(style);
    loadIcon();
    update();
}

void MessageIcon::setIconEnabled(bool on)
{
    m_enabled = on;
    if (on)
        loadIcon();
    update();
}

void MessageIcon::loadIcon()
{
    m_icon = QWidget::style()->standardIcon(standardIconFor(m_style), nullptr, this);
}

void MessageIcon::paintEvent(QPaintEvent *)
{
    if (!m_enabled)
        return; // only the background, filled by Qt
    QPainter painter(this);
    // Drawn at its own size, never scaled to the control.
    m_icon.paint(&painter, QRect(1, 1, 32, 32));
}

void MessageIcon::changeEvent(QEvent *event)
{
    // Another desktop style brings other standard icons.
    if (event->type() == QEvent::StyleChange)
        loadIcon();
    QWidget::changeEvent(event);
}

} // namespace zorrit::shell
