# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit on a StatusNotifier panel: a private session bus with a watcher and host, and
the item driven as a panel drives it (Activate, the exported menu, the icon and tool tip)."""
import os
import sys
import unittest

try:
    import dbus
except ImportError:  # a python3 of one's own rather than Debian's, which has python3-dbus
    sys.path.append("/usr/lib/python3/dist-packages")
    import dbus

from harness import XTestCase, wait_until

ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"


class StatusNotifierPanel(XTestCase):
    def setUp(self):
        super().setUp()
        address = f"unix:path={self.x.root}/bus"
        self.x.spawn(["dbus-daemon", "--session", "--nofork", f"--address={address}"], log="dbus")
        self.assertTrue(wait_until(lambda: os.path.exists(f"{self.x.root}/bus"), 10), "no bus")
        self.x.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self.watcher = self.x.spawn([sys.executable, os.path.join(os.path.dirname(__file__),
                                                                  "status_notifier_watcher.py")],
                                    log="watcher")
        self.assertTrue(wait_until(lambda: "ready" in self.x.log(self.watcher), 10),
                        self.x.log(self.watcher))
        self.bus = dbus.bus.BusConnection(address)
        self.addCleanup(self.bus.close)

    def item(self):
        """The bus name and path zorrit registered with the watcher."""
        lines = [line.split() for line in self.x.log(self.watcher).splitlines()
                 if line.startswith("item ")]
        return (lines[-1][1], lines[-1][2]) if lines else None

    def layout(self, menu):
        """The exported menu as (label, toggle-state or None, id) of its items, in order."""
        _, (_, _, children) = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
        out = []
        for child in children:
            _, props, _ = child
            if props.get("type") == "separator":
                continue
            state = int(props["toggle-state"]) if props.get("toggle-type") == "checkmark" else None
            out.append((str(props.get("label", "")), state, int(child[0])))
        return out

    def click(self, menu, label):
        ids = [i for text, _, i in self.layout(menu) if text == label]
        self.assertEqual(len(ids), 1, f"{label} in {self.layout(menu)}")
        menu.Event(ids[0], "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0))

    def sprites_shown(self):
        return sum(1 for title in ("Zorrit", "p2", "p3", "p4", "p5")
                   for _ in self.x.find_windows(title))

    def test_a_panel_shows_the_icon_opens_the_preferences_and_drives_the_menu(self):
        zorrit = self.start_zorrit()
        self.assertTrailAt((400, 300))
        found = wait_until(self.item, 15)
        self.assertIsNotNone(found, f"no item registered: {self.x.log(self.watcher)}")
        name, path = found
        item = self.bus.get_object(name, path)
        props = dbus.Interface(item, PROPERTIES)

        # What the panel draws: the title, tool tip and icon in the sizes panels pick from; and a
        # click is an activation, not a menu.
        _, _, tip_title, _ = props.Get(ITEM, "ToolTip")
        self.assertEqual((str(props.Get(ITEM, "Title")), str(tip_title)), ("Zorrit", "Zorrit"))
        self.assertFalse(props.Get(ITEM, "ItemIsMenu"))
        pixmaps = {(int(w), int(h)): bytes(data) for w, h, data in props.Get(ITEM, "IconPixmap")}
        for size in (16, 22, 24, 32, 48, 64):
            self.assertIn((size, size), pixmaps, f"sizes: {sorted(pixmaps)}")
            data = pixmaps[(size, size)]
            self.assertEqual(len(data), size * size * 4)
            # ARGB, big-endian: a good part of the picture is opaque.
            opaque = sum(1 for i in range(0, len(data), 4) if data[i] > 128)
            self.assertGreater(opaque, size * size // 5, size)

        # A click on the icon opens the preferences.
        self.assertEqual(self.x.find_windows("Zorrit Preferences"), [])
        dbus.Interface(item, ITEM).Activate(dbus.Int32(500), dbus.Int32(10))
        self.assertIsNotNone(self.x.wait_role("Zorrit Preferences", "prefs", 10),
                             "Activate did not open the preferences")

        # The menu, with its default item, order and check marks.
        menu = dbus.Interface(self.bus.get_object(name, str(props.Get(ITEM, "Menu"))), MENU)
        self.assertEqual([(text, state) for text, state, _ in self.layout(menu)],
                         [("_Zorrit Preferences...", None), ("_Download new themes...", None),
                          ("_Load Theme...", None), ("_Use built-in theme", None),
                          ("Zorrit _On", 1), ("Zorrit O_ff", 0),
                          ("A_bout Zorrit...", None), ("_Quit", None)])
        self.click(menu, "Zorrit O_ff")
        self.assertTrue(wait_until(lambda: self.sprites_shown() == 0, 10), "sprites still shown")
        self.assertEqual([s for _, s, _ in self.layout(menu) if s is not None], [0, 1])
        self.click(menu, "Zorrit _On")
        self.assertTrue(wait_until(lambda: self.sprites_shown() == 5, 10), "sprites not back")
        self.assertEqual([s for _, s, _ in self.layout(menu) if s is not None], [1, 0])

        self.click(menu, "_Quit")
        self.assertIsNotNone(wait_until(lambda: zorrit.poll() is not None, 10), "did not quit")


if __name__ == "__main__":
    unittest.main()
