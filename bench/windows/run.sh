#!/bin/sh
# tapfill.exe under Wine on a private X desktop: sizes, start-up, memory,
# idle CPU with the hooks active, and the time from a click into a Win32
# form to the pasted text.
#   bench/windows/run.sh [BUILD_DIR] [--clicks N] [--idle SECONDS]
# BUILD_DIR is the Windows build (build-win by default); $WINEPREFIX as for
# scripts/test-windows.sh.
set -e
build=${1:-build-win}
[ $# -gt 0 ] && shift
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
export TAPFILL_EXE="$build/tapfill.exe" WIN32_FORM="$build/tests/windows/win32_form.exe" \
       WINE_IDLE="$build/tests/windows/wine_idle.exe" WINE_FLOOR="$build/bench/windows/wine_floor.exe" \
       WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" \
       WINEDEBUG=-all PYTHONDONTWRITEBYTECODE=1
unset DISPLAY
exec python3 "$here/windows_bench.py" "$build" "$@"
