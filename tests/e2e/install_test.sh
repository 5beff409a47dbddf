#!/bin/sh
# The installed game: `cmake --install` into a staging DESTDIR puts exactly
# the expected files in place (desktop entry and metainfo valid); the
# installed program, started directly by an ordinary user with a fresh home
# and from a folder with no Data in it, finds its pictures, sounds and icon
# in the install and keeps the player's files in the XDG folders, moving
# those the old start-up script kept; and the uninstall script takes away
# everything the install made.
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
NOBODY=65534

# ---------------------------------------------------------------- checks

expect_same() {
    cmp -s "$1" "$2" || fail "'$1' differs from '$2'"
}

expect_default_files() {
    expect_file "$1/settings .tgx" "$DEFAULT_SETTINGS"
    expect_file "$1/data .tgx" "$DEFAULT_SCORES"
}

# A file of the player's: theirs, and a plain file.
expect_players_file() {
    [ -f "$1" ] && [ ! -L "$1" ] || fail "'$1' is not a file of its own"
    [ "$(stat -c %u "$1")" = "$NOBODY" ] || fail "'$1' is not the player's"
    expect_file "$1" "$2"
}

# A folder the game made for the player: private, as the XDG rules ask.
expect_private_folder() {
    [ "$(stat -c '%u %a' "$1")" = "$NOBODY 700" ] || fail "'$1' is $(stat -c '%u %a' "$1")"
}

# The window shows the game's icon, read from the install, and carries the
# class the desktop entry matches it by.
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

# A fresh home of an ordinary user (root may write anything), who may
# reach the X server; the game starts in it, where there is no Data folder.
new_player() {
    export HOME="$STAGE/$1"
    mkdir -p "$HOME"
    cp "$XAUTHORITY" "$STAGE/xauthority-$1"
    chown -R "$NOBODY:$NOBODY" "$HOME" "$STAGE/xauthority-$1"
    export XAUTHORITY="$STAGE/xauthority-$1"
    cd "$HOME"
}

# The installed program itself, as that user; every picture, sound and the
# music it asks for is found, so it has no problem to tell.
play_once() {
    setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups "$PREFIX/bin/trigonix" >"$STAGE/game.out" 2>&1 &
    GAME_PID=$!
    wait_for_window '^Trigonix$'
    expect_window_identity
    focus_game
    hold s 0.5  # the music, from the install
    close_game
    expect_status_of_player 0
    ! grep -q '^trigonix: ' "$STAGE/game.out" || fail "the game had problems: $(cat "$STAGE/game.out")"
    [ ! -e Data ] || fail "a Data folder was made where the game started"
}

expect_status_of_player() {
    cd "$STAGE"  # where expect_status finds game.out
    expect_status "$1"
    cd "$HOME"
}

# ---------------------------------------------------------------- cases, each under its own X server

# First start: HOME alone decides where the player's files go, and they
# start as the installed defaults.
first_start() {
    new_player home
    unset XDG_DATA_HOME XDG_CONFIG_HOME
    play_once
    expect_players_file "$HOME/.config/trigonix/settings .tgx" "$DEFAULT_SETTINGS"
    expect_players_file "$HOME/.local/share/trigonix/data .tgx" "$DEFAULT_SCORES"
    for folder in .config .config/trigonix .local .local/share .local/share/trigonix; do
        expect_private_folder "$HOME/$folder"
    done
    [ "$(ls -A "$HOME/.config/trigonix")" = "settings .tgx" ] || fail "more beside the settings"
    [ "$(ls -A "$HOME/.local/share/trigonix")" = "data .tgx" ] || fail "more beside the scores"
}

# XDG_DATA_HOME and XDG_CONFIG_HOME, when set, are where the files go;
# nothing is made under HOME.
own_folders() {
    new_player home2
    export XDG_DATA_HOME="$HOME/data" XDG_CONFIG_HOME="$HOME/config"
    play_once
    expect_players_file "$XDG_CONFIG_HOME/trigonix/settings .tgx" "$DEFAULT_SETTINGS"
    expect_players_file "$XDG_DATA_HOME/trigonix/data .tgx" "$DEFAULT_SCORES"
    [ ! -e "$HOME/.local" ] && [ ! -e "$HOME/.config" ] || fail "folders were made under HOME"
}

# A player of the old start-up script: its folder held both files and
# links to the install; the files move, unchanged, and the folder goes.
old_player() {
    new_player home3
    unset XDG_DATA_HOME XDG_CONFIG_HOME
    old=$HOME/.local/share/trigonix/Data
    mkdir -p "$old"
    printf '%s' "1012103804003703903200" >"$old/settings .tgx"
    printf '%s' "0012300000001abcis}is}is}0" >"$old/data .tgx"
    for name in $SHARED; do ln -s "$PREFIX/share/trigonix/Data/$name" "$old/$name"; done
    chown -R "$NOBODY:$NOBODY" "$HOME"
    play_once
    expect_players_file "$HOME/.config/trigonix/settings .tgx" "1012103804003703903200"
    expect_players_file "$HOME/.local/share/trigonix/data .tgx" "0012300000001abcis}is}is}0"
    [ ! -e "$old" ] || fail "the old folder is left: $(ls -A "$old")"
}

# ---------------------------------------------------------------- install and uninstall

expected_tree() {
    {
        echo "bin/trigonix"
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
    game=$STAGED/bin/trigonix
    [ -x "$game" ] || fail "the game is not executable"
    [ "$(head -c 4 "$game" | od -An -c | tr -d ' ')" = '177ELF' ] || fail "the command is not the program itself"
    for name in $SHARED; do
        expect_same "$STAGED/share/trigonix/Data/$name" "$DATA/$name"
    done
    expect_default_files "$STAGED/share/trigonix/defaults"

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
    chmod 755 "$STAGE"  # the players are ordinary users
    DEST=$STAGE/dest
    # The prefix is a link to the staged tree, as if a package had been
    # unpacked there: the desktop entry's command then leads to the game.
    PREFIX=$STAGE/prefix
    STAGED=$DEST$PREFIX
    export STAGE DEST PREFIX STAGED
    mkdir "$DEST"
    expected_tree >"$STAGE/expected"

    install_staged
    check_tree
    ln -s "$STAGED" "$PREFIX"
    run_under_x 640x480 first_start
    run_under_x 640x480 own_folders
    run_under_x 640x480 old_player
    uninstall_staged
    echo "install: all passed"
    ;;
*)
    "$E2E_INNER"
    ;;
esac
