# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit when a pointer device appears while it runs, as when a mouse is plugged in or
a Bluetooth mouse wakes: it runs on and its trail still follows the pointer."""
import unittest

from harness import XTestCase
from xinput_devices import Devices


class PointerDeviceAppears(XTestCase):
    def test_a_new_pointer_device_leaves_zorrit_running_and_the_trail_following(self):
        zorrit = self.start_zorrit()
        self.assertTrailAt((300, 300))  # at rest: the trail waits for the pointer's raw motion
        devices = Devices(self.x.display)
        self.addCleanup(devices.close)
        for n in range(3):
            devices.add_master(f"zorrit-e2e-{n}")
            self.assertTrailAt((400 + 100 * n, 350))
            self.assertIsNone(zorrit.poll(), self.x.log(zorrit))


if __name__ == "__main__":
    unittest.main()
