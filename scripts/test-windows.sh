#!/usr/bin/env bash
# Cross-builds Tapfill for Windows (scripts/build-windows.sh) and runs its
# tests under Wine: the unit tests, then the end-to-end tests, which make
# their own Xvfb desktop. Wine's prefix is $WINEPREFIX, by default one of
# the build's own (made on first use, about 20 s). Arguments go to ctest
# (both runs).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build_dir=${WINDOWS_BUILD_DIR:-build-win}
scripts/build-windows.sh
export WINEPREFIX=${WINEPREFIX:-$root/$build_dir/wineprefix} WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot -i </dev/null >/dev/null 2>&1
fi

# Wine's services must not be started by ctest (they would inherit its
# output pipe and it would wait for them), and each test program should not
# pay for starting them: one idle Wine program keeps them up meanwhile.
idle=
stop_wine() {
  if [[ -n $idle ]]; then
    kill "$idle" 2>/dev/null || true
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
trap stop_wine EXIT
# (A server still ending after wineboot refuses -p; the idle program
# keeps the next one up all the same.)
wineserver -p 60 2>/dev/null || true
wine cmd /c exit </dev/null >/dev/null 2>&1 || true # the services are up when it returns
wine "$build_dir/tests/windows/wine_idle.exe" </dev/null >/dev/null 2>&1 &
idle=$!
(cd "$build_dir" && ctest --output-on-failure --timeout 300 -L unit "$@")
stop_wine
idle=

# The end-to-end tests start Wine afresh on a desktop of their own.
(cd "$build_dir" && ctest --output-on-failure --timeout 600 -L e2e "$@")
