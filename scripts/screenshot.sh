#!/bin/bash
# Makes docs/main-window.png: the main window's four pages side by side, as
# a virtual X display with a window manager shows them.
#   scripts/screenshot.sh [BUILD_DIR [SHOTS_DIR]]    (default: build)
# With SHOTS_DIR it also copies every single picture there (the four pages,
# the personal data window and the splash), to compare two builds pixel for
# pixel: compare -metric AE old/page-0.png new/page-0.png null:
# Needs xvfb, openbox and imagemagick; builds the target tapfill_screenshot.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(realpath -m "${1:-$root/build}")"
cmake --build "$build" --target tapfill_screenshot -j2 >/dev/null
tool="$(find "$build" -name tapfill_screenshot -type f -perm -u+x | head -n1)"

# The first display number nobody uses.
number=97
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
display=":$number"

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
DISPLAY="$display" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

DISPLAY="$display" QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=disabled: "$tool" "$work"

mkdir -p "$root/docs"
if [ -n "${2:-}" ]; then
    mkdir -p "$2"
    cp "$work"/*.png "$2"/
fi
# Without the time of day in it, the picture changes only when the window does.
convert "$work"/page-{0,1,2,3}.png -bordercolor white -border 10 +append +repage \
    -define png:exclude-chunks=date,time "$root/docs/main-window.png"
echo "wrote $root/docs/main-window.png"
