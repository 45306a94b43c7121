// SPDX-License-Identifier: GPL-3.0-or-later
// A web link as the programs show it: blue, underlined while the pointer is over it, green while
// a mouse button is held on it; a click opens the address.
#pragma once

#include <QLabel>
#include <QUrl>

namespace platform {
class Shell;
}

namespace common {

class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr QRgb kBlue = qRgb(0, 0, 255);
    static constexpr QRgb kGreen = qRgb(0, 128, 0);

    // shell opens the address on a click; it may be null when the owner handles clicked() alone.
    LinkLabel(const QString &text, const QUrl &address, platform::Shell *shell,
              QWidget *parent = nullptr);

    QUrl address() const { return m_address; }
    void setAddress(const QUrl &address) { m_address = address; }
    bool isUnderlined() const { return font().underline(); }
    QColor textColor() const;

Q_SIGNALS:
    // After the address was handed to the shell and the underline removed.
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setUnderlined(bool on);
    void setTextColor(QRgb rgb);

    QUrl m_address;
    platform::Shell *m_shell;
    bool m_pressed = false;
};

} // namespace common
