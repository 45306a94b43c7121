# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes XInput 2 pointer devices appear on an X server, as plugging in a mouse does: a new master
pointer with its own test (XTEST) pointer, through the server's hierarchy request. Plain ctypes on
libxcb and libxcb-xinput, which every Qt on X11 brings along, so no extra tool is needed."""
import ctypes
import ctypes.util
import struct

_XI_ADD_MASTER = 1
_XI_REMOVE_MASTER = 2
_XI_FLOATING = 2


def _library(name):
    path = ctypes.util.find_library(name)
    if not path:
        raise OSError(f"lib{name} not found")
    return ctypes.CDLL(path)


class Devices:
    def __init__(self, display):
        self._xcb = _library("xcb")
        self._xi = _library("xcb-xinput")
        self._xcb.xcb_connect.restype = ctypes.c_void_p
        self._xcb.xcb_connect.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
        self._xcb.xcb_connection_has_error.argtypes = [ctypes.c_void_p]
        self._xcb.xcb_disconnect.argtypes = [ctypes.c_void_p]
        self._xcb.xcb_request_check.restype = ctypes.c_void_p
        self._xcb.xcb_request_check.argtypes = [ctypes.c_void_p, ctypes.c_uint]
        self._xi.xcb_input_xi_query_version.restype = ctypes.c_uint
        self._xi.xcb_input_xi_query_version.argtypes = [ctypes.c_void_p, ctypes.c_uint16,
                                                        ctypes.c_uint16]
        self._xi.xcb_input_xi_query_version_reply.restype = ctypes.c_void_p
        self._xi.xcb_input_xi_query_version_reply.argtypes = [ctypes.c_void_p, ctypes.c_uint,
                                                              ctypes.c_void_p]
        self._xi.xcb_input_xi_change_hierarchy_checked.restype = ctypes.c_uint
        self._xi.xcb_input_xi_change_hierarchy_checked.argtypes = [ctypes.c_void_p,
                                                                   ctypes.c_uint8, ctypes.c_char_p]
        self._connection = self._xcb.xcb_connect(display.encode(), None)
        if not self._connection or self._xcb.xcb_connection_has_error(self._connection):
            raise OSError(f"cannot connect to {display}")
        # The server takes hierarchy requests only from a client that said it speaks XI 2.
        cookie = self._xi.xcb_input_xi_query_version(self._connection, 2, 2)
        reply = self._xi.xcb_input_xi_query_version_reply(self._connection, cookie, None)
        if not reply:
            raise OSError("the X server has no XInput 2")
        ctypes.CDLL(None).free(ctypes.c_void_p(reply))

    def _change(self, change):
        cookie = self._xi.xcb_input_xi_change_hierarchy_checked(self._connection, 1, change)
        error = self._xcb.xcb_request_check(self._connection, cookie)
        if error:
            ctypes.CDLL(None).free(ctypes.c_void_p(error))
            raise OSError("the X server refused the hierarchy change")

    def add_master(self, name):
        """A new master pointer and keyboard, each with its XTEST slave: '<name> pointer', ..."""
        encoded = name.encode()
        padded = encoded + b"\0" * (-len(encoded) % 4)
        change = struct.pack("=HHHBB", _XI_ADD_MASTER, (8 + len(padded)) // 4, len(encoded),
                             1, 1) + padded
        self._change(change)

    def remove_master(self, pointer_id):
        change = struct.pack("=HHHBBHH", _XI_REMOVE_MASTER, 2, pointer_id, _XI_FLOATING, 0, 0, 0)
        self._change(change)

    def close(self):
        if self._connection:
            self._xcb.xcb_disconnect(self._connection)
            self._connection = None
