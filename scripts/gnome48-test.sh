#!/usr/bin/env bash
# Runs the GNOME tests under GNOME Shell 48 (Debian 13) in a chroot that
# scripts/gnome48-chroot.sh makes, as root:
#   scripts/gnome48-test.sh DIR TAPFILL.deb   the package, installed there
#                                             with apt (a Debian 12 build
#                                             installs on Debian 13), and
#                                             its own copy of the extension
#   scripts/gnome48-test.sh DIR BINARY         a tapfill program built here,
#                                             with the extension of this tree
# Arguments after these go to the test runner.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath "${1:?usage: gnome48-test.sh DIR TAPFILL.deb|BINARY}")
program=$(realpath "${2:?usage: gnome48-test.sh DIR TAPFILL.deb|BINARY}")
shift 2
scripts/gnome48-chroot.sh "$dir"
# One run at a time in a chroot: another's mounts and files would go.
exec 9>"${dir%/}.lock"
flock 9

mounted=()
cleanup() {
  # The package goes again, so that the next run installs its own even
  # with the same version number.
  chroot "$dir" dpkg --purge tapfill >/dev/null 2>&1 || true
  for point in "${mounted[@]}"; do umount -l "$point" 2>/dev/null || true; done
}
trap cleanup EXIT
mount -t proc proc "$dir/proc"; mounted=("$dir/proc")
for sub in sys dev dev/pts; do
  mount --bind "/$sub" "$dir/$sub"; mounted=("$dir/$sub" "${mounted[@]}")
done
mount -t tmpfs tmpfs "$dir/run"; mounted=("$dir/run" "${mounted[@]}")
mount -t tmpfs tmpfs "$dir/dev/shm"; mounted=("$dir/dev/shm" "${mounted[@]}")

rm -rf "$dir/tapfill-tests"
mkdir -p "$dir/tapfill-tests/tests" "$dir/tapfill-tests/src/platform/gnome"
cp -r tests/gnome tests/e2e "$dir/tapfill-tests/tests/"
cp -r src/platform/gnome/extension "$dir/tapfill-tests/src/platform/gnome/"
env=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root USER=root PYTHONDONTWRITEBYTECODE=1)
if [[ "$program" == *.deb ]]; then
  cp "$program" "$dir/tmp/tapfill.deb"
  chroot "$dir" /usr/bin/env -i "${env[@]}" DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends /tmp/tapfill.deb >/dev/null
  env+=(TAPFILL=/usr/bin/tapfill GNOME_E2E_SYSTEM_EXTENSION=1)
else
  cp "$program" "$dir/tapfill-tests/tapfill"
  env+=(TAPFILL=/tapfill-tests/tapfill)
fi
chroot "$dir" /usr/bin/env -i "${env[@]}" ${KEEP_GNOME_E2E:+KEEP_GNOME_E2E=1} \
  /usr/bin/python3 /tapfill-tests/tests/gnome/test_gnome.py "$@"
