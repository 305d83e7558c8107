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


class Reports:
    """What a program a test started reports on a stream, one line each, read
    by a thread of its own as it comes; `parse` makes each line a report.
    `seen` keeps every report taken so far; `context()` adds to a time-out's
    message."""

    def __init__(self, stream, parse=str, context=lambda: ""):
        self.queue, self.seen, self.parse, self.context = queue.Queue(), [], parse, context
        threading.Thread(target=self._read, args=(stream,), daemon=True).start()

    def _read(self, stream):
        for raw in stream:
            line = raw.decode("utf-8", "replace") if isinstance(raw, bytes) else raw
            self.queue.put(self.parse(line.rstrip("\n")))

    def _next(self, timeout):
        report = self.queue.get(timeout=timeout)
        self.seen.append(report)
        return report

    def wait(self, match, timeout=5.0, what="the report waited for"):
        """The first report that `match`es; the ones before it are taken."""
        deadline = time.monotonic() + timeout
        while (left := deadline - time.monotonic()) > 0:
            try:
                report = self._next(left)
            except queue.Empty:
                break
            if match(report):
                return report
        raise DesktopError(f"no {what}; saw {self.seen[-10:]}{self.context()}")

    def take(self, quiet=0.0):
        """Every report until none came for `quiet` seconds."""
        out = []
        while True:
            try:
                out.append(self._next(quiet))
            except queue.Empty:
                return out


class Probe(Reports):
    """The platform_probe program: commands in, one report a line out, each
    after the time it was made."""

    def __init__(self, desktop, argv=None):
        self.desktop = desktop
        self.stderr_path = os.path.join(desktop.tmp, f"probe-{time.monotonic_ns()}.err")
        with open(self.stderr_path, "wb") as stderr:
            self.process = desktop.start(
                "probe", argv or [program("PLATFORM_PROBE")], stdin=subprocess.PIPE,
                stdout=subprocess.PIPE, stderr=stderr)
        super().__init__(self.process.stdout)
        self.pid = int(self.expect("ready", timeout=30).split("pid=")[1])

    def send(self, command):
        self.process.stdin.write((command + "\n").encode("utf-8"))
        self.process.stdin.flush()

    def expect(self, prefix, timeout=3.0):
        """The text of the next report starting with `prefix`."""
        def match(line):
            text = line.partition(" ")[2]
            if not text.startswith(prefix) and text.startswith("error"):
                raise DesktopError("probe: " + text)
            return text.startswith(prefix)
        return self.wait(match, timeout, f"probe report {prefix!r}").partition(" ")[2]

    def reports(self, quiet=0.4):
        """The texts of every report until none came for `quiet` seconds."""
        return [line.partition(" ")[2] for line in self.take(quiet)]

    def command(self, command, answer, timeout=3.0):
        self.send(command)
        return self.expect(answer, timeout)

    def stderr(self):
        with open(self.stderr_path, errors="replace") as f:
            return f.read()

    def alive(self):
        return self.process.poll() is None
