// SPDX-License-Identifier: GPL-3.0-or-later
// Where the themes that come with Zorrit lie.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace zorrit::themes {

// share/zorrit/themes beside the program's bin folder, as installed and in the build tree; empty
// when there is no such folder. programDir: the folder of the running program.
QString shippedThemesFolder(const QString &programDir);

// The picture file at path, when it is one of a shipped theme's in shippedFolder, drawn afresh at
// a scale other than 1 (its device pixel ratio is the scale), so a larger trail shows it as sharp
// as its file at its own size. Nothing for any other file or at scale 1.
std::optional<QImage> shippedPictureAt(const QString &shippedFolder, const QString &path,
                                       double scale);

} // namespace zorrit::themes
