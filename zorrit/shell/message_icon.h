// SPDX-License-Identifier: GPL-3.0-or-later
// MessageIcon: draws one of the desktop's standard message icons on a dialog's own background.
#pragma once

#include <QIcon>
#include <QStyle>
#include <QWidget>

namespace zorrit::shell {

class MessageIcon : public QWidget
{
    Q_OBJECT
    // Saved-property names of the control; QWidget already owns style() and setEnabled().
    Q_PROPERTY(int Style READ iconStyle WRITE setIconStyle)
    Q_PROPERTY(bool Enabled READ isIconEnabled WRITE setIconEnabled)

public:
    static constexpr int kDefaultStyle = 1;
    static constexpr int kSide = 33; // 32-pixel icon drawn at (1, 1)

    // Above 5 becomes 5; a negative value becomes 1 (not 0).
    static constexpr int clampStyle(int style) { return style > 5 ? 5 : (style < 0 ? 1 : style); }
    // 0 warning, 1 information, 2 to 5 question; the style must already be clamped.
    static constexpr QStyle::StandardPixmap standardIconFor(int clampedStyle)
    {
        switch (clampedStyle) {
        case 0:
            return QStyle::SP_MessageBoxWarning;
        case 1:
            return QStyle::SP_MessageBoxInformation;
        default:
            return QStyle::SP_MessageBoxQuestion;
        }
    }

    explicit MessageIcon(QWidget *parent = nullptr);

    int iconStyle() const { return m_style; }
    void setIconStyle(int style);
    bool isIconEnabled() const { return m_enabled; }
    void setIconEnabled(bool on);
    QStyle::StandardPixmap currentIcon() const { return standardIconFor(m_style); }
    void refresh() { update(); }

    QSize sizeHint() const override { return {kSide, kSide}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void loadIcon();

    int m_style = kDefaultStyle;
    bool m_enabled = true;
    QIcon m_icon;
};

} // namespace zorrit::shell
