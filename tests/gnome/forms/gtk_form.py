"""A GTK 3 Wayland form of four one-line boxes that reports on stdout, as
JSON lines, what reaches it: each box's text, its selection (a double
click or a drag selects) and context menus (a right click that got
through). Its window is titled "GTK form"."""

import json
import time

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import Gdk, GLib, Gtk  # noqa: E402


def report(**event):
    # The time on the clock every process shares, for the benchmark.
    print(json.dumps(dict(event, t=time.monotonic())), flush=True)


def selection_of(entry):
    bounds = entry.get_selection_bounds()
    return entry.get_text()[bounds[0]:bounds[1]] if bounds else ""


def make_box(index):
    entry = Gtk.Entry()
    entry.set_width_chars(50)
    entry.connect("changed", lambda e: report(box=index, text=e.get_text()))
    entry.connect("notify::selection-bound", lambda e, _p: report(box=index, selected=selection_of(e)))
    entry.connect("populate-popup", lambda e, _m: report(box=index, context_menu=True))
    entry.connect("focus-in-event", lambda e, _ev: report(box=index, focus=True) or False)
    entry.connect("key-press-event",
                  lambda e, ev: report(box=index, key=Gdk.keyval_name(ev.keyval)) or False)
    return entry


def main():
    window = Gtk.Window(title="GTK form")
    window.connect("destroy", Gtk.main_quit)
    column = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=6)
    boxes = [make_box(i) for i in range(4)]
    for box in boxes:
        column.pack_start(box, False, False, 0)
    boxes[3].set_text("one two three")
    window.add(column)
    window.show_all()
    window.fullscreen()

    def ready():
        places = []
        for box in boxes:
            x, y = box.translate_coordinates(window, 0, 0)
            size = box.get_allocation()
            places.append([x, y, size.width, size.height])
        report(ready=places)
        return False
    GLib.timeout_add(700, ready)
    Gtk.main()


if __name__ == "__main__":
    main()
