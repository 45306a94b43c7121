// SPDX-License-Identifier: GPL-3.0-or-later
// The icons drawn for the two programs and the theme file type, compiled into the programs.
#pragma once

#include <QIcon>

namespace resources {

// Every drawn size (16 to 256 pixels); Qt picks the one that fits, e.g. for the tray.
QIcon zorritIcon();
QIcon vandrelIcon();
QIcon themeFileIcon();

} // namespace resources
