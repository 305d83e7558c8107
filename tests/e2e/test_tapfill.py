"""Tapfill as a user meets it, on a private X desktop with a tray: forms of
other programs filled by clicks, the paste options, right clicks in paste
mode, F12, the tray icon and the window commands."""

import os
import signal
import time
import unittest

import support
from desktop import Desktop, wait_for
from tapfill import Tapfill, write_data
from programs import TkForm

ONE_LINE = ["Grüße €1", "second line", "third", "fourth", "fifth", "sixth"]
PERSONAL = ["Ann", "Lee", "ACME Ltd", "1 Main St", "", "Springfield", "IL", "62701",
            "ann@example.com", "555-0100"]
MULTI_LINE = ["Dear Sir,\nthank you.\n  Regards", "second\nfield"]
NOT_PASTED = "the field was not pasted"


class DesktopTest(unittest.TestCase):
    """A desktop, with a tray unless told; Tapfill, not yet started, on its own data folder."""
    tray = True

    def setUp(self):
        self.desktop = Desktop.for_test(self, tray=self.tray)
        self.data = os.path.join(self.desktop.tmp, "data")
        self.app = Tapfill(self.desktop, support.program("TAPFILL"), self.data)
        self.addCleanup(self.app.stop)

    def read(self, name):
        with open(os.path.join(self.data, name), "rb") as f:
            return f.read()


class TapfillTest(DesktopTest):
    deaf_entries = ()     # entries of the form that ignore every paste key
    tk_options = ()       # of targets/tk_form.tcl
    programs_conf = None  # the user's programs.conf, if any

    def setUp(self):
        super().setUp()
        write_data(self.data, one_line=ONE_LINE, personal=PERSONAL, multi_line=MULTI_LINE,
                   captions=["Letter", "Other"])
        if self.programs_conf:
            folder = os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "Tapfill")
            os.makedirs(folder)
            with open(os.path.join(folder, "programs.conf"), "w") as f:
                f.write(self.programs_conf)
        self.tk = TkForm(self.desktop, deaf=self.deaf_entries, options=self.tk_options)
        self.app.start()

    def paste_mode_on(self):
        """Double click on the tray icon: paste mode on, window shown on top."""
        self.app.tray_double_click()
        self.app.wait_shown()
        wait_for(self.app.is_topmost, what="the main window on top")

    def ready_to_paste(self, options=(), page=None):
        """Paste mode on, the given paste options checked, the page turned
        to, and PASTE: the next left click in another program pastes."""
        self.paste_mode_on()
        if options:
            self.app.page("OPT.")
            for option in options:
                self.app.check(option)
        if page:
            self.app.page(page)
        self.app.arm_paste()

    def fill(self, widget, expected):
        """Left click into a widget of the form; the field arrives there."""
        self.tk.click(widget)
        self.tk.wait_text(widget, expected)
        time.sleep(0.25)  # an advance pauses click acceptance for 120 ms

    def contents(self, widget, mark=0):
        return [e.data for e in self.tk.events_since(mark)
                if e.kind == "content" and e.widget == widget]

    def right_clicks_seen(self, mark):
        return [e.kind for e in self.tk.events_since(mark) if e.kind in ("rpress", "rrelease")]

    def wait_right_click_reaches_form(self, mark, what):
        wait_for(lambda: self.right_clicks_seen(mark) == ["rpress", "rrelease"], what=what)


class FillingForms(TapfillTest):
    def test_a_whole_form_filled_by_clicks_each_field_once(self):
        self.ready_to_paste(["Auto Advance"])
        for i in range(6):
            self.fill(f"e{i}", ONE_LINE[i])

        self.app.page("PERS")
        time.sleep(0.3)
        for i in range(3):
            self.fill(f"e{i}", ONE_LINE[i] + PERSONAL[i])  # the caret sits at the end

        self.app.page("MULTI")
        time.sleep(0.3)
        self.fill("memo", MULTI_LINE[0])
        for i in range(6):
            self.assertEqual(len(self.contents(f"e{i}")), 2 if i < 3 else 1, f"e{i} once per paste")
        self.assertEqual(self.contents("memo"), [MULTI_LINE[0]])

    def test_a_click_on_tapfill_itself_pastes_nothing_and_does_not_advance(self):
        self.ready_to_paste(["Auto Advance"], page="1 LINE")
        mark = self.tk.mark()
        self.app.click_twips(120, 5460, 2655, 615)  # the status label: nothing to choose there
        time.sleep(0.4)
        self.fill("e0", ONE_LINE[0])  # still the first field
        self.assertEqual(self.contents("e0", mark), [ONE_LINE[0]])

    def test_a_large_multi_line_field(self):
        self.app.stop()
        big = "\n".join(f"line {i:04d} " + "y" * 90 for i in range(1000))
        write_data(self.app.data_dir, one_line=ONE_LINE, multi_line=[big])
        self.app.start()
        self.ready_to_paste(["Auto Carriage Return (ENTER)"], page="MULTI")
        mark = self.tk.mark()
        self.tk.click("memo")
        self.tk.wait_text("memo", big + "\n", timeout=5)  # the Enter after the whole text
        self.assertEqual(self.contents("memo", mark)[0], big)


