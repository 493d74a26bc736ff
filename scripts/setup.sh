#!/usr/bin/env bash
# Installs the Debian packages Kelvo needs, only those missing, and only with apt-get.
# Usage: scripts/setup.sh [run|package|test]
#   run: build and run the program; package: also the Debian packaging and checking tools; test: all of that
#   and the test tools.
set -euo pipefail

# python3 checks the layers during the build. qt6-wayland: the toolkit's Wayland plugin, so that Kelvo runs natively on a Wayland desktop.
need=(cmake ninja-build g++ python3 qt6-base-dev qt6-base-dev-tools qt6-wayland libgl-dev fonts-dejavu-core
      fonts-liberation)
case "${1:-run}" in
    package | test)
        # dpkg-shlibdeps (dpkg-dev) computes the package's dependencies; the others check what it installs.
        need+=(dpkg-dev lintian desktop-file-utils appstream) ;;
esac
if [ "${1:-run}" = test ]; then
    need+=(xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick openbox trayer wmctrl
           dbus python3-dbus python3-gi xfce4-panel sway grim faketime at-spi2-core python3-pyatspi
           libwayland-dev wayland-protocols
           clang libclang-rt-14-dev clang-format clang-tidy universal-ctags binutils)
fi

missing=()
for pkg in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo > /dev/null || { echo "Kelvo needs these packages, and installing them needs root: ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
