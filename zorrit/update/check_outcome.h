// SPDX-License-Identifier: GPL-3.0-or-later
// What a finished transfer means for the user: an update, already up to date, or an error.
#pragma once

#include "zorrit/update/transfer_status.h"

#include <QByteArray>

#include <optional>

namespace zorrit::update {

enum class CheckOutcome { UpdateAvailable, UpToDate, Failed };

struct CheckResult
{
    CheckOutcome outcome = CheckOutcome::Failed;
    int latest = 0; // the rounded version found; meaningful unless Failed
    bool operator==(const CheckResult &) const = default;
};

// Nothing while the status is not final. "Up to date" only for a real version number not above
// ours: a failed transfer, a refused answer (no 2xx, see ResponseAccumulator) or a body without a
// version number is an error.
std::optional<CheckResult> decideOutcome(TransferStatus status,
                                         const std::optional<QByteArray> &acceptedBody,
                                         int ownVersion);

} // namespace zorrit::update
