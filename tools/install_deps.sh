#!/bin/sh
# Installs the Debian packages that the named sets of commands need, and
# only those that are missing:
#
#     install_deps.sh SET...
#
#   run    build and play the game (make, make run)
#   test   make test: Google Test, a private X server, xdotool, clang with
#          libFuzzer, clang-format, the desktop-file, AppStream and manual
#          checkers
#   bench  make bench: a private X server and xdotool
#   fuzz   make fuzz: clang with libFuzzer
#   deb    make deb: dpkg's build tools, lintian, and a private X server
#          and xdotool to play the package once installed
#   windows  make windows: the mingw-w64 cross compiler
#
# test also brings mingw-w64 and Wine, for the Windows program's tests.
#
# Every set builds the game, so each includes run. As root it runs apt-get
# itself, otherwise through sudo; with neither it names the packages and
# the command to run as root, and fails.
set -eu

packages() {
    case "$1" in
    run) echo "build-essential cmake pkg-config python3
        libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
        libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
        libfreetype-dev libfontconfig-dev fonts-comic-neue" ;;
    test) echo "libgtest-dev libx11-dev xvfb xauth xdotool x11-utils
        clang libclang-rt-14-dev clang-format desktop-file-utils appstream man-db
        g++-mingw-w64-x86-64-posix wine wine64" ;;
    bench) echo "libx11-dev xvfb xauth xdotool" ;;
    fuzz) echo "clang libclang-rt-14-dev" ;;
    deb) echo "dpkg-dev file lintian xvfb xauth xdotool" ;;
    windows) echo "g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev" ;;
    *) return 1 ;;
    esac
}

[ $# -gt 0 ] || { echo "usage: install_deps.sh run|test|bench|fuzz|deb|windows..." >&2; exit 2; }
wanted=$(packages run)
for set in "$@"; do
    more=$(packages "$set") || { echo "install_deps.sh: no set '$set'" >&2; exit 2; }
    wanted="$wanted $more"
done

if ! command -v dpkg-query >/dev/null 2>&1; then
    echo "This is no Debian system: install what README.md lists for your system," >&2
    echo "then run again with NO_DEPS=1." >&2
    exit 1
fi

missing=""
for p in $wanted; do
    case " $missing " in *" $p "*) continue ;; esac
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    run_as_root=""
elif command -v sudo >/dev/null 2>&1; then
    run_as_root=sudo
else
    echo "These Debian packages are missing:$missing" >&2
    echo "Install them as root, then run this again:" >&2
    echo "    apt-get install$missing" >&2
    echo "(or run with NO_DEPS=1 to skip this step)" >&2
    exit 1
fi

echo "Installing:$missing"
$run_as_root apt-get update -qq
# env passes the setting through sudo, which would drop it from the environment.
$run_as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends $missing
