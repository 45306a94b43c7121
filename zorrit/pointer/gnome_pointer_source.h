// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a GNOME Shell session: our companion extension reports it.
#pragma once

#include "bus_pointer_source.h"

namespace zorrit::pointer {

// GNOME Shell 43 and later: the extension reports the pointer once it is enabled.
class GnomePointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    enum class Extension { Enabled, NotEnabled, Missing };

    using BusPointerSource::BusPointerSource;
    // Asks GNOME Shell about our extension.
    static Extension extensionState();
};

} // namespace zorrit::pointer
