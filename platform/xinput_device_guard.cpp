// SPDX-License-Identifier: GPL-3.0-or-later
// The guard against "device changed" events that Qt's X11 plugin cannot file.
#include "xinput_device_guard.h"

#include "xcb_reply.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDevice>
#include <QLoggingCategory>

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

namespace platform {

namespace {

Q_LOGGING_CATEGORY(lcDevices, "zorrit.xinput", QtWarningMsg)

bool qtKnowsDeviceId(int deviceId)
{
    const auto devices = QInputDevice::devices();
    for (const QInputDevice *device : devices) {
        if (device->systemId() == deviceId)
            return true;
    }
    return false;
}

} // namespace

bool qtCanTakeUpDevice(int deviceId, const std::optional<InputDeviceInfo> &device,
                       const std::function<bool(int deviceId)> &qtKnowsDevice)
{
    return qtKnowsDevice(deviceId) && device && device->type == XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER
           && qtKnowsDevice(device->attachment);
}

XInputDeviceGuard::XInputDeviceGuard()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    const xcb_query_extension_reply_t *ext =
        xcb_get_extension_data(x11->connection(), &xcb_input_id);
    if (!ext || !ext->present)
        return;
    m_connection = x11->connection();
    m_xinputOpcode = ext->major_opcode;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XInputDeviceGuard::~XInputDeviceGuard()
{
    if (m_connection && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::optional<InputDeviceInfo> XInputDeviceGuard::queryDevice(int deviceId)
{
    // The same question Qt asks next: for device 0 (all devices) it takes the first answer.
    const auto cookie = xcb_input_xi_query_device(m_connection, quint16(deviceId));
    const XcbReply<xcb_input_xi_query_device_reply_t> reply(
        xcb_input_xi_query_device_reply(m_connection, cookie, nullptr));
    if (!reply || reply->num_infos == 0)
        return std::nullopt;
    const xcb_input_xi_device_info_t *info =
        xcb_input_xi_query_device_infos_iterator(reply.get()).data;
    return InputDeviceInfo{info->type, info->attachment};
}

bool XInputDeviceGuard::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto *event = static_cast<xcb_generic_event_t *>(message);
    if ((event->response_type & ~0x80) != XCB_GE_GENERIC)
        return false;
    auto *ge = reinterpret_cast<xcb_ge_generic_event_t *>(event);
    if (ge->extension != m_xinputOpcode)
        return false;
    if (ge->event_type == XCB_INPUT_HIERARCHY) {
        // Qt sets its devices up again when one is added or removed, but not when one is
        // attached to a master. A device that floated when it was added, and whose changes were
        // kept from Qt, is taken up properly, with its master, once it is attached.
        auto *hierarchy = reinterpret_cast<xcb_input_hierarchy_event_t *>(event);
        if (hierarchy->flags & XCB_INPUT_HIERARCHY_MASK_SLAVE_ATTACHED)
            hierarchy->flags |= XCB_INPUT_HIERARCHY_MASK_SLAVE_ADDED;
        return false;
    }
    if (ge->event_type != XCB_INPUT_DEVICE_CHANGED)
        return false;
    auto *changed = reinterpret_cast<xcb_input_device_changed_event_t *>(event);
    // A slave switching under its master only updates scrolling; Qt handles that well.
    if (changed->reason != XCB_INPUT_CHANGE_REASON_DEVICE_CHANGE)
        return false;
    // Only a device Qt has is worth the server's answer.
    const std::optional<InputDeviceInfo> device =
        qtKnowsDeviceId(changed->deviceid) ? queryDevice(changed->sourceid) : std::nullopt;
    if (qtCanTakeUpDevice(changed->deviceid, device, qtKnowsDeviceId))
        return false;
    qCDebug(lcDevices) << "kept a device change from Qt: device" << changed->deviceid << "source"
                       << changed->sourceid << "use" << (device ? device->type : -1)
                       << "attached to" << (device ? device->attachment : -1);
    return true;
}

} // namespace platform
