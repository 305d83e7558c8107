"""The Win32 platform backend under Wine, through windows_probe, against the
Win32 form, driven by xdotool as a user would, where the real program's test
(test_windows_program.py) cannot look: a paste mode key other than F12 and
F12 with Ctrl held, the formats that keep Tapfill's text out of clipboard
history, the user's content copied meanwhile or a copy that ends mid-delivery,
keys and typed text with a modifier held, Escape in the input box, the
version resource and the topmost window. The tray icon has test_windows_tray.py."""

import os
import re
import time

import support
from support import Probe, program
from desktop import wait_for
from wine_desktop import ProbeOnWine, Win32Form

HERE = os.path.dirname(os.path.abspath(__file__))
FIELD = "alpha \u00fc\u20ac"
TOOLS = ["Xvfb", "openbox", "xdotool", "xprop", "wine", "wineserver"]


class WindowsPlatform(ProbeOnWine):
    tray = False

    @classmethod
    def set_up_more(cls):
        cls.form = Win32Form(cls.desktop)

    def probe_tool(self, *args):
        return self.desktop.wine_run([program("WINDOWS_PROBE"), *args])

    def focus(self, box):
        self.form.click(box)
        self.form.wait(f"focus {box}")
        self.probe.reports(quiet=0.3)

    def test_the_paste_mode_key_is_the_chosen_one_with_its_modifiers_and_still_reaches_the_form(self):
        self.focus("second")
        mark = len(self.probe.seen)
        self.desktop.xdotool("key", "ctrl+F12")
        self.probe.command("modekey F9 ctrl", "modekey")
        self.desktop.xdotool("key", "F9")
        self.desktop.xdotool("key", "ctrl+F9")
        self.probe.expect("key")
        self.probe.reports()
        keys = [line for line in self.probe.seen[mark:] if line.split(" ", 1)[1] == "key"]
        self.assertEqual(len(keys), 1, "F12 with Ctrl held and F9 alone are not the key")
        self.form.wait("key second 78")
        self.probe.send("modekey F12")
        self.probe.expect("modekey")

    def test_the_focused_program_is_named_and_tapfills_text_kept_out_of_clipboard_history(self):
        self.probe_tool("copy", "user's text \u00e9", "00ff10")
        before = self.probe_tool("dump")
        self.focus("fourth")
        self.assertEqual(self.probe.command("focus", "focus"),
                         f"focus win32_form.exe Win32FormClass pid={self.form.pid}")
        self.probe.command("keep", "kept", timeout=5)
        self.assertEqual(self.probe.command(f"clip {FIELD}", "clip"), "clip 1")
        formats = self.probe_tool("formats").split()
        for name in ("ExcludeClipboardContentFromMonitorProcessing",
                     "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard"):
            self.assertIn(name, formats)
        self.probe.command("giveback", "given-back")
        time.sleep(0.3)
        self.assertEqual(self.probe_tool("dump"), before)

    def test_content_copied_meanwhile_stays_and_an_empty_clipboard_is_empty_again(self):
        self.probe_tool("copy", "older", "01")
        self.probe.command("keep", "kept", timeout=5)
        self.probe.command("clip field", "clip")
        self.probe_tool("copy", "newer", "02")
        self.probe.command("giveback", "given-back")
        self.assertIn("Tapfill Test Bytes 02", self.probe_tool("dump"))

        self.probe_tool("empty")
        self.probe.command("keep", "kept", timeout=5)
        self.probe.command("clip field", "clip")
        self.probe.command("giveback", "given-back")
        self.assertEqual(self.probe_tool("formats").split(), [])

    def test_a_copy_that_ends_mid_delivery_gives_the_users_content_back(self):
        self.probe_tool("copy", "kept over the exit", "03")
        before = self.probe_tool("dump")
        second = Probe(self.desktop, ["wine", program("WINDOWS_PROBE")])
        second.command("keep", "kept", timeout=5)
        second.command("clip field", "clip")
        second.send("quit")
        second.process.wait(timeout=30)
        self.assertEqual(self.probe_tool("dump"), before)

    def test_tab_enter_and_typed_text_arrive_as_sent_with_a_modifier_held(self):
        self.focus("first")
        self.desktop.xdotool("keydown", "shift")
        try:
            self.assertEqual(self.probe.command("send {TAB}", "done"), "done 1")
            self.form.wait("focus second")  # not Shift+Tab back to nothing
        finally:
            self.desktop.xdotool("keyup", "shift")
        self.focus("notes")
        text = "Zo\u00eb \u03a9mega \u20ac\nsecond line \U0001F600"
        self.assertEqual(self.probe.command("type " + support.escaped(text), "done"), "done 1")
        self.form.wait_text("notes", text.replace("\n", "\r\n"))
        self.focus("first")
        self.assertEqual(self.probe.command("send {ENTER}", "done"), "done 1")
        self.form.wait("ok")

    def open_input_box(self):
        self.probe.send("input Describe the field")
        box = self.desktop.wait_window("Probe")
        wait_for(lambda: self.desktop.xdotool("getactivewindow", check=False).strip() == str(box),
                 what="the input box to have the focus")
        time.sleep(0.2)  # Wine gives the text box the focus after the window

    def test_the_input_box_gives_nothing_on_escape(self):
        self.open_input_box()
        self.desktop.xdotool("key", "Escape")
        self.assertEqual(self.probe.expect("input", timeout=10), "input ")

    def test_the_program_carries_its_version(self):
        with open(os.path.join(HERE, "..", "..", "CMakeLists.txt")) as f:
            version = re.search(r"project\(Tapfill VERSION ([0-9.]+)", f.read()).group(1)
        self.assertEqual(self.probe.command("version", "version"), "version " + version)

    def test_topmost_puts_the_window_above_the_others(self):
        self.probe.command("topmost", "topmost")
        window = self.desktop.wait_window("Probe Window")
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in self.desktop.xprop(window, "_NET_WM_STATE"),
                 what="_NET_WM_STATE_ABOVE on the window")


if __name__ == "__main__":
    support.main(TOOLS)
