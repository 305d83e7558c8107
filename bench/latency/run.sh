#!/bin/sh
# Paste latency, the user's clipboard given back, idle CPU and memory of
# Tapfill on a private X desktop.
#   bench/latency/run.sh BUILD_DIR [options of latency.py]
set -e
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [--clicks N] [--large-clicks N] [--restore-clicks N] [--idle SECONDS]" >&2
    exit 2
fi
build=$1
shift
here=$(dirname "$0")
DBUS_SESSION_BUS_ADDRESS=disabled: PYTHONDONTWRITEBYTECODE=1 \
    exec python3 "$here/latency.py" "$build/tapfill" "$@"
