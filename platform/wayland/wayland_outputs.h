// SPDX-License-Identifier: GPL-3.0-or-later
// The compositor's outputs in its logical pixels, as it tells any Wayland client (xdg-output).
#pragma once

#include "platform/output_places.h"

#include <QObject>

#include <memory>
#include <vector>

class QSocketNotifier;
struct wl_display;

namespace platform::wayland {

struct OutputsState;

// A Wayland connection of our own, used for nothing but the outputs' list: each output's name,
// logical position and logical size, kept up to date as outputs come, go and change. Read on
// the GUI thread only, when the socket has something.
class WaylandOutputs final : public QObject
{
    Q_OBJECT

public:
    explicit WaylandOutputs(QObject *parent = nullptr);
    ~WaylandOutputs() override;

    // Connects to WAYLAND_DISPLAY and waits for the outputs once; false where there is no
    // compositor or it does not describe its outputs (no xdg-output).
    bool connect();
    // The outputs the compositor has fully described, in the order it announced them.
    std::vector<NamedRect> outputs() const;

Q_SIGNALS:
    // The list changed; also once when the compositor went away (the list then stays).
    void changed();

private:
    void readSocket();
    void disconnect();

    wl_display *m_display = nullptr;
    std::unique_ptr<OutputsState> m_state;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform::wayland
