// SPDX-License-Identifier: GPL-3.0-or-later
// The small "Loading, please wait..." window shown while the trail's pictures load.
#pragma once

#include <QWidget>

namespace zorrit::shell {

class LoadingWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit LoadingWindow(QWidget *parent = nullptr);
    // Shows it and paints it at once, so the text is there while the pictures load.
    void showNow();
};

// The picture the small windows share: the five balls of the trail in a row.
QPixmap trailPicture(int scale = 2);

} // namespace zorrit::shell
