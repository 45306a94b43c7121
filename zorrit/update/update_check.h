// SPDX-License-Identifier: GPL-3.0-or-later
// Starting an update check and turning its outcome into one of the three result dialogs.
#pragma once

#include "zorrit/update/update_context.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace zorrit::update {

class UpdateCheckWindow;

struct ServerAddress
{
    QString host;
    quint16 port = 80;
    bool operator==(const ServerAddress &) const = default;
};

// "host:port", "[v6-address]:port": the test hook's value; nothing when it is not one.
std::optional<ServerAddress> parseServerOverride(QStringView text);

// The context's host and port, unless the test hook ZORRIT_UPDATE_SERVER (overrideText) names
// another server.
ServerAddress effectiveServer(const UpdateContext &ctx, const QString &overrideText);

// Closes the preferences, shows the busy pointer and the modal transfer window, and when the
// transfer ends shows yesupdate, noupdate or errupdate (the last with a beep). Returns at once; ctx
// must outlive the check (the composition root owns it for the whole run). The returned window
// deletes itself when it closes.
UpdateCheckWindow *startUpdateCheck(UpdateContext &ctx);

} // namespace zorrit::update
