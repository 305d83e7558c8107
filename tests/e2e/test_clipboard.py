"""The user's clipboard around a paste, with the real clipboard, real targets
and a real clipboard manager: what was copied before comes back, format for
format; what is copied meanwhile stays; the pasted field carries the
password managers' hint and stays out of CopyQ's history; programs.conf can
leave the field there, or have it typed without touching the clipboard."""

import os
import shutil
import subprocess
import sys
import time
import unittest

import support
from desktop import wait_for
from programs import CopyQ, ToolkitForm
from test_tapfill import ONE_LINE, PERSONAL, TapfillTest

FIELD = ONE_LINE[0].encode("utf-8")
USER_TEXT = "the user's own text: Grüße € 日本\n".encode("utf-8")
RICH = {"text/html": '<meta charset="utf-8"><b>Grüße</b> €'.encode("utf-8"),
        "image/png": b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 400,  # 100 KB, every byte value
        "UTF8_STRING": "Grüße €".encode("utf-8")}
TAPFILL_TARGETS = {"TARGETS", "TIMESTAMP", "MULTIPLE", "UTF8_STRING", "text/plain;charset=utf-8",
                   "text/plain", "STRING", "TEXT", "x-kde-passwordManagerHint"}
META = {"TARGETS", "TIMESTAMP", "MULTIPLE"}
SETTLE = 1.0  # well past the end of a paste and a restore
HERE = os.path.dirname(os.path.abspath(__file__))


class ClipboardTest(TapfillTest):
    def setUp(self):
        if shutil.which("xclip") is None:
            raise unittest.SkipTest("missing xclip")
        super().setUp()

    def clipboard(self):
        """Every target CLIPBOARD offers, but the ones about the selection
        itself, with its bytes."""
        targets = (self.desktop.clipboard("TARGETS") or b"").decode().split()
        return {t: self.desktop.clipboard(t) for t in targets if t not in META}

    def owner(self):
        return self.desktop.selection_owner("CLIPBOARD")

    def copy_text(self, data=USER_TEXT):
        """The user copies text with xclip, which serves it until someone
        else takes the selection."""
        self.desktop.copy(data)
        wait_for(lambda: self.desktop.clipboard("UTF8_STRING") == data, what="xclip to own the clipboard")

    def copy_rich(self, targets=RICH):
        """A program copies an item in several formats at once."""
        files = []
        for n, (target, data) in enumerate(targets.items()):
            path = os.path.join(self.desktop.tmp, f"copied-{time.monotonic_ns()}-{n}")
            with open(path, "wb") as f:
                f.write(data)
            files.append(f"{target}={path}")
        owner = self.desktop.start("owner", [sys.executable, os.path.join(HERE, "clipboard_owner.py"),
                                             self.desktop.display, *files], stdout=subprocess.PIPE)
        window = int(owner.stdout.readline())
        wait_for(lambda: self.owner() == window, what="the copying program to own the clipboard")
        return owner

    def wait_restored(self, before, owner_before, what):
        """A restore is Tapfill's window owning the old content again."""
        wait_for(lambda: self.owner() not in (0, owner_before) and self.clipboard() == before,
                 what=lambda: f"the clipboard as before {what}: {before!r:.300}; it holds "
                              f"{self.clipboard()!r:.300} (owner {self.owner():#x})")


class GivingTheClipboardBack(ClipboardTest):
    def test_the_users_text_and_a_rich_item_come_back_byte_for_byte_after_tk_and_gtk_pasted(self):
        gtk = ToolkitForm(self.desktop, "gtk3")
        self.addCleanup(gtk.stop)
        self.desktop.xdotool("windowmove", "--sync", gtk.window, 800, 600)  # clear of Tapfill and Tk
        self.ready_to_paste(page="1 LINE")
        for form, place, copy in ((self.tk, 0, self.copy_text), (self.tk, 1, self.copy_rich),
                                  (gtk, 0, self.copy_text), (gtk, 1, self.copy_rich)):
            copy()
            before, owner_before = self.clipboard(), self.owner()
            self.assertTrue(before)
            form.click(place)
            form.wait_text(place, ONE_LINE[0])
            self.wait_restored(before, owner_before, f"a paste into {form.name} e{place}")
            time.sleep(0.25)  # an advance pauses click acceptance for 120 ms
        self.assertEqual([gtk.text(i) for i in range(3)], [ONE_LINE[0], ONE_LINE[0], ""])

    def test_an_empty_clipboard_has_no_owner_again(self):
        self.assertEqual(self.owner(), 0)
        self.ready_to_paste(page="1 LINE")
        self.fill("e0", ONE_LINE[0])
        wait_for(lambda: self.owner() == 0, what=lambda: f"no owner; {self.owner():#x} owns it")


