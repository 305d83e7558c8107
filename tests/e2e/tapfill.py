"""Drives a running Tapfill the way a user does: its tray icon and the
controls of its main window, found by their places in twips."""

import os
import subprocess
import time

from desktop import DesktopError, end_process, wait_for

TITLE = "Tapfill v3.0.5"
TWIPS_PER_PIXEL = 15  # 96 dpi

# Places of the main window's controls, in twips from the window's client
# area: (left, top, width, height). Page controls are given in their tab
# strip; STRIP is where the strip sits.
STRIP = (120, 120)
BUTTONS = {
    "SAVE": (120, 5040, 615, 375),
    "SUSPEND": (840, 5040, 1095, 375),
    "HIDE": (2040, 5040, 735, 375),
    "PASTE": (1080, 6240, 855, 375),
    "EXIT": (2040, 6240, 735, 375),
}
PAGES = ["1 LINE", "PERS", "MULTI", "OPT."]
CHECKBOXES = {"Auto Advance": (360, 480, 1575, 255),
              "Auto Tab": (360, 1920, 1695, 255),
              "Auto Carriage Return (ENTER)": (360, 3120, 1815, 375)}


def crlf_lines(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def write_data(folder, one_line=(), personal=(), multi_line=(), captions=(), left=1440, top=1440):
    """Writes the data files as Tapfill keeps them: CR LF after every line,
    Windows-1252 text, multi-line files holding their field and one CR LF."""
    os.makedirs(folder, exist_ok=True)
    one = list(one_line) + [""] * (12 - len(one_line))
    with open(os.path.join(folder, "F3.dat"), "wb") as f:
        f.write(crlf_lines([f" {left} ", f" {top} "] + one))
    if personal:
        with open(os.path.join(folder, "TF.dat"), "wb") as f:
            f.write(crlf_lines(list(personal) + [""] * (10 - len(personal))))
    for k, text in enumerate(multi_line):
        with open(os.path.join(folder, f"MLT{k + 1}.DAT"), "wb") as f:
            f.write(text.replace("\n", "\r\n").encode("cp1252") + b"\r\n")
    if captions:
        with open(os.path.join(folder, "CAPTION.dat"), "wb") as f:
            f.write(crlf_lines(list(captions) + [""] * (12 - len(captions))))


class Tapfill:
    def __init__(self, desktop, binary, data_dir):
        self.desktop = desktop
        self.binary = binary
        self.data_dir = data_dir
        self.process = None
        self.log = os.path.join(desktop.tmp, "tapfill.log")

    # -- life cycle -----------------------------------------------------------
    def start(self):
        self.launch()
        return self.wait_ready()

    def launch(self):
        # Without a data folder the copy chooses its own.
        argv = [self.binary] + (["--data-dir", self.data_dir] if self.data_dir else [])
        with open(self.log, "ab") as log:
            self.process = self.desktop.start("tapfill", argv, stdout=log, stderr=log)
        return self

    def wait_ready(self):
        # The splash closes after two seconds; then the icon is in the tray,
        # or without a tray the main window is shown.
        if not self.desktop.tray:
            wait_for(lambda: self._find_icon() is None and self.window(), timeout=15, what="the main window")
            return self
        self.icon = wait_for(self._find_icon, timeout=15, what="Tapfill's tray icon")
        return self

    def stop(self):
        if self.process:
            end_process(self.process)
            self.process = None

    def _find_icon(self):
        if self.process.poll() is not None:
            raise DesktopError(f"tapfill ended with {self.process.returncode}: "
                               + open(self.log, errors="replace").read())
        icons = self.icons()
        return icons[0] if icons else None

    def icons(self):
        """Every tray icon named Tapfill (of any copy)."""
        return [w for w, name in self.desktop.tray_icons() if name == "Tapfill"]

    def wait_icon_gone(self):
        wait_for(lambda: not self.icons(), what="the icon to leave the tray")

    def told(self, text):
        """How often Tapfill wrote `text` on its standard error."""
        with open(self.log, errors="replace") as log:
            return log.read().count(text)

    def running_flag(self):
        env = self.desktop.env
        config = env.get("XDG_CONFIG_HOME") or os.path.join(env["HOME"], ".config")
        path = os.path.join(config, "lockfiles", "lockfiles.conf")
        if not os.path.exists(path):
            return None
        with open(path) as settings:
            for line in settings:
                if line.startswith("FL1="):
                    return line.strip().split("=", 1)[1]
        return None

    # -- tray ---------------------------------------------------------------------
    def tray_click(self, button=1, double=False):
        x, y, w, h = self.desktop.geometry(self.icon)
        args = ["mousemove", x + w // 2, y + h // 2, "click"]
        if double:
            args += ["--repeat", 2, "--delay", 80]
        self.desktop.xdotool(*args, button)

    def tray_double_click(self):
        self.tray_click(double=True)

    def shown_windows(self):
        out = self.desktop.xdotool("search", "--onlyvisible", "--classname", "tapfill", check=False)
        return set(map(int, out.split()))

    def open_tray_menu(self):
        """Right click on the icon; returns the menu's window once it shows."""
        before = self.shown_windows()
        # Just after the start the tray may still be placing the icon, and
        # the click misses it: click again.
        for attempt in range(3):
            self.tray_click(3)
            try:
                return wait_for(lambda: self.shown_windows() - before, timeout=2, what="the tray menu")
            except DesktopError:
                if attempt == 2:
                    raise

    def tray_menu(self, key):
        """Chooses a command of the tray menu by its underlined letter."""
        menu = self.open_tray_menu()
        self.desktop.xdotool("key", key)
        wait_for(lambda: not (self.shown_windows() & menu), what="the tray menu to close")

    def icon_picture(self):
        """The tray icon's pixels as shown, to tell its two looks apart."""
        result = subprocess.run(["import", "-window", str(self.icon), "-depth", "8", "rgb:-"],
                                env=self.desktop.env, capture_output=True, timeout=10)
        return result.stdout

    # -- main window -----------------------------------------------------------
    def window(self):
        """The main window's id while it is shown, else None."""
        found = self.desktop.find_windows(TITLE)
        return found[0] if found else None

    def wait_shown(self, timeout=5):
        return wait_for(self.window, timeout=timeout, what="the main window to show")

    def wait_hidden(self, timeout=5):
        wait_for(lambda: self.window() is None, timeout=timeout, what="the main window to hide")

    def is_topmost(self):
        window = self.window()
        return window is not None and "_NET_WM_STATE_ABOVE" in self.desktop.xprop(
            window, "_NET_WM_STATE")

    def click_twips(self, left, top, width=0, height=0, button=1, at_left=False):
        """Clicks inside a rectangle given in twips of the client area."""
        window = self.wait_shown()
        x, y, _, _ = self.desktop.geometry(window)
        px = left + (min(120, width // 2) if at_left else width // 2)
        py = top + height // 2
        self.desktop.xdotool("mousemove", x + round(px / TWIPS_PER_PIXEL),
                             y + round(py / TWIPS_PER_PIXEL), "click", button)
        time.sleep(0.05)

    def press(self, caption):
        self.click_twips(*BUTTONS[caption])

    def page(self, caption):
        """Turns the outer tab strip. Tabs share the strip's width."""
        i = PAGES.index(caption)
        self.click_twips(STRIP[0] + 2700 * (2 * i + 1) // 8, STRIP[1] + 120)

    def select_one_line(self, i):
        self.click_twips(STRIP[0] + 120, STRIP[1] + 480 + 360 * i, 255, 255)

    def check(self, caption):
        left, top, width, height = CHECKBOXES[caption]
        self.click_twips(STRIP[0] + left, STRIP[1] + top, width, height, at_left=True)

    def arm_paste(self):
        """PASTE; click acceptance comes on 120 ms later."""
        self.press("PASTE")
        time.sleep(0.3)
