// SPDX-License-Identifier: GPL-3.0-or-later
// What an update check needs from the rest of the program; the composition root (ZorritApp) owns
// it for the whole run.
#pragma once

#include "common/maker_web.h"
#include "zorrit/shell/version_holder.h"
#include "zorrit/update/http_client.h"

#include <QObject>
#include <QString>

namespace platform {
class Dialogs;
class Shell;
} // namespace platform

namespace zorrit::update {

class UpdateContext final : public QObject
{
    Q_OBJECT

public:
    UpdateContext(shell::VersionHolder &versions, platform::Dialogs &dialogs,
                  platform::Shell &shell)
        : versions(versions)
        , dialogs(dialogs)
        , shell(shell)
    {
    }

    shell::VersionHolder &versions;
    platform::Dialogs &dialogs; // the beep of errupdate
    platform::Shell &shell;     // the about box's and yesupdate's links
    // Where the version file is fetched; tests point these at a loopback server.
    QString host = common::web::host();
    quint16 port = 80;
    TransferTiming timing;

Q_SIGNALS:
    // A check is starting (not one already running brought forward): the preferences close.
    void checkStarting();
};

} // namespace zorrit::update
