#!/usr/bin/env bash
# Cross-builds Tapfill for 64-bit Windows with MinGW-w64 into build-win/ (or
# $WINDOWS_BUILD_DIR): one statically linked set of .exe files that need no DLL
# beyond Windows' own, the installer (NSIS) and the portable zip, whose paths
# are the last three lines it prints. Installs the cross compiler, NSIS, GoogleTest's
# sources, and Wine with the desktop tools its tests use (Xvfb, openbox,
# trayer, xdotool) with apt-get first, as root.
# Arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${WINDOWS_BUILD_DIR:-build-win}

packages=(cmake g++-mingw-w64-x86-64-posix mingw-w64-tools googletest
          wine wine64 nsis zip xvfb xauth openbox trayer xdotool x11-utils python3)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]} > 0)); then
  if [[ $(id -u) -ne 0 ]]; then
    echo "build-windows: these packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt=(apt-get -o DPkg::Lock::Timeout=600)
  "${apt[@]}" update -qq
  "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake "$@" >/dev/null
cmake --build "$build_dir" -j"$(( $(nproc) < 2 ? $(nproc) : 2 ))"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
for made in tapfill.exe "Tapfill-$version-setup.exe" "Tapfill-$version-portable.zip"; do
  realpath "$build_dir/$made"
done
