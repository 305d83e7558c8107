"""Tapfill on GNOME under Wayland, as a user meets it: a headless GNOME
Shell with Tapfill's extension, the real tapfill as a Wayland client, and
Qt and GTK Wayland forms filled by clicks. Input comes in through Mutter's
RemoteDesktop interface, as from a remote desktop client."""

import json
import os
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
from desktop import DesktopError, end_process, wait_for  # noqa: E402
from gnome_session import BTN_RIGHT, EXTENSION_UUID, GnomeSession  # noqa: E402
import tapfill as e2e_tapfill  # noqa: E402
from tapfill import TITLE, TWIPS_PER_PIXEL, write_data  # noqa: E402
import support  # noqa: E402
from support import Reports  # noqa: E402

ONE_LINE = ["Grüße €1", "second", "third", "fourth"]
F12 = 0xffc9
# Tapfill's window, away from the forms' boxes (their left ends hold text).
WINDOW_PLACE = (1000, 200)


def saw(kind, box=None, data=None):
    """A match for Form.wait: a report of that kind, of box eN, with that data."""
    return lambda e: (e["kind"] == kind and box in (None, int(e["widget"][1:] or -1))
                      and data in (None, e["data"]))


class Form(Reports):
    """The toolkit form of the X11 tests ("qt" or "gtk3"), full screen on the
    session, with four boxes, the last holding "one two three"."""

    def __init__(self, session, kind, context=lambda: ""):
        env = dict(session.env, QT_QPA_PLATFORM="wayland", GDK_BACKEND="wayland")
        form = os.path.join(HERE, "..", "e2e", "targets", "toolkit_form.py")
        self.process = session.start(["/usr/bin/python3", form, kind, "-", f"{kind} form", "4", "one two three"],
                                     env=env, stdout=subprocess.PIPE, text=True)
        super().__init__(self.process.stdout, json.loads, context)
        self.wait(saw("ready"), timeout=20)
        self.places = [tuple(map(int, e["data"].split())) for e in self.seen if e["kind"] == "layout"]

    def text(self, box):
        """The box's text as last reported, of the reports taken."""
        return ([""] + [e["data"] for e in self.seen if saw("content", box)(e)])[-1]

    def center(self, box, dx=0):
        x, y, w, h = self.places[box]
        return x + w // 2 + dx, y + h // 2

    def close(self):
        end_process(self.process)


