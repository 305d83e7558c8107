"""Figures of tapfill.exe under Wine (see run.sh): the sizes of the program,
installer and zip; the time to its splash and to its tray icon; its memory;
the CPU it uses idle in paste mode; click to pasted text in a Win32 form."""

import argparse
import glob
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from desktop import wait_for
from wine_desktop import WineDesktop, Win32Form

FIELD = "alpha \u00fc\u20ac"
DELAY_MS = 100  # Tapfill waits this long after the click, by design
TICK = os.sysconf("SC_CLK_TCK")


def wine_pid(exe):
    """The Wine process running that program (the last started, should the
    launcher still be there)."""
    found = []
    for entry in glob.glob("/proc/[0-9]*/cmdline"):
        try:
            with open(entry, "rb") as f:
                if exe.encode() in f.read():
                    found.append(int(entry.split("/")[2]))
        except OSError:
            pass
    return max(found)


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK


def memory(pid):
    """Resident, and of it the process's own (anonymous) memory: the rest is
    files mapped, Wine's DLLs and the program's image, shared or reloadable."""
    with open(f"/proc/{pid}/status") as f:
        values = {line.split(":")[0]: int(line.split()[1]) for line in f if line.startswith(("VmRSS:", "RssAnon:"))}
    return f"{values['VmRSS'] / 1024:.1f} MB resident, {values['RssAnon'] / 1024:.1f} MB its own"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--clicks", type=int, default=20)
    parser.add_argument("--idle", type=float, default=10.0)
    parser.add_argument("--gap", type=float, default=2.5, help="seconds between clicks")
    args = parser.parse_args()
    for name in ("tapfill.exe", "Tapfill-*-setup.exe", "Tapfill-*-portable.zip"):
        for path in glob.glob(os.path.join(args.build, name)):
            print(f"{os.path.basename(path)}: {os.path.getsize(path) / 1e6:.2f} MB")

    with WineDesktop(tray=True) as desktop:
        data = os.path.join(desktop.tmp, "tapfill-data")
        os.makedirs(data)
        with open(os.path.join(data, "F3.dat"), "wb") as f:
            f.write(b" 0 \r\n 0 \r\n" + FIELD.encode("cp1252") + b"\r\n" + b"\r\n" * 11)
        form = Win32Form(desktop)
        started = time.monotonic()
        desktop.start("tapfill", ["wine", os.environ["TAPFILL_EXE"], "--data-dir", data])
        wait_for(lambda: desktop.xdotool("search", "--onlyvisible", "--class", "tapfill", check=False).strip(),
                 timeout=30, interval=0.01, what="the splash")
        splash = time.monotonic() - started
        wait_for(lambda: desktop.tray_icons(), timeout=30, interval=0.01, what="the tray icon")
        print(f"start-up: splash after {splash * 1000:.0f} ms, tray icon after "
              f"{(time.monotonic() - started) * 1000:.0f} ms (the splash stays 2 s by design)")
        pid = wine_pid("tapfill.exe")
        time.sleep(1)
        cpu = cpu_seconds(pid)
        time.sleep(args.idle)
        idle = cpu_seconds(pid) - cpu
        print(f"idle, paste mode off: {idle:.2f} s CPU in {args.idle:.0f} s ({100 * idle / args.idle:.2f} %)")

        form.click("first")
        form.wait("focus first")
        desktop.xdotool("key", "F12")
        form.click("first", button=3)
        window = desktop.wait_window("Tapfill v3.0.5")
        x, y, _, _ = desktop.geometry(window)
        for left, top in ((120 + 2700 // 8, 300), (1080 + 427, 6240 + 187)):  # "1 LINE", PASTE
            desktop.xdotool("mousemove", x + left // 15, y + top // 15, "click", 1)
            time.sleep(0.5)
        # A pointer resting on a button keeps Wine busy with the button's
        # hover look; the user's rests in the form.
        desktop.xdotool("mousemove", *form.point("second"))
        time.sleep(0.5)

        cpu = cpu_seconds(pid)
        time.sleep(args.idle)
        idle = cpu_seconds(pid) - cpu
        print(f"idle in paste mode: {idle:.2f} s CPU in {args.idle:.0f} s ({100 * idle / args.idle:.2f} %); "
              f"memory in use {memory(pid)}")

        latencies, spawn = [], []
        bx, by = form.point("second")
        desktop.xdotool("mousemove", bx, by)
        for _ in range(args.clicks):
            seen = len(form.lines())
            # From the release, which goes out between these two moments.
            desktop.xdotool("mousedown", 1)
            clicked = time.monotonic()
            desktop.xdotool("mouseup", 1)
            spawn.append((time.monotonic() - clicked) * 1000)
            wait_for(lambda: any(l.startswith("text second ") for l in form.lines()[seen:]), timeout=10,
                     interval=0.002, what="the paste")
            latencies.append((time.monotonic() - clicked) * 1000)
            time.sleep(args.gap)
        print(f"(xdotool's release itself takes {statistics.median(spawn):.1f} ms, median)")
        latencies.sort()
        p95 = latencies[min(len(latencies) - 1, round(0.95 * (len(latencies) - 1)))]
        print(f"click to text: {len(latencies)} clicks, median {statistics.median(latencies):.1f} ms, "
              f"p95 {p95:.1f} ms; beyond the {DELAY_MS} ms delay: median "
              f"{statistics.median(latencies) - DELAY_MS:.1f} ms")
        print(f"memory in use after the pastes: {memory(pid)}")
        # Wine's own floor: a program with one window and a message loop.
        desktop.start("wine floor", ["wine", os.environ["WINE_FLOOR"]])
        wait_for(lambda: desktop.find_windows("Wine floor"), timeout=30, what="the floor's window")
        time.sleep(1)
        print(f"memory of Wine's floor (one window, a message loop): {memory(wine_pid('wine_floor.exe'))}")


if __name__ == "__main__":
    main()
