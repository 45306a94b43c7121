// SPDX-License-Identifier: GPL-3.0-or-later
// The link label's colours, underline and click.
#include "link_label.h"

#include "platform/shell.h"

#include <QMouseEvent>

namespace common {

LinkLabel::LinkLabel(const QString &text, const QUrl &address, platform::Shell *shell,
                     QWidget *parent)
    : QLabel(text, parent)
    , m_address(address)
    , m_shell(shell)
{
    // Texts may come from a theme file: never rich text, never a link of Qt's own.
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setTextColor(kBlue);
    setToolTip(address.toString());
}

QColor LinkLabel::textColor() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setUnderlined(bool on)
{
    QFont f = font();
    if (f.underline() == on)
        return;
    f.setUnderline(on);
    setFont(f);
}

void LinkLabel::setTextColor(QRgb rgb)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(rgb));
    setPalette(p);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    setUnderlined(true);
    QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    // The pointer went over the margin around the link.
    setUnderlined(false);
    QLabel::leaveEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    setUnderlined(rect().contains(event->position().toPoint()));
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = true;
    setTextColor(kGreen);
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    setTextColor(kBlue);
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (!click)
        return;
    if (m_shell)
        m_shell->openUrl(m_address);
    setUnderlined(false);
    Q_EMIT clicked();
}

} // namespace common
