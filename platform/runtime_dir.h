// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user folder for a program's runtime files (lock, hand-off file, local socket).
#pragma once

#include <QString>

namespace platform {

// $XDG_RUNTIME_DIR/<program>, or, without a runtime folder, a private folder under /tmp that
// belongs to the user (mode 0700). Created on demand; empty when it cannot be made safely.
QString runtimeDir(const QString &program);

} // namespace platform
