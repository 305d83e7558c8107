"""Keystrokes that are right in every keyboard state and in every kind of
program, through platform_probe on a real X server: layouts switched while
it runs (us, dvorak, ru, us+ru with the second group locked), started under
ru, Shift, Alt and Caps Lock in effect, a real xterm running a shell and a
Chromium page that refuses pastes."""

import os
import shutil
import time
import unittest

import support
import xlib
from desktop import Desktop, wait_for
from support import Probe, escaped
from programs import TkForm

TEXT = "Grüße ж€ x"
TYPED = "Hello, Wörld! Съешь ещё — 1+1=2 ~{}^%"


class KeyboardTest(unittest.TestCase):
    layout = None  # the layout the desktop starts with

    def setUp(self):
        support.needs("setxkbmap")
        self.desktop = Desktop.for_test(self)
        if self.layout:
            self.set_layout(*self.layout)
        self.tk = TkForm(self.desktop)
        self.probe = Probe(self.desktop)

    def set_layout(self, *args):
        self.desktop.run(["setxkbmap", *args])
        time.sleep(0.2)

    def paste(self, text, keys="^{v}"):
        self.assertEqual(self.probe.command("clip " + escaped(text), "clip"), "clip 1")
        return self.probe.command("send " + keys, "done", timeout=5)

    def type(self, text):
        return self.probe.command("type " + escaped(text), "done", timeout=20)

    def focus(self, widget):
        """Clicks into the widget and waits until the form says it has the focus."""
        other = "e5" if widget != "e5" else "e4"
        self.tk.click(other)
        time.sleep(0.1)
        mark = self.tk.mark()
        self.tk.click(widget)
        wait_for(lambda: [e.widget for e in self.tk.events_since(mark) if e.kind == "focus"][-1:] == [widget],
                 what=lambda: f"{widget} to take the focus: {self.tk.events_since(mark)}")
        time.sleep(0.2)

    def keys_since(self, mark):
        return [(e.widget, e.data) for e in self.tk.events_since(mark) if e.kind == "key"]


class FollowingTheLayout(KeyboardTest):
    def test_paste_tab_and_text_right_in_every_layout_switched_while_running(self):
        layouts = [("us",), ("us", "-variant", "dvorak"), ("ru",), ("us", "-variant", "dvorak")]
        for n, layout in enumerate(layouts):
            self.set_layout(*layout)
            widget = f"e{n}"
            self.focus(widget)
            mark = self.tk.mark()
            self.assertEqual(self.paste(f"{n}:{TEXT}"), "done 1", layout)
            self.tk.wait_text(widget, f"{n}:{TEXT}")
            self.assertEqual(self.type(TYPED), "done 1", layout)
            self.assertEqual(self.probe.command("send {TAB}", "done"), "done 1")
            self.tk.wait_text(widget, f"{n}:{TEXT}{TYPED}")
            wait_for(lambda: self.tk.events_since(mark)[-1].kind == "focus", what="the Tab to move on")
            keys = self.keys_since(mark)
            self.assertEqual([k for k in keys if k[1] in ("Tab", "ISO_Left_Tab")], [(widget, "Tab")], layout)
            self.assertNotIn("k", [k[1] for k in keys], "no Ctrl+K under dvorak")
        self.assertEqual(xlib.modifier_state(self.desktop.display), 0)

    def test_a_locked_second_group(self):
        self.set_layout("-layout", "us,ru")
        xlib.lock_group(self.desktop.display, 1)
        self.focus("e0")
        self.assertEqual(self.paste(TEXT), "done 1")
        self.tk.wait_text("e0", TEXT)
        self.assertEqual(self.type("vж"), "done 1")
        self.tk.wait_text("e0", TEXT + "vж")
        # The group change after the map was read is followed too.
        xlib.lock_group(self.desktop.display, 0)
        self.assertEqual(self.type("vж"), "done 1")
        self.tk.wait_text("e0", TEXT + "vжvж")

    def test_keys_of_other_layouts_are_lent_and_given_back(self):
        before = self.desktop.run(["xmodmap", "-pke"]) if shutil.which("xmodmap") else None
        self.focus("memo")
        text = "Ωμέγα ľščťž 日本語 😀\nline two\r\nthree"
        self.assertEqual(self.type(text), "done 1")
        self.tk.wait_text("memo", text.replace("\r\n", "\n"))
        if before is not None:
            time.sleep(0.2)
            self.assertEqual(self.desktop.run(["xmodmap", "-pke"]), before, "the map is as before")


class StartedUnderRussian(KeyboardTest):
    layout = ("ru",)

    def test_ctrl_v_without_a_latin_v_key(self):
        self.focus("e0")
        mark = self.tk.mark()
        self.assertEqual(self.paste(TEXT), "done 1")
        self.tk.wait_text("e0", TEXT)
        self.assertNotIn("Cyrillic_em", [k[1] for k in self.keys_since(mark)])


