// SPDX-License-Identifier: GPL-3.0-or-later
// The outcome of a version check.
#include "check_outcome.h"

#include "zorrit/update/version_value.h"

#include <QString>

namespace zorrit::update {

std::optional<CheckResult> decideOutcome(TransferStatus status,
                                         const std::optional<QByteArray> &acceptedBody,
                                         int ownVersion)
{
    switch (status) {
    case TransferStatus::LookupFailed:
    case TransferStatus::CouldNotConnect:
        return CheckResult{CheckOutcome::Failed, 0};
    case TransferStatus::WaitingResponse:
        break;
    default:
        return std::nullopt;
    }
    if (!acceptedBody)
        return CheckResult{CheckOutcome::Failed, 0};
    // The comparison and latestVersion use the same rounded value.
    const std::optional<int> latest = versionValue(QString::fromLatin1(*acceptedBody));
    if (!latest)
        return CheckResult{CheckOutcome::Failed, 0};
    return CheckResult{
        *latest > ownVersion ? CheckOutcome::UpdateAvailable : CheckOutcome::UpToDate, *latest};
}

} // namespace zorrit::update
