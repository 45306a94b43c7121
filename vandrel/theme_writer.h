// SPDX-License-Identifier: GPL-3.0-or-later
// Turning the name the user chose into the theme file's path, and writing that file safely.
#pragma once

#include "common/theme_file.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace vandrel {

// The ".thm" rule: a name ending in ".thm" (this case exactly) loses it, then ".thm" is appended,
// so "dots" and "dots.thm" give "dots.thm" and "dots.THM" gives "dots.THM.thm".
QString themeTargetPath(const QString &chosen);

// Writes every byte to an open device; false on a failed or short write.
bool writeAllBytes(QIODevice &device, const QByteArray &bytes);

// Writes the theme to a temporary file beside path and renames it over path once every line is
// written and flushed. On failure the temporary file is removed and a file already at path is
// left as it was.
bool saveThemeFile(const QString &path, const common::ThemeContent &content);

} // namespace vandrel
