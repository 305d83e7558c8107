"""Per program people fill forms in: the paste latency (left button release
to the text in the program, as the program reported it) and the time from
Tapfill taking the clipboard for the paste, just before the paste keys, to
the user's own content back on it (median and max). The user's text is
copied before every click, as with restoreClipboard on (the default).
With --busy, two processes keep both cores busy. Prints figures; asserts
nothing."""

import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "common"))

import programs  # noqa: E402
import xlib_bench  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402
from tapfill import Tapfill, write_data  # noqa: E402

FIELD = "Grüße €1"
USER_TEXT = b"the user's text"
DELAY_MS = 100
PROGRAMS = ["gtk3", "gtk4", "qt", "chromium", "firefox-esr", "calc", "alacritty", "xfce4-terminal"]


def start(desktop, name):
    if name in ("chromium", "firefox-esr"):
        return programs.WebForm(desktop, name)
    if name == "calc":
        return programs.Calc(desktop)
    if name in programs.Terminal.TERMINALS:
        return programs.Terminal(desktop, name)
    return programs.ToolkitForm(desktop, name)


def measure(desktop, target, pointer, clicks):
    latencies, backs, lost = [], [], 0
    x, y = target.point(0)
    pointer.move(x, y)
    with xlib_bench.OwnerWatch(desktop.display) as watch:
        for n in range(clicks):
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=USER_TEXT,
                           env=desktop.env, timeout=5, check=True)
            watch.changes(0.2)
            calc = isinstance(target, programs.Calc)
            if calc:
                target.clear(0)  # a paste into a chosen cell replaces what it holds
            # Wherever the caret ends up, each paste adds the field's length.
            expected = len(FIELD) if calc else len(FIELD) * (n + 1)
            released = pointer.click()
            try:
                wait_for(lambda: len(target.text(0)) == expected, timeout=10, interval=0.005)
            except Exception:
                lost += 1
                continue
            arrived = [e.time_us for e in target.events() if e.kind in ("content", "input")][-1] \
                if not isinstance(target, programs.Calc) else None
            changes = watch.changes(0.8)  # Tapfill takes the clipboard, then gives it back
            back = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=desktop.env,
                                  capture_output=True, timeout=5).stdout == USER_TEXT
            if arrived:
                latencies.append((arrived - released) / 1000)
            if len(changes) >= 2 and back:
                backs.append((changes[-1][0] - changes[0][0]) / 1000)
            else:
                lost += 1
    return latencies, backs, lost


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("tapfill")
    parser.add_argument("--programs", nargs="+", default=PROGRAMS, choices=PROGRAMS)
    parser.add_argument("--clicks", type=int, default=10)
    parser.add_argument("--busy", action="store_true")
    args = parser.parse_args()
    busy = [subprocess.Popen([sys.executable, "-c", "while True: pass"]) for _ in range(2 if args.busy else 0)]
    try:
        with Desktop(tray=True) as desktop:
            data = os.path.join(desktop.tmp, "data")
            write_data(data, one_line=[FIELD], left=15600, top=6000)
            app = Tapfill(desktop, os.path.abspath(args.tapfill), data).start()
            app.tray_double_click()
            app.wait_shown()
            app.page("1 LINE")
            app.select_one_line(0)
            app.arm_paste()
            with xlib_bench.Pointer(desktop.display) as pointer:
                for name in args.programs:
                    target = start(desktop, name)
                    latencies, backs, lost = measure(desktop, target, pointer, args.clicks)
                    target.stop()
                    line = f"{target.name}: {args.clicks} clicks"
                    if latencies:
                        line += (f", release to text median {statistics.median(latencies):.1f} ms"
                                 f" (overhead {statistics.median(latencies) - DELAY_MS:.1f} ms)")
                    if backs:
                        line += (f", clipboard taken to the user's content back median"
                                 f" {statistics.median(backs):.1f} ms, max {max(backs):.1f} ms")
                    print(line + f", lost or not given back: {lost}", flush=True)
            app.stop()
    finally:
        for process in busy:
            process.kill()


if __name__ == "__main__":
    main()
