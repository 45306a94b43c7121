// SPDX-License-Identifier: GPL-3.0-or-later
// Copies started with a theme that wait to take over from the running copy: each writes its start
// mark into one small file in the runtime folder while it waits, and the newest that still runs is
// the one to take over, whichever of them reaches the instance lock first.
#pragma once

#include "start_mark.h"

#include <QString>

#include <functional>

namespace zorrit::instance {

QString takeoverClaimsPath(const QString &runtimeFolder);

class TakeoverClaims
{
public:
    using RunningTest = std::function<bool(const StartMark &)>;
    // The file holds no more marks than this; the oldest go first.
    static constexpr int kMaxClaims = 256;

    explicit TakeoverClaims(QString runtimeFolder, RunningTest isRunning = processIsRunning);

    // Puts `mine` among the claims and drops those of copies that no longer run. When no running
    // copy started after mine claims, runs whileNewest before any other copy can claim and
    // returns true; otherwise returns false. Without a usable file nothing can be ordered: it
    // runs whileNewest and returns true.
    bool claim(const StartMark &mine, const std::function<void()> &whileNewest = {}) const;
    // Whether a running copy started after `mine` claims.
    bool newerClaim(const StartMark &mine) const;

    const QString &runtimeFolder() const { return m_folder; }

private:
    QString m_folder;
    RunningTest m_isRunning;
};

} // namespace zorrit::instance
