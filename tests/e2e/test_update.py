# SPDX-License-Identifier: GPL-3.0-or-later
"""The real zorrit under Xvfb with a tray host: the about box from the tray menu and from the
preferences, "Check for updates..." with its transfer window, against a loopback HTTP server that
this test runs, ending in the dialog that the server's answer calls for."""
import http.server
import threading
import unittest

from harness import XTestCase, wait_until

EXPECTED_REQUEST = (b"GET /zvers.txt HTTP/1.0\r\nAccept: */*\r\nUser-Agent: Brenmoor\r\n"
                    b"Host: 127.0.0.1\r\n\r\n")
RESULTS = {"yesupdate": "Update available", "noupdate": "Already updated", "errupdate": "Error"}


class _RecordingReader:
    """Keeps every byte the request handler reads, so the test sees the request as sent."""

    def __init__(self, raw, record):
        self.raw, self.record = raw, record

    def readline(self, limit=-1):
        line = self.raw.readline(limit)
        self.record += line
        return line

    def read(self, size=-1):
        data = self.raw.read(size)
        self.record += data
        return data

    def __getattr__(self, name):
        return getattr(self.raw, name)


class VersionServer:
    """A loopback HTTP server for the version file. The answer is held back until release(), so
    the test can see the transfer window first."""

    def __init__(self):
        self.status, self.body, self.length = 200, b"122", None
        self.requests = []
        self.gate = threading.Event()
        owner = self

        class Handler(http.server.BaseHTTPRequestHandler):
            def setup(self):
                super().setup()
                self.record = bytearray()
                self.rfile = _RecordingReader(self.rfile, self.record)

            def do_GET(self):
                owner.requests.append(bytes(self.record))
                owner.gate.wait(8)  # within the client's ten-second wait, whatever happens
                owner.gate.clear()
                try:
                    self.send_response(owner.status)
                    self.send_header("Content-Type", "text/plain")
                    if owner.length is not None:
                        self.send_header("Content-Length", str(owner.length))
                    self.end_headers()
                    self.wfile.write(owner.body)
                except (BrokenPipeError, ConnectionResetError):
                    pass  # the check was called off before the answer

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.httpd.daemon_threads = True
        self.port = self.httpd.server_address[1]
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)
        self.thread.start()
        self.open = True

    def answer(self, status, body, length=None):
        self.status, self.body, self.length = status, body, length

    def release(self):
        self.gate.set()

    def close(self):
        """Stops listening: from now on a connection to the port is refused."""
        if self.open:
            self.open = False
            self.gate.set()
            self.httpd.shutdown()
            self.httpd.server_close()
            self.thread.join(5)


class UpdateCheck(XTestCase):
    def setUp(self):
        super().setUp()
        self.server = VersionServer()
        self.addCleanup(self.server.close)

    def start(self, port):
        self.x.env["ZORRIT_UPDATE_SERVER"] = f"127.0.0.1:{port}"
        self.x.start_window_manager()
        self.x.start_tray_host()
        self.zorrit = self.start_zorrit()
        self.assertTrailAt((400, 300))
        self.icon = wait_until(self.x.tray_icon, 15)
        self.assertIsNotNone(self.icon, f"no icon in the tray\n{self.x.log(self.zorrit)}")

    def about_from_tray(self):
        self.assertTrue(self.x.choose_from_tray_menu(self.icon, "b"), "A&bout Zorrit... not chosen")
        about = self.x.wait_role("About Zorrit", "about")
        self.assertIsNotNone(about, "no about box")
        return about

    def check(self, about, expected, served=True):
        """Presses "Check for updates..." in the about box and waits for the result dialog."""
        requests_before = len(self.server.requests)
        self.x.key(about, "alt+c")
        if served:
            # The server holds its answer back until the transfer window has been seen.
            checkit = self.x.wait_role("Checking...", "checkit")
            self.assertIsNotNone(checkit, "no transfer window")
            self.assertEqual(self.x.find_windows("About Zorrit"), [], "the about box stays open")
            self.assertTrue(wait_until(lambda: len(self.server.requests) > requests_before, 10),
                            "no request reached the server")
            self.assertEqual(self.server.requests[-1], EXPECTED_REQUEST)
            self.server.release()
        result = self.x.wait_role(RESULTS[expected], expected, 15)
        self.assertIsNotNone(result, f"no {expected} dialog\n{self.x.log(self.zorrit)}")
        self.assertEqual(self.x.find_windows("Checking..."), [], "the transfer window stays open")
        for other, caption in RESULTS.items():
            if other != expected:
                self.assertIsNone(self.x.wait_role(caption, other, 0), f"{other} shown as well")
        self.x.key(result, "Return")
        self.assertTrue(self.x.wait_no_window(RESULTS[expected]), f"{expected} stays open")
        self.assertIsNone(self.zorrit.poll(), "zorrit ended")

    def test_checks_from_the_tray_end_in_the_dialog_the_answer_calls_for(self):
        self.start(self.server.port)
        for status, body, length, expected in [(200, b"122", None, "yesupdate"),
                                               (200, b"121", 3, "noupdate"),
                                               (404, b"122", None, "errupdate"),
                                               # announced 3 bytes, sent 2 and closed: cut off
                                               (200, b"12", 3, "errupdate")]:
            with self.subTest(status=status, body=body, length=length):
                self.server.answer(status, body, length)
                self.check(self.about_from_tray(), expected)
        # Nobody listens any more: the connection is refused.
        self.server.close()
        self.check(self.about_from_tray(), "errupdate", served=False)

    def any_result(self):
        return [role for role, caption in RESULTS.items() if self.x.wait_role(caption, role, 0)]

    def test_stop_and_the_close_box_call_the_check_off_without_a_result(self):
        self.start(self.server.port)
        self.server.answer(200, b"122")
        for keys in ("alt+s", "alt+F4"):  # "&Stop"; the close box, through the window manager
            with self.subTest(keys=keys):
                requests_before = len(self.server.requests)
                about = self.about_from_tray()
                self.x.key(about, "alt+c")
                checkit = self.x.wait_role("Checking...", "checkit")
                self.assertIsNotNone(checkit, "no transfer window")
                # Called off while the server holds its answer back.
                self.assertTrue(wait_until(lambda: len(self.server.requests) > requests_before, 10))
                self.x.key(checkit, keys)
                self.assertTrue(self.x.wait_no_window("Checking..."), "the transfer goes on")
                self.server.release()
                # A result would follow the answer within one poll; none may come.
                self.assertIsNone(wait_until(self.any_result, 1.5), "a result after all")
        # The program is ready for the next check.
        self.check(self.about_from_tray(), "yesupdate")

    def test_about_from_the_preferences_opens_the_same_box_and_the_check_closes_them(self):
        self.start(self.server.port)
        self.assertTrue(self.x.choose_from_tray_menu(self.icon, "z"), "Preferences not chosen")
        prefs = self.x.wait_role("Zorrit Preferences", "prefs")
        self.assertIsNotNone(prefs, "no preferences dialog")
        self.x.key(prefs, "alt+a")
        about = self.x.wait_role("About Zorrit", "about")
        self.assertIsNotNone(about, "&About... opened no about box")
        self.server.answer(200, b"122")
        self.check(about, "yesupdate")
        self.assertEqual(self.x.find_windows("Zorrit Preferences"), [],
                         "the check left the preferences open")


if __name__ == "__main__":
    unittest.main()
