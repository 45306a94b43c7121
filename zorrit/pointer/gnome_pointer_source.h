// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a GNOME Shell session: our companion extension reports it.
#pragma once

#include "bus_pointer_source.h"

#include <QVariantMap>

class QDBusServiceWatcher;

namespace zorrit::pointer {

class ShellExtensions;

// GNOME Shell 43 and later: the extension reports the pointer while it is active and Zorrit
// holds the bus name. Its state is followed as it changes: GNOME Shell may answer that it
// enabled the extension a moment before the extension runs (at log-in, say), and the user may
// turn it off and on while Zorrit runs.
class GnomePointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    // GNOME Shell's extension states (ExtensionState in its extensionUtils.js).
    enum State { Missing = 0, Active = 1, Inactive = 2, Failed = 3, OutOfDate = 4 };
    struct Extension
    {
        int state = Missing;
        bool enabled = false; // in the user's list; GNOME Shell 43 does not tell
        QString error;
    };

    explicit GnomePointerSource(QObject *parent = nullptr);
    ~GnomePointerSource() override;

    // Serves Moved and follows the extension; false (with the reason) when the bus refuses.
    bool start(QString *error);
    const Extension &extension() const { return m_extension; }

Q_SIGNALS:
    // The extension became active.
    void following();
    // The extension stopped reporting; says why.
    void lost(const QString &why);

private:
    void update(const QVariantMap &info);

    Extension m_extension;
    ShellExtensions *m_shell = nullptr;
    QDBusServiceWatcher *m_shellWatch = nullptr;
};

} // namespace zorrit::pointer
