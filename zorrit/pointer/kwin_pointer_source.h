// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a KWin session: a script of ours, loaded into KWin, reports it.
#pragma once

#include "bus_pointer_source.h"
#include "source_context.h"

class QDBusServiceWatcher;

namespace zorrit::pointer {

// KWin 5.27 and later: the script reports workspace.cursorPos when it changes, at most once a
// tick, to this copy's report connection, so that only this copy hears it. The copy that holds
// the well-known name runs the script: it loads it when the name comes (at once, or when the
// copy before it has ended) and again whenever KWin comes back (a restart of KWin loses its
// scripts), and unloads it in unload().
class KWinPointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    static constexpr char kPluginName[] = "zorrit-pointer";

    // Whether KWin is on the session bus.
    static bool found(const SourceContext &context);

    explicit KWinPointerSource(const SourceContext &context, QObject *parent = nullptr);
    ~KWinPointerSource() override;

    StartResult start() override;
    void unload() override;
    // The script as loaded, calling `receiver`.
    static QByteArray scriptText(const QString &receiver);

private:
    std::optional<QString> load();
    void loadOrSayWhy();

    QString m_path;
    bool m_loaded = false;
    QDBusServiceWatcher *m_kwinWatch = nullptr;
};

} // namespace zorrit::pointer
