# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes what KWin shows (its whole workspace, in logical pixels at scale 1) to standard output
as a binary PPM, through KWin's screenshot interface. KWin must run with
KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1, as the test sessions start it."""
import os
import sys
import threading

import dbus


def main():
    bus = dbus.SessionBus()
    shooter = dbus.Interface(bus.get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
                             "org.kde.KWin.ScreenShot2")
    read_end, write_end = os.pipe()
    chunks = []
    reader = threading.Thread(daemon=True, target=lambda: chunks.extend(
        iter(lambda: os.read(read_end, 1 << 16), b"")))
    reader.start()
    try:
        # KWin 6 cancels it where it composites without OpenGL (its virtual outputs here).
        result = shooter.CaptureWorkspace({"include-cursor": False, "native-resolution": False},
                                          dbus.types.UnixFd(write_end), timeout=5)
    except dbus.exceptions.DBusException as error:
        sys.exit(f"no screenshot: {error}")
    finally:
        os.close(write_end)
    reader.join(5)
    if reader.is_alive():
        sys.exit("no screenshot: KWin wrote none")
    data = b"".join(chunks)
    width, height, stride = int(result["width"]), int(result["height"]), int(result["stride"])
    # QImage::Format_ARGB32 or _RGB32 (5 or 4) in the machine's order: B, G, R, A in memory.
    out = bytearray()
    for y in range(height):
        row = data[y * stride:y * stride + width * 4]
        for x in range(0, len(row), 4):
            out += bytes((row[x + 2], row[x + 1], row[x]))
    sys.stdout.buffer.write(b"P6\n%d %d\n255\n" % (width, height) + bytes(out))


if __name__ == "__main__":
    main()
