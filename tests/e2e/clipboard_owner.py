"""A program that has copied something: owns CLIPBOARD, offering every
TARGET=FILE given at once, until another client takes the selection.
   python3 clipboard_owner.py DISPLAY TARGET=FILE...
Prints the owning window's id once it owns the selection."""

import sys

import xlib

targets = {}
for arg in sys.argv[2:]:
    name, _, path = arg.partition("=")
    with open(path, "rb") as f:
        targets[name] = f.read()
with xlib.SelectionOwner(sys.argv[1], targets) as owner:
    print(owner.window, flush=True)
    owner.serve()