class APasteNotTaken(TapfillTest):
    deaf_entries = ("e1",)

    def tab_enter_and_text_since(self, mark):
        return [(e.kind, e.widget, e.data) for e in self.tk.events_since(mark)
                if e.kind == "content" or (e.kind == "key" and e.data in ("Tab", "Return"))]

    def test_nothing_follows_a_paste_the_program_did_not_take(self):
        self.ready_to_paste(["Auto Tab", "Auto Carriage Return (ENTER)", "Auto Advance"])
        mark = self.tk.mark()
        self.tk.click("e1")
        wait_for(lambda: self.app.told(NOT_PASTED), what="Tapfill to say the field was not pasted")
        time.sleep(0.3)
        self.assertEqual(self.tab_enter_and_text_since(mark), [], "no text, no Tab, no Enter")
        self.assertEqual(self.app.told(NOT_PASTED), 1)
        self.assertFalse(self.desktop.find_windows("^Tapfill$"), "no message box takes the focus")

        # The selection stayed; the next click pastes it with Tab and Enter.
        mark = self.tk.mark()
        self.tk.click("e3")
        wait_for(lambda: any(e.kind == "key" and e.data == "Return"
                             for e in self.tk.events_since(mark)), what="the Enter")
        self.assertEqual(self.tab_enter_and_text_since(mark),
                         [("content", "e3", ONE_LINE[0]), ("key", "e3", "Tab"), ("key", "e4", "Return")])


class APasteNotTakenWithoutATray(TapfillTest):
    tray = False
    deaf_entries = ("e1",)

    def test_the_notice_takes_neither_the_focus_nor_tapfills_window(self):
        self.app.page("1 LINE")  # without a tray the window is shown from the start
        self.app.arm_paste()
        self.tk.click("e1")
        self.desktop.wait_window("Tapfill message")
        self.desktop.xdotool("type", "typed")
        self.tk.wait_text("e1", "typed")  # the keyboard is still the form's
        self.app.press("HIDE")
        self.app.wait_hidden()
        self.assertTrue(self.desktop.find_windows("Tapfill message"), "the notice goes in its own time")


class RightClicksAndPasteMode(TapfillTest):
    def test_right_clicks_are_swallowed_and_advance_once_each(self):
        self.ready_to_paste(page="1 LINE")
        mark = self.tk.mark()
        self.tk.click("e5", button=3)
        time.sleep(0.3)
        self.tk.click("e5", button=3)
        time.sleep(0.3)
        self.assertEqual(self.right_clicks_seen(mark), [])
        self.fill("e0", ONE_LINE[2])  # two right clicks: two steps from the first field

    def test_f12_switches_paste_mode_and_still_reaches_the_program(self):
        idle_look = self.app.icon_picture()
        self.tk.click("e0")
        time.sleep(0.2)
        mark = self.tk.mark()
        self.desktop.xdotool("key", "F12")
        wait_for(lambda: self.app.icon_picture() != idle_look, what="the active look")
        self.assertIsNone(self.app.window(), "F12 alone shows no window")
        self.tk.click("e1", button=3)
        self.app.wait_shown()
        self.assertEqual(self.right_clicks_seen(mark), [])

        self.desktop.xdotool("key", "F12")
        wait_for(lambda: self.app.icon_picture() == idle_look, what="the idle look")
        self.tk.click("e1", button=3)
        self.wait_right_click_reaches_form(mark, "the right click to pass again")
        self.assertEqual(len([e for e in self.tk.events_since(mark)
                              if e.kind == "key" and e.data == "F12"]), 2)


