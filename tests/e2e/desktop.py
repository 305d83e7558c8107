"""A private X desktop for end-to-end tests: Xvfb, openbox and (on request)
the trayer tray host, on a free display number. Every process started here
is ended here, by its id. Standard library only."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN = "1280x1024x24"


class DesktopError(RuntimeError):
    pass


def wait_for(predicate, timeout=5.0, interval=0.02, what="condition"):
    """Polls `predicate` until it returns a true value, which is returned.
    `what` names the condition; a callable is asked only on time-out, so the
    message can tell the state at that moment."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise DesktopError(f"timed out waiting for {what() if callable(what) else what}")
        time.sleep(interval)


class StartedOnEnter:
    """A context manager that runs _start() on entry, closing what was
    started when that fails, and close() on exit."""

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False


class Desktop(StartedOnEnter):
    """Context manager. `env` holds the environment for programs on it."""

    def __init__(self, tray=False):
        self.tray = tray
        self.processes = []  # (name, Popen), ended in reverse order
        self.tmp = None
        self.env = None
        self.display = None

    # -- life cycle ---------------------------------------------------------
    @classmethod
    def for_test(cls, test, tray=False):
        """A desktop that the unittest.TestCase `test` closes at its end."""
        desktop = cls(tray=tray).__enter__()
        test.addCleanup(desktop.close)
        return desktop

    def _start(self):
        self.tmp = tempfile.mkdtemp(prefix="tapfill-e2e-")
        env = dict(os.environ)
        for key in ("WAYLAND_DISPLAY", "XAUTHORITY", "SESSION_MANAGER"):
            env.pop(key, None)
        env.update({
            "DBUS_SESSION_BUS_ADDRESS": "disabled:",
            "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
            "XDG_CACHE_HOME": os.path.join(self.tmp, "cache"),
            "XDG_DATA_HOME": os.path.join(self.tmp, "data"),
            "XDG_RUNTIME_DIR": os.path.join(self.tmp, "runtime"),
            "QT_QPA_PLATFORM": "xcb",
            "NO_AT_BRIDGE": "1",
            "GTK_A11Y": "none",
        })
        for sub in ("config", "cache", "data", "runtime"):
            os.makedirs(os.path.join(self.tmp, sub), mode=0o700)
        self.env = env

        # Xvfb picks the number itself (-displayfd): no race with other users.
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), env=env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.processes.append(("Xvfb", xvfb))
        number = b""
        deadline = time.monotonic() + 10
        with os.fdopen(read_fd, "rb") as pipe:
            while not number.endswith(b"\n"):
                if time.monotonic() > deadline or xvfb.poll() is not None:
                    raise DesktopError("Xvfb did not start")
                chunk = pipe.read(1)
                if not chunk:
                    raise DesktopError("Xvfb did not report its display")
                number += chunk
        self.display = ":" + number.decode().strip()
        env["DISPLAY"] = self.display

        self.start("openbox", ["openbox", "--sm-disable"])
        wait_for(lambda: self.xprop_root("_NET_SUPPORTING_WM_CHECK"), what="openbox")
        if self.tray:
            self.start("trayer", ["trayer", "--edge", "bottom", "--align", "right",
                                  "--widthtype", "request", "--height", "32",
                                  "--SetDockType", "true", "--transparent", "false"])
            wait_for(lambda: self.selection_owner("_NET_SYSTEM_TRAY_S0"), what="trayer")

    def close(self):
        for name, process in reversed(self.processes):
            end_process(process)
        self.processes = []
        if self.tmp:
            if not os.environ.get("TAPFILL_KEEP_TMP"): shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    # -- programs -------------------------------------------------------------
    def start(self, name, argv, stdin=None, stdout=None, stderr=None, extra_env=None):
        env = dict(self.env)
        env.update(extra_env or {})
        process = subprocess.Popen(
            argv, env=env, stdin=stdin,
            stdout=stdout if stdout is not None else subprocess.DEVNULL,
            stderr=stderr if stderr is not None else subprocess.DEVNULL)
        self.processes.append((name, process))
        return process

    def run(self, argv, check=True, timeout=10):
        result = subprocess.run(argv, env=self.env, capture_output=True,
                                text=True, timeout=timeout)
        if check and result.returncode != 0:
            raise DesktopError(f"{argv} failed: {result.stderr.strip()}")
        return result.stdout

    # -- the clipboard, through xclip ----------------------------------------------
    def copy(self, data):
        """Copies `data` (bytes) as a user's program would: xclip serves it
        until another client takes the selection."""
        subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=data, env=self.env, timeout=5,
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def clipboard(self, target="UTF8_STRING"):
        """The clipboard's content as `target` (bytes); None when it has none."""
        result = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target],
                                env=self.env, capture_output=True, timeout=5)
        return result.stdout if result.returncode == 0 else None

    # -- X queries --------------------------------------------------------------
    def xdotool(self, *args, check=True):
        return self.run(["xdotool", *[str(a) for a in args]], check=check)

    def xprop_root(self, prop):
        out = self.run(["xprop", "-root", prop], check=False)
        return "" if "not found" in out or "no such atom" in out else out.strip()

    def xprop(self, window, prop):
        return self.run(["xprop", "-id", str(window), prop], check=False).strip()

    def selection_owner(self, selection):
        """The window owning an X selection, 0 for none."""
        import xlib
        with xlib.Connection(self.display) as x:
            return x.selection_owner(selection)

    def find_windows(self, name, only_visible=True):
        args = ["search"]
        if only_visible:
            args.append("--onlyvisible")
        args += ["--name", name]
        try:
            out = self.xdotool(*args, check=False)
        except subprocess.TimeoutExpired:
            return []  # a busy machine; the caller asks again
        return [int(w) for w in out.split()]

    def wait_window(self, name, timeout=10):
        return wait_for(lambda: self.find_windows(name), timeout=timeout,
                        what=f"window {name!r}")[0]

    def geometry(self, window):
        """Absolute x, y, width, height of a window's inside (no frame)."""
        out = self.run(["xwininfo", "-id", str(window)])
        values = {}
        for line in out.splitlines():
            if ":" in line:
                key, _, value = line.strip().partition(":")
                values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def tray_icons(self):
        """(window id, name) of every icon embedded in the tray host."""
        icons = []
        panel_indent = None
        for line in self.run(["xwininfo", "-root", "-tree"], check=False).splitlines():
            stripped = line.lstrip()
            if not stripped.startswith("0x"):
                continue
            indent = len(line) - len(stripped)
            if panel_indent is not None and indent <= panel_indent:
                panel_indent = None
            if '("panel" "trayer")' in line:
                panel_indent = indent
                continue
            if panel_indent is not None and '"' in stripped:
                icons.append((int(stripped.split()[0], 16), stripped.split('"')[1]))
        return icons


def end_process(process, grace=3.0, group=False):
    """Ends one process that a test started: TERM, then KILL, by its id;
    with `group`, its whole process group (one it was started in)."""
    kill = os.killpg if group else os.kill
    if process.poll() is None:
        try:
            kill(process.pid, signal.SIGTERM)
            process.wait(timeout=grace)
        except ProcessLookupError:
            pass
        except subprocess.TimeoutExpired:
            try:
                kill(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait(timeout=grace)
    for stream in (process.stdin, process.stdout, process.stderr):
        if stream:
            try:
                stream.close()
            except OSError:
                pass
