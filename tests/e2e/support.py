"""Shared pieces of the end-to-end tests: the tool check, the probe
process, and the test runner's entry point."""

import os
import queue
import shutil
import subprocess
import sys
import threading
import time
import unittest

from desktop import DesktopError

# CTest reports a test that exits with this code as skipped.
SKIP_CODE = 77
TOOLS = ["Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xprop", "wish", "import"]


def main(tools=TOOLS):
    """Runs the calling module's tests; exits 77 when the desktop tools are
    missing, so that CTest shows the tests as skipped, not failed."""
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        print("skipped: missing " + ", ".join(missing))
        # In CI a missing tool is a missing install step, not a reason to skip.
        sys.exit(1 if os.environ.get("CI") else SKIP_CODE)
    unittest.main(module="__main__", verbosity=2)


def needs(*tools):
    """Skips the test when a program it needs is missing."""
    missing = [tool for tool in tools if shutil.which(tool) is None]
    if missing:
        raise unittest.SkipTest("missing " + ", ".join(missing))


def escaped(text):
    """A text as one line of a probe command: backslashes and line breaks escaped."""
    return text.replace("\\", "\\\\").replace("\n", "\\n")


def program(variable):
    path = os.environ.get(variable)
    if not path or not os.access(path, os.X_OK):
        raise unittest.SkipTest(f"{variable} does not name a built program")
    return path


class Probe:
    """The platform_probe program: commands in, one report a line out."""

    def __init__(self, desktop, argv=None):
        self.desktop = desktop
        self.stderr_path = os.path.join(desktop.tmp, f"probe-{time.monotonic_ns()}.err")
        with open(self.stderr_path, "wb") as stderr:
            self.process = desktop.start(
                "probe", argv or [program("PLATFORM_PROBE")], stdin=subprocess.PIPE,
                stdout=subprocess.PIPE, stderr=stderr)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()
        ready = self.expect("ready", timeout=30)
        self.pid = int(ready.split("pid=")[1])

    def _read(self):
        for raw in self.process.stdout:
            self.lines.put(raw.decode("utf-8", "replace").rstrip("\n"))

    def send(self, command):
        self.process.stdin.write((command + "\n").encode("utf-8"))
        self.process.stdin.flush()

    def _next(self, timeout):
        line = self.lines.get(timeout=timeout)
        _, _, text = line.partition(" ")
        self.seen.append(line)
        return text

    def expect(self, prefix, timeout=3.0):
        """The text of the next report starting with `prefix` (reports before
        it are kept in `seen`)."""
        deadline = time.monotonic() + timeout
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                raise DesktopError(f"probe: no {prefix!r}; saw {self.seen[-10:]}")
            try:
                text = self._next(left)
            except queue.Empty:
                continue
            if text.startswith(prefix):
                return text
            if text.startswith("error"):
                raise DesktopError("probe: " + text)

    def reports(self, quiet=0.4):
        """Every report until none came for `quiet` seconds."""
        out = []
        while True:
            try:
                out.append(self._next(quiet))
            except queue.Empty:
                return out

    def command(self, command, answer, timeout=3.0):
        self.send(command)
        return self.expect(answer, timeout)

    def stderr(self):
        with open(self.stderr_path, errors="replace") as f:
            return f.read()

    def alive(self):
        return self.process.poll() is None
