# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end test helpers: a private X server with a temporary home, the real programs, and the
X tools a person's eyes and hands stand in for (xdotool, xwininfo, xprop, import).

Every process started here is tracked by PID and ended in close(), whatever happened in the test.
Nothing touches the real HOME or the user's display.
"""
import json
import math
import os
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

BIN_DIR = os.environ.get("ZORRIT_BIN_DIR", os.path.join(os.path.dirname(__file__), "../../build/bin"))
SETTINGS_PREFIX = "HKCU\\Software\\ReDiroriro\\Data\\"


def program_line():
    """What `zorrit --version` prints: the version and build number CTest passes in, else those
    of the build's configured version.h."""
    version, build = os.environ.get("ZORRIT_VERSION"), os.environ.get("ZORRIT_BUILD_NUMBER")
    if not (version and build):
        header = os.path.join(BIN_DIR, "..", "common", "generated", "common", "version.h")
        with open(header) as f:
            text = f.read()
        version = re.search(r'display\(\)\s*\{\s*return QStringLiteral\("([^"]+)"\)', text).group(1)
        build = re.search(r"kBuild = (\d+);", text).group(1)
    return f"Zorrit {version} (Build {build})\n".encode()


def _read_line(fd, timeout):
    """The first line a process writes to the pipe (without its end); what came before the
    writer closed it or the time ran out."""
    deadline = time.monotonic() + timeout
    data = b""
    while b"\n" not in data:
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            break
        chunk = os.read(fd, 64)
        if not chunk:
            break
        data += chunk
    return data.split(b"\n", 1)[0].decode(errors="replace").strip()


def _alive(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            return f.read().rsplit(")", 1)[1].split()[0] != "Z"
    except OSError:
        return False


def repeating_timers(pid):
    """The intervals of a process's kernel timers (timerfd) that are armed to repeat."""
    found = []
    for fd in os.listdir(f"/proc/{pid}/fd"):
        try:
            if "timerfd" not in os.readlink(f"/proc/{pid}/fd/{fd}"):
                continue
            with open(f"/proc/{pid}/fdinfo/{fd}") as f:
                found += [line.split(":", 1)[1].strip() for line in f
                          if line.startswith("it_interval:") and "(0, 0)" not in line]
        except OSError:
            continue
    return found


def wait_until(predicate, timeout=10.0, interval=0.05):
    """Polls until predicate() returns something true; returns it, or None after the timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


class Geometry:
    def __init__(self, x, y, width, height, mapped, override_redirect=False):
        self.x, self.y, self.width, self.height, self.mapped = x, y, width, height, mapped
        self.override_redirect = override_redirect

    def __repr__(self):
        return f"Geometry({self.x}, {self.y}, {self.width}x{self.height}, mapped={self.mapped})"


class Screenshot:
    """The whole screen as raw RGB bytes."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_ppm(cls, ppm):
        """From a binary PPM of 8-bit samples, as grim -t ppm writes it."""
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        if not header:
            raise ValueError("not a PPM of 8-bit samples")
        return cls(int(header.group(1)), int(header.group(2)), ppm[header.end():])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def box(self, rgb):
        """The smallest rectangle (x, y, width, height) holding every pixel of exactly this
        colour, or None."""
        target, stride = bytes(rgb), self.width * 3
        found = None
        for y in range(self.height):
            row = self.data[y * stride:(y + 1) * stride]
            first = _aligned(row, target)
            if first is None:
                continue
            last = _aligned(row, target, last=True)
            x0, x1 = first // 3, last // 3 + 1
            if found:
                found = (min(found[0], x0), found[1], max(found[2], x1), y + 1)
            else:
                found = (x0, y, x1, y + 1)
        return found and (found[0], found[1], found[2] - found[0], found[3] - found[1])

    def count(self, rgb):
        """How many pixels have exactly this colour."""
        target, found, at = bytes(rgb), 0, 0
        while (at := self.data.find(target, at)) >= 0:
            if at % 3 == 0:
                found += 1
                at += 3
            else:
                at += 1
        return found

    def save_png(self, path):
        subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8",
                        "rgb:-", path], input=self.data, check=True)


def python_with(module):
    """A Python that can import `module`: this one, or Debian's where this one is another (a
    Python of the user's own that lacks Debian's python3-dbus, say)."""
    for python in (sys.executable, "/usr/bin/python3"):
        if python and subprocess.run([python, "-c", f"import {module}"],
                                     capture_output=True).returncode == 0:
            return python
    return sys.executable


# The sprites by their window titles, in trail order.
SPRITE_TITLES = ("Zorrit", "p2", "p3", "p4", "p5")


def _aligned(data, target, last=False):
    """Where `target` (a pixel's bytes) first or last stands in `data` at a whole pixel, or
    None."""
    start, end = 0, len(data)
    while True:
        at = data.rfind(target, start, end) if last else data.find(target, start, end)
        if at < 0:
            return None
        if at % 3 == 0:
            return at
        if last:
            end = at + len(target) - 1
        else:
            start = at + 1


# The start of a script that speaks to an X server through libX11 itself, with no other module.
_LIBX11 = r"""
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
"""

# Sends a client message as a program does, with nothing beyond libX11. Arguments: the display;
# the window it is about; "root" to send it to the root window (a request to the window manager)
# or "window" to send it to that window; the message's type; up to five numbers or atoms' names.
_CLIENT_MESSAGE_SCRIPT = _LIBX11 + r"""
x.XDefaultRootWindow.restype = ctypes.c_ulong
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                         ctypes.POINTER(Event)]
d = x.XOpenDisplay(sys.argv[1].encode())
window, to_root = int(sys.argv[2], 0), sys.argv[3] == "root"
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(d, sys.argv[4].encode(), 0)
event.xclient.format = 32
for k, value in enumerate(sys.argv[5:10]):
    event.xclient.data[k] = int(value) if value.isdigit() else x.XInternAtom(d, value.encode(), 0)
# To the window manager: SubstructureRedirect and SubstructureNotify on the root window.
x.XSendEvent(d, x.XDefaultRootWindow(d) if to_root else window, 0,
             (1 << 19) | (1 << 20) if to_root else 0, ctypes.byref(event))
x.XCloseDisplay(d)
"""


