#!/usr/bin/env python3
"""Sets or clears the work area the X display announces (the root window's _NET_WORKAREA,
which a window manager with a panel would set), through the X library by ctypes.

  work_area.py set X Y W H    the work area is that rectangle, for as long as this runs: it
                              stays connected until it is ended (a display that has no client
                              left resets and forgets its properties)
  work_area.py clear          no work area: the whole screen
"""
import ctypes
import signal
import sys

x11 = ctypes.CDLL('libX11.so.6')
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
x11.XDeleteProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
XA_CARDINAL, PROP_MODE_REPLACE = 6, 0


def main(command, *numbers):
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit('work_area.py: cannot open the display')
    root = x11.XDefaultRootWindow(display)
    atom = x11.XInternAtom(display, b'_NET_WORKAREA', 0)
    if command == 'set':
        # Format 32 properties are passed as C longs.
        values = (ctypes.c_long * 4)(*map(int, numbers))
        x11.XChangeProperty(display, root, atom, XA_CARDINAL, 32, PROP_MODE_REPLACE, values, 4)
    else:
        x11.XDeleteProperty(display, root, atom)
    x11.XSync(display, 0)
    if command == 'set':
        print('set', flush=True)  # the caller waits for this line
        signal.sigwait({signal.SIGTERM, signal.SIGINT})
    x11.XCloseDisplay(display)


if __name__ == '__main__':
    signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGTERM, signal.SIGINT})
    main(*sys.argv[1:])
