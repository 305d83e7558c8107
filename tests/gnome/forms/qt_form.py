"""A Qt 6 Wayland form of four one-line boxes that reports on stdout, as
JSON lines, what reaches it: each box's text, its selection (a double
click or a drag selects) and context menus (a right click that got
through). Its window is titled "Qt form"."""

import json
import time
import sys

from PyQt6.QtCore import QTimer
from PyQt6.QtWidgets import QApplication, QLineEdit, QVBoxLayout, QWidget


def report(**event):
    # The time on the clock every process shares, for the benchmark.
    print(json.dumps(dict(event, t=time.monotonic())), flush=True)


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


def main():
    app = QApplication(sys.argv)
    window = QWidget()
    window.setWindowTitle("Qt form")
    layout = QVBoxLayout(window)
    boxes = [Box(i) for i in range(4)]
    for box in boxes:
        box.setMinimumWidth(400)
        layout.addWidget(box)
    layout.addStretch(1)
    boxes[3].setText("one two three")
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
    main()
