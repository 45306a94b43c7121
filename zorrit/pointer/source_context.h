// SPDX-License-Identifier: GPL-3.0-or-later
// What a pointer source is given when the choice makes it.
#pragma once

#include <QString>

namespace zorrit::pointer {

struct SourceContext
{
    // This user's runtime folder of Zorrit's, for files the compositor must read (the KWin
    // script).
    QString runtimeFolder;
};

} // namespace zorrit::pointer