class TrayAndWindowCommands(TapfillTest):
    def test_the_tray_menu_switches_paste_mode_shows_the_window_and_exits(self):
        idle_look = self.app.icon_picture()
        self.app.tray_click(1)  # a single click changes nothing
        time.sleep(0.5)
        self.assertIsNone(self.app.window())
        self.app.tray_menu("p")
        self.app.wait_shown()
        wait_for(self.app.is_topmost, what="the main window on top, as after a double click")
        wait_for(lambda: self.app.icon_picture() != idle_look, what="the active look")
        # In paste mode every right click is kept for Tapfill, the icon's too:
        # the double click switches it off again.
        self.app.tray_double_click()
        self.app.wait_hidden()
        wait_for(lambda: self.app.icon_picture() == idle_look, what="the idle look")

        self.app.tray_menu("s")
        self.app.wait_shown()
        self.assertEqual(self.app.icon_picture(), idle_look, "showing leaves paste mode off")

        self.app.tray_menu("x")
        self.assertEqual(self.app.process.wait(timeout=5), 0)
        self.assertEqual(self.app.running_flag(), "0")

    def test_hide_and_suspend_and_a_later_show(self):
        idle_look = self.app.icon_picture()
        self.paste_mode_on()
        self.app.press("HIDE")
        self.app.wait_hidden()
        self.assertNotEqual(self.app.icon_picture(), idle_look, "HIDE leaves paste mode on")
        mark = self.tk.mark()
        self.tk.click("e0", button=3)  # kept from the form, and the window is back on top
        self.app.wait_shown()
        self.assertTrue(self.app.is_topmost())
        self.assertEqual(self.right_clicks_seen(mark), [])

        self.app.press("SUSPEND")
        self.app.wait_hidden()
        wait_for(lambda: self.app.icon_picture() == idle_look, what="the idle look")
        mark = self.tk.mark()
        self.tk.click("e0", button=3)
        self.wait_right_click_reaches_form(mark, "paste mode to be off")
        self.assertIsNone(self.app.window())

        self.ready_to_paste(page="1 LINE")
        self.fill("e3", ONE_LINE[0])
        self.app.press("EXIT")  # in paste mode
        self.assertEqual(self.app.process.wait(timeout=5), 0)
        self.app.wait_icon_gone()
        self.assertEqual(self.app.running_flag(), "0")

class StoredDataAndLife(DesktopTest):
    """The program's life: splash, tray, the stored data, SAVE and the stops."""

    SPLASH_SIZE = (7380 // 15, 4245 // 15)

    def setUp(self):
        super().setUp()
        write_data(self.data, one_line=ONE_LINE, personal=PERSONAL, multi_line=MULTI_LINE + ["ends in a break\n"],
                   captions=["Letter", "Grüße"], left=1500, top=1440)

    def splash_windows(self):
        return [w for w in self.app.shown_windows() if self.desktop.geometry(w)[2:] == self.SPLASH_SIZE]

    def test_splash_then_tray_and_save_writes_back_the_same_bytes(self):
        before = {name: self.read(name) for name in os.listdir(self.data)}
        self.app.launch()
        wait_for(self.splash_windows, timeout=10, what="the splash")
        self.app.wait_ready()
        self.assertEqual(self.splash_windows(), [], "the splash is gone once the icon is in the tray")
        self.assertIsNone(self.app.window(), "the main window stays hidden")
        self.assertEqual(self.app.running_flag(), "1")

        self.app.tray_double_click()
        self.app.wait_shown()
        self.app.press("SAVE")
        wait_for(lambda: os.path.exists(os.path.join(self.data, "MLT12.DAT")), what="SAVE to write")
        time.sleep(0.3)
        for name, content in before.items():
            self.assertEqual(self.read(name), content, name)
        self.assertEqual(self.read("MLT4.DAT"), b"\r\n", "an empty field is saved as CR LF")
        self.assertEqual(os.stat(os.path.join(self.data, "MLT4.DAT")).st_mode & 0o777, 0o600)

        self.app.press("EXIT")
        self.assertEqual(self.app.process.wait(timeout=5), 0)
        self.assertEqual(self.app.running_flag(), "0")

    def test_a_second_copy_warns_and_no_leaves_the_first_running(self):
        self.app.start()
        second = Tapfill(self.desktop, support.program("TAPFILL"), self.data).launch()
        self.addCleanup(second.stop)
        warning = self.desktop.wait_window("Tapfill Two copy Warning")
        self.desktop.xdotool("windowactivate", "--sync", warning, check=False)
        self.desktop.xdotool("key", "Return")  # No is the default
        self.assertEqual(second.process.wait(timeout=5), 0)
        self.assertEqual(self.app.running_flag(), "0", "the No answer clears the flag")
        self.assertIsNone(self.app.process.poll(), "the first copy runs on")
        self.assertEqual(len(self.app.icons()), 1)

    def test_a_stop_request_clears_the_flag_and_a_killed_copy_leaves_no_false_warning(self):
        self.app.start()
        os.kill(self.app.process.pid, signal.SIGTERM)
        self.assertEqual(self.app.process.wait(timeout=5), 0)
        self.app.wait_icon_gone()
        self.assertEqual(self.app.running_flag(), "0")

        self.app.start()
        os.kill(self.app.process.pid, signal.SIGKILL)
        self.app.process.wait(timeout=5)
        self.app.wait_icon_gone()
        self.assertEqual(self.app.running_flag(), "1", "a killed copy leaves the flag behind")
        self.app.start()  # the icon comes after the check: a warning would keep it away
        self.assertFalse(self.desktop.find_windows("Tapfill Two copy Warning"))

if __name__ == "__main__":
    support.main()
