#!/bin/sh
# Typing rate of "type" delivery, and the characters lost or wrong.
#   bench/typing/run.sh BUILD_DIR [--length N] [--no-chromium]
set -e
if [ $# -lt 1 ]; then
    echo "usage: $0 BUILD_DIR [--length N] [--no-chromium]" >&2
    exit 2
fi
build=$1
shift
here=$(dirname "$0")
DBUS_SESSION_BUS_ADDRESS=disabled: PYTHONDONTWRITEBYTECODE=1 \
    exec python3 "$here/typing.py" "$build/tests/e2e/platform_probe" "$@"
