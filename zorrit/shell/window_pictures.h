// SPDX-License-Identifier: GPL-3.0-or-later
// The decoration pictures of the small windows, drawn in code for this program.
#pragma once

#include <QPixmap>

namespace zorrit::shell {

// The program's icon at 48 x 48, in the about box and the loading window.
QPixmap programPicture();

// The not-found notice's warning sign: a yellow triangle with an exclamation mark, 31 x 37.
QPixmap warningPicture();

// The welcome window's four pictures, index 1 to 4: the trail of balls (a banner), a mouse
// pulling a trail, a light load gauge, and the tray beside the clock with the program's icon.
QPixmap welcomePicture(int index);

} // namespace zorrit::shell
