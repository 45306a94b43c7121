// SPDX-License-Identifier: GPL-3.0-or-later
// The small notice that the theme in use was not found and the built-in one took its place.
#pragma once

#include <QDialog>

namespace zorrit::shell {

class ThemeNotFoundDialog final : public QDialog
{
    Q_OBJECT

public:
    explicit ThemeNotFoundDialog(QWidget *parent = nullptr);

    static QString text()
    {
        return tr("The theme you have selected isn't found. Zorrit will use the built-in theme "
                  "instead.");
    }
};

} // namespace zorrit::shell
