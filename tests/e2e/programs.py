"""The programs people fill forms in, as paste targets for the end-to-end
tests and the benchmarks: Chromium and Firefox ESR on a local web page,
LibreOffice Calc, GTK 3, GTK 4 and Qt 6 forms, and terminals (alacritty,
a VTE terminal, kitty). Each reports what reached it, with times from the
machine's wall clock in microseconds."""

import http.server
import json
import os
import shutil
import socket
import subprocess
import threading
import time

from desktop import DesktopError, end_process, wait_for

HERE = os.path.dirname(os.path.abspath(__file__))
TARGETS = os.path.join(HERE, "targets")
SYSTEM_PYTHON = "/usr/bin/python3"  # the one Debian's GTK, Qt and UNO bindings belong to


class Event:
    __slots__ = ("time_us", "kind", "widget", "data")

    def __init__(self, record):
        self.time_us, self.kind = record["t"], record["kind"]
        self.widget, self.data = record.get("widget", ""), record.get("data", "")

    def __repr__(self):
        return f"{self.kind} {self.widget} {self.data!r}"


def entry_name(entry):
    """Entries are named e0, e1, ...; other widgets by their own names."""
    return entry if isinstance(entry, str) else f"e{entry}"


def shorten(value):
    return repr(value) if len(value) <= 80 else f"{value[:60]!r}... ({len(value)} characters)"


class Target:
    """A program with entries e0, e1, ... that writes JSON lines to a report."""

    name = "?"
    settle = 0.0  # seconds a freshly started program needs before its first click

    def __init__(self, desktop):
        self.desktop = desktop
        self.report = os.path.join(desktop.tmp, f"{type(self).__name__}-{time.monotonic_ns()}.jsonl")
        open(self.report, "w").close()
        self.layout = {}

    def events(self):
        with open(self.report, encoding="utf-8") as report:
            return [Event(json.loads(line)) for line in report if line.strip()]

    def mark(self):
        """A point in the report: events after it are the new ones."""
        return len(self.events())

    def events_since(self, mark):
        return self.events()[mark:]

    def wait_ready(self, timeout):
        wait_for(lambda: any(e.kind == "ready" for e in self.events()), timeout=timeout,
                 interval=0.1, what=f"{self.name} to be ready")
        self.layout = {e.widget: tuple(int(v) for v in e.data.split())
                       for e in self.events() if e.kind == "layout"}
        time.sleep(self.settle)

    def origin(self):
        """Where the layout's places count from: the window's inside."""
        x, y, _, _ = self.desktop.geometry(self.window)
        return x, y

    def point(self, entry):
        """The absolute screen point in the middle of an entry."""
        ox, oy = self.origin()
        x, y, w, h = self.layout[entry_name(entry)]
        return ox + x + w // 2, oy + y + h // 2

    def click(self, entry, button=1):
        x, y = self.point(entry)
        self.desktop.xdotool("mousemove", x, y, "click", button)

    def text(self, entry):
        """The entry's text as last reported ("" before any change)."""
        texts = [e.data for e in self.events() if e.kind == "content" and e.widget == entry_name(entry)]
        return texts[-1] if texts else ""

    def wait_text(self, entry, text, timeout=10.0):
        return wait_for(lambda: self.text(entry) == text, timeout=timeout,
                        what=lambda: f"{self.name} {entry_name(entry)} to hold {shorten(text)} "
                                     f"(holds {shorten(self.text(entry))})")

    def stop(self):
        end_process(self.process)


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


