// SPDX-License-Identifier: GPL-3.0-or-later
// The word to the user on a desktop whose pointer the trail cannot follow everywhere.
#pragma once

#include <QString>

namespace platform {
class Dialogs;
}

namespace zorrit::pointer {

QString otherWaylandText();

// Shows an information message once per user: `markerFolder` keeps a file per notice shown.
// Returns whether it was shown now.
bool showNoticeOnce(platform::Dialogs &dialogs, const QString &markerFolder, const QString &key,
                    const QString &text);

} // namespace zorrit::pointer
