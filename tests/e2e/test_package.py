"""The installed Debian package as a user meets it: its files pass the
desktop's checkers, /usr/bin/tapfill keeps its data in the user's data
folder, starts with the desktop on request, shows its window and ends on
EXIT. Runs only where scripts/test.sh has installed the package and names
it in TAPFILL_DEB."""

import gzip
import json
import os
import stat
import struct
import subprocess
import tempfile
import unittest

import support
from desktop import Desktop, wait_for
from tapfill import Tapfill

PROGRAM = "/usr/bin/tapfill"
SHARE = "/usr/share"
ICON_SIZES = [16, 32, 48, 64, 128, 256]


def installed():
    deb = os.environ.get("TAPFILL_DEB")
    if not deb or not os.access(PROGRAM, os.X_OK):
        raise unittest.SkipTest("the package is not installed (TAPFILL_DEB unset)")
    return deb


def checked(argv, **kwargs):
    result = subprocess.run(argv, capture_output=True, text=True, timeout=120, **kwargs)
    if result.returncode != 0:
        raise AssertionError(f"{argv} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout + result.stderr


class FreshUser(unittest.TestCase):
    """A home folder of its own, and none of the XDG variables set."""

    def setUp(self):
        self.deb = installed()
        self.home = tempfile.mkdtemp(prefix="tapfill-home-")
        self.addCleanup(subprocess.run, ["rm", "-rf", self.home])
        self.env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
        self.env["HOME"] = self.home

    def tapfill(self, *args, env=None):
        return subprocess.run([PROGRAM, *args], capture_output=True, text=True, timeout=10,
                              env=env or self.env)


class PackageFiles(FreshUser):
    def test_the_checkers_pass(self):
        checked(["desktop-file-validate", f"{SHARE}/applications/tapfill.desktop"])
        checked(["appstreamcli", "validate", "--no-net",
                 f"{SHARE}/metainfo/io.github.tapfill.Tapfill.metainfo.xml"])
        # Warnings are allowed; an error fails.
        report = checked(["lintian", "--fail-on", "error", self.deb])
        self.assertNotIn("\nE: ", "\n" + report, report)

    def test_icons_manual_and_nothing_but_the_program(self):
        for size in ICON_SIZES:
            with open(f"{SHARE}/icons/hicolor/{size}x{size}/apps/tapfill.png", "rb") as png:
                header = png.read(24)
            self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
            self.assertEqual(struct.unpack(">II", header[16:24]), (size, size))
        self.assertTrue(os.path.exists(f"{SHARE}/icons/hicolor/scalable/apps/tapfill.svg"))
        with gzip.open(f"{SHARE}/man/man1/tapfill.1.gz", "rt") as man:
            self.assertTrue(man.read().startswith(".TH TAPFILL 1"))

        files = checked(["dpkg-query", "-L", "tapfill"]).split()
        programs = [f for f in files if os.path.isfile(f) and os.access(f, os.X_OK)]
        self.assertEqual(programs, [PROGRAM])
        self.assertFalse([f for f in files if "test" in f or "bench" in f])
        self.assertIn("ELF", checked(["file", PROGRAM]))
        self.assertNotIn("not stripped", checked(["file", PROGRAM]))

    def test_gnome_shell_extension_and_wayland_plugin(self):
        """On GNOME under Wayland Tapfill needs its Shell extension, which
        GNOME finds among the system's, and Qt's Wayland plugin."""
        folder = f"{SHARE}/gnome-shell/extensions/tapfill@tapfill.github.io"
        with open(f"{folder}/metadata.json") as metadata:
            self.assertEqual(json.load(metadata)["uuid"], "tapfill@tapfill.github.io")
        for entry in ("extension.js", "extension/__init__.js", "tapfillShell.js"):
            self.assertTrue(os.path.isfile(f"{folder}/{entry}"), entry)
        self.assertIn("qt6-wayland", checked(["dpkg-query", "-W", "-f", "${Depends}", "tapfill"]))


class DataFolderAndAutostart(FreshUser):
    def test_help_names_the_users_data_folder(self):
        data = os.path.join(self.home, ".local", "share", "tapfill")
        result = self.tapfill("--help")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(f"Data folder: {data}\n", result.stdout)  # XDG_DATA_HOME: DataLocationTest
        self.assertFalse(os.path.exists(data), "--help makes no folder")
        self.assertIn("gnome-extensions enable tapfill@tapfill.github.io", result.stdout)
        self.assertIn("GPL-3.0-or-later", self.tapfill("--version").stdout)

    def test_autostart_on_writes_a_valid_entry_and_off_removes_it(self):
        entry = os.path.join(self.home, ".config", "autostart", "tapfill.desktop")
        result = self.tapfill("--autostart", "on")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(entry, result.stdout)
        with open(entry) as f:
            text = f.read()
        self.assertIn("\nExec=tapfill\n", text, "the installed copy is found in PATH")
        checked(["desktop-file-validate", entry])

        self.assertEqual(self.tapfill("--autostart", "off").returncode, 0)
        self.assertFalse(os.path.exists(entry))  # a failure to write it: AutostartTest


class OnADesktop(FreshUser):
    def test_save_lands_in_the_users_data_folder_and_exit_clears_the_flag(self):
        desktop = Desktop.for_test(self, tray=True)
        for key in [k for k in desktop.env if k.startswith("XDG_")]:
            del desktop.env[key]
        desktop.env["HOME"] = self.home
        app = Tapfill(desktop, PROGRAM, None).start()
        self.addCleanup(app.stop)
        self.assertEqual(app.running_flag(), "1")

        app.tray_double_click()
        app.wait_shown()
        app.press("SAVE")
        data = os.path.join(self.home, ".local", "share", "tapfill")
        wait_for(lambda: os.path.exists(os.path.join(data, "MLT12.DAT")), what="SAVE to write")
        self.assertEqual(stat.S_IMODE(os.stat(data).st_mode), 0o700)
        self.assertTrue(os.path.exists(os.path.join(data, "F3.dat")))
        self.assertFalse(os.path.exists("/usr/bin/F3.dat"))

        app.press("EXIT")
        self.assertEqual(app.process.wait(timeout=5), 0)
        self.assertEqual(app.running_flag(), "0")


if __name__ == "__main__":
    support.main()