class TkForm(Target):
    """The Tk form (targets/tk_form.tcl): entries e0.. and the text box memo.
    Its report tells every change of a widget's text, every key and every
    right-button press or release that reached it, one line each. The
    entries named in `deaf` ignore every paste key."""

    name = "Tk form"
    TITLE = "Tk Form"

    def __init__(self, desktop, entries=6, position=(400, 100), deaf=(), options=()):
        super().__init__(desktop)
        self.process = desktop.start("wish", ["wish", os.path.join(TARGETS, "tk_form.tcl"), self.report,
                                              str(entries), "+%d+%d" % position, " ".join(deaf), *options])
        self.window = desktop.wait_window(self.TITLE)
        self.wait_ready(10)

    def events(self):
        with open(self.report, encoding="utf-8") as report:
            lines = [line.split(" ", 3) + [""] * 3 for line in report.read().split("\n") if line]
        return [Event({"t": int(t), "kind": kind, "widget": widget.lstrip("."), "data": _unescape(data)})
                for t, kind, widget, data, *_ in lines]


class ToolkitForm(Target):
    """A GTK 3, GTK 4 or Qt 6 form (targets/toolkit_form.py)."""

    def __init__(self, desktop, toolkit, entries=3):
        super().__init__(desktop)
        self.name = {"gtk3": "GTK 3", "gtk4": "GTK 4", "qt": "Qt 6"}[toolkit]
        self.title = f"{self.name} Form"
        self.process = desktop.start(toolkit, [SYSTEM_PYTHON, os.path.join(TARGETS, "toolkit_form.py"),
                                               toolkit, self.report, self.title, str(entries)])
        self.window = desktop.wait_window(self.title, timeout=30)
        self.wait_ready(30)


class _Reports(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(os.path.join(TARGETS, "web_form.html"), "rb") as page:
            body = page.read()
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=utf-8")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        line = self.rfile.read(int(self.headers["Content-Length"]))
        with open(self.server.report, "ab") as report:
            report.write(line + b"\n")
        self.send_response(204)
        self.end_headers()

    def log_message(self, *args):
        pass


class WebForm(Target):
    """targets/web_form.html in Chromium or Firefox ESR, full screen, so
    that the page's coordinates are the screen's."""

    BROWSERS = {"chromium": "Chromium", "firefox-esr": "Firefox ESR"}

    def __init__(self, desktop, browser):
        super().__init__(desktop)
        self.name = self.BROWSERS[browser]
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _Reports)
        self.server.report = self.report
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        url = f"http://127.0.0.1:{self.server.server_address[1]}/"
        profile = os.path.join(desktop.tmp, f"{browser}-profile")
        os.makedirs(profile)
        if browser == "chromium":
            argv = ["chromium", "--no-sandbox", f"--user-data-dir={profile}", "--no-first-run",
                    "--no-default-browser-check", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync", "--disable-gpu", "--disable-quic",
                    "--password-store=basic", "--disable-features=Translate", "--kiosk", url]
        else:
            with open(os.path.join(profile, "user.js"), "w") as prefs:
                for pref, value in [("browser.shell.checkDefaultBrowser", "false"),
                                    ("browser.aboutwelcome.enabled", "false"),
                                    ("datareporting.policy.dataSubmissionEnabled", "false"),
                                    ("toolkit.telemetry.reportingpolicy.firstRun", "false"),
                                    ("app.update.enabled", "false"),
                                    ("browser.startup.homepage_override.mstone", '"ignore"'),
                                    ("network.captive-portal-service.enabled", "false"),
                                    ("network.connectivity-service.enabled", "false")]:
                    prefs.write(f'user_pref("{pref}", {value});\n')
            argv = ["firefox-esr", "--no-remote", "--profile", profile, "--kiosk", url]
        with open(os.path.join(desktop.tmp, f"{browser}.log"), "ab") as log:
            self.process = desktop.start(browser, argv, stdout=log, stderr=log,
                                         extra_env={"MOZ_CRASHREPORTER_DISABLE": "1"})
        self.wait_ready(60)
        time.sleep(1.0)  # the first paint after load

    def origin(self):
        return (0, 0)

    def stop(self):
        super().stop()
        self.server.shutdown()
        self.server.server_close()