class TheUsersModifiers(KeyboardTest):
    def test_held_shift_and_alt_change_nothing_and_stay_held(self):
        for held, mask in (("shift", xlib.SHIFT), ("alt", xlib.ALT)):
            widget = "e0" if held == "shift" else "e2"
            self.focus(widget)
            mark = self.tk.mark()
            self.desktop.xdotool("keydown", held)
            try:
                self.assertEqual(self.paste(f"{held} {TEXT}", keys="^{v}{TAB}"), "done 1")
                self.tk.wait_text(widget, f"{held} {TEXT}")
                self.assertEqual(xlib.modifier_state(self.desktop.display), mask, "still held as before")
            finally:
                self.desktop.xdotool("keyup", held)
            keys = [k for k in self.keys_since(mark) if k[1] in ("Tab", "ISO_Left_Tab")]
            self.assertEqual(keys, [(widget, "Tab")], f"a plain Tab with {held} held")
            wait_for(lambda: any(e.kind == "focus" and e.widget == f"e{int(widget[1]) + 1}"
                                 for e in self.tk.events_since(mark)), what="Tab to move on in the form")
            self.assertEqual(xlib.modifier_state(self.desktop.display), 0)

    def test_caps_lock_stays_on_and_changes_nothing(self):
        self.focus("e0")
        self.desktop.xdotool("key", "Caps_Lock")
        try:
            self.assertEqual(xlib.modifier_state(self.desktop.display), xlib.LOCK)
            self.assertEqual(self.type("abc Grüße жЖ"), "done 1")
            self.tk.wait_text("e0", "abc Grüße жЖ")
            self.assertEqual(self.paste("x"), "done 1")
            self.tk.wait_text("e0", "abc Grüße жЖx")
            self.assertEqual(xlib.modifier_state(self.desktop.display), xlib.LOCK)
        finally:
            self.desktop.xdotool("key", "Caps_Lock")


class RealPrograms(KeyboardTest):
    def test_xterm_running_a_shell_gets_the_text_exactly(self):
        support.needs("xterm")
        out = os.path.join(self.desktop.tmp, "xterm-out")
        self.desktop.start("xterm", [
            "xterm", "-u8", "-title", "Shell Term", "-e", "sh", "-c",
            f'IFS= read -r line; printf "%s|" "$line" > {out}; IFS= read -r line; printf "%s" "$line" >> {out}'],
            extra_env={"LC_ALL": "C.UTF-8"})
        window = self.desktop.wait_window("Shell Term")
        x, y, w, h = self.desktop.geometry(window)
        self.desktop.xdotool("mousemove", x + w // 2, y + h // 2, "click", 1)
        time.sleep(0.3)
        self.assertEqual(self.probe.command("focus", "focus"), "focus instance=xterm class=XTerm")
        self.assertEqual(self.type("echo Grüße ж € ~"), "done 1")
        self.assertEqual(self.probe.command("send {ENTER}", "done"), "done 1")
        self.assertEqual(self.type("second\tline\n"), "done 1")
        wait_for(lambda: os.path.exists(out) and open(out, encoding="utf-8").read().endswith("line"),
                 what="the shell to write what it read")
        self.assertEqual(open(out, encoding="utf-8").read(), "echo Grüße ж € ~|second\tline")

    def test_a_chromium_page_that_refuses_pastes_is_typed_into(self):
        support.needs("chromium")
        page = os.path.join(self.desktop.tmp, "form.html")
        with open(page, "w", encoding="utf-8") as f:
            f.write('<!doctype html><meta charset="utf-8"><title>empty</title>'
                    '<input id="f" autofocus onpaste="return false" '
                    'oninput="document.title = \'v:\' + this.value" style="width:90%">')
        self.desktop.start("chromium", ["chromium", "--no-sandbox", "--no-first-run", "--disable-gpu",
                                        "--user-data-dir=" + os.path.join(self.desktop.tmp, "chromium"),
                                        "--window-position=0,0", "--window-size=900,500",
                                        "file://" + page])
        window = wait_for(lambda: self.desktop.find_windows("empty"), timeout=60, what="Chromium")[0]
        x, y, w, h = self.desktop.geometry(window)
        time.sleep(1.5)
        self.desktop.xdotool("mousemove", x + 200, y + 100, "click", 1)  # the input, below the tool bar
        time.sleep(0.5)
        focus = self.probe.command("focus", "focus")
        self.assertIn("class=Chromium", focus)
        self.assertEqual(self.paste("pasted"), "done 1")
        text = "Grüße жЖ € 日本 " + "abc" * 30
        self.assertEqual(self.type(text), "done 1")
        wait_for(lambda: self.desktop.find_windows("v:" + text), timeout=10,
                 what=lambda: "the page to hold the text; titles: " + self.desktop.xdotool(
                     "getwindowname", window, check=False))


if __name__ == "__main__":
    support.main()
