"""Talks to a LibreOffice Calc over UNO for the tests: makes cells A1..A3
large, reports their places on the screen, and answers with a cell's text.
   /usr/bin/python3 calc_cells.py PORT REPORT
Commands on stdin, one JSON answer per line on stdout:
   prepare      -> true, once the layout is in the report
   cell N       -> the text of cell A(N+1)"""

import json
import sys
import time

import uno
from com.sun.star.accessibility.AccessibleRole import TABLE

port, report_path = sys.argv[1], sys.argv[2]
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
deadline = time.monotonic() + 60
while True:
    try:
        context = resolver.resolve(f"uno:socket,host=127.0.0.1,port={port};urp;StarOffice.ComponentContext")
        break
    except Exception:
        if time.monotonic() > deadline:
            raise
        time.sleep(0.3)
desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
document = None
while document is None or not document.supportsService("com.sun.star.sheet.SpreadsheetDocument"):
    document = desktop.getCurrentComponent()
    time.sleep(0.2)
sheet = document.Sheets.getByIndex(0)


def tell(kind, widget="", data=""):
    with open(report_path, "a", encoding="utf-8") as report:
        report.write(json.dumps({"t": time.time_ns() // 1000, "kind": kind, "widget": widget,
                                 "data": data}) + "\n")


def find_table(accessible, depth=0):
    context = accessible.getAccessibleContext()
    if context.getAccessibleRole() == TABLE:
        return context
    if depth > 12:
        return None
    for i in range(context.getAccessibleChildCount()):
        found = find_table(context.getAccessibleChild(i), depth + 1)
        if found is not None:
            return found
    return None


def prepare():
    sheet.Columns.getByIndex(0).Width = 9000  # 1/100 mm
    for row in range(3):
        sheet.Rows.getByIndex(row).Height = 1500
    time.sleep(0.5)
    window = document.getCurrentController().getFrame().getContainerWindow()
    table = find_table(window)
    for row in range(3):
        cell = table.getAccessibleCellAt(row, 0).getAccessibleContext()
        place, size = cell.getLocationOnScreen(), cell.getSize()
        tell("layout", f"e{row}", f"{place.X} {place.Y} {size.Width} {size.Height}")
    tell("ready")
    return True


for line in sys.stdin:
    words = line.split()
    if words[0] == "prepare":
        answer = prepare()
    else:
        answer = sheet.getCellByPosition(0, int(words[1])).getString()
    print(json.dumps(answer), flush=True)
