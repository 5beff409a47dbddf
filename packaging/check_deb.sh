#!/bin/sh
# A smoke check of the package `make deb` writes: the files where Debian
# wants them, the libraries, font and soundfont in Depends, the packaged
# program answering --version, and lintian finding no error but the one a
# Debian source package mends (its changelog). Parts whose tool is
# missing are skipped, with a line saying so.
#
#     check_deb.sh PACKAGE.deb
set -eu

fail() {
    echo "check_deb: $*" >&2
    exit 1
}

[ $# -eq 1 ] || { echo "usage: check_deb.sh PACKAGE.deb" >&2; exit 2; }
deb=$1
[ -f "$deb" ] || fail "no package at $deb"
command -v dpkg-deb >/dev/null 2>&1 || { echo "check_deb: no dpkg-deb: skipped"; exit 0; }

work=$(mktemp -d /tmp/trigonix-deb-XXXXXX)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

for path in usr/games/trigonix usr/libexec/trigonix/trigonix usr/share/man/man6/trigonix.6.gz \
    usr/share/doc/trigonix/copyright usr/share/applications/io.github.trigonix.Trigonix.desktop \
    usr/share/metainfo/io.github.trigonix.Trigonix.metainfo.xml \
    usr/share/icons/hicolor/512x512/apps/io.github.trigonix.Trigonix.png \
    usr/share/trigonix/Data/Waltz.mid "usr/share/trigonix/defaults/settings .tgx"; do
    [ -f "$work/root/$path" ] || fail "the package has no /$path"
done
grep -qx "Exec=/usr/games/trigonix" "$work/root/usr/share/applications/io.github.trigonix.Trigonix.desktop" ||
    fail "the desktop entry does not run /usr/games/trigonix"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libgl1 fonts-comic-neue timgm6mb-soundfont; do
    case ", $depends," in
    *", $needed"[,\ ]*) ;;
    *) fail "Depends lacks $needed: $depends" ;;
    esac
done

version=$(dpkg-deb -f "$deb" Version)
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/libexec/trigonix/trigonix" --version)
[ "$answer" = "trigonix $version" ] || fail "the packaged game says '$answer' for version $version"

if command -v lintian >/dev/null 2>&1; then
    lintian "$deb" >"$work/lintian" 2>&1 || true
    cat "$work/lintian"
    if grep '^E: ' "$work/lintian" | grep -v ' no-changelog ' | grep -q .; then
        fail "lintian found errors"
    fi
else
    echo "check_deb: no lintian: its checks were skipped"
fi
echo "check_deb: $deb is fine"
