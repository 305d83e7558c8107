"""Typing rate of text typed key by key (the "type" paste method) on a
private X desktop: a field of non-ASCII letters (Latin with accents,
Cyrillic, Greek: most need keys lent for the moment under a US layout)
typed into a Tk text box and into a Chromium page's input, through the real key
sender (platform_probe). Prints the rate from the request to the last
character shown, and how many characters were lost or wrong. Asserts
nothing."""

import argparse
import os
import random
import shutil
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

from desktop import Desktop, wait_for  # noqa: E402
from support import Probe  # noqa: E402
from programs import TkForm  # noqa: E402

ALPHABET = "abcdefghijklmnopqrstuvwxyz äöüßéèçñ жщыэюяЖЩ αβγδΩ ,.!?"  # no "_": it stands for a blank


def field(length):
    rng = random.Random(7)
    return "".join(rng.choice(ALPHABET) for _ in range(length))


def wrong(expected, got):
    """Characters lost or wrong: the edit distance, in O(n*m) but n is small."""
    previous = list(range(len(got) + 1))
    for i, a in enumerate(expected, 1):
        current = [i]
        for j, b in enumerate(got, 1):
            current.append(min(previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (a != b)))
        previous = current
    return previous[-1]


def report(target, text, typed, seconds, got):
    """`typed`: until the last key went out; `seconds`: until the target
    showed the whole text."""
    print(f"{target}: {len(text)} characters typed in {typed:.2f} s = {len(text) / typed:.0f} characters/s,"
          f" all in the field after {seconds:.2f} s = {len(text) / seconds:.0f} characters/s;"
          f" lost or wrong: {wrong(text, got)}")


def type_and_report(target, probe, text, shown):
    """Types `text` into the focused field; `shown` reads what the field holds."""
    start = time.monotonic()
    probe.send("type " + text)
    probe.expect("done", timeout=120)
    typed = time.monotonic() - start
    try:
        wait_for(lambda: len(shown()) >= len(text), timeout=30, interval=0.02)
    except Exception:
        pass
    report(target, text, typed, time.monotonic() - start, shown())


def bench_tk(desktop, probe, text):
    tk = TkForm(desktop)
    tk.click("memo")
    time.sleep(0.3)
    type_and_report("Tk text box", probe, text, lambda: tk.text("memo"))


def bench_chromium(desktop, probe, text):
    browser = shutil.which("chromium")
    if not browser:
        print("Chromium: not installed, skipped")
        return
    page = os.path.join(desktop.tmp, "form.html")
    out = os.path.join(desktop.tmp, "title")
    with open(page, "w", encoding="utf-8") as f:
        f.write('<!doctype html><meta charset="utf-8"><title>empty</title>'
                '<input id="f" autofocus style="width:90%" '
                'oninput="document.title = \'v:\' + this.value.replace(/ /g, \'_\')">')
    desktop.start("chromium", [browser, "--no-sandbox", "--no-first-run", "--disable-gpu",
                               "--user-data-dir=" + os.path.join(desktop.tmp, "chromium"),
                               "--window-position=0,0", "--window-size=900,600", "file://" + page])
    window = wait_for(lambda: desktop.find_windows("empty"), timeout=60, what="Chromium")[0]

    def title():
        name = desktop.xdotool("getwindowname", window, check=False).rstrip("\n")
        name = name.removesuffix(" - Chromium")
        # Spaces come as "_": a window title collapses runs of blanks.
        return name[2:].replace("_", " ") if name.startswith("v:") else ""

    time.sleep(1.5)
    x, y, _, _ = desktop.geometry(window)
    desktop.xdotool("mousemove", x + 200, y + 100, "click", 1)
    time.sleep(0.5)
    type_and_report("Chromium input", probe, text, title)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("probe")
    parser.add_argument("--length", type=int, default=1000)
    parser.add_argument("--no-chromium", action="store_true")
    args = parser.parse_args()
    os.environ["PLATFORM_PROBE"] = args.probe
    text = field(args.length)
    with Desktop() as desktop:
        probe = Probe(desktop)
        bench_tk(desktop, probe, text)
    if not args.no_chromium:
        with Desktop() as desktop:
            probe = Probe(desktop)
            bench_chromium(desktop, probe, text)


if __name__ == "__main__":
    main()
