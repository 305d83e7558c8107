#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: unit tests on Qt's
# offscreen platform, end-to-end tests against real programs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
scripts/build.sh
cd "${BUILD_DIR:-build}"
export DBUS_SESSION_BUS_ADDRESS=disabled:
ctest --output-on-failure --timeout 600 "$@"
