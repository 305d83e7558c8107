"""The X calls only the benchmarks need, through ctypes: a mouse whose every
event is timed to the microsecond and a watch on a selection's owner. They
build on the tests' own Xlib module (tests/e2e/xlib.py)."""

import ctypes
import ctypes.util
import os
import queue
import select
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from xlib import _Event, _lib, Atom, Connection, Time, Window  # noqa: E402

_xtst = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xtst") or "libXtst.so.6")
_xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
_xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                       ctypes.c_ulong]


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


class _FixesSelectionNotify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("subtype", ctypes.c_int),
                ("owner", Window), ("selection", Atom), ("timestamp", Time),
                ("selection_timestamp", Time)]


_xfixes = ctypes.cdll.LoadLibrary(ctypes.util.find_library("Xfixes") or "libXfixes.so.3")
_xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                         ctypes.POINTER(ctypes.c_int)]
_xfixes.XFixesSelectSelectionInput.argtypes = [ctypes.c_void_p, Window, Atom, ctypes.c_ulong]


class OwnerWatch(Connection):
    """Every setting of a selection's owner, as (wall-clock time in
    microseconds at which it was seen, owner window; 0 for none). A thread of
    its own reads the events as they come, so that the times are right while
    the caller waits for other things."""

    def __init__(self, display, selection="CLIPBOARD"):
        super().__init__(display)
        base, error = ctypes.c_int(), ctypes.c_int()
        if not _xfixes.XFixesQueryExtension(self.dpy, ctypes.byref(base), ctypes.byref(error)):
            raise RuntimeError("no XFIXES")
        self.event_type = base.value  # XFixesSelectionNotify
        _xfixes.XFixesSelectSelectionInput(self.dpy, _lib.XDefaultRootWindow(self.dpy),
                                           self.atom(selection), 1)  # SetSelectionOwnerNotifyMask
        _lib.XSync(self.dpy, 0)
        self.seen = queue.Queue()
        self.stopping = threading.Event()
        self.thread = threading.Thread(target=self._read, daemon=True)
        self.thread.start()

    def __exit__(self, *exc):
        self.stopping.set()
        self.thread.join()
        return super().__exit__(*exc)

    def _read(self):
        event, fd = _Event(), _lib.XConnectionNumber(self.dpy)
        while not self.stopping.is_set():
            if not _lib.XPending(self.dpy) and not select.select([fd], [], [], 0.05)[0]:
                continue
            while _lib.XPending(self.dpy):
                _lib.XNextEvent(self.dpy, ctypes.byref(event))
                if event[0] & 0xFFFFFFFF == self.event_type:
                    self.seen.put((time.time_ns() // 1000, _FixesSelectionNotify.from_buffer(event).owner))

    def changes(self, quiet):
        """The changes seen since the last call, and until none came for
        `quiet` seconds."""
        out = []
        while True:
            try:
                out.append(self.seen.get(timeout=quiet))
            except queue.Empty:
                return out
