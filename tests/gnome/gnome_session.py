"""A private headless GNOME Shell on Wayland for end-to-end tests: its own
runtime folder and home, a private system and session bus, PipeWire (for
absolute pointer motion) and `gnome-shell --headless`, with Tapfill's
extension installed and enabled for the user. Input goes in through
Mutter's RemoteDesktop interface, as a remote desktop client's would.
Every process started here is ended here, by its id."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

import dbus

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from desktop import DesktopError, StartedOnEnter, end_process, wait_for  # noqa: E402

EXTENSION_UUID = "tapfill@tapfill.github.io"
EXTENSION_SOURCE = os.path.join(HERE, "..", "..", "src", "platform", "gnome", "extension")
PROBE_UUID = "tapfill-test-probe@tapfill.github.io"
PROBE_SOURCE = os.path.join(HERE, "probe-extension")
SIZE = (1280, 1024)
BTN_LEFT, BTN_RIGHT = 0x110, 0x111
# Held between press and release: shorter presses can be lost by the shell.
CLICK_HOLD = 0.08


class GnomeSession(StartedOnEnter):
    """Context manager. `env` holds the environment for programs on it.
    `extension` False leaves Tapfill's extension out."""

    def __init__(self, extension=True, root=None):
        self.extension = extension
        self.processes = []  # (name, Popen), ended in reverse order
        self.tmp = None
        self.env = None
        self.bus = None
        self.log_path = None

    # -- life cycle ------------------------------------------------------------
    def _start(self):
        self.tmp = tempfile.mkdtemp(prefix="gnome-e2e-")
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        os.makedirs(home)
        os.makedirs(runtime, mode=0o700)
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER",
                              "QT_QPA_PLATFORM", "GDK_BACKEND")}
        env.update({
            "HOME": home,
            "XDG_CONFIG_HOME": os.path.join(home, ".config"),
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "XDG_RUNTIME_DIR": runtime,
            "XDG_SESSION_TYPE": "wayland",
            "XDG_CURRENT_DESKTOP": "GNOME",
            "DBUS_SYSTEM_BUS_ADDRESS": f"unix:path={runtime}/system_bus",
            "DBUS_SESSION_BUS_ADDRESS": f"unix:path={runtime}/bus",
            "NO_AT_BRIDGE": "1",
            "GTK_A11Y": "none",
            "GSETTINGS_BACKEND": "keyfile",
        })
        self.env = env
        # Without a system bus of its own the shell ends in its login
        # manager code.
        self._daemon("system bus", ["dbus-daemon", "--nofork", "--session",
                                    f"--address={env['DBUS_SYSTEM_BUS_ADDRESS']}"],
                     f"{runtime}/system_bus")
        self._daemon("session bus", ["dbus-daemon", "--nofork", "--session",
                                     f"--address={env['DBUS_SESSION_BUS_ADDRESS']}"],
                     f"{runtime}/bus")
        self._daemon("pipewire", ["pipewire"], f"{runtime}/pipewire-0")

        extensions = os.path.join(env["XDG_DATA_HOME"], "gnome-shell", "extensions")
        os.makedirs(extensions)
        shutil.copytree(PROBE_SOURCE, os.path.join(extensions, PROBE_UUID))
        enabled = [PROBE_UUID]
        if self.extension:
            # The package's own copy, or this tree's in the user's folder.
            if not os.environ.get("GNOME_E2E_SYSTEM_EXTENSION"):
                shutil.copytree(EXTENSION_SOURCE, os.path.join(extensions, EXTENSION_UUID))
            enabled.append(EXTENSION_UUID)
        settings = [("disable-user-extensions", "false"), ("enabled-extensions", repr(enabled))]
        for key, value in settings:
            subprocess.run(["gsettings", "set", "org.gnome.shell", key, value], env=env, check=True)

        self.log_path = os.path.join(self.tmp, "shell.log")
        log = open(self.log_path, "wb")
        shell = subprocess.Popen(
            ["gnome-shell", "--headless", "--wayland", "--no-x11",
             "--virtual-monitor", f"{SIZE[0]}x{SIZE[1]}"],
            env=env, stdout=log, stderr=subprocess.STDOUT, start_new_session=True)
        self.processes.append(("gnome-shell", shell))
        self.bus = dbus.bus.BusConnection(env["DBUS_SESSION_BUS_ADDRESS"])
        wait_for(lambda: self._has_name("org.gnome.Mutter.RemoteDesktop")
                 and os.path.exists(os.path.join(runtime, "wayland-0")),
                 timeout=30, what=lambda: "gnome-shell to start: " + self.log_tail())
        env["WAYLAND_DISPLAY"] = "wayland-0"
        names = ["io.github.tapfill.TestProbe"] + (["io.github.tapfill.Shell"] if self.extension else [])
        wait_for(lambda: all(map(self._has_name, names)), timeout=30,
                 what=lambda: "the extensions to load: " + self.log_tail())
        self.probe = dbus.Interface(self.bus.get_object("io.github.tapfill.TestProbe", "/io/github/tapfill/TestProbe"),
                                    "io.github.tapfill.TestProbe")
        self.input = RemoteInput(self.bus)
        # The shell ends its start-up in the overview, and takes clicks into
        # windows once it has left it.
        wait_for(lambda: bool(self.probe.HideOverview()), timeout=30, interval=0.2,
                 what="the shell to leave the overview")

    def _daemon(self, name, argv, socket):
        process = subprocess.Popen(argv, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, start_new_session=True)
        self.processes.append((name, process))
        wait_for(lambda: os.path.exists(socket), timeout=10, what=f"{name} to start")

    def _has_name(self, name):
        try:
            return bool(self.bus.name_has_owner(name))
        except dbus.DBusException:
            return False

    def log_tail(self, lines=30):
        try:
            with open(self.log_path, errors="replace") as log:
                return "".join(log.readlines()[-lines:])
        except OSError:
            return ""

    def window_rect(self, title, timeout=10):
        """The frame of the window of that title, once it is shown."""
        return wait_for(lambda: list(map(int, self.probe.WindowRect(title))), timeout=timeout,
                        what=f"the window {title!r}")

    def clipboard(self):
        return str(self.probe.ClipboardText())

    def set_clipboard(self, text):
        self.probe.SetClipboardText(text)

    def start(self, argv, **kwargs):
        """Starts a program on this desktop; it is ended with the desktop."""
        process = subprocess.Popen(argv, env=kwargs.pop("env", self.env), start_new_session=True, **kwargs)
        self.processes.append((argv[0], process))
        return process

    def close(self):
        if getattr(self, "input", None):
            self.input.close()
            self.input = None
        for name, process in reversed(self.processes):
            end_process(process, grace=5, group=True)
        self.processes = []
        if self.tmp and not os.environ.get("KEEP_GNOME_E2E"):
            shutil.rmtree(self.tmp, ignore_errors=True)


