"""Runs inside a terminal: reports, as JSON lines, every byte typed or
pasted into the terminal, as the program in it receives them.
   python3 terminal_reader.py REPORT"""

import json
import os
import sys
import termios
import time
import tty

report = open(sys.argv[1], "a", encoding="utf-8")
tty.setraw(sys.stdin.fileno(), termios.TCSANOW)
sys.stdout.write("ready\r\n")
sys.stdout.flush()
report.write(json.dumps({"t": time.time_ns() // 1000, "kind": "ready"}) + "\n")
report.flush()
while True:
    data = os.read(sys.stdin.fileno(), 65536)
    if not data:
        break
    report.write(json.dumps({"t": time.time_ns() // 1000, "kind": "input",
                             "data": data.decode("utf-8", "replace")}) + "\n")
    report.flush()
