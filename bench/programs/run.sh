#!/bin/sh
# Per program: the paste latency and the time until the user's clipboard
# content is back, into the programs people fill forms in.
#   bench/programs/run.sh BUILD_DIR [--clicks N] [--busy] [PROGRAM ...]
set -e
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [--clicks N] [--busy] [PROGRAM ...]" >&2
    exit 2
fi
build=$1
shift
here=$(dirname "$0")
DBUS_SESSION_BUS_ADDRESS=disabled: PYTHONDONTWRITEBYTECODE=1 \
    exec python3 "$here/programs_bench.py" "$build/tapfill" "$@"
