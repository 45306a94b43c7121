// SPDX-License-Identifier: GPL-3.0-or-later
// One sprite of the trail: a small borderless window cut to the outline of its picture, above
// every other window, which never takes focus or clicks.
#pragma once

#include "sprite_picture.h"

#include <QWidget>

namespace zorrit::trail {

class SpriteWindow final : public QWidget
{
    Q_OBJECT

public:
    // index 0..4: "Zorrit"/main1, "p2"/part2 ... "p5"/part5; scale.side pixels square.
    explicit SpriteWindow(int index, SpriteScale scale = {});

    int index() const { return m_index; }
    const SpriteScale &scale() const { return m_scale; }
    // Replaces the picture (shown at the window's scale, see composeSpriteDrawing()); the outline
    // stays until cutOutline() is called.
    void setPicture(const QImage &picture);
    const QImage &picture() const { return m_picture; }
    const QImage &drawing() const { return m_drawing; }

    // Cuts the window to the pixels of its drawing that are not of the given colour.
    void cutOutline(QRgb colour);
    // The outline last set (empty: nothing of the window shows).
    QRegion shape() const { return m_shape; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void followScale();
    void refit();

    int m_index;
    SpriteScale m_scale;
    QImage m_picture;
    QImage m_drawing;
    QRegion m_shape;
    qreal m_drawnRatio = 0; // device pixels per pixel the drawing and outline were last made for
    bool m_refitPending = false;
};

} // namespace zorrit::trail
