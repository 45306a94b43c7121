// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own icon, shown in the tray and on its windows.
#pragma once

#include <QIcon>

namespace zorrit::shell {

// Drawn from the built-in red ball until the program has its own artwork.
QIcon programIcon();

} // namespace zorrit::shell
