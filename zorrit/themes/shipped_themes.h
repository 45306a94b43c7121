// SPDX-License-Identifier: GPL-3.0-or-later
// Where the themes that come with Zorrit lie.
#pragma once

#include <QString>

namespace zorrit::themes {

// share/zorrit/themes beside the program's bin folder, as installed and in the build tree; empty
// when there is no such folder. programDir: the folder of the running program.
QString shippedThemesFolder(const QString &programDir);

} // namespace zorrit::themes
