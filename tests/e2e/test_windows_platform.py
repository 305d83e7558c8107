"""The Win32 clipboard under Wine, through windows_probe, where the real
program's test (test_windows_program.py) cannot look: the user's content
copied meanwhile stays, an empty clipboard is empty again, and a copy that
ends mid-delivery gives the user's content back."""

import support
from support import Probe, program
from wine_desktop import ProbeOnWine

TOOLS = ["Xvfb", "openbox", "wine", "wineserver"]


class WindowsPlatform(ProbeOnWine):
    def probe_tool(self, *args):
        return self.desktop.wine_run([program("WINDOWS_PROBE"), *args])

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


if __name__ == "__main__":
    support.main(TOOLS)
