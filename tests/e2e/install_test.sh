#!/bin/sh
# The installed game: `cmake --install` into a staging DESTDIR puts exactly
# the expected files in place (desktop entry and metainfo valid), the
# installed launcher gives each player a folder of their own with the
# default data files and links into the install, and the uninstall script
# takes away everything the install made.
#
#     install_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

APP_ID=io.github.trigonix.Trigonix
DEFAULT_SETTINGS="1012103804003703903201"
DEFAULT_SCORES="9999999900001is}is}is}is}0"
SHARED="3dship4lr.bmp 3dship42lr.bmp moon.bmp sky.bmp alienlr.bmp title.wav Bleep.wav
Bleep2.wav bye.wav erased.wav Boom1.wav Boom2.wav Waltz.mid icon.bmp"
ICON_SIZES="16 24 32 48 64 128 256 512"

# ---------------------------------------------------------------- checks

expect_same() {
    cmp -s "$1" "$2" || fail "'$1' differs from '$2'"
}

expect_default_files() {
    for name in "settings .tgx" "data .tgx"; do
        [ -f "$1/$name" ] && [ ! -L "$1/$name" ] || fail "'$1/$name' is not a file of its own"
    done
    expect_file "$1/settings .tgx" "$DEFAULT_SETTINGS"
    expect_file "$1/data .tgx" "$DEFAULT_SCORES"
}

# Every picture, sound, the music and the icon: a link naming the installed
# file, which holds what the build drew.
expect_links_into_install() {
    for name in $SHARED; do
        link=$1/$name
        [ -L "$link" ] || fail "'$link' is not a link"
        [ "$(readlink "$link")" = "$PREFIX/share/trigonix/Data/$name" ] ||
            fail "'$link' points at '$(readlink "$link")'"
        [ "$(readlink -f "$link")" = "$(readlink -f "$STAGED/share/trigonix/Data/$name")" ] ||
            fail "'$link' does not resolve into the install"
        expect_same "$link" "$DATA/$name"
    done
}

start_launcher() {
    "$PREFIX/bin/trigonix" >game.out 2>&1 &
    GAME_PID=$!
}

# The window shows the game's icon, read from the player's Data folder, and
# carries the class the desktop entry matches it by.
expect_window_identity() {
    command -v xprop >/dev/null || return 0
    icon=$(xprop -id "$WINDOW" _NET_WM_ICON 2>/dev/null | head -c 200)
    case "$icon" in
    *"Icon (64 x 64)"*) ;;
    *) fail "the window has no 64 x 64 icon: '$icon'" ;;
    esac
    class=$(grep '^StartupWMClass=' "$PREFIX/share/applications/$APP_ID.desktop" | cut -d= -f2)
    xprop -id "$WINDOW" WM_CLASS | grep -q "= \"[^\"]*\", \"$class\"\$" ||
        fail "the window's class is not '$class': $(xprop -id "$WINDOW" WM_CLASS)"
}

play_once() {
    start_launcher
    wait_for_window '^Trigonix$'
    expect_window_identity
    sleep 0.5
    close_game
    expect_status 0
}

# ---------------------------------------------------------------- cases, each under its own X server

# First start: HOME alone decides where the player's folder is.
first_start() {
    export HOME="$STAGE/home"
    unset XDG_DATA_HOME
    mkdir -p "$HOME"
    cd "$STAGE"
    play_once
    folder=$HOME/.local/share/trigonix
    expect_default_files "$folder/Data"
    expect_links_into_install "$folder/Data"
}

# Later starts keep the player's files, put back a missing link and drop
# one whose file the install no longer has.
next_start() {
    export HOME="$STAGE/home"
    unset XDG_DATA_HOME
    cd "$STAGE"
    data=$HOME/.local/share/trigonix/Data
    printf '%s' "1012103804003703903200" >"$data/settings .tgx"
    printf '%s' "0012300000001abcis}is}is}0" >"$data/data .tgx"
    rm "$data/moon.bmp"
    ln -s "$PREFIX/share/trigonix/Data/gone.bmp" "$data/gone.bmp"
    printf 'mine' >"$data/notes.txt"
    play_once
    expect_file "$data/settings .tgx" "1012103804003703903200"
    expect_file "$data/data .tgx" "0012300000001abcis}is}is}0"
    expect_links_into_install "$data"
    [ ! -e "$data/gone.bmp" ] && [ ! -L "$data/gone.bmp" ] || fail "the stale link was kept"
    expect_file "$data/notes.txt" "mine"
}

# XDG_DATA_HOME, when set, is where a second player's folder goes; the
# first player's folder is not touched.
own_data_home() {
    export HOME="$STAGE/home2"
    export XDG_DATA_HOME="$STAGE/xdg"
    mkdir -p "$HOME"
    cd "$STAGE"
    play_once
    expect_default_files "$XDG_DATA_HOME/trigonix/Data"
    expect_links_into_install "$XDG_DATA_HOME/trigonix/Data"
    [ ! -e "$HOME/.local" ] || fail "'$HOME/.local' was made although XDG_DATA_HOME is set"
    expect_file "$STAGE/home/.local/share/trigonix/Data/settings .tgx" "1012103804003703903200"
}

# ---------------------------------------------------------------- install and uninstall

