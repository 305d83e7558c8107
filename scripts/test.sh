#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: unit tests on Qt's
# offscreen platform, end-to-end tests against real programs under Xvfb.
# Then builds the Debian package, installs it with apt-get, tests the
# installed copy on its own desktop and removes the package again.
# Arguments go to ctest; with arguments the package is left out.
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

echo "== the Debian package"
deb=$(scripts/package.sh | tail -n1)
apt=(apt-get -y -q -o DPkg::Lock::Timeout=600)
remove() { "${apt[@]}" remove tapfill >/dev/null; }
trap remove EXIT
"${apt[@]}" install "$deb" >/dev/null
TAPFILL_DEB=$deb PYTHONDONTWRITEBYTECODE=1 python3 "$root/tests/e2e/test_package.py"
