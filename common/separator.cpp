// SPDX-License-Identifier: GPL-3.0-or-later
// The sunken horizontal line between a window's parts.
#include "separator.h"

#include <QFrame>

namespace common {

QFrame *makeSeparator(QWidget *parent)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace common
