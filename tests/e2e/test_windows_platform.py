"""The Win32 platform backend under Wine, through windows_probe, against the
Win32 form, driven by xdotool as a user would, where the real program's test
(test_windows_program.py) cannot look: the formats that keep Tapfill's text
out of clipboard history, the user's content copied meanwhile or a copy that
ends mid-delivery, keys and typed text with a modifier held. The tray icon has
test_windows_tray.py."""

import time

import support
from support import Probe, program
from wine_desktop import ProbeOnWine, Win32Form

FIELD = "alpha \u00fc\u20ac"
TOOLS = ["Xvfb", "openbox", "xdotool", "wine", "wineserver"]


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


if __name__ == "__main__":
    support.main(TOOLS)
