// SPDX-License-Identifier: GPL-3.0-or-later
// Where the trail's pointer comes from: the X server in an X11 session, the compositor's own
// source in a Wayland session that offers one, and a plain word to the user on any other.
#pragma once

#include "compositor_source.h"
#include "source_context.h"

#include <QObject>
#include <QString>

#include <memory>

namespace platform {
class Dialogs;
class SourcedWindowSystem;
} // namespace platform

namespace zorrit::pointer {

// The compositor's pointer for one run: chosen at start, followed while the compositor comes and
// goes (the X server's pointer stands in meanwhile, and standard error says so once each time),
// given up at quit.
class PointerChoice final : public QObject
{
    Q_OBJECT

public:
    PointerChoice(platform::SourcedWindowSystem &windows, platform::Dialogs &dialogs,
                  const QString &noticeFolder);
    ~PointerChoice() override;

    // In a Wayland session, the source the session offers (makeSessionSource), or the notice.
    void start(const SourceContext &context);
    // Starts `source`, a Wayland session's; null: the notice.
    void start(std::unique_ptr<CompositorSource> source);
    // Gives the pointer back to the X server and unloads what the source loaded: the quit path.
    // The source itself goes (and a bus name with it) with this object, after the trail.
    void stop();

    const CompositorSource *source() const { return m_source.get(); }

private:
    void notice(const QString &key, const QString &text);

    platform::SourcedWindowSystem &m_windows;
    platform::Dialogs &m_dialogs;
    QString m_noticeFolder;
    std::unique_ptr<CompositorSource> m_source;
};

} // namespace zorrit::pointer
