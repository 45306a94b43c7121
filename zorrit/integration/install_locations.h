// SPDX-License-Identifier: GPL-3.0-or-later
// Where Zorrit finds the files that come with it: the wizard program and the help page.
#pragma once

#include <QString>
#include <QStringList>

namespace zorrit::integration {

// The running zorrit lies in build/bin in the build tree and in <prefix>/bin when installed; in
// both cases its data folder is ../share/zorrit beside it (the build copies Help.htm there).
// programDir: the folder of the running program (QCoreApplication::applicationDirPath()).

// The wizard, which lies beside the running program; the path is returned even when the file
// is missing, so that starting it fails and the user is told the wizard wasn't found.
QString vandrelProgram(const QString &programDir);

// The places Help.htm is looked for, in order: the current folder (where the program always
// looked), the data folder beside the program, and the data folder it was built for.
QStringList helpFileCandidates(const QString &currentDir, const QString &programDir);
// The first candidate that exists, or empty.
QString findHelpFile(const QString &currentDir, const QString &programDir);
// The same for the running program and the current folder.
QString findHelpFile();

// True when the program runs from an installation (its menu entry lies in ../share/applications),
// not from a build tree or a copy moved elsewhere.
bool isInstalledCopy(const QString &programDir);

} // namespace zorrit::integration
