"""Paste latency, idle load and memory of Tapfill on a private X desktop.

From the release of the left button (XTest) to the text present in a Tk
entry, as the entry saw it (both times from the same machine's wall clock):
the delivery waits 100 ms on purpose, so the figure that matters is the
overhead beyond those 100 ms. Then the same for a 100 KB multi-line field,
and with the user's text on the clipboard, with the time from the target's
fetch to that text given back; the CPU Tapfill uses while idle with its
hooks active, the CPU per paste click, and its resident memory with the
main window shown. Prints figures; asserts nothing."""

import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
sys.path.insert(0, os.path.join(HERE, "..", "common"))

import xlib_bench  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402
from tapfill import Tapfill, write_data  # noqa: E402
from programs import TkForm  # noqa: E402

DELAY_MS = 100  # the delivery delay: the wait between the click and the paste, by design
TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK  # utime + stime


def resident_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def percentile(values, p):
    ordered = sorted(values)
    k = (len(ordered) - 1) * p / 100
    low, high = int(k), min(int(k) + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (k - low)


def measure_clicks(tk, pointer, widget, text, count, clear_each=False, before=None, after=None):
    """Latency in ms of each click: release to the text in the widget.
    `before` runs before each click, `after` with the text's arrival."""
    latencies = []
    x, y = tk.point(widget)
    pointer.move(x, y)
    for n in range(count):
        if before:
            before()
        mark = tk.mark()
        released = pointer.click()

        def arrived():
            return [e for e in tk.events_since(mark)
                    if e.kind == "content" and e.widget == widget and text in e.data]
        event = wait_for(arrived, timeout=10, interval=0.005, what=f"paste {n}")[0]
        latencies.append((event.time_us - released) / 1000)
        if after:
            after(event)
        time.sleep(1.5)  # past the end of the paste and the give-back a second after it
        if clear_each:  # the click gave the form the focus
            mark = tk.mark()
            tk.desktop.xdotool("key", "F5")
            wait_for(lambda: any(e.kind == "cleared" for e in tk.events_since(mark)),
                     what="the form to clear")
    return latencies


def report(name, latencies):
    overhead = [l - DELAY_MS for l in latencies]
    print(f"{name}: {len(latencies)} clicks, release to text: median {statistics.median(latencies):.1f} ms,"
          f" p95 {percentile(latencies, 95):.1f} ms;"
          f" overhead beyond {DELAY_MS} ms: median {statistics.median(overhead):.1f} ms,"
          f" p95 {percentile(overhead, 95):.1f} ms, max {max(overhead):.1f} ms")


def measure_restores(desktop, tk, pointer, text, count):
    """With the user's text copied before each click: the paste latency, and
    the time from the target's fetch (the text in the entry) to the user's
    text back on the clipboard, which is Tapfill's window taking CLIPBOARD
    again, the last change of its owner."""
    restores, failed = [], 0
    with xlib_bench.OwnerWatch(desktop.display) as watch:
        def copy():
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=b"the user's text",
                           env=desktop.env, timeout=5, check=True)
            watch.changes(0.2)

        def users_text_back():
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=desktop.env,
                                  capture_output=True, timeout=5).stdout == b"the user's text"

        def given_back(event):
            nonlocal failed
            # It comes back once the target has asked nothing for a second.
            deadline = time.monotonic() + 6
            while not users_text_back() and time.monotonic() < deadline:
                time.sleep(0.05)
            changes = watch.changes(0.3)
            if len(changes) >= 2 and users_text_back():
                restores.append((changes[-1][0] - event.time_us) / 1000)
            else:
                failed += 1
        latencies = measure_clicks(tk, pointer, "e0", text, count, clear_each=True,
                                   before=copy, after=given_back)
    report("one-line field, the user's text on the clipboard", latencies)
    if restores:
        print(f"fetch to the user's text given back: {len(restores)} clicks,"
              f" median {statistics.median(restores):.1f} ms, max {max(restores):.1f} ms")
    if failed:
        print(f"not given back after {failed} of {count} clicks")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("tapfill", help="the tapfill program")
    parser.add_argument("--clicks", type=int, default=60)
    parser.add_argument("--large-clicks", type=int, default=20)
    parser.add_argument("--restore-clicks", type=int, default=30)
    parser.add_argument("--idle", type=float, default=30.0, help="seconds of idle measurement")
    args = parser.parse_args()

    line = "The quick brown fox, Grüße €1"
    large = "\n".join(f"line {i:04d} " + "z" * 90 for i in range(1000))  # 100 KB
    with Desktop(tray=True) as desktop:
        data = os.path.join(desktop.tmp, "data")
        write_data(data, one_line=[line], multi_line=[large])
        tk = TkForm(desktop)
        app = Tapfill(desktop, os.path.abspath(args.tapfill), data).start()
        pid = app.process.pid

        # Paste mode on (hooks and the right-button grab active), the main
        # window shown, click acceptance on, the one-line page delivering.
        app.tray_double_click()
        app.wait_shown()
        time.sleep(1.0)
        print(f"resident memory, main window shown: {resident_kb(pid) / 1024:.1f} MB")
        app.page("1 LINE")
        app.arm_paste()

        with xlib_bench.Pointer(desktop.display) as pointer:
            cpu_before = cpu_seconds(pid)
            latencies = measure_clicks(tk, pointer, "e0", line, args.clicks, clear_each=True)
            cpu_used = cpu_seconds(pid) - cpu_before
            report("one-line field", latencies)
            print(f"CPU per paste click: {1000 * cpu_used / args.clicks:.2f} ms"
                  f" ({cpu_used:.2f} s over {args.clicks} clicks, {1000 / TICK:.0f} ms ticks)")

            app.page("MULTI")
            time.sleep(0.3)
            latencies = measure_clicks(tk, pointer, "memo", large, args.large_clicks, clear_each=True)
            report("100 KB multi-line field", latencies)

            app.page("1 LINE")
            time.sleep(0.3)
            measure_restores(desktop, tk, pointer, line, args.restore_clicks)

        pointer_away = (1100, 900)
        desktop.xdotool("mousemove", *pointer_away)
        time.sleep(1.0)
        cpu_before = cpu_seconds(pid)
        time.sleep(args.idle)
        idle = cpu_seconds(pid) - cpu_before
        print(f"idle with hooks active: {idle:.2f} s CPU in {args.idle:.0f} s"
              f" ({100 * idle / args.idle:.2f} %)")
        print(f"resident memory at the end: {resident_kb(pid) / 1024:.1f} MB")
        app.stop()


if __name__ == "__main__":
    main()
