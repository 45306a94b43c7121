// SPDX-License-Identifier: GPL-3.0-or-later
// The pointer in a KWin session: a script of ours, loaded into KWin, reports it.
#pragma once

#include "bus_pointer_source.h"
#include "source_context.h"

#include <QElapsedTimer>
#include <QTimer>

#include <optional>

class QDBusPendingCallWatcher;
class QDBusServiceWatcher;

namespace zorrit::pointer {

// KWin 5.27 and later: the script reports workspace.cursorPos when it changes, at most once a
// tick, to this copy's report connection, so that only this copy hears it. The copy that holds
// the well-known name runs the script: it loads it when the name comes (at once, or when the
// copy before it has ended) and again whenever KWin comes back (a restart of KWin loses its
// scripts), and unloads it in unload().
//
// A script unloaded behind our back leaves the trail where its last report put it. Its reports
// stopping looks like the pointer resting, so KWin is asked whether the script is still there
// when they stop: after a quarter of a second without reports while the trail moves (and once a
// second while that lasts), when the trail comes to rest, and when the resting trail's look
// once a second finds that Xwayland saw the pointer move (over an X11 window). Gone, the script
// is loaded again; where KWin refuses, the X server's pointer stands in, and stderr says why.
// A script unloaded while the trail rests, with the pointer then only over Wayland windows,
// goes unnoticed until the pointer passes an X11 window: nothing else costs nothing at rest.
class KWinPointerSource final : public BusPointerSource
{
    Q_OBJECT

public:
    static constexpr char kPluginName[] = "zorrit-pointer";
    // While the trail moves, reports that stop for this long mean a question to KWin, asked
    // again as often as this while they stay away.
    static constexpr int kQuietMs = 250;
    static constexpr int kAskAgainMs = 1000;

    // Whether KWin is on the session bus.
    static bool found(const SourceContext &context);

    explicit KWinPointerSource(const SourceContext &context, QObject *parent = nullptr);
    ~KWinPointerSource() override;

    StartResult start() override;
    void unload() override;
    // The script as loaded, calling `receiver`.
    static QByteArray scriptText(const QString &receiver);

protected:
    void watchSocket(bool watched) override;
    void moveUnreported() override { askWhetherLoaded(); }

private:
    std::optional<QString> load();
    void loadOrSayWhy();
    void lookForSilence();
    void askWhetherLoaded();
    void loadAgain();

    QString m_path;
    bool m_loaded = false;
    QDBusServiceWatcher *m_kwinWatch = nullptr;
    // The reports' silence, looked at on the GUI thread only.
    QTimer m_quiet;
    bool m_resting = false;
    quint32 m_reportsSeen = 0;
    QElapsedTimer m_askedAt; // in this silence; invalid until asked
    QDBusPendingCallWatcher *m_asking = nullptr;
};

} // namespace zorrit::pointer
