#!/usr/bin/env bash
# Makes a Debian 13 (trixie) chroot with GNOME Shell 48 and Qt 6.8 for the
# GNOME tests, as root:  scripts/gnome48-chroot.sh DIR
# About 2.5 minutes from nothing and 1.3 GB. An existing, finished DIR is
# left as it is. scripts/gnome48-test.sh runs the tests in it.
set -euo pipefail
dir=${1:?usage: gnome48-chroot.sh DIR}
# Two runs at once (two worktrees' CI) make it once.
exec 8>"${dir%/}.lock"
flock 8
if [[ -e "$dir/.tapfill-ready" ]]; then
  exit 0
fi
if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends debootstrap
fi
rm -rf "$dir"
debootstrap --variant=minbase trixie "$dir" http://deb.debian.org/debian >/dev/null
# No service starts inside.
printf '#!/bin/sh\nexit 101\n' > "$dir/usr/sbin/policy-rc.d"
chmod +x "$dir/usr/sbin/policy-rc.d"
chroot "$dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-unsafe-io \
  gnome-shell dbus dbus-daemon pipewire qt6-wayland libqt6widgets6 python3-dbus python3-gi \
  python3-pyqt6 gir1.2-gtk-3.0 libglib2.0-bin >/dev/null
touch "$dir/.tapfill-ready"
