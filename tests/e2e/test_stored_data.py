"""The data files and the window's place across restarts, on a private X
desktop with openbox: line breaks pasted into one-line texts in all three
windows, stored positions at the screen's corner, near it and far away,
each saved and read back."""

import os
import time

import support
from desktop import wait_for
from tapfill import write_data
from test_tapfill import DesktopTest

TWIPS_PER_PIXEL = 15
SCREEN = (1280, 1024)  # the desktop's screen, see desktop.py


class StoredDataTest(DesktopTest):
    def start(self, left=1440, top=1440, **data):
        if not os.path.exists(os.path.join(self.data, "F3.dat")):
            write_data(self.data, left=left, top=top, **data)
        self.app.start()
        self.app.tray_double_click()
        return self.app.wait_shown()

    def exit(self):
        self.app.press("EXIT")
        self.assertEqual(self.app.process.wait(timeout=5), 0)

    def frame(self, window):
        """The outer rectangle: the inside and the frame's extents around it."""
        x, y, width, height = self.desktop.geometry(window)
        extents = wait_for(lambda: self.desktop.xprop(window, "_NET_FRAME_EXTENTS").partition("=")[2],
                           what="the frame extents")
        left, right, top, bottom = (int(v) for v in extents.split(","))
        return x - left, y - top, width + left + right, height + top + bottom

    def frame_position(self, window):
        return self.frame(window)[:2]

    def stored_position(self):
        lines = self.read("F3.dat").split(b"\r\n")
        return float(lines[0]), float(lines[1])

    def paste_line_break(self):
        """The clipboard holds a text of two lines; Ctrl+V into the focused box."""
        self.desktop.copy(b"first\r\nsecond")
        time.sleep(0.2)
        self.desktop.xdotool("key", "ctrl+v")
        time.sleep(0.2)

    # -- positions -------------------------------------------------------------
    def test_a_stored_position_is_the_frames_top_left_corner_and_saves_never_creep(self):
        for left, top in [(0, 0), (30, 30), (1500, 2250)]:
            with self.subTest(left=left, top=top):
                for name in os.listdir(self.data) if os.path.isdir(self.data) else []:
                    os.remove(os.path.join(self.data, name))
                for round_ in range(2):  # the second start reads what SAVE wrote
                    window = self.start(left=left, top=top)
                    expected = (round(left / TWIPS_PER_PIXEL), round(top / TWIPS_PER_PIXEL))
                    wait_for(lambda: self.frame_position(window) == expected,
                             what=lambda: f"the frame at {expected}, not {self.frame_position(window)}")
                    self.app.press("SAVE")
                    time.sleep(0.3)
                    self.assertEqual(self.stored_position(), (left, top), f"round {round_}")
                    self.exit()

    def test_a_position_off_every_screen_opens_inside_the_screen_and_the_file_waits_for_save(self):
        window = self.start(left=300000, top=-50000)
        before = self.read("F3.dat")

        def inside():
            x, y, width, height = self.frame(window)
            return 0 <= x and x + width <= SCREEN[0] and 0 <= y and y + height <= SCREEN[1]
        wait_for(inside, what=lambda: f"the whole frame inside the screen, not at {self.frame(window)}")
        time.sleep(0.3)
        x, y, width, height = self.frame(window)
        self.assertEqual((x + width, y), (SCREEN[0], 0), "at the edge nearest to the asked place")
        self.assertEqual(self.read("F3.dat"), before, "nothing is written before SAVE")
        self.app.press("SAVE")
        wait_for(lambda: self.read("F3.dat") != before, what="SAVE to write the new position")
        self.assertEqual(self.stored_position(), (x * TWIPS_PER_PIXEL, y * TWIPS_PER_PIXEL))

    # -- line breaks -----------------------------------------------------------
    def test_a_pasted_line_break_becomes_a_blank_in_every_window(self):
        one_line = ["alpha", "beta", "gamma"]
        self.start(one_line=one_line, personal=["Jane", "Doe", "ACME"], captions=["Letter"])

        # Main window: the second one-line box.
        self.app.page("1 LINE")
        self.app.click_twips(120 + 360 + 2000, 120 + 480 + 360, 100, 285)
        self.desktop.xdotool("key", "End")
        self.paste_line_break()
        # The description prompt of the first multi-line field.
        self.app.page("MULTI")
        x, y, _, _ = self.desktop.geometry(self.app.window())
        self.desktop.xdotool("mousemove", x + (120 + 120 + 300) // TWIPS_PER_PIXEL,
                             y + (120 + 240 + 480 + 127) // TWIPS_PER_PIXEL,
                             "click", "--repeat", 2, "--delay", 80, 1)
        prompt = self.desktop.wait_window("ENTER INFORMATION")
        self.desktop.xdotool("windowactivate", "--sync", prompt, check=False)
        self.desktop.xdotool("key", "ctrl+a")
        self.paste_line_break()
        self.desktop.xdotool("key", "Return")
        self.app.wait_shown()
        self.app.press("SAVE")
        time.sleep(0.3)

        # Personal data window: COMPANY NAME.
        self.app.page("PERS")
        self.app.click_twips(120 + 120, 120 + 4320, 2415, 375)
        form = self.desktop.wait_window("DATA INPUT FORM")
        x, y, _, _ = self.desktop.geometry(form)
        self.desktop.xdotool("mousemove", x + (120 + 2160 + 2000) // TWIPS_PER_PIXEL,
                             y + (120 + 360 + 720 + 140) // TWIPS_PER_PIXEL, "click", 1)
        self.desktop.xdotool("key", "End")
        self.paste_line_break()
        self.desktop.xdotool("mousemove", x + (120 + 4200 + 500) // TWIPS_PER_PIXEL,
                             y + (120 + 4200 + 180) // TWIPS_PER_PIXEL, "click", 1)  # SAVE
        time.sleep(0.3)

        f3, tf, caption = (self.read(n).split(b"\r\n") for n in ("F3.dat", "TF.dat", "CAPTION.dat"))
        self.assertEqual(len(f3), 15, "two numbers and twelve texts, then the last line end")
        self.assertEqual(f3[2:6], [b"alpha", b"betafirst second", b"gamma", b""])
        self.assertEqual(len(tf), 11)
        self.assertEqual(tf[:4], [b"Jane", b"Doe", b"ACMEfirst second", b""])
        self.assertEqual(len(caption), 13)
        self.assertEqual(caption[0], b"first second")


if __name__ == "__main__":
    support.main()
