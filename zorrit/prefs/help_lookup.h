// SPDX-License-Identifier: GPL-3.0-or-later
// Where the preferences find the help page and the theme wizard.
#pragma once

#include <QString>

namespace zorrit::prefs {

// The help page installed with the program (empty when there is none). The one place that knows
// the installed layout.
QString installedHelpDocument(const QString &programFolder);
// "Help.htm" in the current folder when it is there, else the installed copy; when neither
// exists, the current folder's name all the same (opening it then fails quietly).
QString helpDocument(const QString &currentFolder, const QString &programFolder);
// The wizard program next to the running zorrit.
QString vandrelProgram(const QString &programFolder);

} // namespace zorrit::prefs
