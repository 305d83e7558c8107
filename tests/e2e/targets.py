"""Target programs for the end-to-end tests: forms of two toolkits that
report what reached them."""

import json
import os
import subprocess
import time

from desktop import DesktopError, end_process, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))


class Event:
    __slots__ = ("time_us", "kind", "widget", "data")

    def __init__(self, time_us, kind, widget, data):
        self.time_us, self.kind, self.widget, self.data = time_us, kind, widget, data

    def __repr__(self):
        return f"{self.kind} {self.widget} {self.data!r}"


def _unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            i += 1
            c = {"n": "\n", "r": "\r", "t": "\t"}.get(text[i], text[i])
        out.append(c)
        i += 1
    return "".join(out)


class TkForm:
    """The Tk form (targets/tk_form.tcl): entries e0.. and the text box memo.
    Its report tells every change of a widget's text, every key and every
    right-button press or release that reached it. The entries named in
    `deaf` ignore every paste key."""

    TITLE = "Tk Form"

    def __init__(self, desktop, entries=6, position=(400, 100), deaf=(), options=()):
        self.desktop = desktop
        self.report = os.path.join(desktop.tmp, f"tk-{time.monotonic_ns()}.txt")
        open(self.report, "w").close()
        script = os.path.join(HERE, "targets", "tk_form.tcl")
        self.process = desktop.start("wish", ["wish", script, self.report, str(entries),
                                              "+%d+%d" % position, " ".join(deaf), *options])
        wait_for(lambda: any(e.kind == "ready" for e in self.events()), timeout=10,
                 what="the Tk form")
        self.window = desktop.wait_window(self.TITLE)
        self.layout = {e.widget: tuple(int(v) for v in e.data.split())
                       for e in self.events() if e.kind == "layout"}

    def events(self):
        with open(self.report, encoding="utf-8") as report:
            lines = report.read().split("\n")
        events = []
        for line in lines:
            if not line:
                continue
            parts = line.split(" ", 3)
            parts += [""] * (4 - len(parts))
            events.append(Event(int(parts[0]), parts[1], parts[2].lstrip("."),
                                _unescape(parts[3])))
        return events

    def mark(self):
        """A point in the report: events after it are the new ones."""
        return len(self.events())

    def events_since(self, mark):
        return self.events()[mark:]

    def point(self, widget, dx=None, dy=None):
        """Absolute screen point inside a widget (its middle by default)."""
        x, y, _, _ = self.desktop.geometry(self.window)
        wx, wy, ww, wh = self.layout[widget]
        return (x + wx + (ww // 2 if dx is None else dx),
                y + wy + (wh // 2 if dy is None else dy))

    def click(self, widget, button=1):
        x, y = self.point(widget)
        self.desktop.xdotool("mousemove", x, y, "click", button)

    def text(self, widget):
        """The widget's text as last reported ("" before any change)."""
        texts = [e.data for e in self.events() if e.kind == "content" and e.widget == widget]
        return texts[-1] if texts else ""

    def wait_text(self, widget, text, timeout=3.0):
        def shorten(value):
            return repr(value) if len(value) <= 80 else f"{value[:60]!r}... ({len(value)} characters)"
        return wait_for(lambda: self.text(widget) == text, timeout=timeout,
                        what=lambda: f"{widget} to hold {shorten(text)} (holds {shorten(self.text(widget))})")


class GtkForm:
    """A GTK 3 form of three entries (zenity --forms), which prints the
    entries' texts, separated by '|', when OK is pressed."""

    TITLE = "GTK Form"
    # Places inside the dialog, measured on this desktop's default theme.
    ENTRY_POINTS = [(190, 53), (190, 93), (190, 133)]
    OK_POINT = (198, 176)

    def __init__(self, desktop):
        self.desktop = desktop
        self.process = desktop.start(
            "zenity", ["zenity", "--forms", "--title", self.TITLE,
                       "--add-entry", "One", "--add-entry", "Two", "--add-entry", "Three"],
            stdout=subprocess.PIPE)
        self.window = desktop.wait_window(self.TITLE)
        time.sleep(0.3)  # GTK maps first and lays out after

    def click_entry(self, index):
        x, y, _, _ = self.desktop.geometry(self.window)
        dx, dy = self.ENTRY_POINTS[index]
        self.desktop.xdotool("mousemove", x + dx, y + dy, "click", 1)

    def submit(self, timeout=5.0):
        """Presses OK; the entries' texts."""
        x, y, _, _ = self.desktop.geometry(self.window)
        self.desktop.xdotool("mousemove", x + self.OK_POINT[0], y + self.OK_POINT[1], "click", 1)
        try:
            out, _ = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise DesktopError("the GTK form did not close")
        return out.decode("utf-8").rstrip("\n").split("|")


class CopyQ:
    """CopyQ as the user's clipboard manager, in a session of its own: its
    configuration, history and server socket live in the desktop's
    XDG_CONFIG_HOME, so neither D-Bus nor another user's CopyQ is involved.
    CopyQ 6 stores secrets like anything else; its one automatic command
    here, as its manual suggests, leaves out content that carries the
    password managers' hint."""

    SESSION = "tapfill-e2e"
    COMMANDS = r"""[Commands]
1\Name=Ignore secrets
1\Automatic=true
1\Input=x-kde-passwordManagerHint
1\Command=copyq ignore
1\Remove=true
size=1
"""

    def __init__(self, desktop):
        self.desktop = desktop
        folder = os.path.join(desktop.env["XDG_CONFIG_HOME"], "copyq-" + self.SESSION)
        os.makedirs(folder)
        with open(os.path.join(folder, f"copyq-{self.SESSION}-commands.ini"), "w") as f:
            f.write(self.COMMANDS)
        self.env = dict(desktop.env, HOME=os.path.join(desktop.tmp, "copyq-home"))
        os.makedirs(self.env["HOME"])
        with open(os.path.join(desktop.tmp, "copyq.log"), "ab") as log:
            self.process = desktop.start("copyq", ["copyq", "-s", self.SESSION], stdout=log, stderr=log,
                                         extra_env={"HOME": self.env["HOME"]})
        wait_for(lambda: self.call("count", check=False) is not None, timeout=20, interval=0.2,
                 what="CopyQ's server")
        # The server answers before its clipboard monitor runs: copy until
        # one copy is seen, then forget them.
        for attempt in range(40):
            marker = f"CopyQ watching? {attempt}"
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=marker.encode(),
                           env=self.env, timeout=5, check=True)
            try:
                wait_for(lambda: marker in self.history(), timeout=0.5, interval=0.1)
                break
            except DesktopError:
                pass
        self.call("eval", "while (size()) remove(0)")

    def call(self, *args, check=True):
        """A command of the running CopyQ; its output, None when it failed."""
        result = subprocess.run(["copyq", "-s", self.SESSION, *args], env=self.env,
                                capture_output=True, timeout=10)
        if result.returncode != 0:
            if check:
                raise DesktopError(f"copyq {args}: {result.stderr.decode(errors='replace')}")
            return None
        return result.stdout.decode("utf-8")

    def history(self):
        """The texts of the clipboard tab, newest first."""
        return json.loads(self.call("eval", "var items = []; for (var i = 0; i < size(); ++i)"
                                    " items.push(str(read(i))); JSON.stringify(items)"))

    def stop(self):
        if self.process.poll() is None:
            self.call("exit", check=False)
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                pass
        end_process(self.process)