class Terminal(Target):
    """A terminal running targets/terminal_reader.py, which reports every
    byte the terminal hands it. One entry: the terminal itself."""

    TERMINALS = {"alacritty": "alacritty", "xfce4-terminal": "xfce4-terminal (VTE)", "kitty": "kitty"}

    def __init__(self, desktop, terminal):
        super().__init__(desktop)
        self.name = self.TERMINALS[terminal]
        self.title = f"Tapfill terminal {terminal}"
        reader = [SYSTEM_PYTHON, os.path.join(TARGETS, "terminal_reader.py"), self.report]
        if terminal == "alacritty":
            argv = ["alacritty", "--title", self.title, "-e", *reader]
        elif terminal == "kitty":
            argv = ["kitty", "--title", self.title, *reader]
        else:
            argv = ["xfce4-terminal", "--disable-server", "--title", self.title, "-x", *reader]
        self.process = desktop.start(terminal, argv, extra_env={"LIBGL_ALWAYS_SOFTWARE": "1"})
        self.window = desktop.wait_window(self.title, timeout=30)
        self.wait_ready(30)
        time.sleep(0.3)

    def point(self, entry):
        x, y, w, h = self.desktop.geometry(self.window)
        return x + w // 2, y + h // 2

    def text(self, entry=0):
        return "".join(e.data for e in self.events() if e.kind == "input")


class Emacs(Target):
    """Emacs with its default keys (emacs -Q); its buffer is written to the
    report at every change. One entry: the buffer."""

    def __init__(self, desktop):
        super().__init__(desktop)
        self.name = "Emacs"
        self.title = "Tapfill Emacs"
        # Only the buffer typed into: Emacs logs into *Messages* meanwhile.
        save = (f'(with-current-buffer "*scratch*" (add-hook (quote after-change-functions) '
                f'(lambda (&rest _) (write-region (point-min) (point-max) "{self.report}" nil '
                f'(quote silent))) nil t))')
        self.process = desktop.start("emacs", ["emacs", "-Q", "-T", self.title, "--eval", save])
        self.window = desktop.wait_window(self.title, timeout=30)
        time.sleep(1.0)

    def point(self, entry):
        x, y, w, h = self.desktop.geometry(self.window)
        return x + w // 2, y + h // 3

    def text(self, entry=0):
        with open(self.report, encoding="utf-8") as report:
            return report.read()


class Calc(Target):
    """LibreOffice Calc with an empty sheet whose cells A1..A3 are large,
    read through UNO (python3-uno) over a socket of its own."""

    def __init__(self, desktop):
        super().__init__(desktop)
        self.name = "LibreOffice Calc"
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        profile = os.path.join(desktop.tmp, "lo-profile")
        with open(os.path.join(desktop.tmp, "soffice.log"), "ab") as log:
            self.process = desktop.start("soffice", [
                "soffice", "--calc", "--norestore", "--nologo", "--nolockcheck",
                f"-env:UserInstallation=file://{profile}",
                f"--accept=socket,host=127.0.0.1,port={self.port};urp;"], stdout=log, stderr=log)
        self.window = desktop.wait_window("Untitled 1 - LibreOffice Calc", timeout=90)
        helper = [SYSTEM_PYTHON, os.path.join(TARGETS, "calc_cells.py"), str(self.port)]
        self._uno = subprocess.Popen(helper + [self.report], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, env=desktop.env)
        self._ask("prepare")
        self.wait_ready(5)

    def origin(self):
        return (0, 0)  # the cells' places are the screen's

    def _ask(self, command):
        self._uno.stdin.write(command + "\n")
        self._uno.stdin.flush()
        answer = self._uno.stdout.readline()
        if not answer:
            raise DesktopError("the UNO helper ended")
        return json.loads(answer)

    def text(self, entry):
        return self._ask(f"cell {entry}")

    def clear(self, entry):
        self._ask(f"clear {entry}")

    def stop(self):
        if self._uno.poll() is None:
            self._uno.stdin.close()
            self._uno.wait(timeout=5)
        super().stop()


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
            desktop.copy(marker.encode())
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


def available(program):
    return shutil.which(program) is not None
