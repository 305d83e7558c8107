"""The platform services on a real X server, through platform_probe: what
the hooks report, what the interceptor keeps from other programs, what the
key sender types, the tray icon and topmost placement. Target: a Tk form;
pastes into Qt, GTK and other programs are test_programs' and test_tapfill's."""

import time
import unittest

import support
import xlib
from desktop import Desktop, wait_for
from support import Probe
from programs import TkForm

RIGHT_DOWN, RIGHT_UP, LEFT_UP = "0x204", "0x205", "0x202"


class ProbeTest(unittest.TestCase):
    tray = False

    def setUp(self):
        self.desktop = Desktop.for_test(self, tray=self.tray)
        self.tk = TkForm(self.desktop)
        self.probe = Probe(self.desktop)


class HookTests(ProbeTest):
    tray = True

    def test_the_own_tray_icon_is_marked(self):
        # A click on an own window: test_tapfill's click on Tapfill itself.
        window = int(self.probe.command("window", "window").split()[1], 16)
        self.probe.command("tray", "tray")
        icon = wait_for(lambda: [i for i, n in self.desktop.tray_icons() if n == "platform_probe"],
                        what="the probe's tray icon")[0]
        x, y, w, h = self.desktop.geometry(icon)
        self.desktop.xdotool("mousemove", x + w // 2, y + h // 2, "click", 1)
        report = self.probe.expect("left-hook")
        self.assertTrue(report.endswith("own=1"), report)
        self.assertNotIn(hex(window), report, "the tray host's window is the top-level")

    def test_title_bars_are_not_program_windows(self):
        x, y, w, _ = self.desktop.geometry(self.tk.window)
        self.desktop.xdotool("mousemove", x + w // 3, y - 8, "click", 1)
        self.assertEqual([r for r in self.probe.reports() if r.startswith("left-hook")], [])
        # The bare desktop is a place like any other: reported, without a window.
        self.desktop.xdotool("mousemove", 1100, 700, "click", 1)
        self.assertEqual(self.probe.expect("left-hook"), f"left-hook {LEFT_UP} window=0x0 own=0")

    def test_f12_reported_once_per_press_and_still_reaches_the_program(self):
        self.tk.click("e0")
        self.probe.reports()
        mark = self.tk.mark()
        self.desktop.xdotool("keydown", "F12")
        time.sleep(1.2)  # long enough for the server's auto-repeat
        self.desktop.xdotool("keyup", "F12")
        reports = self.probe.reports()
        self.assertEqual([r for r in reports if r.endswith("-key")], ["right-hook-key"],
                         "only the hook that watches F12, and only once")
        f12 = [e for e in self.tk.events_since(mark) if e.kind == "key" and e.data == "F12"]
        self.assertGreaterEqual(len(f12), 1)
        self.desktop.xdotool("key", "F11", "F12")
        self.assertEqual([r for r in self.probe.reports() if r.endswith("-key")], ["right-hook-key"])
        # A device may press again without a release (XTest does): still one press.
        self.desktop.xdotool("keydown", "F12", "keydown", "F12", "keydown", "F12")
        self.desktop.xdotool("keyup", "F12")
        self.assertEqual([r for r in self.probe.reports() if r.endswith("-key")], ["right-hook-key"])

    def test_left_handed_mouse_buttons_follow_the_mapping(self):
        xlib.set_pointer_mapping(self.desktop.display, [3, 2, 1])
        time.sleep(0.2)
        x, y = self.tk.point("e0")
        self.desktop.xdotool("mousemove", x, y, "click", 1)  # physical 1: the secondary button
        reports = self.probe.reports()
        self.assertEqual([r.split()[1] for r in reports if r.split()[0] in ("right-hook", "left-hook")],
                         [RIGHT_DOWN, RIGHT_UP])
        self.desktop.xdotool("click", 3)
        self.assertEqual([r.split()[1] for r in self.probe.reports() if r.split()[0] in ("right-hook", "left-hook")],
                         [LEFT_UP])


class InterceptTests(ProbeTest):
    def right_events(self, mark):
        return [e.kind for e in self.tk.events_since(mark) if e.kind in ("rpress", "rrelease")]

    def test_a_kept_right_click_never_reaches_the_window(self):
        self.probe.command("arm 1", "armed")
        mark = self.tk.mark()
        self.tk.click("e2", button=3)
        reports = self.probe.reports()
        self.assertEqual([r.split()[0] + " " + r.split()[1] for r in reports],
                         ["right-hook " + RIGHT_DOWN, "intercepted " + RIGHT_DOWN,
                          "right-hook " + RIGHT_UP, "intercepted " + RIGHT_UP],
                         "the hook reports first, then the interceptor, for press and release")
        self.assertEqual(self.right_events(mark), [])
        # A double click is two clicks here: both are kept.
        self.desktop.xdotool("click", "--repeat", 2, "--delay", 60, 3)
        self.assertEqual(len([r for r in self.probe.reports() if r.startswith("intercepted")]), 4)
        self.assertEqual(self.right_events(mark), [])

    def test_a_press_let_through_reaches_the_window(self):
        self.probe.command("arm 1", "armed")
        self.probe.command("keep 0", "keep")
        mark = self.tk.mark()
        self.tk.click("e2", button=3)
        reports = self.probe.reports()
        self.assertIn(f"intercepted {RIGHT_DOWN} kept=0", reports)
        self.assertEqual(self.right_events(mark), ["rpress", "rrelease"])

    def test_a_second_copy_cannot_take_the_button_and_carries_on(self):
        self.probe.command("arm 1", "armed")
        second = Probe(self.desktop)
        second.command("arm 1", "armed")
        wait_for(lambda: "cannot take right clicks" in second.stderr(), what="the second copy's notice")
        mark = self.tk.mark()
        self.tk.click("e1", button=3)
        self.assertIn(f"intercepted {RIGHT_DOWN} kept=1", self.probe.reports())
        self.assertNotIn("intercepted", " ".join(second.reports()))
        self.assertEqual(self.right_events(mark), [])
        self.assertTrue(second.alive())
        second.command("send x", "done")  # still answering

    def test_title_bar_right_clicks_go_to_the_window_manager(self):
        self.probe.command("arm 1", "armed")
        x, y, w, _ = self.desktop.geometry(self.tk.window)
        self.desktop.xdotool("mousemove", x + w // 3, y - 8, "click", 3)
        self.assertEqual([r for r in self.probe.reports() if r.startswith(("intercepted", "right-hook"))], [])
        self.desktop.xdotool("key", "Escape")  # the window menu it opened


class KeyTests(ProbeTest):
    def test_nothing_is_typed_when_part_of_the_keys_is_unknown(self):
        self.tk.click("e0")
        time.sleep(0.1)
        mark = self.tk.mark()
        self.assertEqual(self.probe.command("send {NOSUCHKEY}", "done"), "done 0")
        self.assertEqual(self.probe.command("send ^", "done"), "done 0")
        time.sleep(0.2)
        self.assertEqual([e for e in self.tk.events_since(mark) if e.kind in ("key", "content")], [])


class WindowTests(ProbeTest):
    tray = True

    def test_topmost_keeps_place_and_leaves_the_focus(self):
        self.probe.command("window", "window")
        window = wait_for(lambda: self.desktop.find_windows("Probe window"), what="window")[0]
        before = self.desktop.geometry(window)
        self.tk.click("e0")
        time.sleep(0.2)
        focus = self.desktop.xdotool("getwindowfocus").strip()
        self.probe.command("topmost", "topmost")
        time.sleep(0.3)
        self.assertIn("_NET_WM_STATE_ABOVE", self.desktop.xprop(window, "_NET_WM_STATE"))
        self.assertEqual(self.desktop.geometry(window), before)
        self.assertEqual(self.desktop.xdotool("getwindowfocus").strip(), focus)
        # Hidden and shown again it stays on top: test_tapfill's HIDE and a later show.


if __name__ == "__main__":
    support.main()
