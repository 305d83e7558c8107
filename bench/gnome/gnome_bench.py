"""Tapfill on GNOME under Wayland, measured: the time from a left button's
release to the pasted text in a Qt form (100 ms of it Tapfill's delay, on
purpose) beside the floor of that route (the release seen and Ctrl+V typed
by the shell at once, no delay); the CPU time of GNOME Shell and of Tapfill
while idle with PASTE off (the extension then does nothing) and on (it
polls the pointer), beside the shell's without the extension; and the
memory of both."""

import argparse
import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "gnome"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))
os.environ.setdefault("TAPFILL", sys.argv[1] if len(sys.argv) > 1 else "")
from gnome_session import GnomeSession  # noqa: E402
from tapfill import TWIPS_PER_PIXEL, write_data  # noqa: E402
from test_gnome import F12, Form, Tapfill, saw  # noqa: E402

PLACE = (1000, 200)
FIELDS = ["Grüße €1", "second", "third"]


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def rss_mib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def shell_pid(session):
    return next(p.pid for name, p in session.processes if name == "gnome-shell")


def idle_cpu(pids, seconds):
    time.sleep(2)  # what the last step started settles first
    before = [cpu_seconds(pid) for pid in pids]
    time.sleep(seconds)
    return [100 * (cpu_seconds(pid) - b) / seconds for pid, b in zip(pids, before)]


def open_form(session):
    form = Form(session, "qt")
    session.input.click(*form.center(3))  # the first click only gives it the focus
    time.sleep(0.8)
    return form


def click_to_text(session, form, clicks, arm=lambda text: None):
    """Milliseconds from each release to the text in the box, and how many
    clicks brought none within 3 s."""
    form.take()
    latencies, lost = [], 0
    for i in range(clicks):
        box = i % 3
        arm(FIELDS[box])
        session.input.move(*form.center(box))
        session.input.button(0x110, True)
        time.sleep(0.08)
        session.input.button(0x110, False)
        released = time.time_ns() // 1000
        try:
            event = form.wait(saw("content", box), timeout=3)
            latencies.append((event["t"] - released) / 1000)
        except Exception:
            lost += 1
        time.sleep(0.7)
    session.input.move(640, 600)
    return latencies, lost


def summary(latencies, lost):
    if not latencies:
        return f"nothing arrived ({lost} lost)"
    latencies = sorted(latencies)
    p95 = latencies[min(len(latencies) - 1, round(0.95 * (len(latencies) - 1)))]
    return (f"median {statistics.median(latencies):.1f} ms, 95th percentile {p95:.1f} ms "
            f"({len(latencies)} clicks, {lost} lost)")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tapfill")
    parser.add_argument("--clicks", type=int, default=20)
    parser.add_argument("--idle", type=float, default=10.0)
    args = parser.parse_args()
    os.environ["TAPFILL"] = os.path.abspath(args.tapfill)

    # The same desktop without Tapfill's extension: the shell's own CPU and
    # memory, and the route's floor.
    with GnomeSession(extension=False) as bare:
        form = open_form(bare)
        bare_pid = shell_pid(bare)
        [bare_cpu] = idle_cpu([bare_pid], args.idle)
        bare_rss = rss_mib(bare_pid)
        floor = click_to_text(bare, form, args.clicks, arm=bare.probe.PasteOnNextRelease)

    with GnomeSession() as session:
        data = os.path.join(session.tmp, "data")
        write_data(data, one_line=FIELDS, left=PLACE[0] * TWIPS_PER_PIXEL, top=PLACE[1] * TWIPS_PER_PIXEL)
        app = Tapfill(session, data)
        app.indicator_double_click()
        app.wait_placed(PLACE)
        session.input.key(F12)  # paste mode off: clicks go straight to the form
        time.sleep(0.5)
        form = open_form(session)
        pids = [shell_pid(session), app.process.pid]
        off = idle_cpu(pids, args.idle)

        session.set_clipboard("the user's text")
        app.page("1 LINE")
        app.select_one_line(0)
        app.press("PASTE")
        time.sleep(0.5)
        tapfill = click_to_text(session, form, args.clicks)
        on = idle_cpu(pids, args.idle)
        tapfill_rss, shell_rss = rss_mib(app.process.pid), rss_mib(pids[0])
        app.stop()

    print(f"click to text, Qt form: Tapfill {summary(*tapfill)}, 100 ms of it Tapfill's delay")
    print(f"  the route's floor (release seen, Ctrl+V typed at once by the shell): {summary(*floor)}")
    print(f"CPU idle over {args.idle:.0f} s: GNOME Shell without the extension {bare_cpu:.2f} %")
    print(f"  PASTE off: GNOME Shell {off[0]:.2f} %, Tapfill {off[1]:.2f} %")
    print(f"  PASTE on (pointer polled): GNOME Shell {on[0]:.2f} %, Tapfill {on[1]:.2f} %")
    print(f"memory: Tapfill {tapfill_rss:.0f} MiB; GNOME Shell {shell_rss:.0f} MiB with the extension "
          f"in use, {bare_rss:.0f} MiB without it")


if __name__ == "__main__":
    main()