class RemoteInput:
    """Pointer and keyboard through org.gnome.Mutter.RemoteDesktop, with a
    screen cast of the monitor for absolute pointer positions."""

    def __init__(self, bus):
        desktop = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
        path = desktop.CreateSession(dbus_interface="org.gnome.Mutter.RemoteDesktop")
        self.session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                                      "org.gnome.Mutter.RemoteDesktop.Session")
        session_id = bus.get_object("org.gnome.Mutter.RemoteDesktop", path).Get(
            "org.gnome.Mutter.RemoteDesktop.Session", "SessionId",
            dbus_interface="org.freedesktop.DBus.Properties")
        cast = bus.get_object("org.gnome.Mutter.ScreenCast", "/org/gnome/Mutter/ScreenCast")
        cast_path = cast.CreateSession({"remote-desktop-session-id": session_id},
                                       dbus_interface="org.gnome.Mutter.ScreenCast")
        cast_session = dbus.Interface(bus.get_object("org.gnome.Mutter.ScreenCast", cast_path),
                                      "org.gnome.Mutter.ScreenCast.Session")
        self.stream = cast_session.RecordMonitor("", {})
        self.session.Start()

    def close(self):
        try:
            self.session.Stop()
        except dbus.DBusException:
            pass

    def move(self, x, y):
        self.session.NotifyPointerMotionAbsolute(self.stream, float(x), float(y))
        time.sleep(0.03)

    def button(self, code, pressed):
        self.session.NotifyPointerButton(code, pressed)

    def click(self, x, y, code=BTN_LEFT, hold=CLICK_HOLD):
        self.move(x, y)
        self.button(code, True)
        time.sleep(hold)
        self.button(code, False)

    def double_click(self, x, y):
        self.click(x, y, hold=0.03)
        time.sleep(0.06)
        self.click(x, y, hold=0.03)

    def drag(self, start, end, steps=8):
        self.move(*start)
        self.button(BTN_LEFT, True)
        time.sleep(CLICK_HOLD)
        for step in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * step / steps,
                      start[1] + (end[1] - start[1]) * step / steps)
        time.sleep(CLICK_HOLD)
        self.button(BTN_LEFT, False)

    def key(self, keysym, modifiers=()):
        for modifier in modifiers:
            self.session.NotifyKeyboardKeysym(modifier, True)
        self.session.NotifyKeyboardKeysym(keysym, True)
        time.sleep(0.03)
        self.session.NotifyKeyboardKeysym(keysym, False)
        for modifier in reversed(modifiers):
            self.session.NotifyKeyboardKeysym(modifier, False)
