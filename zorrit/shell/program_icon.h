// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon, shown in the tray and on its windows.
#pragma once

#include <QIcon>

namespace zorrit::shell {

// Every drawn size; the tray picks the one that fits.
QIcon programIcon();

} // namespace zorrit::shell
