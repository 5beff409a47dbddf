#!/bin/sh
# A check of the package `make deb` writes: the files where Debian wants
# them, the libraries, font and soundfont in Depends, the packaged program
# answering --version, lintian finding no error but the one a Debian source
# package mends (its changelog), and the package itself installed on this
# machine (as root), the game started from /usr/games/trigonix by an
# ordinary user with a fresh home, closed as a logout closes it, its files
# found in the player's XDG folders, and the package removed again. Parts
# whose tool is missing, or that cannot run here, are skipped with a line
# saying so.
#
#     check_deb.sh PACKAGE.deb
set -eu

fail() {
    echo "check_deb: $*" >&2
    exit 1
}

GAME=/usr/games/trigonix
SHARE=/usr/share/trigonix
NOBODY=65534

# ---------------------------------------------------------------- the installed game, under Xvfb

# Run by xvfb-run: the game as the ordinary user, in their fresh home,
# where there is no Data folder; SIGTERM, as a logout sends it, closes it.
play_as_player() {
    home=$1
    cp "$XAUTHORITY" "$home/.xauthority"
    chown "$NOBODY:$NOBODY" "$home/.xauthority"
    cd "$home"
    setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups \
        env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$home" XAUTHORITY="$home/.xauthority" \
        SDL_AUDIODRIVER=dummy "$GAME" >"$home/game.out" 2>&1 &
    pid=$!
    i=0
    until xdotool search --onlyvisible --name '^Trigonix$' >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { cat "$home/game.out" >&2; fail "the game ended before its window showed"; }
        [ $i -lt 100 ] || { kill "$pid"; fail "no game window appeared"; }
        sleep 0.1
        i=$((i + 1))
    done
    sleep 0.5
    kill -TERM "$pid"
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || { cat "$home/game.out" >&2; fail "the game ended with status $status"; }
}

# Every picture, sound and the icon came from the package (a missing one
# would be a problem line), and the player's files are theirs, in the XDG
# folders, as the package's defaults.
check_player_files() {
    home=$1
    ! grep -q '^trigonix: ' "$home/game.out" || fail "the game had problems: $(cat "$home/game.out")"
    [ ! -e "$home/Data" ] || fail "a Data folder was made in the home folder"
    for file in ".config/trigonix/settings .tgx" ".local/share/trigonix/data .tgx"; do
        [ -f "$home/$file" ] || fail "the game left no ~/$file"
        [ "$(stat -c %u "$home/$file")" = "$NOBODY" ] || fail "~/$file is not the player's"
        cmp -s "$home/$file" "$SHARE/defaults/${file##*/}" || fail "~/$file is not the default"
    done
}

check_installed() {
    deb=$1
    work=$2
    for tool in dpkg xvfb-run xauth xdotool setpriv; do
        command -v "$tool" >/dev/null 2>&1 || { echo "check_deb: no $tool: the install was not tried"; return 0; }
    done
    [ "$(id -u)" -eq 0 ] || { echo "check_deb: not root: the install was not tried"; return 0; }
    # Never over someone's own: a package installed, or files it would take.
    if dpkg-query -W -f='${Status}' trigonix 2>/dev/null | grep -q installed || [ -e "$GAME" ] ||
        [ -e "$SHARE" ]; then
        echo "check_deb: trigonix is installed here already: the install was not tried"
        return 0
    fi
    installed_here=1  # removed again, whatever happens
    dpkg -i "$deb" >"$work/dpkg.out" 2>&1 || { cat "$work/dpkg.out" >&2; fail "dpkg -i refused the package"; }
    home=$work/home
    mkdir "$home"
    chown "$NOBODY:$NOBODY" "$home"
    chmod 755 "$work"
    result=0
    xvfb-run -a -s "-screen 0 640x480x24" sh "$0" --play "$home" || result=$?
    [ "$result" -ne 0 ] || (check_player_files "$home") || result=$?
    installed_here=""
    dpkg -r trigonix >"$work/dpkg.out" 2>&1 || { cat "$work/dpkg.out" >&2; fail "dpkg -r failed"; }
    [ "$result" -eq 0 ] || fail "the installed game failed"
    [ ! -e "$GAME" ] && [ ! -e "$SHARE" ] || fail "dpkg -r left the game behind"
    echo "check_deb: installed, played as an ordinary user, removed"
}

# ---------------------------------------------------------------- the package

if [ "${1:-}" = --play ]; then
    play_as_player "$2"
    exit 0
fi

[ $# -eq 1 ] || { echo "usage: check_deb.sh PACKAGE.deb" >&2; exit 2; }
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -f "$deb" ] || fail "no package at $1"
command -v dpkg-deb >/dev/null 2>&1 || { echo "check_deb: no dpkg-deb: skipped"; exit 0; }

work=$(mktemp -d /tmp/trigonix-deb-XXXXXX)
installed_here=""
cleanup() {
    [ -z "$installed_here" ] || dpkg -r trigonix >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
dpkg-deb -x "$deb" "$work/root"

for path in usr/games/trigonix usr/share/man/man6/trigonix.6.gz \
    usr/share/doc/trigonix/copyright usr/share/applications/io.github.trigonix.Trigonix.desktop \
    usr/share/metainfo/io.github.trigonix.Trigonix.metainfo.xml \
    usr/share/icons/hicolor/512x512/apps/io.github.trigonix.Trigonix.png \
    usr/share/trigonix/Data/Waltz.mid "usr/share/trigonix/defaults/settings .tgx"; do
    [ -f "$work/root/$path" ] || fail "the package has no /$path"
done
[ ! -e "$work/root/usr/libexec" ] || fail "the package still has /usr/libexec"
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
answer=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/games/trigonix" --version)
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

check_installed "$deb" "$work"
echo "check_deb: $deb is fine"
