"""Pastes into the programs people fill forms in, with the user's clipboard
given back after each (the default): Chromium and Firefox ESR, LibreOffice
Calc, GTK 3, GTK 4 and Qt 6 forms, alacritty, a VTE terminal and Emacs.
Every click inserts its field exactly once, Tab and the advance follow the
text, and the user's own content is on the clipboard afterwards, also for
the program's own Ctrl+V. The same again with the machine kept busy by two
processes that use a core each."""

import os
import subprocess
import sys
import time
import unittest

import programs
import support
from desktop import DesktopError, wait_for
from tapfill import Tapfill, write_data
from test_tapfill import DesktopTest

FIELDS = [f"Grüße €{i} ß" for i in range(12)]
USER_TEXT = "the user's own text: 日本 ü"
USER_BYTES = USER_TEXT.encode()
RUN_OPTIONS = ["Auto Tab", "Auto Advance"]


class PastingIntoPrograms(DesktopTest):
    """Tapfill to the right of the screen, out of the targets' way, PASTE on
    with Auto Tab and Auto Advance, the first one-line field selected, and
    the user's text on the clipboard."""

    def setUp(self):
        super().setUp()
        write_data(self.data, one_line=FIELDS, left=15600, top=6000)
        # Every read of the clipboard logged, for the message of a failure.
        self.desktop.env["QT_LOGGING_RULES"] = "tapfill.paste.debug=true"
        self.app.start()
        for attempt in range(3):  # on a busy machine a double click can come apart
            self.app.tray_double_click()
            try:
                self.app.wait_shown(timeout=10)
                break
            except DesktopError:
                if attempt == 2:
                    raise
        self.app.page("OPT.")
        for option in RUN_OPTIONS:
            self.app.check(option)
        self.app.page("1 LINE")
        self.app.select_one_line(0)
        self.app.arm_paste()
        self.desktop.copy(USER_BYTES)
        wait_for(lambda: self.desktop.clipboard() == USER_BYTES, what="xclip to own the clipboard")
        self.next_field = 0

    def start(self, program, *args):
        if not programs.available({"Calc": "soffice", "ToolkitForm": "python3", "Emacs": "emacs"}.get(
                program.__name__, args[0] if args else "")):
            self.skipTest(f"{program.__name__} {args} is not installed")
        target = program(self.desktop, *args)
        self.addCleanup(target.stop)
        return target

    def wait_text(self, target, entry, text):
        """As target.wait_text, telling on failure what reached the program
        and what Tapfill did last."""
        try:
            target.wait_text(entry, text)
        except DesktopError as error:
            with open(self.app.log, encoding="utf-8", errors="replace") as log:
                tail = log.readlines()[-30:]
            raise DesktopError(f"{error}\nlast events: {target.events()[-10:]}\n"
                               f"Tapfill's log ends:\n{''.join(tail)}") from None

    def paste_run(self, target, entries=(0, 1, 2)):
        """Clicks into each entry in turn: each gets the next field, once."""
        for entry in entries:
            field = FIELDS[self.next_field % len(FIELDS)]
            target.click(entry)
            self.wait_text(target, entry, field)
            self.next_field += 1
            self.wait_delivered()
        for entry in entries:
            self.assertEqual(target.text(entry), FIELDS[(self.next_field - len(entries) + entry) % 12])

    def wait_delivered(self):
        """The paste is done, Tab went out and the selection moved on; click
        acceptance comes back 120 ms after the advance."""
        self.assert_users_text_back()
        time.sleep(0.3)

    def assert_users_text_back(self):
        wait_for(lambda: self.desktop.clipboard() == USER_BYTES, timeout=10, what="the user's text back on the clipboard")

    # -- browsers -----------------------------------------------------------------
    def check_browser(self, browser):
        page = self.start(programs.WebForm, browser)
        self.paste_run(page)
        # Twenty clicks into one box: twenty fields, each inserted once.
        expected = ""
        for n in range(20):
            field = FIELDS[self.next_field % 12]
            expected += field
            page.click(3)
            self.wait_text(page, 3, expected)
            self.next_field += 1
            self.wait_delivered()
        pastes = [e.data for e in page.events() if e.kind == "paste" and e.widget == "e3"]
        self.assertEqual(pastes, [FIELDS[(3 + n) % 12] for n in range(20)])
        self.assert_users_text_back()
        # The last Tab went on to e4. The browser saw the owner change: its
        # own Ctrl+V there pastes the user's text.
        self.desktop.xdotool("key", "ctrl+v")
        self.wait_text(page, 4, USER_TEXT)

    def test_chromium(self):
        self.check_browser("chromium")

    def test_firefox_esr(self):
        self.check_browser("firefox-esr")

    # -- office, toolkits, terminals, Emacs --------------------------------------------
    def test_libreoffice_calc(self):
        self.paste_run(self.start(programs.Calc))
        self.assert_users_text_back()

    def test_gtk3_gtk4_and_qt_forms(self):
        for toolkit in ("gtk3", "gtk4", "qt"):
            with self.subTest(toolkit=toolkit):
                form = self.start(programs.ToolkitForm, toolkit)
                self.paste_run(form)
                form.stop()
        self.assert_users_text_back()

    def test_terminals_and_emacs(self):
        for terminal in ("alacritty", "xfce4-terminal"):
            with self.subTest(terminal=terminal):
                shell = self.start(programs.Terminal, terminal)
                first = FIELDS[self.next_field % 12]
                second = FIELDS[(self.next_field + 1) % 12]
                for field in (first, second):
                    shell.click(0)
                    wait_for(lambda: shell.text().endswith(field + "\t"), timeout=10,
                             what=lambda: f"{shell.name} to be given {field!r} and Tab: {shell.text()!r}")
                    self.next_field += 1
                    self.wait_delivered()
                self.assertEqual(shell.text(), first + "\t" + second + "\t")
                shell.stop()
        emacs = self.start(programs.Emacs)
        field = FIELDS[self.next_field % 12]
        emacs.click(0)
        wait_for(lambda: emacs.text().endswith(field + "\t") or emacs.text().endswith(field),
                 what=lambda: f"Emacs to be given {field!r}: {emacs.text()[-60:]!r}")
        self.assertEqual(emacs.text().count(field), 1)
        self.assert_users_text_back()


class PastingIntoProgramsOnABusyMachine(PastingIntoPrograms):
    """Two processes keep both cores busy the whole time."""

    def setUp(self):
        for n in range(2):
            self.addCleanup(self._end, subprocess.Popen([sys.executable, "-c", "while True: pass"]))
        super().setUp()

    @staticmethod
    def _end(process):
        process.kill()
        process.wait()


if __name__ == "__main__":
    support.main()
