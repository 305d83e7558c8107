#!/usr/bin/env bash
# Builds the Debian package tapfill_<version>_<arch>.deb with CPack: a
# Release build for /usr without tests or benchmarks, in build-deb/ (or
# $PACKAGE_BUILD_DIR), with Debian's hardening flags. The package's path is
# the last line printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${PACKAGE_BUILD_DIR:-build-deb}
scripts/install-deps.sh --package

export CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
CXXFLAGS="$CXXFLAGS $CPPFLAGS"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTAPFILL_BUILD_TESTS=OFF -DTAPFILL_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS" -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build "$build" -j2
rm -f "$build"/tapfill_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/tapfill_*.deb)
echo "$root/$package"