class Tapfill(e2e_tapfill.Tapfill):
    """The real tapfill on the session, on its own data folder; its window's
    controls are found as on X11, through the shell's view of the window."""

    def __init__(self, session, data_dir, env=None):
        self.session = session
        self.log = os.path.join(session.tmp, "tapfill.log")
        env = dict(env or session.env, QT_WAYLAND_DISABLE_WINDOWDECORATION="1")
        with open(self.log, "ab") as log:
            self.process = session.start([support.program("TAPFILL"), "--data-dir", data_dir],
                                         env=env, stdout=log, stderr=log)

    def output(self):
        with open(self.log, errors="replace") as log:
            return log.read()

    def wait_indicator(self):
        def shown():
            if self.process.poll() is not None:
                raise DesktopError(f"tapfill ended with {self.process.returncode}: {self.output()}")
            rect = list(map(int, self.session.probe.IndicatorRect()))
            return rect if rect and rect[2] > 0 else None
        return wait_for(shown, timeout=20, what="Tapfill's indicator in the top bar")

    def indicator_double_click(self):
        x, y, w, h = self.wait_indicator()
        self.session.input.double_click(x + w // 2, y + h // 2)

    def window(self):
        return self.session.window_rect(TITLE)

    def wait_placed(self, place):
        """The shell places the window a moment after it shows."""
        wait_for(lambda: tuple(self.window()[:2]) == place, timeout=5,
                 what=lambda: f"the window at {place}, not {self.window()[:2]}")

    def click_twips(self, left, top, width=0, height=0, button=1, at_left=False):
        x, y, _, _ = self.window()
        px = left + (min(120, width // 2) if at_left else width // 2)
        py = top + height // 2
        self.session.input.click(x + round(px / TWIPS_PER_PIXEL), y + round(py / TWIPS_PER_PIXEL))
        time.sleep(0.4)


class GnomeTest(unittest.TestCase):
    """One shell for the class; Tapfill on it, shown with paste mode on and
    set to paste with Auto Tab and Auto Advance from the first field."""

    @classmethod
    def setUpClass(cls):
        cls.session = GnomeSession()
        cls.session.__enter__()
        try:
            data = os.path.join(cls.session.tmp, "data")
            write_data(data, one_line=ONE_LINE, left=WINDOW_PLACE[0] * TWIPS_PER_PIXEL,
                       top=WINDOW_PLACE[1] * TWIPS_PER_PIXEL)
            cls.app = Tapfill(cls.session, data)
            cls.app.indicator_double_click()  # paste mode on, the window shown on top
            cls.app.wait_placed(WINDOW_PLACE)
            cls.app.page("OPT.")
            time.sleep(0.5)
            cls.app.check("Auto Tab")
            cls.app.check("Auto Advance")
            cls.app.page("1 LINE")
            cls.app.select_one_line(0)
        except BaseException:
            cls.session.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.app.stop()
        cls.session.close()

    def setUp(self):
        self.input = self.session.input

    def form(self, kind):
        form = Form(self.session, kind, context=lambda: "; tapfill said: " + self.app.output()[-600:])
        self.addCleanup(form.close)
        # The first click on a new window only gives it the focus.
        self.input.click(*form.center(3))
        time.sleep(0.8)
        form.take()
        return form

    def test_forms_filled_by_clicks_with_auto_tab_and_advance(self):
        """PASTE on, paste mode off, three clicks into three boxes of each
        form: each box gets its field, in order, and the user's clipboard
        comes back."""
        self.session.set_clipboard("the user's own text")
        self.input.key(F12)  # paste mode off: the clicks reach the forms directly
        self.addCleanup(lambda: self.input.key(F12) or time.sleep(0.4))
        time.sleep(0.4)
        for kind in ("qt", "gtk3"):
            with self.subTest(kind):
                form = self.form(kind)
                self.app.select_one_line(0)
                self.app.press("PASTE")
                time.sleep(0.3)
                try:
                    for box in range(3):
                        self.input.click(*form.center(box))
                        form.wait(saw("content", box, ONE_LINE[box]), timeout=5)
                        # Auto Tab: the next box takes the focus once the paste is done.
                        form.wait(saw("focus", box + 1), timeout=5)
                        time.sleep(0.2)
                    time.sleep(1.0)
                    form.take()
                    self.assertEqual([form.text(i) for i in range(3)], ONE_LINE[:3])
                    self.assertEqual(self.session.clipboard(), "the user's own text")
                finally:
                    self.app.press("PASTE")

    def test_nothing_typed_after_a_refused_paste(self):
        """A modifier held at the moment of the paste would change what the
        keys mean: the shell refuses them, and no Tab or Enter follows."""
        form = self.form("gtk3")
        self.input.key(F12)  # paste mode off
        self.addCleanup(lambda: self.input.key(F12) or time.sleep(0.4))
        time.sleep(0.4)
        self.app.select_one_line(0)
        self.app.press("PASTE")
        self.addCleanup(self.app.press, "PASTE")
        time.sleep(0.3)
        form.take()
        self.input.session.NotifyKeyboardKeysym(0xffe1, True)  # Shift held
        try:
            self.input.click(*form.center(1))
            time.sleep(1.5)
        finally:
            self.input.session.NotifyKeyboardKeysym(0xffe1, False)
        events = form.take()
        self.assertFalse([e for e in events if (e["kind"] == "content" and e["data"])
                          or saw("key", data="Tab")(e) or saw("key", data="ISO_Left_Tab")(e)], events)
        self.assertIn("the field was not pasted: a modifier key", self.app.output())

    def test_in_paste_mode_left_clicks_double_clicks_and_drags_pass(self):
        # Right clicks kept: the end of the paste mode key's test.
        form = self.form("qt")
        self.input.double_click(*form.center(3, dx=-form.places[3][2] // 2 + 12))
        form.wait(lambda e: e["kind"] == "selected" and e["data"] in ("three", "two", "one"))
        x, y, w, h = form.places[3]
        self.input.drag((x + 3, y + h // 2), (x + 400, y + h // 2))
        form.wait(saw("selected", 3, "one two three"))
        time.sleep(0.5)  # the drag is played again along its path
        self.input.click(*form.center(1))
        self.input.move(640, 600)  # on at once, while the click is played again
        form.wait(saw("focus", 1))
        time.sleep(0.3)
        self.assertEqual(list(self.session.probe.Pointer()), [640, 600])

    def test_paste_mode_key_switches_and_still_reaches_the_program(self):
        form = self.form("gtk3")
        self.input.click(*form.center(1))
        time.sleep(0.3)
        self.input.key(F12)  # paste mode off
        form.wait(saw("key", data="F12"), timeout=3)
        time.sleep(0.3)
        self.input.click(*form.center(1), code=BTN_RIGHT)
        form.wait(saw("context"), timeout=3)
        time.sleep(0.3)
        self.input.click(*form.center(2))  # the context menu closed
        time.sleep(0.3)
        self.input.click(*form.center(2))
        form.wait(saw("focus", 2), timeout=3)
        self.input.key(F12)  # on again
        form.wait(saw("key", data="F12"), timeout=3)
        time.sleep(0.3)
        form.take()
        self.input.click(*form.center(2), code=BTN_RIGHT)
        time.sleep(0.5)
        self.assertFalse([e for e in form.take() if saw("context")(e)])


    def test_indicator_double_click_tip_and_menu(self):
        """The top bar's icon does what the tray icon does elsewhere."""
        probe = self.session.probe
        x, y, w, h = self.app.wait_indicator()
        self.input.move(x + w // 2, y + h // 2)
        wait_for(lambda: probe.IndicatorTip() == "Tapfill is Active!! Double Click to De-activate.",
                 what=lambda: f"the tool tip, not {probe.IndicatorTip()!r}")
        self.assertIn("Paste mode [x] (closed)", list(probe.MenuItems()))
        self.app.indicator_double_click()  # paste mode off, the window put away
        wait_for(lambda: not list(probe.WindowRect(TITLE)), what="the window to go")
        wait_for(lambda: "Paste mode (closed)" in list(probe.MenuItems()), what="paste mode off in the menu")
        self.assertEqual(probe.IndicatorTip(), "Double Click To Start Tapfill")
        self.input.click(x + w // 2, y + h // 2, code=BTN_RIGHT)  # the menu opens
        wait_for(lambda: "Paste mode" in list(probe.MenuItems()), what="the menu to open")
        self.input.key(0xff1b)
        time.sleep(0.3)
        self.app.indicator_double_click()  # on again, the window back on top
        self.app.wait_placed(WINDOW_PLACE)
        wait_for(lambda: probe.IsAbove(TITLE), what="the window kept above")
        self.input.move(640, 600)


class WithoutExtensionTest(unittest.TestCase):
    def test_one_clear_message_says_how_to_turn_the_extension_on(self):
        with GnomeSession(extension=False) as session:
            data = os.path.join(session.tmp, "data")
            write_data(data, one_line=ONE_LINE)
            app = Tapfill(session, data)
            wait_for(lambda: "gnome-extensions enable" in app.output(), timeout=15,
                     what=lambda: "the message; tapfill said: " + app.output())
            self.assertIn(f"gnome-extensions enable {EXTENSION_UUID}", app.output())
            self.assertEqual(app.output().count("tapfill:"), 1)
            app.stop()


if __name__ == "__main__":
    # GNOME Shell and its company come only with scripts/install-deps.sh --gnome.
    support.main(["gnome-shell", "pipewire", "dbus-daemon", "gsettings"])
