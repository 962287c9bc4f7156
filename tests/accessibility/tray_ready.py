# SPDX-License-Identifier: GPL-3.0-or-later
"""Waits up to ten seconds until a system tray owns its selection on the
display, and fails if none does."""
import ctypes
import sys
import time

x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(None)
if not display:
    sys.exit("no display")
tray = x.XInternAtom(display, b"_NET_SYSTEM_TRAY_S0", 0)
deadline = time.time() + 10
while not x.XGetSelectionOwner(display, tray):
    if time.time() > deadline:
        sys.exit("no system tray came up")
    time.sleep(0.05)
