// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the report mapping up to date with the compositor's outputs and Xwayland's.
#pragma once

#include <QList>
#include <QMetaObject>
#include <QObject>

class QScreen;

namespace platform::wayland {
class WaylandOutputs;
}

namespace zorrit::pointer {

class OutputMapping;

// Under Wayland the compositor says where its outputs lie in logical pixels (on a Wayland
// connection of our own), and Xwayland, through Qt's screens, where they lie in root pixels.
// Where X11 programs scale themselves the two differ by the scale; this prepares the table the
// reports go through, on the GUI thread, whenever either side changes.
class OutputWatch final : public QObject
{
    Q_OBJECT

public:
    explicit OutputWatch(OutputMapping &mapping, QObject *parent = nullptr);
    ~OutputWatch() override;

    // Connects to the compositor; false (the reports then stay as they come) where it does not
    // describe its outputs.
    bool start();

private:
    void watchScreen(QScreen *screen);
    void update();

    OutputMapping &m_mapping;
    platform::wayland::WaylandOutputs *m_outputs = nullptr;
    QList<QMetaObject::Connection> m_screenWatch;
};

} // namespace zorrit::pointer
