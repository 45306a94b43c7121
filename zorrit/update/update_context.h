// SPDX-License-Identifier: GPL-3.0-or-later
// What an update check needs from the rest of the program; the composition root (ZorritApp) owns
// it for the whole run.
#pragma once

#include "common/maker_web.h"
#include "zorrit/shell/version_holder.h"
#include "zorrit/update/http_client.h"

#include <QString>

#include <functional>

namespace platform {
class Dialogs;
class Shell;
} // namespace platform

namespace zorrit::update {

struct UpdateContext
{
    UpdateContext(shell::VersionHolder &versions, platform::Dialogs &dialogs,
                  platform::Shell &shell, std::function<void()> closePreferences = {})
        : versions(versions)
        , dialogs(dialogs)
        , shell(shell)
        , closePreferences(std::move(closePreferences))
    {
    }

    shell::VersionHolder &versions;
    platform::Dialogs &dialogs; // the beep of errupdate
    platform::Shell &shell;     // the about box's and yesupdate's links
    // Closes the preferences dialog if it is open; may be left empty.
    std::function<void()> closePreferences;
    // Where the version file is fetched; tests point these at a loopback server.
    QString host = common::web::host();
    quint16 port = 80;
    TransferTiming timing;
};

} // namespace zorrit::update
