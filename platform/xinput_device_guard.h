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

// Whether Qt may handle a "device changed" event for `deviceId` itself, given what the server
// says of the device now. Qt sets a device up again from such an event under the master that its
// own, later question names; a device that comes and goes (Xwayland's touch device comes and
// goes with the compositor's seat) may float or be gone by then, and Qt files it under no master
// and ends the program. So Qt gets the event only for a device it already has, which the server
// still calls a slave pointer of a master Qt knows. A new device is left to the hierarchy events,
// from which Qt reads the whole device list in one answer.
bool qtCanTakeUpDevice(int deviceId, const std::optional<InputDeviceInfo> &device,
                       const std::function<bool(int deviceId)> &qtKnowsDevice);

// Installed for the whole run, before the event loop starts. Off X11 it does nothing. It drops
// only the "device changed" events Qt could not file; Qt learns of such a device from the
// hierarchy event that adds or attaches it, so touch, tablets and smooth scrolling keep working
// in the dialogs.
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
};

} // namespace platform
