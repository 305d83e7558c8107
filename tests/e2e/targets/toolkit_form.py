"""A form of GTK 3, GTK 4 or Qt 6 entries that reports, as JSON lines, its
entries' places in the window once shown and every change of their texts;
GTK 3 and Qt entries also their focus, their selection (a double click or a
drag selects) and a context menu (a right click that got through), GTK 3
ones their keys too.
   /usr/bin/python3 toolkit_form.py gtk3|gtk4|qt REPORT TITLE ENTRIES [LAST]
A REPORT of "-" is stdout, and the form then fills the screen; LAST is the
last entry's text at the start."""

import json
import sys
import time

toolkit, report_path, title, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
last = sys.argv[5] if len(sys.argv) > 5 else ""
full_screen = report_path == "-"
report = sys.stdout if full_screen else open(report_path, "a", encoding="utf-8")
ENTRY_W, ENTRY_H, GAP = 360, 40, 24


def tell(kind, widget="", data=""):
    report.write(json.dumps({"t": time.time_ns() // 1000, "kind": kind, "widget": widget,
                             "data": data}) + "\n")
    report.flush()


def laid_out(places):
    for i, (x, y) in enumerate(places):
        tell("layout", f"e{i}", f"{int(x)} {int(y)} {ENTRY_W} {ENTRY_H}")
    tell("ready")


if toolkit == "qt":
    from PyQt6.QtCore import QPoint, QTimer
    from PyQt6.QtWidgets import QApplication, QLineEdit, QVBoxLayout, QWidget

    class Entry(QLineEdit):
        def __init__(self, name):
            super().__init__()
            self.name = name
            self.setFixedSize(ENTRY_W, ENTRY_H)
            self.textChanged.connect(lambda text: tell("content", name, text))
            self.selectionChanged.connect(lambda: tell("selected", name, self.selectedText()))

        def contextMenuEvent(self, event):
            tell("context", self.name)
            event.accept()

        def focusInEvent(self, event):
            super().focusInEvent(event)
            tell("focus", self.name)

    app = QApplication(sys.argv[:1])
    window = QWidget()
    window.setWindowTitle(title)
    layout = QVBoxLayout(window)
    layout.setSpacing(GAP)
    entries = [Entry(f"e{i}") for i in range(count)]
    for entry in entries:
        layout.addWidget(entry)
    layout.addStretch(1)
    entries[-1].setText(last)
    if full_screen:
        window.showFullScreen()
    else:
        window.show()
    QTimer.singleShot(300, lambda: laid_out([(p.x(), p.y()) for p in
                                             (e.mapTo(window, QPoint(0, 0)) for e in entries)]))
    app.exec()
else:
    import gi
    gi.require_version("Gtk", "3.0" if toolkit == "gtk3" else "4.0")
    gi.require_version("Gdk", "3.0" if toolkit == "gtk3" else "4.0")
    from gi.repository import Gdk, GLib, Gtk

    def selection_of(entry):
        bounds = entry.get_selection_bounds()
        return entry.get_text()[bounds[0]:bounds[1]] if bounds else ""

    box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=GAP)
    entries = []
    for i in range(count):
        entry, name = Gtk.Entry(), f"e{i}"
        entry.set_size_request(ENTRY_W, ENTRY_H)
        entry.set_halign(Gtk.Align.START)
        entry.connect("changed", lambda e, name=name: tell("content", name, e.get_text()))
        entries.append(entry)
        if toolkit == "gtk3":
            entry.connect("notify::selection-bound", lambda e, _p, name=name: tell("selected", name, selection_of(e)))
            entry.connect("populate-popup", lambda e, _m, name=name: tell("context", name))
            entry.connect("focus-in-event", lambda e, _ev, name=name: tell("focus", name) or False)
            entry.connect("key-press-event",
                          lambda e, ev, name=name: tell("key", name, Gdk.keyval_name(ev.keyval)) or False)
            box.pack_start(entry, False, False, 0)
        else:
            box.append(entry)
    entries[-1].set_text(last)

    def places():
        laid_out([e.translate_coordinates(window, 0, 0) for e in entries])
        return False

    window = Gtk.Window(title=title)
    if toolkit == "gtk3":
        window.add(box)
        window.connect("destroy", Gtk.main_quit)
        window.show_all()
        if full_screen:
            window.fullscreen()
        GLib.timeout_add(300, places)
        Gtk.main()
    else:
        loop = GLib.MainLoop()
        window.set_child(box)
        window.connect("close-request", lambda *a: loop.quit())
        window.present()
        GLib.timeout_add(300, places)
        loop.run()
