"""A GTK 3 or Qt 6 Wayland form of four one-line boxes that reports on
stdout, as JSON lines, what reaches it: each box's text, its selection (a
double click or a drag selects), its focus, its keys and context menus (a
right click that got through). Full screen; the fourth box holds
"one two three" to be selected.
   /usr/bin/python3 wayland_form.py gtk|qt"""

import json
import sys
import time

BOXES, PREFILLED = 4, "one two three"


def report(**event):
    # The time on the clock every process shares, for the benchmark.
    print(json.dumps(dict(event, t=time.monotonic())), flush=True)


def gtk_form():
    import gi
    gi.require_version("Gtk", "3.0")
    gi.require_version("Gdk", "3.0")
    from gi.repository import Gdk, GLib, Gtk

    def selection_of(entry):
        bounds = entry.get_selection_bounds()
        return entry.get_text()[bounds[0]:bounds[1]] if bounds else ""

    window = Gtk.Window(title="GTK form")
    window.connect("destroy", Gtk.main_quit)
    column = Gtk.Box(orientation=Gtk.Orientation.VERTICAL, spacing=6)
    boxes = []
    for index in range(BOXES):
        entry = Gtk.Entry()
        entry.set_width_chars(50)
        entry.connect("changed", lambda e, i=index: report(box=i, text=e.get_text()))
        entry.connect("notify::selection-bound", lambda e, _p, i=index: report(box=i, selected=selection_of(e)))
        entry.connect("populate-popup", lambda e, _m, i=index: report(box=i, context_menu=True))
        entry.connect("focus-in-event", lambda e, _ev, i=index: report(box=i, focus=True) or False)
        entry.connect("key-press-event",
                      lambda e, ev, i=index: report(box=i, key=Gdk.keyval_name(ev.keyval)) or False)
        column.pack_start(entry, False, False, 0)
        boxes.append(entry)
    boxes[-1].set_text(PREFILLED)
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


def qt_form():
    from PyQt6.QtCore import QTimer
    from PyQt6.QtWidgets import QApplication, QLineEdit, QVBoxLayout, QWidget

    class Box(QLineEdit):
        def __init__(self, index):
            super().__init__()
            self.index = index
            self.textChanged.connect(lambda text: report(box=index, text=text))
            self.selectionChanged.connect(lambda: report(box=index, selected=self.selectedText()))

        def contextMenuEvent(self, event):
            report(box=self.index, context_menu=True)
            event.accept()

        def focusInEvent(self, event):
            super().focusInEvent(event)
            report(box=self.index, focus=True)

        def keyPressEvent(self, event):
            report(box=self.index, key=event.key())
            super().keyPressEvent(event)

    app = QApplication(sys.argv[:1])
    window = QWidget()
    window.setWindowTitle("Qt form")
    layout = QVBoxLayout(window)
    boxes = [Box(i) for i in range(BOXES)]
    for box in boxes:
        box.setMinimumWidth(400)
        layout.addWidget(box)
    layout.addStretch(1)
    boxes[-1].setText(PREFILLED)
    window.showFullScreen()

    def ready():
        places = []
        for box in boxes:
            corner = box.mapTo(window, box.rect().topLeft())
            places.append([corner.x(), corner.y(), box.width(), box.height()])
        report(ready=places)
    QTimer.singleShot(700, ready)
    sys.exit(app.exec())


if __name__ == "__main__":
    {"gtk": gtk_form, "qt": qt_form}[sys.argv[1]]()
