// SPDX-License-Identifier: GPL-3.0-or-later
// The program's drawn icon.
#include "program_icon.h"

#include "resources/app_icons.h"

namespace zorrit::shell {

QIcon programIcon()
{
    return resources::zorritIcon();
}

} // namespace zorrit::shell
