#!/usr/bin/env bash
# Installs what Tapfill needs on Debian 12, as root.
#   scripts/install-deps.sh          build and run
#   scripts/install-deps.sh --package  also the Debian package tools
#   scripts/install-deps.sh --test   also the unit, end-to-end and GNOME
#                                    tests, and the package and its checkers
#   scripts/install-deps.sh --fuzz   clang and its sanitizer runtime, and what the
#                                    fuzzed code needs (xkbcommon), for fuzzing
#   scripts/install-deps.sh --gnome  also the GNOME tests: a headless GNOME
#                                    Shell, PipeWire, Qt and GTK on Wayland
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev qt6-wayland
          libx11-dev libx11-xcb-dev libxcb1-dev libxi-dev libxtst-dev
          libxkbcommon-dev libxkbcommon-x11-dev libxcb-res0-dev)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages=(cmake clang libclang-rt-14-dev pkg-config libxkbcommon-dev)
fi
if [[ "${1:-}" == "--package" || "${1:-}" == "--test" ]]; then
  packages+=(dpkg-dev file)
fi
if [[ "${1:-}" == "--gnome" || "${1:-}" == "--test" ]]; then
  packages+=(gnome-shell dbus-daemon pipewire libglib2.0-bin wl-clipboard
             python3-dbus python3-gi python3-pyqt6 gir1.2-gtk-3.0)
fi
if [[ "${1:-}" == "--test" ]]; then
  packages+=(libgtest-dev googletest
             xvfb xauth openbox trayer xdotool x11-utils xclip tk gir1.2-gtk-3.0
             python3 imagemagick xterm chromium x11-xkb-utils copyq
             firefox-esr libreoffice-calc python3-uno alacritty xfce4-terminal
             emacs-gtk python3-gi gir1.2-gtk-4.0 python3-pyqt6
             desktop-file-utils appstream lintian)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