expected_tree() {
    {
        echo "bin/trigonix"
        echo "libexec/trigonix/trigonix"
        for name in $SHARED; do echo "share/trigonix/Data/$name"; done
        echo "share/trigonix/defaults/settings .tgx"
        echo "share/trigonix/defaults/data .tgx"
        echo "share/applications/$APP_ID.desktop"
        for size in $ICON_SIZES; do echo "share/icons/hicolor/${size}x$size/apps/$APP_ID.png"; done
        echo "share/metainfo/$APP_ID.metainfo.xml"
        echo "share/man/man6/trigonix.6.gz"
        echo "share/licenses/trigonix/LICENSE"
    } | LC_ALL=C sort
}

# Our install writes the build's install_manifest.txt; a real install's
# manifest there is put back afterwards, ours kept apart for the uninstall.
install_staged() {
    manifest=$BUILD/install_manifest.txt
    [ -e "$manifest" ] && cp -p "$manifest" "$STAGE/manifest.before"
    status=0
    DESTDIR=$DEST cmake --install "$BUILD" --prefix "$PREFIX" >"$STAGE/install.out" 2>&1 || status=$?
    [ -e "$manifest" ] && mv "$manifest" "$STAGE/manifest"
    [ -e "$STAGE/manifest.before" ] && mv "$STAGE/manifest.before" "$manifest"
    [ "$status" -eq 0 ] || { cat "$STAGE/install.out" >&2; fail "cmake --install failed"; }
    [ -e "$STAGE/manifest" ] || fail "the install left no manifest"
}

check_tree() {
    actual=$(cd "$STAGED" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
    [ "$actual" = "$(expected_tree)" ] ||
        fail "installed tree differs:
$(printf '%s\n' "$actual" | diff - "$STAGE/expected" || true)"
    [ -x "$STAGED/libexec/trigonix/trigonix" ] || fail "the game is not executable"
    for name in $SHARED; do
        expect_same "$STAGED/share/trigonix/Data/$name" "$DATA/$name"
    done
    expect_default_files "$STAGED/share/trigonix/defaults"

    launcher=$STAGED/bin/trigonix
    [ -x "$launcher" ] || fail "the launcher is not executable"
    [ "$(head -n 1 "$launcher")" = "#!/bin/sh" ] || fail "the launcher is no sh script"
    sh -n "$launcher" || fail "the launcher does not parse"
    ! grep -q '@[A-Z_]*@' "$launcher" || fail "the launcher has a placeholder left"
    grep -q "^game='$PREFIX/libexec/trigonix/trigonix'\$" "$launcher" ||
        fail "the launcher does not start the installed game"

    desktop=$STAGED/share/applications/$APP_ID.desktop
    desktop-file-validate "$desktop" || fail "desktop-file-validate refused $desktop"
    grep -qx "Icon=$APP_ID" "$desktop" || fail "the desktop entry names another icon"
    grep -qx "Exec=$PREFIX/bin/trigonix" "$desktop" || fail "the desktop entry runs another command"

    # Each size's icon is the one the build drew for it.
    for size in $ICON_SIZES; do
        expect_same "$STAGED/share/icons/hicolor/${size}x$size/apps/$APP_ID.png" \
            "$(dirname "$DATA")/icons/${size}x$size/trigonix.png"
    done
    expect_same "$STAGED/share/licenses/trigonix/LICENSE" "$HERE/../../LICENSE"

    metainfo=$STAGED/share/metainfo/$APP_ID.metainfo.xml
    appstreamcli validate --no-net "$metainfo" >"$STAGE/validate.out" 2>&1 ||
        { cat "$STAGE/validate.out" >&2; fail "appstreamcli refused $metainfo"; }
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$metainfo" ||
        fail "the metainfo launches another desktop entry"
    grep -q "<binary>trigonix</binary>" "$metainfo" || fail "the metainfo provides no binary"
}

uninstall_staged() {
    sh "$HERE/../../tools/uninstall.sh" "$STAGE/manifest" "$DEST" >"$STAGE/uninstall.out" ||
        { cat "$STAGE/uninstall.out" >&2; fail "the uninstall script failed"; }
    left=$(cd "$DEST" && find . -mindepth 1)
    [ -z "$left" ] || fail "left behind after uninstalling: $left"
}

case "${E2E_INNER:-}" in
"")
    BUILD=$(cd "$(dirname "$GAME")" && pwd)
    [ -f "$BUILD/cmake_install.cmake" ] || fail "no CMake build beside $GAME"
    [ -f "$BUILD/defaults/settings .tgx" ] ||
        fail "the default templates are not built: build the whole project first"
    STAGE=$(mktemp -d /tmp/trigonix-install-XXXXXX)
    trap 'rm -rf "$STAGE"' EXIT
    DEST=$STAGE/dest
    # The prefix is a link to the staged tree, as if a package had been
    # unpacked there: the launcher's own paths then lead to real files.
    PREFIX=$STAGE/prefix
    STAGED=$DEST$PREFIX
    export STAGE DEST PREFIX STAGED
    mkdir "$DEST"
    expected_tree >"$STAGE/expected"

    install_staged
    check_tree
    ln -s "$STAGED" "$PREFIX"
    run_under_x 640x480 first_start
    run_under_x 640x480 next_start
    run_under_x 640x480 own_data_home
    uninstall_staged
    echo "install: all passed"
    ;;
*)
    "$E2E_INNER"
    ;;
esac
