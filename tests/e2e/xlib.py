"""The few Xlib calls the tests need that no command-line tool offers,
through ctypes (standard library only)."""

import ctypes
import ctypes.util
import time

_lib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
_lib.XOpenDisplay.restype = ctypes.c_void_p
_lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_lib.XInternAtom.restype = ctypes.c_ulong
_lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_lib.XGetSelectionOwner.restype = ctypes.c_ulong
_lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
_lib.XGetInputFocus.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ulong),
                                ctypes.POINTER(ctypes.c_int)]


class Connection:
    def __init__(self, display):
        self.dpy = _lib.XOpenDisplay(display.encode())
        if not self.dpy:
            raise RuntimeError(f"cannot open display {display}")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        _lib.XCloseDisplay(self.dpy)
        return False

    def atom(self, name):
        return _lib.XInternAtom(self.dpy, name.encode(), 0)

    def selection_owner(self, selection):
        return _lib.XGetSelectionOwner(self.dpy, self.atom(selection))

    def input_focus(self):
        focus = ctypes.c_ulong()
        revert = ctypes.c_int()
        _lib.XGetInputFocus(self.dpy, ctypes.byref(focus), ctypes.byref(revert))
        return focus.value


_lib.XSetPointerMapping.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ubyte), ctypes.c_int]
_lib.XGetPointerMapping.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_ubyte), ctypes.c_int]


def set_pointer_mapping(display, buttons):
    """Maps physical button i+1 to logical buttons[i] (e.g. [3, 2, 1] for a
    left-handed mouse); returns the mapping it replaced."""
    with Connection(display) as x:
        old = (ctypes.c_ubyte * 32)()
        count = _lib.XGetPointerMapping(x.dpy, old, 32)
        new = (ctypes.c_ubyte * count)(*list(old)[:count])
        for i, b in enumerate(buttons):
            new[i] = b
        _lib.XSetPointerMapping(x.dpy, new, count)
        return list(old)[:count]


_xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]
_lib.XFlush.argtypes = [ctypes.c_void_p]
_lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]


class Pointer(Connection):
    """The user's mouse, through XTest, with the moment of each event known
    to the microsecond (xdotool would add a process start to every click)."""

    def move(self, x, y):
        _xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        _lib.XSync(self.dpy, 0)

    def button(self, button, press):
        """Presses or releases; returns the wall-clock time in microseconds
        at which the server had taken the event."""
        _xtst.XTestFakeButtonEvent(self.dpy, button, 1 if press else 0, 0)
        _lib.XSync(self.dpy, 0)
        return time.time_ns() // 1000

    def click(self, button=1, hold=0.03):
        self.button(button, True)
        time.sleep(hold)
        return self.button(button, False)


_lib.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
_lib.XDefaultRootWindow.restype = ctypes.c_ulong
_lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_lib.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
XKB_USE_CORE_KBD = 0x100
SHIFT, LOCK, CONTROL, ALT = 1, 2, 4, 8


def modifier_state(display):
    """The keyboard modifiers in effect (X mask: 1 Shift, 2 Lock, 4 Ctrl, 8 Alt ...)."""
    with Connection(display) as x:
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        rx, ry, wx, wy = (ctypes.c_int() for _ in range(4))
        mask = ctypes.c_uint()
        _lib.XQueryPointer(x.dpy, _lib.XDefaultRootWindow(x.dpy), ctypes.byref(root), ctypes.byref(child),
                           ctypes.byref(rx), ctypes.byref(ry), ctypes.byref(wx), ctypes.byref(wy),
                           ctypes.byref(mask))
        return mask.value & 0xFF


def lock_group(display, group):
    """Locks keyboard group `group` (0 is the first layout), as a layout switch key does."""
    with Connection(display) as x:
        _lib.XkbLockGroup(x.dpy, XKB_USE_CORE_KBD, group)
        _lib.XSync(x.dpy, 0)
