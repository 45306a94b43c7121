// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user folder for a program's runtime files (lock, hand-off file, local socket).
#pragma once

#include <QString>

namespace platform {

// $XDG_RUNTIME_DIR/<program>, or, without a usable runtime folder, /tmp/<program>-<uid> when that
// is the user's own private folder. Anyone can create that name first, so the last resort is a
// folder in the user's own cache ($XDG_CACHE_HOME/<program>/run-<host>: per host, as a home may be
// shared between machines). Each is private (mode 0700) and created on demand; empty when none can
// be made safely.
QString runtimeDir(const QString &program);

} // namespace platform
