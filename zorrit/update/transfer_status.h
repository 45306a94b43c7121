// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer window's status texts: what the user reads and, at the same time, the transfer's
// state.
#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace zorrit::update {

enum class TransferStatus {
    PleaseWait,         // design text, replaced before the window opens
    CheckingForUpdates, // before the transfer and while the response is awaited
    LookupFailed,       // final, error: the host name was not resolved
    Connecting,         // connecting, and again while the request is sent
    CouldNotConnect,    // final, error
    Comparing,          // connected
    WaitingResponse,    // final: the wait for the response has ended
};

struct StatusEntry
{
    TransferStatus status;
    const char16_t *text;
    bool final;
};

// "Connecting... " with its trailing blank and "Connecting..." are two different states.
inline constexpr std::array<StatusEntry, 7> kStatusTexts{{
    {TransferStatus::PleaseWait, u"Please wait...", false},
    {TransferStatus::CheckingForUpdates, u"Checking for updates...", false},
    {TransferStatus::LookupFailed, u"Connecting... ", true},
    {TransferStatus::Connecting, u"Connecting...", false},
    {TransferStatus::CouldNotConnect, u"Could not connect.", true},
    {TransferStatus::Comparing, u"Comparing...", false},
    {TransferStatus::WaitingResponse, u"Waiting response...", true},
}};

constexpr const StatusEntry &statusEntry(TransferStatus status)
{
    for (const StatusEntry &entry : kStatusTexts) {
        if (entry.status == status)
            return entry;
    }
    return kStatusTexts.front();
}

inline QString statusText(TransferStatus status)
{
    return QString::fromUtf16(statusEntry(status).text);
}

constexpr bool isFinal(TransferStatus status)
{
    return statusEntry(status).final;
}

// Exact, case-sensitive match; an unknown text is no state at all.
inline std::optional<TransferStatus> statusFromText(QStringView text)
{
    for (const StatusEntry &entry : kStatusTexts) {
        if (text == QStringView(entry.text))
            return entry.status;
    }
    return std::nullopt;
}

} // namespace zorrit::update
