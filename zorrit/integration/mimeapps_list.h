// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the default application of one MIME type in a mimeapps.list, leaving the rest alone.
#pragma once

#include <QByteArray>
#include <QString>

namespace zorrit::integration {

// Returns the file with `desktopId` first in the list of the type's default applications under
// [Default Applications]. Every other byte stays as it was: comments, other groups (including
// [Added Associations]), other types, the other applications of this type (kept after ours, as
// fall-backs), blank lines and line endings. A missing group is appended; an empty input gives
// a new file. Already first: the input comes back unchanged, so a second run writes nothing new.
QByteArray setDefaultApplication(const QByteArray &mimeappsList, const QString &mimeType,
                                 const QString &desktopId);

} // namespace zorrit::integration