class XSession:
    """Xvfb on a free display, with a temporary HOME and XDG folders."""

    def __init__(self, width=1024, height=768):
        self._make_home(width, height)
        try:
            self.xvfb, self.display = self._start_xvfb(width, height, "xvfb")
        except RuntimeError:
            self.close()
            raise
        self.env["DISPLAY"] = self.display

    def _start_xvfb(self, width, height, log):
        """An Xvfb of this session that accepts connections: the process and its display."""
        # Xvfb takes the first free display itself (its lock file decides, so runs side by side
        # never pick the same one) and writes its number once it accepts connections.
        read_end, write_end = os.pipe()
        try:
            process = self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                  f"{width}x{height}x24", "-noreset", "-nolisten", "tcp"],
                                 log=log, pass_fds=(write_end,))
        finally:
            os.close(write_end)
        number = _read_line(read_end, 30)
        os.close(read_end)
        if not number.isdigit():
            raise RuntimeError("Xvfb did not start")
        display = f":{number}"
        env = dict(self.env, DISPLAY=display)
        wait_until(lambda: subprocess.run(["xdpyinfo"], env=env, stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL,
                                          **self._as_user()).returncode == 0, 10)
        return process, display

    def _make_home(self, width, height):
        """Temporary HOME, XDG folders and the environment of the programs; no display yet."""
        self.width, self.height = width, height
        self.root = tempfile.mkdtemp(prefix="zorrit-e2e-")
        self.home = os.path.join(self.root, "home")
        self.config = os.path.join(self.home, ".config")
        self.data = os.path.join(self.home, ".local", "share")
        self.runtime = os.path.join(self.root, "runtime")
        for d in (self.home, self.config, self.data, self.runtime):
            os.makedirs(d, exist_ok=True)
        os.chmod(self.runtime, 0o700)
        self.processes = []
        # Who the session's programs run as: None for ourselves, else (uid, gid).
        self.user = None
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "XDG_CONFIG_HOME": self.config,
            "XDG_DATA_HOME": self.data,
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_RUNTIME_DIR": self.runtime,
            "LANG": "C.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        }
        for key in ("ZORRIT_UPDATE_SERVER", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS",
                    "TSAN_OPTIONS"):
            if key in os.environ:
                self.env[key] = os.environ[key]

    # -- processes ---------------------------------------------------------------------------
    def spawn(self, argv, log=None, env=None, pass_fds=()):
        """Starts a process in this session; it is ended by close()."""
        out = open(os.path.join(self.root, f"{log or os.path.basename(argv[0])}.log"), "ab")
        process = subprocess.Popen(argv, env=env or self.env, stdout=out, stderr=subprocess.STDOUT,
                                   cwd=self.home, start_new_session=True, pass_fds=pass_fds,
                                   **self._as_user())
        process.log_path = out.name
        out.close()
        self.processes.append(process)
        return process

    def run(self, argv, check=True, timeout=30, input=None):
        return subprocess.run(argv, env=self.env, check=check, timeout=timeout, input=input,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, cwd=self.home,
                              **self._as_user())

    def _as_user(self):
        if not self.user:
            return {}
        return {"user": self.user[0], "group": self.user[1], "extra_groups": []}

    def _display_reporter(self, name, variables):
        """A script for a compositor to run once it is up: it writes `variables` as the
        compositor set them into a file, whole or not at all. Returns the script and the file."""
        display_file = os.path.join(self.root, name)
        reporter = os.path.join(self.root, f"report-{name}")
        with open(reporter, "w") as f:
            f.write(f'#!/bin/sh\necho "{variables}" > {display_file}.new\n'
                    f"mv {display_file}.new {display_file}\n")
        os.chmod(reporter, 0o755)
        return reporter, display_file

    def run_as_user(self, name):
        """From here on the session's programs run as `name` (made once when missing), who owns
        its folders: some compositors refuse to run as root."""
        import pwd
        try:
            entry = pwd.getpwnam(name)
        except KeyError:
            subprocess.run(["useradd", "--system", "--no-create-home", name], check=True)
            entry = pwd.getpwnam(name)
        self.user = (entry.pw_uid, entry.pw_gid)
        self._give_to_user()

    def _give_to_user(self):
        for folder, _, files in os.walk(self.root):
            for path in [folder] + [os.path.join(folder, f) for f in files]:
                os.chown(path, *self.user)

    def client_message(self, window, kind, *data, to="root", display=None):
        """A client message about `window` of `display` (the session's own by default), sent as
        a program does: to the window manager (`to="root"`) or to the window."""
        self.run(["python3", "-c", _CLIENT_MESSAGE_SCRIPT, display or self.display, str(window),
                  to, kind, *map(str, data)])

    def full_screen(self, window, on):
        """Asks the window manager to put `window` into full screen or out of it (EWMH), as the
        program itself would."""
        # The data: add or remove, the state, no second state, from an ordinary program.
        self.client_message(window, "_NET_WM_STATE", 1 if on else 0, "_NET_WM_STATE_FULLSCREEN",
                            0, 1)

    def log(self, process):
        with open(process.log_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def stop(self, process, timeout=5):
        if process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
            try:
                process.wait(timeout)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait(timeout)

    def zorrit_pids(self, program=None):
        """Running zorrit processes of this session (by their runtime folder), started by us or
        by the desktop's tools; `program` narrows it to one program file."""
        wanted = os.path.realpath(program or os.path.join(BIN_DIR, "zorrit"))
        marker = f"XDG_RUNTIME_DIR={self.runtime}".encode()
        parents = {}
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                if os.path.realpath(f"/proc/{entry}/exe") != wanted:
                    continue
                with open(f"/proc/{entry}/environ", "rb") as f:
                    if marker not in f.read().split(b"\0"):
                        continue
                with open(f"/proc/{entry}/stat") as f:
                    state, parent = f.read().rsplit(")", 1)[1].split()[:2]
                if state == "Z":
                    continue
            except OSError:
                continue
            parents[int(entry)] = int(parent)
        # A copy that starts a helper (the desktop database's refresh) is briefly two processes
        # of this program, until the child execs: the child is not another copy.
        return sorted(pid for pid, parent in parents.items() if parent not in parents)

    def stop_pid(self, pid, timeout=5):
        """Ends one process that this session's programs started, by its id."""
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.kill(pid, sig)
            except ProcessLookupError:
                return
            if wait_until(lambda: not _alive(pid), timeout):
                return

    def close(self):
        for process in reversed(self.processes):
            try:
                self.stop(process)
            except Exception:
                pass
        mouse = getattr(self, "mouse", None)
        if mouse:
            mouse.stdin.close()
            mouse.stdout.close()
        shutil.rmtree(self.root, ignore_errors=True)

    def _tell(self, line):
        """A line to the session's virtual mouse (a Wayland compositor's), which stays plugged
        in as a person's does and answers "ok" once the compositor has taken it."""
        self.mouse.stdin.write(line.encode() + b"\n")
        self.mouse.stdin.flush()
        if self.mouse.stdout.readline().strip() != b"ok":
            raise RuntimeError(f"the virtual mouse did not take {line!r}")

    # -- helpers on the desktop ------------------------------------------------------------
    def start_window_manager(self):
        process = self.spawn(["openbox", "--sm-disable"], log="openbox")
        wait_until(lambda: self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                    check=False).stdout.count(b"window id") > 0, 10)
        return process

    def start_compositor(self):
        process = self.spawn(["xcompmgr"], log="xcompmgr")
        wait_until(lambda: self.selection_owned("_NET_WM_CM_S0"), 10)
        return process

    def start_tray_host(self):
        """A panel holding only a system tray, at the bottom right; needs a window manager."""
        config = os.path.join(self.root, "tint2rc")
        with open(config, "w") as f:
            f.write(_TRAY_PANEL_CONFIG)
        process = self.spawn(["tint2", "-c", config], log="tint2")
        wait_until(lambda: self.selection_owned("_NET_SYSTEM_TRAY_S0"), 10)
        return process

    def selection_owned(self, name):
        # xprop cannot read selections; ask the X server through a tiny xdotool-free route.
        out = self.run(["python3", "-c", _SELECTION_OWNER_SCRIPT, self.display, name],
                       check=False).stdout.strip()
        return out not in (b"", b"0")

    # -- programs under test ----------------------------------------------------------------
    def zorrit(self, *args, cwd=None):
        return self.spawn([os.path.join(BIN_DIR, "zorrit"), *args], log="zorrit")

    def vandrel(self, *args):
        return self.spawn([os.path.join(BIN_DIR, "vandrel"), *args], log="vandrel")

    def settings_path(self):
        return os.path.join(self.config, "ReDiroriro", "settings.conf")

    def write_settings(self, values):
        """Stores settings by value name, as a previous run would have left them."""
        os.makedirs(os.path.dirname(self.settings_path()), exist_ok=True)
        with open(self.settings_path(), "w", encoding="utf-8") as f:
            for name, value in values.items():
                f.write(f"{SETTINGS_PREFIX}{name}={value}\n")
        if self.user:
            self._give_to_user()

    def read_settings(self):
        values = {}
        try:
            with open(self.settings_path(), encoding="utf-8", errors="replace") as f:
                for line in f:
                    line = line.rstrip("\n")
                    if line.startswith(SETTINGS_PREFIX) and "=" in line:
                        key, value = line.split("=", 1)
                        values[key[len(SETTINGS_PREFIX):]] = value
        except FileNotFoundError:
            pass
        return values

    # -- windows ---------------------------------------------------------------------------
    def find_windows(self, title, visible=True):
        argv = ["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--name", f"^{title}$"]
        out = self.run(argv, check=False).stdout.decode().split()
        return [int(w) for w in out]

    def explain_missing(self, title):
        """What the X server says of the windows named `title`, shown or not, and whether
        Zorrit still runs: for a failure's message."""
        found = self.run(["xdotool", "search", "--name", f"^{title}$"], check=False)
        lines = [f"windows named {title}: {found.stdout.decode().split()} "
                 f"{found.stderr.decode(errors='replace').strip()}"]
        for window in found.stdout.decode().split()[:6]:
            lines.append(f"  {window}: {self.geometry(int(window))}")
        lines.append(f"zorrit running: {self.zorrit_pids()}")
        return "\n".join(lines)

    def wait_window(self, title, timeout=10, visible=True):
        found = wait_until(lambda: self.find_windows(title, visible), timeout)
        return found[0] if found else None

    def wait_no_window(self, title, timeout=10):
        return wait_until(lambda: not self.find_windows(title), timeout) is not None

    def geometry(self, window):
        out = self.run(["xwininfo", "-id", str(window)], check=False).stdout.decode()
        fields = {}
        for line in out.splitlines():
            if ":" in line:
                key, _, value = line.strip().partition(":")
                fields[key.strip()] = value.strip()
        if "Absolute upper-left X" not in fields:
            return None
        return Geometry(int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                        int(fields["Width"]), int(fields["Height"]),
                        fields.get("Map State") == "IsViewable",
                        fields.get("Override Redirect State") == "yes")

    def position(self, title):
        window = self.wait_window(title)
        geometry = self.geometry(window) if window else None
        return (geometry.x, geometry.y) if geometry else None

    def wait_position(self, title, expected, timeout=10):
        return wait_until(lambda: self.position(title) == expected, timeout) is not None

    def wait_near(self, title, expected, slack, timeout=10):
        """Whether the window's top-left comes within `slack` pixels of `expected` (each way)."""
        def near():
            found = self.position(title)
            return found and all(abs(a - b) <= slack for a, b in zip(found, expected))
        return wait_until(near, timeout) is not None

    def root_point(self, x, y):
        """Where a point of the desktop lies in the X server's pixels; here they are the same."""
        return x, y

    def prop(self, window, name):
        out = self.run(["xprop", "-id", str(window), name], check=False).stdout.decode().strip()
        if "not found" in out or "no such atom" in out or "=" not in out:
            return None
        return out.split("=", 1)[1].strip()

    def role(self, window):
        value = self.prop(window, "WM_WINDOW_ROLE")
        return value.strip('"') if value else None

    def wait_role(self, title, role, timeout=10):
        """A visible window with this title and window role (the object name of our dialogs)."""
        def find():
            for window in self.find_windows(title):
                if self.role(window) == role:
                    return window
            return None
        return wait_until(find, timeout)

    # -- the tray icon and its menu -----------------------------------------------------------
    _TREE_LINE = re.compile(r'^\s*(0x[0-9a-f]+) "Zorrit": \("zorrit" "Zorrit"\)\s+(\d+)x(\d+)')

    def tray_icon(self):
        """The icon embedded in the tray host: a zorrit window titled like the lead sprite, deep
        in the host's window tree (xdotool does not search there), bigger than a point but not a
        20 x 20 sprite, nor the "Loading, please wait..." window of the same title."""
        tree = self.run(["xwininfo", "-root", "-tree"], check=False).stdout.decode()
        for line in tree.splitlines():
            match = self._TREE_LINE.match(line)
            if not match:
                continue
            size = (int(match.group(2)), int(match.group(3)))
            if size == (20, 20) or min(size) < 8 or max(size) > 64:
                continue
            geometry = self.geometry(int(match.group(1), 16))
            if geometry and geometry.mapped:
                return geometry
        return None

    def menu_open(self):
        """A visible pop-up of zorrit that is taller than any sprite: the tray menu (and not one
        of its dialogs)."""
        out = self.run(["xdotool", "search", "--onlyvisible", "--classname", "zorrit"],
                       check=False).stdout.decode().split()
        for window in out:
            geometry = self.geometry(int(window))
            if not geometry or not geometry.mapped or geometry.height <= 100:
                continue
            if geometry.override_redirect:  # a pop-up, not a managed dialog
                return geometry
        return None

    def choose_from_tray_menu(self, icon, mnemonic):
        """Right-clicks the icon and picks a menu item by its mnemonic; False when the menu did
        not open or did not close again."""
        # A click that comes hard on the heels of the last menu closing may land while the pointer
        # grab is still being released; a person would simply click again.
        for _ in range(3):
            self.run(["xdotool", "mousemove", str(icon.x + icon.width // 2),
                      str(icon.y + icon.height // 2), "click", "3"])
            if wait_until(self.menu_open, 3):
                break
        else:
            return False
        self.run(["xdotool", "key", mnemonic])
        return wait_until(lambda: not self.menu_open(), 10) is not None

    # -- input -----------------------------------------------------------------------------
    def move_pointer(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y)])

    def key(self, window, *keys):
        """Types keys into a window as a person would (XTEST), after giving it the focus."""
        self.run(["xdotool", "windowactivate", "--sync", str(window)], check=False, timeout=5)
        self.run(["xdotool", "windowfocus", "--sync", str(window)], check=False, timeout=5)
        wait_until(lambda: self.run(["xdotool", "getwindowfocus"], check=False).stdout.strip()
                   == str(window).encode(), 3)
        time.sleep(0.1)
        self.run(["xdotool", "key", *keys], check=False)

    # -- the screen ------------------------------------------------------------------------
    def screenshot(self):
        data = self.run(["import", "-window", "root", "-depth", "8", "rgb:-"]).stdout
        return Screenshot(self.width, self.height, data)


_SELECTION_OWNER_SCRIPT = _LIBX11 + r"""
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
d = x.XOpenDisplay(sys.argv[1].encode())
print(x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[2].encode(), 0)) if d else 0)
"""


class XTestCase(unittest.TestCase):
    """A test with its own X session, closed after the test however it ends."""

    def setUp(self):
        self.x = XSession()
        self.addCleanup(self.x.close)

    def start_zorrit(self, *args, first_run_done=True, settings=None):
        values = dict(settings or {})
        if first_run_done:
            values.setdefault("Scroll", "No")
        if values:
            existing = self.x.read_settings()
            existing.update(values)
            self.x.write_settings(existing)
        process = self.x.zorrit(*args)
        self.addCleanup(self.x.stop, process)
        self.zorrit_process = process  # the latest, whose log a failure shows
        return process

    def assertPacedByTheServersClock(self, pid, points):
        """While the trail follows a pointer that keeps moving along `points`, each tick waits on
        the X server's clock and wakes once: the tick thread's own timer is never armed to
        repeat."""
        before = self.x.position("p5")
        for px, py in points:
            self.x.move_pointer(px, py)
            self.assertEqual(repeating_timers(pid), [], "the trail's own timer paces its ticks")
        self.assertNotEqual(self.x.position("p5"), before, "the trail did not move")

    def assertTrailAt(self, pointer, timeout=15):
        """The lead sprite rests below-right of a resting pointer; so does the last one."""
        px, py = pointer
        self.x.move_pointer(px, py)
        self.assertTrue(self.x.wait_position("Zorrit", (px + 12, py + 19), timeout),
                        f"main1 at {self.x.position('Zorrit')}")
        self.assertTrue(self.x.wait_position("p5", (px + 20, py + 75), timeout),
                        f"p5 at {self.x.position('p5')}")


def _make_x11_socket_folder():
    """A compositor's Xwayland needs the X sockets' folder; in a fresh chroot no X server has
    made it yet when this is the first session to start. Mutter and KWin refuse one that the
    unprivileged user of a wlroots session made: it goes back to root."""
    if not os.path.isdir("/tmp/.X11-unix"):
        os.makedirs("/tmp/.X11-unix", exist_ok=True)
        os.chmod("/tmp/.X11-unix", 0o1777)
    elif os.geteuid() == 0 and os.stat("/tmp/.X11-unix").st_uid != 0:
        os.chown("/tmp/.X11-unix", 0, 0)
        os.chmod("/tmp/.X11-unix", 0o1777)


def _kwin_version(kwin):
    found = re.search(r"(\d+)\.(\d+)", subprocess.run([kwin, "--version"], capture_output=True,
                                                      text=True).stdout)
    return (int(found.group(1)), int(found.group(2))) if found else (0, 0)


def _root_width(session):
    found = re.search(r"dimensions:\s+(\d+)x", session.run(["xdpyinfo"]).stdout.decode())
    return int(found.group(1)) if found else None


class KWinSession(XSession):
    """A headless KWin (Wayland) with its Xwayland, on a private session bus, with a temporary
    home. The pointer moves through KWin's fake-input protocol, as a real mouse's would: over
    Wayland windows and the desktop, where the X server does not see it."""

    def __init__(self, width=1280, height=1024, scale=1, self_scaling=False, outputs=1,
                 output_scales=None, in_windows=True):
        """`width` and `height` are each output's size (KWin 6: in logical pixels), `scale`
        every output's scale; with `self_scaling` X11 programs scale themselves (Plasma's "Apply
        scaling themselves"), so Xwayland's pixels are device pixels. KWin 6 can instead give
        each output a scale of its own (`output_scales`), each `width` x `height` device
        pixels, side by side. Unless `in_windows` is false, KWin 6 shows its outputs in windows
        of an Xvfb, where what it shows can be seen."""
        self._make_home(width, height)
        # KWin offers a layer shell, so the sprites are its surfaces, not X11 windows: they are
        # found in KWin's screenshots by their colours, those of a theme of solid squares.
        self.sprite_colours = None
        self.scale, self.self_scaling, self.outputs = scale, self_scaling, outputs
        self.output_scales, self.in_windows = output_scales, in_windows
        if output_scales:
            self.outputs = len(output_scales)
        try:
            self._start_kwin()
        except Exception:
            self.close()
            raise

    def _start_kwin(self):
        bus = os.path.join(self.runtime, "bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={bus}"
        self.spawn(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                    f"--address=unix:path={bus}"], log="dbus")
        if not wait_until(lambda: os.path.exists(bus), 10):
            raise RuntimeError("the session bus did not start")
        # KWin lets a program use fake input only when its desktop entry asks for it.
        self.fake_pointer = os.environ.get("ZORRIT_FAKE_POINTER", "")
        applications = os.path.join(self.data, "applications")
        os.makedirs(applications, exist_ok=True)
        with open(os.path.join(applications, "zorrit-e2e-fake-pointer.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Fake pointer\nNoDisplay=true\n"
                    f"Exec={self.fake_pointer}\nX-KDE-Wayland-Interfaces=org_kde_kwin_fake_input\n")
        # KWin 6 finds desktop entries only through a menu; a bare system has none.
        menus = os.path.join(self.config, "menus")
        os.makedirs(menus, exist_ok=True)
        with open(os.path.join(menus, "applications.menu"), "w") as f:
            f.write(_APPLICATIONS_MENU)
        # The installed binary carries a file capability that a container refuses to execute.
        kwin = os.path.join(self.root, "kwin_wayland")
        shutil.copy(shutil.which("kwin_wayland"), kwin)
        # KWin starts this once its Xwayland runs, with DISPLAY set to it; KWin runs on after it.
        reporter, display_file = self._display_reporter("display", "$DISPLAY")
        # KWin 6 holds the pointer back by 100 px where it crosses from one output to the next
        # (its edge barrier): the tests' moves go where they say.
        settings = "[EdgeBarrier]\nEdgeBarrier=0\nCornerBarrier=false\n"
        if self.self_scaling:
            settings += f"[Xwayland]\nScale={self.scale}\n"
        with open(os.path.join(self.config, "kwinrc"), "w") as f:
            f.write(settings)
        # KWin 6's virtual outputs composite without OpenGL where there is no GPU's render node,
        # and KWin then takes no screenshot. KWin 6 runs in windows of an Xvfb of its own
        # instead, one per output, which show what it shows, pixel for pixel.
        self.outer_display = None
        if _kwin_version(kwin) >= (6, 0) and self.in_windows:
            self.outer_xvfb, self.outer_display = self._start_xvfb(
                self.outputs * self._window_width(), round(self.height * self.scale),
                "outer-xvfb")
            backend = ["--x11-display", self.outer_display]
        elif self.output_scales:
            raise RuntimeError("KWin 5 gives every output the same scale")
        else:
            backend = ["--virtual"]
        if self.output_scales or (self.scale != 1 and (_kwin_version(kwin) >= (6, 7)
                                                       or self.outer_display)):
            self._write_output_config()
        self.wayland_display = "wayland-zorrit-e2e"
        _make_x11_socket_folder()
        # The tests' screenshots (a program's screenshot otherwise needs a desktop entry of its
        # own that KWin trusts).
        self.env["KWIN_SCREENSHOT_NO_PERMISSION_CHECKS"] = "1"
        self.kwin = self.spawn([kwin, *backend, "--xwayland", "--no-lockscreen",
                                "--socket", self.wayland_display, "--width", str(self.width),
                                "--height", str(self.height), "--scale", str(self.scale),
                                "--output-count", str(self.outputs), reporter], log="kwin",
                               env=dict(self.env, DISPLAY=self.outer_display)
                               if self.outer_display else None)

        def display():
            try:
                with open(display_file) as f:
                    return f.read().strip()
            except FileNotFoundError:
                return None
        self.display = wait_until(display, 60)
        if not self.display:
            raise RuntimeError("KWin's Xwayland did not start:\n" + self.log(self.kwin)[-2000:])
        self.env["DISPLAY"] = self.display
        self.env["WAYLAND_DISPLAY"] = self.wayland_display
        wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, 10)
        if self.outer_display:
            self._lay_out_output_windows()
        # The mouse stays plugged in: KWin's seat keeps a pointer, whose focus a window keeps
        # between moves, as with a person's mouse.
        self.mouse = subprocess.Popen([self.fake_pointer], env=self.env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE, start_new_session=True)
        self.processes.append(self.mouse)

    def _outer(self, argv):
        return subprocess.run(argv, env=dict(self.env, DISPLAY=self.outer_display), check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)

    def _lay_out_output_windows(self):
        """KWin opens its outputs' windows one over another: they go side by side, in the order
        of the outputs, as KWin lays the outputs out."""
        def windows():
            tree = self._outer(["xwininfo", "-root", "-children"]).stdout.decode()
            found = re.findall(r"^\s+(0x[0-9a-f]+) \"KDE Wayland Compositor", tree, re.M)
            return found if len(found) == self.outputs else None
        found = wait_until(windows, 30)
        if not found:
            raise RuntimeError("KWin's output windows did not open:\n"
                               + self.log(self.kwin)[-2000:])
        self.output_windows = sorted(found, key=lambda w: int(w, 16))
        for k, window in enumerate(self.output_windows):
            self._outer(["xdotool", "windowmove", window, str(k * self._window_width()), "0"])

    def _window_width(self):
        """The device pixels of an output's window across."""
        return self.width if self.output_scales else round(self.width * self.scale)

    def _write_output_config(self):
        # KWin 6.7's outputs take the scale times the size as their mode but keep a scale of 1,
        # where 6.3's take the scale itself; it reads each output's scale from this file.
        scales = self.output_scales or [self.scale] * self.outputs
        width, height = self._window_width(), round(self.height * self.scale)
        connector = "X11" if self.outer_display else "Virtual"
        outputs = [{"connectorName": f"{connector}-{k}", "scale": scale,
                    "mode": {"width": width, "height": height, "refreshRate": 60000}}
                   for k, scale in enumerate(scales)]
        # Side by side, each as wide as its logical pixels.
        lefts = [round(sum(width / s for s in scales[:k])) for k in range(self.outputs)]
        places = [{"enabled": True, "outputIndex": k, "priority": k,
                   "position": {"x": lefts[k], "y": 0}} for k in range(self.outputs)]
        with open(os.path.join(self.config, "kwinoutputconfig.json"), "w") as f:
            json.dump([{"name": "outputs", "data": outputs},
                       {"name": "setups", "data": [{"lidClosed": False, "outputs": places}]}], f)

    def move_pointer(self, x, y):
        self._tell(f"{x} {y}")

    def click(self):
        self._tell("click")

    def shot(self, output=None):
        """What KWin shows: the whole layout in logical pixels (where the outputs' scales
        differ, in device pixels, which the first output's are), or one output of KWin 6
        ("X11-0", "X11-1", ...) in its own pixels."""
        if not output:
            return Screenshot.from_ppm(self.screenshot_ppm())
        window = self.output_windows[int(output.rsplit("-", 1)[1])]
        return Screenshot.from_ppm(
            self._outer(["import", "-window", window, "-depth", "8", "ppm:-"]).stdout)

    def remove_output(self, output):
        """KWin 6 lets an output go when its window is closed."""
        window = self.output_windows[int(output.rsplit("-", 1)[1])]
        self.client_message(window, "WM_PROTOCOLS", "WM_DELETE_WINDOW", to="window",
                            display=self.outer_display)
        if not wait_until(lambda: window not in self._outer(
                ["xwininfo", "-root", "-children"]).stdout.decode(), 10):
            raise RuntimeError(f"{output} stays")

    def screenshot_ppm(self):
        """What KWin shows, in its logical pixels."""
        if self.outer_display:
            self.last_miss = None
            shot = self._outer(["import", "-window", "root", "-depth", "8", "ppm:-"]).stdout
            if self.scale == 1:
                return shot
            # Down to logical pixels by the nearest device pixel, so colours stay whole.
            return subprocess.run(["convert", "ppm:-", "-sample",
                                   f"{self.outputs * self.width}x{self.height}!", "ppm:-"],
                                  input=shot, stdout=subprocess.PIPE, check=True).stdout
        script = os.path.join(os.path.dirname(__file__), "wayland", "kwin_screenshot.py")
        shot = self.run([python_with("dbus"), script], check=False)
        self.last_miss = None if shot.returncode == 0 else shot.stderr.decode(errors="replace")
        return shot.stdout if shot.returncode == 0 else None

    def find_windows(self, title, visible=True):
        if not self.sprite_colours or title not in SPRITE_TITLES:
            return super().find_windows(title, visible)
        return [title] if self.position(title) else []

    def position(self, title):
        if not self.sprite_colours or title not in SPRITE_TITLES:
            return super().position(title)
        # KWin may refuse a screenshot now and then (one already under way): asked again.
        for _ in range(3):
            shot = self.screenshot_ppm()
            if shot:
                break
            time.sleep(0.2)
        if not shot:
            return None
        box = Screenshot.from_ppm(shot).box(self.sprite_colours[SPRITE_TITLES.index(title)])
        if not box:
            self.last_miss = f"{title}'s colour is not in KWin's screenshot"
        return box[:2] if box else None

    def root_point(self, x, y):
        if self.sprite_colours:
            return x, y  # the sprites are placed in KWin's logical pixels
        # The outputs lie side by side, each `width` logical pixels wide; where X11 programs
        # scale themselves, Xwayland's pixels are the logical ones times Xwayland's scale. KWin
        # 6.7 sets that to the outputs' scale whatever it is asked, and writes it down.
        try:
            with open(os.path.join(self.config, "kwinrc")) as f:
                taken = re.search(r"^Scale=(\S+)$", f.read(), re.M)
        except FileNotFoundError:
            taken = None
        factor = float(taken.group(1)) if taken and self.scale != 1 else 1
        return int(x * factor), int(y * factor)

    def kwin_call(self, method, *args):
        """A call to KWin's scripting over the session bus; the reply's value, e.g. "boolean true"."""
        argv = ["dbus-send", "--session", "--print-reply", "--dest=org.kde.KWin", "/Scripting",
                f"org.kde.kwin.Scripting.{method}", *args]
        lines = self.run(argv, check=False).stdout.decode().strip().splitlines()
        return lines[-1].strip() if len(lines) > 1 else None

    def script_loaded(self, plugin="zorrit-pointer"):
        return self.kwin_call("isScriptLoaded", f"string:{plugin}") == "boolean true"


_TRAY_PANEL_CONFIG = """panel_items = S
panel_position = bottom right horizontal
panel_size = 0 24
panel_shrink = 1
panel_margin = 0 0
panel_padding = 0 0 0
panel_layer = top
wm_menu = 0
autohide = 0
strut_policy = follow_size
systray_padding = 0 0 0
systray_icon_size = 24
systray_monitor = 1
"""

_APPLICATIONS_MENU = """<!DOCTYPE Menu PUBLIC "-//freedesktop//DTD Menu 1.0//EN"
 "http://www.freedesktop.org/standards/menu-spec/1.0/menu.dtd">
<Menu>
  <Name>Applications</Name>
  <DefaultAppDirs/>
  <DefaultDirectoryDirs/>
  <Include><All/></Include>
</Menu>
"""

_SYSTEM_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path={path}</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*"/><allow receive_sender="*"/><allow own="*"/>
  </policy>
</busconfig>
"""


class GnomeSession(XSession):
    """A headless GNOME Shell (Wayland) with its Xwayland, on private session and system buses,
    with a temporary home. The pointer moves through Mutter's remote-desktop interface."""

    def __init__(self, width=1280, height=1024, extensions=(), scale=1, fractional=False,
                 self_scaling=False):
        """`width` and `height` are the virtual monitor's mode, `scale` its scale. `fractional`
        lays monitors out in logical pixels (Mutter's scale-monitor-framebuffer), which allows a
        scale such as 1.5; with `self_scaling` X11 programs scale themselves (Mutter's
        xwayland-native-scaling, GNOME 47 and later). Either as None: as Mutter does without
        being asked (GNOME 49 and later give no choice), found from Xwayland's root size."""
        self._make_home(width, height)
        self.scale, self.fractional, self.self_scaling = scale, fractional, self_scaling
        try:
            # GNOME Shell finds a user's extensions when it starts.
            for extension in extensions:
                shutil.copytree(extension, os.path.join(self.data, "gnome-shell", "extensions",
                                                        os.path.basename(extension)))
            self._start_shell()
        except Exception:
            self.close()
            raise

    def _bus(self, name, argv):
        path = os.path.join(self.runtime, name)
        self.spawn(["dbus-daemon", "--nofork", "--nopidfile", *argv(path)], log=name)
        if not wait_until(lambda: os.path.exists(path), 10):
            raise RuntimeError(f"the {name} did not start")
        return f"unix:path={path}"

    def _start_shell(self):
        config = os.path.join(self.root, "system-bus.conf")
        with open(config, "w") as f:
            f.write(_SYSTEM_BUS_CONFIG.format(path=os.path.join(self.runtime, "system_bus")))
        self.env["DBUS_SYSTEM_BUS_ADDRESS"] = self._bus(
            "system_bus", lambda path: [f"--config-file={config}"])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._bus(
            "bus", lambda path: ["--session", f"--address=unix:path={path}"])
        _make_x11_socket_folder()
        # The pointer moves by way of the top-left corner (see move_pointer), where the hot
        # corner would open the overview at every move, taking the pointer off X11 windows.
        self.run(["gsettings", "set", "org.gnome.desktop.interface", "enable-hot-corners",
                  "false"])
        features = [name for name, on in (("scale-monitor-framebuffer", self.fractional),
                                          ("xwayland-native-scaling", self.self_scaling)) if on]
        if features:
            self.run(["gsettings", "set", "org.gnome.mutter", "experimental-features",
                      str(features)])
        self.shell = self.spawn(["gnome-shell", "--headless", "--wayland", "--virtual-monitor",
                                 f"{self.width}x{self.height}"], log="gnome-shell")

        def display():
            found = re.search(r"Using public X11 display (:\d+)", self.log(self.shell))
            auth = [n for n in os.listdir(self.runtime) if n.startswith(".mutter-Xwaylandauth.")]
            return (found.group(1), auth[0]) if found and auth else None
        started = wait_until(display, 60)
        if not started:
            raise RuntimeError("GNOME Shell's Xwayland did not start:\n"
                               + self.log(self.shell)[-2000:])
        self.display = started[0]
        self.env["DISPLAY"] = self.display
        self.env["XAUTHORITY"] = os.path.join(self.runtime, started[1])
        self.env["WAYLAND_DISPLAY"] = "wayland-0"
        wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, 30)
        wait_until(lambda: self.shell_call("GetExtensionInfo", "nobody@example") is not None, 30)
        self._pointer = None
        self._factor = None
        if self.scale != 1:
            monitors = self.set_scales(self.scale)
            if self.fractional is None or self.self_scaling is None:
                self._factor = self._measured_factor(monitors[0][2] / monitors[0][4])

    def _measured_factor(self, logical_width):
        """Xwayland's pixels per logical pixel, once its root has taken the new scale."""
        widths = []

        def settled():
            widths.append(_root_width(self))
            return len(widths) > 2 and widths[-1] == widths[-2] == widths[-3]
        wait_until(settled, 10, interval=0.5)
        return widths[-1] / logical_width

    def root_point(self, x, y):
        # Remote-desktop moves go in logical pixels. Laid out in device pixels (fractional
        # scaling off), the desktop's and Xwayland's pixels are device pixels; laid out in
        # logical pixels, Xwayland's are those too unless X11 programs scale themselves, and
        # then they are device pixels of the largest scale, rounded up.
        if self._factor is not None:
            factor = self._factor
        elif not self.fractional:
            factor = self.scale
        elif self.self_scaling:
            factor = math.ceil(self.scale)
        else:
            factor = 1
        return int(x * factor), int(y * factor)

    def set_scales(self, *scales):
        """Scales the monitors, left to right; Mutter's logical monitors as (x, y, width,
        height, scale), the width and height in device pixels."""
        script = os.path.join(os.path.dirname(__file__), "wayland", "mutter_monitors.js")
        out = self.run(["gjs", script, *map(str, scales)]).stdout.decode().split("\n")
        return [tuple(float(v) for v in line.split()) for line in out if line.strip()]

    def shell_call(self, method, *args):
        """A call to GNOME Shell's extension interface; its reply as text, None on an error."""
        result = self.run(["gdbus", "call", "--session", "--dest", "org.gnome.Shell",
                           "--object-path", "/org/gnome/Shell", "--method",
                           f"org.gnome.Shell.Extensions.{method}", *args], check=False)
        return result.stdout.decode() if result.returncode == 0 else None

    def leave_overview(self):
        """GNOME Shell opens its overview, where no window has the focus, once it has started
        (later in newer versions): closed as soon as it shows, until it has stayed closed for a
        second and a half."""
        def call(method, *args):
            return self.run(["gdbus", "call", "--session", "--dest", "org.gnome.Shell",
                             "--object-path", "/org/gnome/Shell", "--method",
                             f"org.freedesktop.DBus.Properties.{method}", "org.gnome.Shell",
                             "OverviewActive", *args], check=False).stdout.decode()
        closed_since = None
        deadline = time.monotonic() + 15
        while time.monotonic() < deadline:
            if "true" in call("Get"):
                call("Set", "<false>")
                closed_since = None
            elif closed_since is None:
                closed_since = time.monotonic()
            elif time.monotonic() - closed_since > 1.5:
                return
            time.sleep(0.25)

    def move_pointer(self, x, y):
        if self._pointer is None:
            script = os.path.join(os.path.dirname(__file__), "wayland", "mutter_pointer.js")
            self._pointer = subprocess.Popen(["gjs", script], env=self.env, cwd=self.home,
                                             stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                             start_new_session=True)
            self.processes.append(self._pointer)
        self._pointer.stdin.write(f"{x} {y}\n".encode())
        self._pointer.stdin.flush()
        if self._pointer.stdout.readline().strip() != b"ok":
            raise RuntimeError("the pointer did not move")


class WlrootsSession(XSession):
    """A headless sway, labwc or wayfire (Wayland), with its Xwayland unless told otherwise, run
    as an unprivileged user with a temporary home. The pointer moves through a virtual mouse
    that stays plugged in (ZORRIT_WLR_POINTER), over Wayland windows and the desktop alike."""

    USER = "zorrit-e2e"

    def __init__(self, compositor, width=1280, height=720, xwayland=True, outputs=1, env=None):
        """`outputs` headless outputs of `width` x `height` side by side; `env` is more of the
        compositor's environment (WLR_NO_HARDWARE_CURSORS, say). Without `xwayland` there is no
        X display: `display` is None and Qt programs run on Wayland."""
        self._make_home(width, height)
        self.compositor = compositor
        try:
            if os.geteuid() == 0:
                self.run_as_user(self.USER)
            self._start(xwayland, outputs, env or {})
        except Exception:
            self.close()
            raise

    def _start(self, xwayland, outputs, env):
        self.env.update({"WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1",
                         "WLR_RENDERER": "pixman", "XDG_CURRENT_DESKTOP": self.compositor})
        if not xwayland:
            del self.env["QT_QPA_PLATFORM"]
        compositor_env = dict(self.env, WLR_HEADLESS_OUTPUTS=str(outputs), **env)
        # The compositor runs this once it starts, with its Wayland and X11 displays set ("-"
        # for none).
        reporter, display_file = self._display_reporter(
            "displays", "$WAYLAND_DISPLAY ${DISPLAY:--} ${SWAYSOCK:--}")
        if self.compositor == "sway":
            config = os.path.join(self.root, "sway.conf")
            places = "".join(f"output HEADLESS-{k + 1} resolution {self.width}x{self.height} "
                             f"pos {k * self.width} 0\n" for k in range(outputs))
            with open(config, "w") as f:
                f.write(f"xwayland {'enable' if xwayland else 'disable'}\n{places}"
                        f"exec {reporter}\n")
            argv = ["sway", "-c", config]
        elif self.compositor == "wayfire":
            argv = ["wayfire", "-c", self._write_wayfire_config(reporter, xwayland, outputs)]
        else:
            if not xwayland:
                raise unittest.SkipTest(f"{self.compositor} always runs Xwayland here")
            folder = os.path.join(self.config, "labwc")
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "autostart"), "w") as f:
                f.write(f"{reporter} &\n")
            argv = ["labwc"]
        if self.user:
            self._give_to_user()
        self.wayland = self.spawn(argv, log=self.compositor, env=compositor_env)

        def displays():
            try:
                with open(display_file) as f:
                    return f.read().split()
            except FileNotFoundError:
                return None
        found = wait_until(lambda: displays() or self.wayland.poll() is not None, 30)
        found = displays()
        if not found or len(found) < 3:
            if self.wayland.poll() is not None and "Failed to get DRM file descriptor" in self.log(
                    self.wayland):
                # Wayfire before 0.10 renders nothing without a DRM render node.
                raise unittest.SkipTest(f"{self.compositor} needs a DRM render node here")
            raise RuntimeError(f"{self.compositor} did not start:\n"
                               + self.log(self.wayland)[-2000:])
        self.env["WAYLAND_DISPLAY"] = found[0]
        self.display = None if found[1] == "-" else found[1]
        if found[2] != "-":
            self.env["SWAYSOCK"] = found[2]
        if self.display:
            self.env["DISPLAY"] = self.display
            if not wait_until(lambda: self.run(["xdpyinfo"], check=False).returncode == 0, 20):
                raise RuntimeError("Xwayland did not start")
        pointer = os.environ.get("ZORRIT_WLR_POINTER", "")
        self.mouse = subprocess.Popen([pointer], env=self.env, stdin=subprocess.PIPE,
                                      stdout=subprocess.PIPE, start_new_session=True,
                                      **self._as_user())
        self.processes.append(self.mouse)
        if self.mouse.stdout.readline().strip() != b"ready":
            raise RuntimeError("the virtual mouse did not start")
        self.extent = (self.width * outputs, self.height)

    def _write_wayfire_config(self, reporter, xwayland, outputs):
        """Wayfire's own file: Xwayland and the layer shell are its core's, the list of windows
        and running the reporter are plugins, and each output gets its place in the layout."""
        config = os.path.join(self.root, "wayfire.ini")
        places = "".join(f"[output:HEADLESS-{k + 1}]\nmode = {self.width}x{self.height}\n"
                         f"position = {k * self.width},0\n" for k in range(outputs))
        with open(config, "w") as f:
            f.write(f"[core]\nplugins = autostart foreign-toplevel\n"
                    f"xwayland = {'true' if xwayland else 'false'}\n"
                    f"[autostart]\nautostart_wf_shell = false\nreport = {reporter}\n{places}")
        return config

    def move_pointer(self, x, y):
        """To (x, y) of the outputs' logical layout, whose box is self.extent from (0, 0)."""
        self._tell(f"{x} {y} {self.extent[0]} {self.extent[1]}")

    def click(self):
        self._tell("click")

    def swaymsg(self, *command):
        return self.run(["swaymsg", *command], check=False).stdout.decode()

    def shot(self, output=None):
        """What the compositor shows (grim): one output in its own pixels, or the whole layout
        at the largest output's scale."""
        taken = self.run(["grim", "-t", "ppm", *(["-o", output] if output else []), "-"],
                         check=False)
        if taken.returncode != 0:
            raise RuntimeError("grim: " + taken.stderr.decode())
        return Screenshot.from_ppm(taken.stdout)
