// SPDX-License-Identifier: GPL-3.0-or-later
// The states of a transfer and the status text the transfer window shows for each.
#pragma once

#include <QCoreApplication>
#include <QString>

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
    const char *text; // English; statusText() gives the user's language
    bool final;
};

// The texts are what the user reads, exactly; a failed lookup reads "Connecting... ", with a
// trailing blank. The state itself is the enum, never the text.
inline constexpr std::array<StatusEntry, 7> kStatusTexts{{
    {TransferStatus::PleaseWait,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Please wait..."), false},
    {TransferStatus::CheckingForUpdates,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Checking for updates..."), false},
    {TransferStatus::LookupFailed,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Connecting... "), true},
    {TransferStatus::Connecting,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Connecting..."), false},
    {TransferStatus::CouldNotConnect,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Could not connect."), true},
    {TransferStatus::Comparing,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Comparing..."), false},
    {TransferStatus::WaitingResponse,
     QT_TRANSLATE_NOOP("zorrit::update::UpdateCheckWindow", "Waiting response..."), true},
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
    return QCoreApplication::translate("zorrit::update::UpdateCheckWindow",
                                       statusEntry(status).text);
}

constexpr bool isFinal(TransferStatus status)
{
    return statusEntry(status).final;
}

} // namespace zorrit::update
