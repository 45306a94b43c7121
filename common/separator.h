// SPDX-License-Identifier: GPL-3.0-or-later
// The sunken horizontal line both programs draw between a window's parts.
#pragma once

#include <QFrame>

namespace common {

QFrame *makeSeparator(QWidget *parent);

} // namespace common
