// SPDX-License-Identifier: GPL-3.0-or-later
// What every source of the compositor's pointer offers the choice at start: starting, the words
// when it stops, and the quit path.
#pragma once

#include "platform/pointer_source.h"

#include <QString>

namespace zorrit::pointer {

// What starting a source came to. A source that could not start says why in a whole sentence,
// which standard error shows as it stands.
struct StartResult
{
    bool started = false;
    QString failure;

    static StartResult ok() { return {true, {}}; }
    static StartResult failed(const QString &sentence) { return {false, sentence}; }
};

// A compositor's own way of telling Zorrit where the pointer is. Until it has reported, and
// whenever it stops, the X server's pointer stands in.
class CompositorSource : public platform::PointerSource
{
    Q_OBJECT

public:
    using PointerSource::PointerSource;

    // Begins to follow the pointer, at once or once the compositor lets it.
    [[nodiscard]] virtual StartResult start() = 0;
    // The last step of quitting: takes back whatever the source put into the compositor.
    virtual void unload() {}

Q_SIGNALS:
    // Stopped following, for now; `why` begins a sentence that goes on ", so the trail follows
    // the pointer only over X11 windows."
    void lost(const QString &why);
    // A line for standard error that needs no ending.
    void said(const QString &line);
    // A word to the user, shown once per user (`key` names its mark).
    void noticeWanted(const QString &key, const QString &text);
};

} // namespace zorrit::pointer
