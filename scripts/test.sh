#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: unit tests on Qt's
# offscreen platform, end-to-end tests against real programs under Xvfb.
# Then builds the core alone as a machine without Qt would (its own build
# folder, build-core/ or $CORE_BUILD_DIR) and runs its tests; builds the
# Debian package, installs it with apt-get, tests the installed copy on its
# own desktop and removes the package again. Last, the Windows build and its
# tests under Wine (scripts/test-windows.sh).
# Arguments go to ctest; with arguments the core alone, the package and
# Windows are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh --test
scripts/build.sh
export DBUS_SESSION_BUS_ADDRESS=disabled:
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure --timeout 600 -LE gnome "$@")
if (($# > 0)); then
  exit 0
fi

echo "== the core alone, without Qt"
core_build=${CORE_BUILD_DIR:-build-core}
cmake -S . -B "$core_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAPFILL_CORE_ONLY=ON >/dev/null
cmake --build "$core_build" -j2
(cd "$core_build" && ctest --output-on-failure --timeout 600)

echo "== the Debian package"
deb=$(scripts/package.sh | tail -n1)
apt=(apt-get -y -q -o DPkg::Lock::Timeout=600)
remove() { "${apt[@]}" remove tapfill >/dev/null; }
trap remove EXIT
"${apt[@]}" install "$deb" >/dev/null
TAPFILL_DEB=$deb PYTHONDONTWRITEBYTECODE=1 python3 "$root/tests/e2e/test_package.py"
remove
trap - EXIT

echo "== Windows, under Wine"
scripts/test-windows.sh
