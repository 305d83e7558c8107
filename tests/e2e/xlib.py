"""The few Xlib calls the tests need that no command-line tool offers,
through ctypes (standard library only)."""

import ctypes
import ctypes.util

_lib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
_lib.XOpenDisplay.restype = ctypes.c_void_p
_lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_lib.XInternAtom.restype = ctypes.c_ulong
_lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_lib.XGetSelectionOwner.restype = ctypes.c_ulong
_lib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]


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


_lib.XFlush.argtypes = [ctypes.c_void_p]
_lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
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


# -- selections -----------------------------------------------------------------
Window = Atom = Time = ctypes.c_ulong


class _SelectionRequest(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", Window), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class _SelectionNotify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", Window), ("selection", Atom),
                ("target", Atom), ("property", Atom), ("time", Time)]


_Event = ctypes.c_long * 24  # the size of XEvent
SELECTION_CLEAR, SELECTION_REQUEST, SELECTION_NOTIFY = 29, 30, 31
XA_ATOM = 4
_lib.XCreateSimpleWindow.restype = Window
_lib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
_lib.XSetSelectionOwner.argtypes = [ctypes.c_void_p, Atom, Window, Time]
_lib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_lib.XPending.argtypes = [ctypes.c_void_p]
_lib.XConnectionNumber.argtypes = [ctypes.c_void_p]
_lib.XChangeProperty.argtypes = [ctypes.c_void_p, Window, Atom, Atom, ctypes.c_int, ctypes.c_int,
                                 ctypes.c_void_p, ctypes.c_int]
_lib.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]


class SelectionOwner(Connection):
    """Owns a selection and serves `targets` ({name: bytes}) until another
    client takes it, as a program does after a copy: every target at once,
    each in a property of its own type (xclip offers one target a process)."""

    def __init__(self, display, targets, selection="CLIPBOARD"):
        super().__init__(display)
        self.data = {self.atom(name): value for name, value in targets.items()}
        self.targets_atom = self.atom("TARGETS")
        root = _lib.XDefaultRootWindow(self.dpy)
        self.window = _lib.XCreateSimpleWindow(self.dpy, root, 0, 0, 1, 1, 0, 0, 0)
        self.selection = self.atom(selection)
        _lib.XSetSelectionOwner(self.dpy, self.selection, self.window, 0)
        _lib.XSync(self.dpy, 0)

    def serve(self):
        """Answers requests; returns once the selection was taken away."""
        event = _Event()
        while True:
            _lib.XNextEvent(self.dpy, ctypes.byref(event))
            kind = event[0] & 0xFFFFFFFF
            if kind == SELECTION_CLEAR:
                return
            if kind == SELECTION_REQUEST:
                self._answer(_SelectionRequest.from_buffer(event))

    def _answer(self, request):
        prop = request.property or request.target  # obsolete requestors name none
        if request.target == self.targets_atom:
            atoms = (ctypes.c_ulong * (len(self.data) + 1))(self.targets_atom, *self.data)
            _lib.XChangeProperty(self.dpy, request.requestor, prop, XA_ATOM, 32, 0, atoms, len(atoms))
        elif request.target in self.data:
            value = self.data[request.target]
            _lib.XChangeProperty(self.dpy, request.requestor, prop, request.target, 8, 0, value, len(value))
        else:
            prop = 0
        reply = _SelectionNotify(type=SELECTION_NOTIFY, send_event=1, requestor=request.requestor,
                                 selection=request.selection, target=request.target, property=prop,
                                 time=request.time)
        _lib.XSendEvent(self.dpy, request.requestor, 0, 0, ctypes.byref(reply))
        _lib.XFlush(self.dpy)
