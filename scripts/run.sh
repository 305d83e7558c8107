#!/usr/bin/env bash
# Installs what is needed, builds, and starts Tapfill on the current display.
# Extra arguments go to tapfill, e.g. scripts/run.sh --data-dir ~/tapfill-data
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
if [[ -z "${DISPLAY:-}" ]]; then
  echo "run: no display (DISPLAY is not set): start Tapfill from a desktop session" >&2
  exit 1
fi
exec build/tapfill "$@"
