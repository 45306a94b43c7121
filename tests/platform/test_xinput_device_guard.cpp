// SPDX-License-Identifier: GPL-3.0-or-later
// Which "device changed" events Qt's X11 plugin may handle itself.
#include "platform/xinput_device_guard.h"

#include <xcb/xinput.h>

#include <gtest/gtest.h>

#include <set>

using platform::InputDeviceInfo;

TEST(XInputDeviceGuard, QtGetsOnlyChangesOfPointersItHasUnderMastersItHas)
{
    // Qt has the master pointer 2, the master keyboard 3 and the slave pointer 6; 9 is new to
    // it, 4 is a master it lacks.
    const std::set<int> qtHas = {2, 3, 6};
    const auto qtKnows = [&](int id) { return qtHas.count(id) > 0; };
    const struct
    {
        int device;
        std::optional<InputDeviceInfo> server;
        bool qtHandles;
    } cases[] = {
        {6, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER, 2}, true},
        // A device Qt does not have yet, whatever the server says of it now: by the time Qt
        // asks again it may float or be gone. The hierarchy events bring it to Qt.
        {9, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER, 2}, false},
        {9, std::nullopt, false},
        // A device Qt has, which the server no longer knows, floats, is no pointer, or moved
        // under a master Qt lacks.
        {6, std::nullopt, false},
        {6, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_FLOATING_SLAVE, 0}, false},
        {6, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_SLAVE_KEYBOARD, 3}, false},
        {2, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_MASTER_POINTER, 3}, false},
        {6, InputDeviceInfo{XCB_INPUT_DEVICE_TYPE_SLAVE_POINTER, 4}, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "device " << c.device << " use " << (c.server ? c.server->type : -1)
                     << " attached to " << (c.server ? c.server->attachment : -1));
        EXPECT_EQ(platform::qtCanTakeUpDevice(c.device, c.server, qtKnows), c.qtHandles);
    }
}
