// SPDX-License-Identifier: GPL-3.0-or-later
// Handing a theme over to the copy that already runs: the one-line file Scrap.dat that tells its
// tray window to end the program when closed, and the close request sent to that window.
#pragma once

#include <QByteArray>
#include <QString>

namespace zorrit::trail {

// Files in the per-user runtime folder.
QString scrapFilePath(const QString &runtimeFolder);
QString trayServerPath(const QString &runtimeFolder);

// What the close request carries.
inline QByteArray closeRequest() { return QByteArrayLiteral("close\n"); }

// Creates or overwrites the hand-off file: one line holding a single space.
bool writeScrap(const QString &path);
bool FileExists(const QString &path);

// Asks the tray window listening at serverPath to close. While nobody listens there yet (the
// other copy is still starting) it tries again until timeoutMs have passed.
bool sendCloseRequest(const QString &serverPath, int timeoutMs);

// The whole hand-off: write Scrap.dat, send the close request; when no running copy answers,
// Scrap.dat is removed again so that a later, unrelated close of that copy does not end it.
bool handOffToRunningCopy(const QString &runtimeFolder, int timeoutMs = 5000);

} // namespace zorrit::trail
