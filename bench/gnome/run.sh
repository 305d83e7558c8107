#!/bin/sh
# Tapfill on GNOME under Wayland: click to text, CPU and memory, under a
# headless GNOME Shell (scripts/install-deps.sh --gnome).
#   bench/gnome/run.sh BUILD_DIR [--clicks N] [--idle SECONDS]
set -e
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [--clicks N] [--idle SECONDS]" >&2
    exit 2
fi
build=$1
shift
PYTHONDONTWRITEBYTECODE=1 exec /usr/bin/python3 "$(dirname "$0")/gnome_bench.py" "$build/tapfill" "$@"
