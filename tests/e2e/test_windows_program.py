"""The real tapfill.exe under Wine, driven by xdotool: its command line,
the data folder it chooses, the running flag in the registry, the tray
icon, F12 switching paste mode with right clicks kept from the Win32 form
meanwhile, the two-copies warning, programs.conf read again when edited,
and the orderly stop; clicks into the form paste the selected field once,
with Auto Tab and Advance, the user's clipboard given back; SAVE writes
back byte for byte what it read."""

import os
import shutil
import time
import unittest

import support
from support import program
from desktop import DesktopError, wait_for
from wine_desktop import WineDesktop, Win32Form, windows_path

TOOLS = ["Xvfb", "openbox", "trayer", "xdotool", "xwininfo", "xprop", "wine", "wineserver"]
FIELD = "alpha \u00fc\u20ac"
FLAG_KEY = "HKCU\\Software\\VB and VBA Program Settings\\lockfiles\\startit"
RUN_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
UNINSTALL_KEY = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tapfill"


def contents(path):
    with open(path, "rb") as f:
        return f.read()


class TapfillOnWine(unittest.TestCase):
    """A Wine desktop (with trayer when `tray`, else Wine's own tray window)
    and a portable copy of tapfill.exe, shared by a class's tests."""
    tray = True

    @classmethod
    def setUpClass(cls):
        cls.desktop = WineDesktop(tray=cls.tray)
        cls.desktop.__enter__()
        try:
            # A portable copy: a folder of its own that it may write to.
            cls.folder = os.path.join(cls.desktop.tmp, "Tapfill Portable")
            os.makedirs(cls.folder)
            cls.exe = os.path.join(cls.folder, "tapfill.exe")
            shutil.copy(program("TAPFILL_EXE"), cls.exe)
        except BaseException:
            cls.desktop.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.desktop.close()

    def tapfill(self, *args, check=True):
        return self.desktop.wine_run([self.exe, *args], check=check)

    def registry_value(self, key, name):
        out = self.desktop.wine_run(["reg", "query", key, "/v", name], check=False) or ""
        for line in out.splitlines():
            words = line.split(None, 2)
            if len(words) == 3 and words[0] == name:
                return words[2].strip()
        return None

    def answer(self, title, key=None, text=None):
        """Types `text` and Return, or presses `key`, in the box of that
        title once it has the focus."""
        box = self.desktop.wait_window(title, timeout=30)

        def focused():
            if self.desktop.xdotool("getactivewindow", check=False).strip() == str(box):
                return True
            # A box of a program in the background waits for the user's click.
            self.desktop.xdotool("windowactivate", box, check=False)
            return False
        wait_for(focused, timeout=10, interval=0.5, what=f"{title!r} to have the focus")
        time.sleep(0.2)  # Wine gives the button the focus after the window
        if text is not None:
            self.desktop.xdotool("type", "--delay", 30, text)
        self.desktop.xdotool("key", key or "Return")
        wait_for(lambda: not self.desktop.find_windows(title), timeout=10, what=f"{title!r} gone")

    def main_window_click(self, window, left, top):
        """A click at a place given in twips in the main window (96 dpi)."""
        x, y, _, _ = self.desktop.geometry(window)
        self.desktop.xdotool("mousemove", x + left // 15, y + top // 15)
        time.sleep(0.1)
        self.desktop.xdotool("click", 1)
        time.sleep(0.3)

    def stop(self, tapfill):
        """The orderly stop: WM_CLOSE to Tapfill's windows."""
        if tapfill.poll() is None:
            self.desktop.wine_run(["taskkill", "/im", "tapfill.exe"], check=False)
            tapfill.wait(timeout=30)


class WindowsProgram(TapfillOnWine):
    def test_a_click_pastes_the_field_once_then_tab_and_advance_and_save_keeps_every_byte(self):
        folder = os.path.join(self.desktop.tmp, "Paste Copy")
        os.makedirs(folder)
        shutil.copy(self.exe, folder)
        stored = {
            # The position, then the twelve one-line fields, in code page 1252.
            "F3.dat": b" 0 \r\n 0 \r\n" + FIELD.encode("cp1252") + b"\r\nbeta\r\n" + b"\r\n" * 10,
            "CAPTION.dat": "Notes \u00fc & more\r\n".encode("cp1252") + b"x\r\n" * 11,
            "MLT1.DAT": (FIELD + "\r\nline two\r\n").encode("cp1252"),
        }
        for name, content in stored.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)
        form = Win32Form(self.desktop)
        log = os.path.join(self.desktop.tmp, "paste-copy.err")
        with open(log, "wb") as err:
            tapfill = self.desktop.start("tapfill", ["wine", os.path.join(folder, "tapfill.exe")], stderr=err)
        self.addCleanup(self.stop, tapfill)
        wait_for(lambda: self.desktop.tray_icons(), timeout=30, what="Tapfill's icon in the tray")
        form.click("first")
        form.wait("focus first")
        # Paste mode, then a right click anywhere brings the window.
        self.desktop.xdotool("key", "F12")
        form.wait("key first 7b")
        form.click("first", button=3)
        window = self.desktop.wait_window("Tapfill v3.0.5", timeout=20)
        self.main_window_click(window, 120 + 2700 // 8, 300)  # the "1 LINE" page
        self.main_window_click(window, 1080 + 427, 6240 + 187)  # PASTE

        probe = program("WINDOWS_PROBE")
        self.desktop.wine_run([probe, "copy", "user's text", "00ff10"])
        before = self.desktop.wine_run([probe, "dump"])
        form.click("second")
        wait_for(lambda: form.text("second") == FIELD, timeout=10,
                 what=lambda: f"the field in the form; it holds {form.text('second')!r}")
        time.sleep(1)
        self.assertEqual(form.count("paste second"), 1)
        self.assertIn("Tapfill Test Bytes 00ff10", before)
        self.assertEqual(self.desktop.wine_run([probe, "dump"]), before, "the user's clipboard is back")

        self.main_window_click(window, 120 + 2700 * 7 // 8, 300)  # the "OPT." page
        for top in (1920, 3120, 480):  # Auto Tab, Auto Enter, Auto Advance
            self.main_window_click(window, 120 + 360 + 120, 120 + top + 127)
        time.sleep(0.3)
        before = len(form.lines())
        form.click("third")
        form.wait("ok")  # Enter, in the box the Tab after the paste went to
        self.assertEqual([e for e in form.lines()[before:] if e.split()[0] in ("paste", "focus", "ok")],
                         ["focus third", "paste third", "focus fourth", "ok"])
        self.assertEqual(form.text("third"), FIELD)
        # Left on the clipboard, the field carries the formats that keep it
        # out of clipboard histories and cloud clipboards.
        self.write_programs_conf("[General]\nrestoreClipboard = false\n")
        self.main_window_click(window, 120 + 360 + 120, 120 + 3120 + 127)  # Auto Enter off
        form.click("fourth")  # the next field now
        wait_for(lambda: form.text("fourth") == "beta", timeout=10,
                 what=lambda: f"the next field; the form holds {form.text('fourth')!r}")
        formats = self.desktop.wine_run([probe, "formats"]).split()
        for name in ("ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                     "CanUploadToCloudClipboard"):
            self.assertIn(name, formats)
        form.wait("focus notes")
        self.assertEqual([form.count(f"paste {box}") for box in ("second", "third", "fourth")], [1, 1, 1])

        self.main_window_click(window, 120 + 307, 5040 + 187)  # SAVE
        wait_for(lambda: os.path.exists(os.path.join(folder, "MLT12.DAT")), timeout=10, what="SAVE")
        for name, content in stored.items():
            self.assertEqual(contents(os.path.join(folder, name)), content, name)

        # The personal data window: SAVE writes TF.dat, BACK brings the
        # main window back, whose personal page pastes the text.
        self.main_window_click(window, 120 + 2700 * 3 // 8, 300)  # the "PERS" page
        self.main_window_click(window, 120 + 120 + 1200, 120 + 4320 + 187)  # CLICK HERE FOR DATA
        personal = self.desktop.wait_window("DATA INPUT FORM")
        self.main_window_click(personal, 120 + 2160 + 600, 120 + 360 + 142)
        self.desktop.xdotool("type", "--delay", 30, "Ada")
        self.main_window_click(personal, 120 + 4200 + 547, 120 + 4200 + 187)  # SAVE
        wait_for(lambda: os.path.exists(os.path.join(folder, "TF.dat")), timeout=10, what="TF.dat")
        self.assertEqual(contents(os.path.join(folder, "TF.dat")), b"Ada\r\n" + b"\r\n" * 9)
        self.main_window_click(personal, 120 + 5640 + 487, 120 + 4200 + 187)  # BACK
        self.desktop.wait_window("Tapfill v3.0.5")
        self.main_window_click(window, 120 + 480 + 120, 120 + 480 + 127)  # FIRST NAME
        time.sleep(0.3)
        form.click("refuses")  # a box that takes no paste: nothing more is typed
        form.wait("paste refuses")
        wait_for(lambda: b"the field was not pasted" in contents(log), timeout=10,
                 what="the stopped delivery told")
        form.click("first")
        wait_for(lambda: form.text("first") == "Ada", timeout=10,
                 what=lambda: f"the personal text; the form holds {form.text('first')!r}")
        self.assertEqual(form.text("refuses"), "")

        # A double click on a multi-line field's button asks for its
        # description; Escape there changes nothing.
        self.main_window_click(window, 120 + 2700 * 5 // 8, 300)  # the "MULTI" page
        x, y, _, _ = self.desktop.geometry(window)
        self.desktop.xdotool("mousemove", x + (240 + 600) // 15, y + (840 + 127) // 15,
                             "click", "--repeat", 2, "--delay", 80, 1)
        self.answer("ENTER INFORMATION", text="Memo")
        self.desktop.xdotool("mousemove", x + (240 + 600) // 15, y + (840 + 127) // 15,
                             "click", "--repeat", 2, "--delay", 80, 1)
        self.answer("ENTER INFORMATION", key="Escape")  # keeps the description
        self.desktop.wait_window("Tapfill v3.0.5")
        self.main_window_click(window, 120 + 307, 5040 + 187)  # SAVE
        caption = os.path.join(folder, "CAPTION.dat")
        wait_for(lambda: contents(caption).startswith(b"Memo\r\nx\r\n"), timeout=10,
                 what="the description saved")

        # Typed as text, every character exact, though the user holds Shift.
        self.write_programs_conf("[win32_form.exe]\npaste = type\n")
        time.sleep(1)
        self.desktop.xdotool("keydown", "shift")
        try:
            form.click("notes")
            form.wait_text("notes", FIELD + "\r\nline two")
            form.wait("focus refuses")  # Tab, not Shift+Tab
        finally:
            self.desktop.xdotool("keyup", "shift")
        self.assertEqual(form.count("paste notes"), 0)

        self.main_window_click(window, 2040 + 367, 6240 + 187)  # EXIT
        self.assertEqual(tapfill.wait(timeout=30), 0)
        self.assertEqual(self.registry_value(FLAG_KEY, "FL1"), "0")

    def write_programs_conf(self, text):
        appdata = self.desktop.wine_run(["cmd", "/c", "echo", "%APPDATA%"]).strip()
        config = os.path.join(self.desktop.run(["winepath", "-u", appdata]).strip(), "Tapfill", "programs.conf")
        os.makedirs(os.path.dirname(config), exist_ok=True)
        if not os.path.exists(config):
            self.addCleanup(os.remove, config)
        with open(config, "w") as f:
            f.write(text)

    def test_damaged_files_are_read_as_far_as_they_go_and_nothing_stored_is_lost(self):
        folder = os.path.join(self.desktop.tmp, "Damaged")
        os.makedirs(os.path.join(folder, "MLT3.DAT"))  # not a file: SAVE cannot replace it
        shutil.copy(self.exe, folder)
        junk = bytes(b for b in range(256) if b not in b"\r\n")
        stored = {"F3.dat": b"12\x00junk\xff\r\n-1e999\r\n" + junk + b"\r\n" + b"y" * 100000 + b"\r\n" * 11,
                  "MLT2.DAT": junk * 4 + b"\r\n"}
        for name, content in stored.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(content)
        form = Win32Form(self.desktop)
        tapfill = self.desktop.start("tapfill", ["wine", os.path.join(folder, "tapfill.exe")])
        self.addCleanup(self.stop, tapfill)
        wait_for(lambda: self.desktop.tray_icons(), timeout=30, what="Tapfill's icon in the tray")
        self.desktop.xdotool("key", "F12")
        time.sleep(0.3)
        form.click("first", button=3)
        window = self.desktop.wait_window("Tapfill v3.0.5", timeout=20)
        self.main_window_click(window, 120 + 307, 5040 + 187)  # SAVE
        self.answer("^Tapfill$")  # MLT3.DAT was not saved, and why
        lines = contents(os.path.join(folder, "F3.dat")).split(b"\r\n")
        self.assertEqual(b"\r\n".join(lines[2:]), stored["F3.dat"].split(b"\r\n", 2)[2])
        self.assertEqual(contents(os.path.join(folder, "MLT2.DAT")), stored["MLT2.DAT"])
        self.assertEqual(contents(os.path.join(folder, "CAPTION.dat")), b"\r\n" * 12)
        self.assertTrue(os.path.isdir(os.path.join(folder, "MLT3.DAT")))
        self.stop(tapfill)

        # A data folder that cannot be made: told, and nothing starts.
        blocked = self.desktop.start("tapfill", ["wine", self.exe, "--data-dir",
                                                 windows_path(os.path.join(folder, "F3.dat", "sub"))])
        self.answer("^Tapfill$")
        self.assertEqual(blocked.wait(timeout=30), 1)

    def test_the_installer_installs_for_the_user_and_uninstalls_silently_a_running_copy_closed(self):
        setup = os.environ.get("TAPFILL_SETUP", "")
        if not os.path.isfile(setup):
            self.skipTest("TAPFILL_SETUP names no installer")
        self.desktop.wine_run([setup, "/S"], timeout=120)
        location = self.registry_value(UNINSTALL_KEY, "InstallLocation")
        self.assertTrue(location and location.endswith("\\AppData\\Local\\Programs\\Tapfill"), location)
        folder = self.desktop.run(["winepath", "-u", location]).strip()
        self.assertTrue(os.path.isfile(os.path.join(folder, "tapfill.exe")))
        # Beside its uninstaller it is an installed copy, though its folder is the user's.
        self.assertRegex(self.desktop.wine_run([location + "\\tapfill.exe", "--help"]),
                         r"Data folder: .*\\AppData\\Roaming\\Tapfill\n")
        self.assertEqual(self.registry_value(UNINSTALL_KEY, "QuietUninstallString"),
                         f'"{location}\\Uninstall.exe" /S')

        # A running copy is closed as EXIT closes it, whichever runs next.
        for command in ([setup, "/S"], [location + "\\Uninstall.exe", "/S"]):
            running = self.desktop.start("installed tapfill", ["wine", location + "\\tapfill.exe"])
            wait_for(lambda: self.registry_value(FLAG_KEY, "FL1") == "1", timeout=30, what="the running flag")
            self.desktop.wine_run(command, timeout=120)
            self.assertEqual(running.wait(timeout=30), 0)
            self.assertEqual(self.registry_value(FLAG_KEY, "FL1"), "0")
        wait_for(lambda: not os.path.exists(folder), timeout=30, what="the program folder gone")
        self.assertIsNone(self.registry_value(UNINSTALL_KEY, "DisplayName"))

    def test_the_command_line_and_the_data_folder(self):
        self.assertTrue(self.tapfill("--version").startswith("Tapfill 3.0.5\n"))
        self.assertEqual(self.desktop.wine_run([program("WINDOWS_PROBE"), "version", self.exe]), "3.0.5\n",
                         "the version in the file's properties")
        self.assertIn(f"Data folder: {windows_path(self.folder)}\n  (beside the program",
                      self.tapfill("--help"))
        named = os.path.join(self.desktop.tmp, "named")
        self.assertIn(f"Data folder: {windows_path(named)} (named by --data-dir)",
                      self.tapfill("--data-dir", windows_path(named), "--help"))
        self.assertIsNone(self.tapfill("--autostart", "maybe", check=False))

        self.assertIn("starts with Windows", self.tapfill("--autostart", "on"))
        self.assertEqual(self.registry_value(RUN_KEY, "Tapfill"), f'"{windows_path(self.exe)}"')
        self.assertIn("no longer starts with Windows", self.tapfill("--autostart", "off"))
        self.assertIsNone(self.registry_value(RUN_KEY, "Tapfill"))

    def test_a_running_copy_flags_itself_keeps_right_clicks_in_paste_mode_and_warns_of_a_second(self):
        form = Win32Form(self.desktop)
        first = self.desktop.start("tapfill", ["wine", self.exe])
        wait_for(lambda: self.desktop.tray_icons(), timeout=30, what="Tapfill's icon in the tray")
        wait_for(lambda: self.registry_value(FLAG_KEY, "FL1") == "1", timeout=10, what="the running flag")

        form.click("third")
        form.wait("focus third")
        self.desktop.xdotool("key", "F12")  # paste mode on; the form still gets the key
        form.wait("key third 7b")
        time.sleep(0.3)
        before = len(form.lines())
        form.click("third", button=3)
        time.sleep(1)
        self.assertEqual([e for e in form.lines()[before:] if e.startswith("rbutton")], [],
                         "a right click in paste mode is kept from the form")
        window = self.desktop.wait_window("Tapfill v3.0.5")  # and brings the window, on top
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in self.desktop.xprop(window, "_NET_WM_STATE"),
                 what="Tapfill's window above the others")
        # Under Wine the form loses the keyboard focus when that window maps.
        focused = form.count("focus third")
        form.click("third")
        wait_for(lambda: form.count("focus third") > focused, timeout=10, what="the form's focus back")
        self.desktop.xdotool("key", "F12")  # off again
        wait_for(lambda: form.count("key third 7b") == 2, timeout=10, what="the second F12 in the form")
        time.sleep(0.3)
        form.click("third", button=3)
        form.wait("rbutton third")

        second = self.desktop.start("second tapfill", ["wine", self.exe])
        self.answer("Tapfill Two copy Warning", "Return")  # the default answer: No
        self.assertEqual(second.wait(timeout=30), 0)
        self.assertIsNone(first.poll(), "the first copy runs on")
        self.assertEqual(self.registry_value(FLAG_KEY, "FL1"), "1")

        # An edit of programs.conf counts at once (here another paste mode
        # key, which takes its modifiers exactly); what it cannot use is told.
        self.write_programs_conf("[General]\npasteModeKey = ctrl+F9\n[putty.exe]\nsend = ctrl+v\n")
        self.answer("^Tapfill$", "Return")
        for keys, kept in (("F12 F9 ctrl+shift+F9", False), ("ctrl+F9", True)):
            self.desktop.xdotool("key", *keys.split())
            time.sleep(0.3)
            before = len(form.lines())
            form.click("third", button=3)
            time.sleep(1)
            self.assertEqual("rbutton third" not in form.lines()[before:], kept, f"paste mode after {keys}")
            self.desktop.xdotool("key", "Escape")  # the box's context menu, if it came

        self.desktop.wine_run(["taskkill", "/im", "tapfill.exe"], check=False)
        self.assertEqual(first.wait(timeout=30), 0)
        self.assertEqual(self.registry_value(FLAG_KEY, "FL1"), "0")
        wait_for(lambda: not self.desktop.tray_icons(), timeout=10, what="the icon gone")


class WindowsTrayIcon(TapfillOnWine):
    """Wine's own tray window: under trayer Wine passes clicks on an icon
    only now and then."""
    tray = False

    def tray_icon(self):
        """The middle of the first icon in Wine's tray window, which goes
        where Tapfill's window will not cover it."""
        tray = self.desktop.wait_window("Wine System Tray", timeout=30)
        self.desktop.xdotool("windowmove", tray, 600, 500)
        time.sleep(1)  # the icon is drawn
        x, y, _, height = self.desktop.geometry(tray)
        return x + height // 2, y + height // 2

    def tray_menu(self, icon, entry, done):
        """Clicks an entry of the icon's menu (which opens below the pointer,
        17 pixels an entry, 9 the line above "Exit"), until done() says it was
        done. The menu takes no key under Wine: the X focus stays where it was."""
        x, y = icon
        for attempt in range(3):
            self.desktop.xdotool("mousemove", x, y, "click", 3)
            time.sleep(0.8)
            self.desktop.xdotool("mousemove", x + 30, y + 11 + 17 * entry + (9 if entry == 3 else 0), "click", 1)
            try:
                return wait_for(done, timeout=3, what="the menu's entry")
            except DesktopError:
                self.desktop.xdotool("key", "Escape")
        self.fail(f"the tray menu's entry {entry} did nothing in three tries")

    def right_click_kept(self, form):
        form.click("first", button=3)
        time.sleep(1)
        kept = "rbutton first" not in form.lines()[-3:]
        self.desktop.xdotool("key", "Escape")
        return kept

    def test_the_tray_icons_menu_and_double_click(self):
        form = Win32Form(self.desktop)
        tapfill = self.desktop.start("tapfill", ["wine", self.exe])
        self.addCleanup(self.stop, tapfill)
        icon = self.tray_icon()
        self.assertEqual(self.desktop.find_windows("Tapfill v3.0.5"), [], "in the tray only")
        self.tray_menu(icon, 0, lambda: self.desktop.find_windows("Tapfill v3.0.5"))
        autostart = lambda: self.registry_value(RUN_KEY, "Tapfill")
        self.tray_menu(icon, 2, lambda: autostart() == f'"{windows_path(self.exe)}"')
        self.tray_menu(icon, 2, lambda: autostart() is None)
        self.tray_menu(icon, 1, lambda: self.right_click_kept(form))
        # Wine's tray now and then takes a double click for two single ones.
        for attempt in range(3):
            self.desktop.xdotool("mousemove", 0, 0)
            time.sleep(0.8)
            self.desktop.xdotool("mousemove", *icon, "click", "--repeat", 2, "--delay", 80, 1)
            time.sleep(0.6)
            if not self.right_click_kept(form):
                break
        else:
            self.fail("the icon's double click did not end paste mode")

        self.tray_menu(icon, 3, lambda: tapfill.poll() is not None)
        self.assertEqual(tapfill.wait(timeout=30), 0)
        self.assertEqual(self.registry_value(FLAG_KEY, "FL1"), "0")


if __name__ == "__main__":
    support.main(TOOLS)
