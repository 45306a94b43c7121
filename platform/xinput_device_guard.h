// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps Qt's X11 plugin from taking up an input device it cannot place, which ends the program on
// some Qt versions when a pointer device appears while it runs.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QtGlobal>

#include <functional>
#include <optional>

struct xcb_connection_t;

namespace platform {

// What the server says of the device a "device changed" event names.
struct InputDeviceInfo
{
    int type = 0;       // XInput 2 device use: master/slave pointer/keyboard, floating slave
    int attachment = 0; // the master a slave is attached to
};

// Whether Qt may set a device up as a new pointer from a "device changed" event: only a slave
// pointer attached to a master Qt knows. Anything else (a floating slave, a master, a keyboard,
// or a slave of a master Qt has not registered yet) Qt would file under a master it does not have.
bool qtCanTakeUpDevice(const std::optional<InputDeviceInfo> &device,
                       const std::function<bool(int deviceId)> &qtKnowsDevice);

// Installed for the whole run, before the event loop starts. Off X11 it does nothing. It drops
// only the "device changed" events Qt could not file; Qt learns of such a device from the
// hierarchy event that attaches it, so touch, tablets and smooth scrolling keep working in the
// dialogs.
class XInputDeviceGuard final : public QAbstractNativeEventFilter
{
public:
    XInputDeviceGuard();
    ~XInputDeviceGuard() override;
    XInputDeviceGuard(const XInputDeviceGuard &) = delete;
    XInputDeviceGuard &operator=(const XInputDeviceGuard &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::optional<InputDeviceInfo> queryDevice(int deviceId);

    xcb_connection_t *m_connection = nullptr;
    quint8 m_xinputOpcode = 0;
    bool m_keptDevice = false; // a device Qt has not taken up yet
};

} // namespace platform
