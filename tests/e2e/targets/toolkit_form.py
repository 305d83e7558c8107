"""A form of GTK 3, GTK 4 or Qt 6 entries that reports, as JSON lines, its
entries' places in the window once shown and every change of their texts.
   /usr/bin/python3 toolkit_form.py gtk3|gtk4|qt REPORT TITLE ENTRIES"""

import json
import sys
import time

toolkit, report_path, title, count = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
report = open(report_path, "a", encoding="utf-8")
ENTRY_W, ENTRY_H, GAP = 360, 40, 24


def tell(kind, widget="", data=""):
    report.write(json.dumps({"t": time.time_ns() // 1000, "kind": kind, "widget": widget,
                             "data": data}) + "\n")
    report.flush()


def laid_out(places):
    for i, (x, y) in enumerate(places):
        tell("layout", f"e{i}", f"{x} {y} {ENTRY_W} {ENTRY_H}")
    tell("ready")


if toolkit == "qt":
    from PyQt6.QtCore import QPoint, QTimer
    from PyQt6.QtWidgets import QApplication, QLineEdit, QVBoxLayout, QWidget

    app = QApplication(sys.argv[:1])
    window = QWidget()
    window.setWindowTitle(title)
    layout = QVBoxLayout(window)
    layout.setSpacing(GAP)
    entries = []
    for i in range(count):
        entry = QLineEdit()
        entry.setFixedSize(ENTRY_W, ENTRY_H)
        entry.textChanged.connect(lambda text, i=i: tell("content", f"e{i}", text))
        layout.addWidget(entry)
        entries.append(entry)
    window.show()
    QTimer.singleShot(300, lambda: laid_out([(p.x(), p.y()) for p in
                                             (e.mapTo(window, QPoint(0, 0)) for e in entries)]))
    app.exec()
else:
    import gi
    gi.require_version("Gtk", "3.0" if toolkit == "gtk3" else "4.0")
    from gi.repository import GLib, Gtk

    box = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=GAP)
    entries = []
    for i in range(count):
        entry = Gtk.Entry()
        entry.set_size_request(ENTRY_W, ENTRY_H)
        entry.connect("changed", lambda e, i=i: tell("content", f"e{i}", e.get_text()))
        entries.append(entry)
        if toolkit == "gtk3":
            box.pack_start(entry, False, False, 0)
        else:
            box.append(entry)

    def places():
        if toolkit == "gtk3":
            points = [e.translate_coordinates(window, 0, 0) for e in entries]
        else:
            points = [e.translate_coordinates(window, 0, 0) for e in entries]
        laid_out([(int(x), int(y)) for x, y in points])
        return False

    if toolkit == "gtk3":
        window = Gtk.Window(title=title)
        window.add(box)
        window.connect("destroy", Gtk.main_quit)
        window.show_all()
        GLib.timeout_add(300, places)
        Gtk.main()
    else:
        loop = GLib.MainLoop()
        window = Gtk.Window(title=title)
        window.set_decorated(True)
        window.set_child(box)
        window.connect("close-request", lambda *a: loop.quit())
        window.present()
        GLib.timeout_add(300, places)
        loop.run()
