#!/bin/sh
# Installs the Debian packages the game, its tests, benchmarks and packaging
# need; skips what is already there. Uses sudo when not root.
set -e
PACKAGES="build-essential cmake pkg-config python3
libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libfreetype-dev libfontconfig-dev fonts-comic-neue
libgtest-dev xvfb xauth xdotool
clang libclang-rt-14-dev
desktop-file-utils appstream x11-utils"

missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