class WhatTheTargetMeets(ClipboardTest):
    tk_options = ("-ask-on-paste", "-copy-on-paste", "the form's own copy")

    def test_the_hint_at_the_paste_and_a_copy_right_after_it_stays(self):
        self.copy_text(USER_TEXT)
        self.ready_to_paste(page="1 LINE")
        mark = self.tk.mark()
        self.fill("e0", ONE_LINE[0])
        asked = {e.kind: e.data for e in self.tk.events_since(mark) if e.kind in ("targets", "hint")}
        self.assertEqual(set(asked.get("targets", "").split()), TAPFILL_TARGETS)
        self.assertEqual(asked.get("hint"), "secret")
        time.sleep(SETTLE)
        self.assertEqual(self.desktop.clipboard("UTF8_STRING"), "the form's own copy".encode())


class NotGivenBack(ClipboardTest):
    programs_conf = "[General]\nrestoreClipboard = false\n"

    def test_the_field_stays_on_the_clipboard(self):
        self.copy_text(USER_TEXT)
        self.ready_to_paste(page="1 LINE")
        self.fill("e0", ONE_LINE[0])
        time.sleep(SETTLE)
        self.assertEqual(self.desktop.clipboard("UTF8_STRING"), FIELD)


class TypedForTheProgram(ClipboardTest):
    programs_conf = "[Tk_Form.tcl]\npaste = type\n"  # wish names the form's WM_CLASS after the script

    def test_the_clipboard_is_not_touched_and_an_edit_of_the_rules_is_read_at_once(self):
        copier = self.copy_rich()
        before, owner_before = self.clipboard(), self.owner()
        self.ready_to_paste(page="1 LINE")
        mark = self.tk.mark()
        self.fill("e0", ONE_LINE[0])
        self.assertNotIn("Control_L", [e.data for e in self.tk.events_since(mark) if e.kind == "key"], "typed")
        time.sleep(SETTLE)
        self.assertEqual((self.owner(), self.clipboard()), (owner_before, before))
        self.assertIsNone(copier.poll(), "the copying program still owns it")
        # A bad line is named, once, and shown to the user too.
        with open(os.path.join(self.desktop.env["XDG_CONFIG_HOME"], "Tapfill", "programs.conf"), "a") as f:
            f.write("[Other]\npaste = sideways\n")
        wait_for(lambda: self.app.told('line 4: paste = "sideways"'), what="the message naming line 4")
        self.desktop.wait_window("^Tapfill$")
        time.sleep(0.5)
        self.assertEqual(self.app.told('line 4: paste = "sideways"'), 1)


class WithAClipboardManager(ClipboardTest):
    def setUp(self):
        if shutil.which("copyq") is None:
            raise unittest.SkipTest("missing copyq")
        super().setUp()
        self.copyq = CopyQ(self.desktop)
        self.addCleanup(self.copyq.stop)

    def wait_in_history(self, text):
        wait_for(lambda: self.copyq.history()[:1] == [text], interval=0.1,
                 what=lambda: f"{text!r} on top of CopyQ's history: {self.copyq.history()}")

    def test_ten_pasted_personal_fields_stay_out_of_copyqs_history(self):
        self.copy_text(USER_TEXT)
        self.wait_in_history(USER_TEXT.decode())
        self.ready_to_paste(["Auto Advance"], page="PERS")
        for n, widget in enumerate(["e0", "e1", "e2", "e3", "e4", "e5", "memo", "e0", "e1", "e2"]):
            self.fill(widget, self.tk.text(widget) + PERSONAL[n])  # short: the caret ends at the end
        time.sleep(SETTLE)
        self.copy_text(b"copied afterwards")  # CopyQ has seen every change up to here
        self.wait_in_history("copied afterwards")
        history = self.copyq.history()
        self.assertIn(USER_TEXT.decode(), history)
        self.assertEqual([item for item in history if any(f and f in item for f in PERSONAL)], [])


if __name__ == "__main__":
    support.main()
