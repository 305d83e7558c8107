#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: unit tests on Qt's
# offscreen platform, end-to-end tests against real programs under Xvfb and
# under a headless GNOME Shell 43. Then builds the core alone as a machine
# without Qt would (its own build folder, build-core/ or $CORE_BUILD_DIR)
# and runs its tests; builds the Debian package, installs it with apt-get,
# tests the installed copy on its own desktop and removes the package
# again, and runs the GNOME tests on that package under GNOME Shell 48 in a
# Debian 13 chroot, kept between runs in $GNOME48_CHROOT (by default
# /var/tmp/tapfill-gnome48). Last, the Windows build and its tests under
# Wine (scripts/test-windows.sh).
# Arguments go to ctest; with arguments the core alone, the package, GNOME
# 48 and Windows are left out.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh --test
scripts/build.sh
export DBUS_SESSION_BUS_ADDRESS=disabled:
(cd "${BUILD_DIR:-build}" && ctest --output-on-failure --timeout 600 "$@")
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

echo "== the package on Debian 13, under GNOME Shell 48"
gnome48=${GNOME48_CHROOT:-/var/tmp/tapfill-gnome48}
# Made once from Debian's archive; when it is out of reach, said and skipped.
if scripts/gnome48-chroot.sh "$gnome48"; then
  scripts/gnome48-test.sh "$gnome48" "$deb"
else
  echo "test: no Debian 13 chroot in $gnome48 (is deb.debian.org out of reach?): GNOME 48 left out" >&2
fi

echo "== Windows, under Wine"
scripts/test-windows.sh
