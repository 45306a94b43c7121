// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a GNOME Shell session: our companion extension reports it.
#pragma once

#include "bus_pointer_source.h"
#include "source_context.h"

#include <QTimer>
#include <QVariantMap>

class QDBusServiceWatcher;

namespace zorrit::pointer {

class ShellExtensions;

QString gnomeExtensionText();

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
    // How long an extension that is not active at start gets before the user is told how to
    // enable it: GNOME Shell says it enabled one a moment before it runs.
    static constexpr int kGraceMs = 3000;

    // Whether GNOME Shell is on the session bus.
    static bool found(const SourceContext &context);

    explicit GnomePointerSource(const SourceContext &context, QObject *parent = nullptr);
    ~GnomePointerSource() override;

    StartResult start() override;
    const Extension &extension() const { return m_extension; }

private:
    void update(const QVariantMap &info);
    void graceOver();

    Extension m_extension;
    ShellExtensions *m_shell = nullptr;
    QDBusServiceWatcher *m_shellWatch = nullptr;
    QTimer m_grace;
};

} // namespace zorrit::pointer
