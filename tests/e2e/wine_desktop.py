"""A private X desktop with Wine on it, for the Windows end-to-end tests:
Xvfb, openbox and trayer (desktop.Desktop), Wine's services bound to that display
in the prefix $WINEPREFIX, and one idle Wine program that keeps them up
between the programs a test starts (and keeps Wine's clipboard alive: it
ends with Wine's last program). Everything is ended at close, Wine's
services by `wineserver -k` of this prefix. Standard library only."""

import os
import subprocess
import tempfile
import time
import unittest

from desktop import Desktop, DesktopError, wait_for
from programs import Event, Target
from support import Probe, program


def windows_path(path):
    """The Wine path of a Unix path (Wine shows / as drive Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class WineDesktop(Desktop):
    def __init__(self, tray=True):
        super().__init__(tray=tray)
        self.prefix = os.environ.get("WINEPREFIX")
        if not self.prefix or not os.path.isfile(os.path.join(self.prefix, "system.reg")):
            raise unittest.SkipTest("WINEPREFIX does not name a Wine prefix")

    def _start(self):
        super()._start()
        self.env.update({"WINEPREFIX": self.prefix, "WINEDEBUG": "-all"})
        # Services started for another display (or none) would serve this one
        # badly: start them afresh for this desktop.
        self._wineserver("-k")
        self._wineserver("-w")
        self.start("wine idle", ["wine", program("WINE_IDLE")])
        wait_for(lambda: self._wineserver_running(), timeout=30, what="wineserver")

    def close(self):
        if self.env is not None and self.prefix:
            self._wineserver("-k")
            self._wineserver("-w")
        super().close()

    def _wineserver(self, flag):
        env = dict(self.env or os.environ, WINEPREFIX=self.prefix)
        subprocess.run(["wineserver", flag], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60, check=False)

    def _wineserver_running(self):
        # `wineserver -k 0` would end it; asking the registry is harmless.
        return self.wine_run(["reg", "query", "HKCU\\Software"], check=False) is not None

    def wine_run(self, argv, check=True, timeout=30):
        """Runs a Wine program to its end; its stdout, None when it failed.
        The output goes through a file: Wine's services, should this program
        start them, would hold a pipe open long after it ended."""
        with tempfile.TemporaryFile() as out:
            result = subprocess.run(["wine", *argv], env=self.env, stdout=out,
                                    stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                                    timeout=timeout)
            out.seek(0)
            text = out.read().decode("utf-8", "replace")
        if result.returncode != 0:
            if check:
                raise DesktopError(f"wine {argv} failed ({result.returncode})")
            return None
        return text


class Win32Form(Target):
    """The Win32 form (tests/e2e/targets/win32_form.cpp). Its log tells, a
    line each, where each box's middle is on the screen ("at"), each box's
    text in hex ("text") and what else reached it."""

    name = "Win32 form"

    def __init__(self, desktop):
        super().__init__(desktop)
        self.process = desktop.start("win32 form", ["wine", program("WIN32_FORM"), windows_path(self.report)])
        self.wait_ready(30)
        self.pid = int(next(e.widget for e in self.events() if e.kind == "pid"))

    def lines(self):
        with open(self.report, encoding="utf-8") as log:
            return [line.rstrip("\n") for line in log]

    def events(self):
        events = []
        for line in self.lines():
            kind, _, rest = line.partition(" ")
            widget, _, data = rest.partition(" ")
            if kind == "at":
                kind, data = "layout", data + " 0 0"
            elif kind == "text":
                kind, data = "content", bytes.fromhex(data).decode("utf-8")
            events.append(Event({"t": 0, "kind": kind, "widget": widget, "data": data}))
        return events

    def origin(self):
        return (0, 0)

    def click(self, box, button=1):
        x, y = self.point(box)
        self.desktop.xdotool("mousemove", x, y)
        time.sleep(0.1)
        self.desktop.xdotool("click", button)

    def count(self, line):
        return self.lines().count(line)

    def wait(self, line, timeout=10):
        wait_for(lambda: line in self.lines(), timeout=timeout,
                 what=lambda: f"{line!r} in the form's log; it holds {self.lines()[-8:]}")


class ProbeOnWine(unittest.TestCase):
    """Tests sharing one Wine desktop (without a tray) and one
    windows_probe on it."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = WineDesktop(tray=False)
        cls.desktop.__enter__()
        try:
            cls.probe = Probe(cls.desktop, ["wine", program("WINDOWS_PROBE")])
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()
