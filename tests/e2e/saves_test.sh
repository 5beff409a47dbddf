#!/bin/sh
# The two data files as players and administrators set them up, on the real
# program under its own X server: a read-only file, a link to a file
# elsewhere, a folder the game may not write in (as an ordinary user), a
# folder, a pipe or /dev/zero where a file should be, and two copies of the
# game closed at once. Each is started and closed; what the game printed
# and what the files hold are checked byte for byte.
#
#     saves_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

# 640 x 480, SHORT, the arrow keys and the space bar, sound off; windowed.
SETTINGS="1002103804003703903200"
SCORES="0512345600042KVais}is}is}0"
NOBODY=65534

# The files as a text editor leaves them, with a line end the game does
# not write, so a file the game rewrote shows.
put_files() {
    printf '%s\n' "$SETTINGS" > "Data/settings .tgx"
    printf '%s\n' "$SCORES" > "Data/data .tgx"
}

play_and_close() {
    wait_for_window '^Trigonix$'
    sleep 0.5
    close_game
    expect_status 0
}

# The line $1 was printed exactly $2 times.
expect_lines() {
    n=$(grep -c -x -F "$1" game.out || true)
    [ "$n" -eq "$2" ] || { cat game.out >&2; fail "'$1' printed $n times, expected $2"; }
}

expect_no_failure() {
    if grep -q 'Error opening file' game.out; then
        cat game.out >&2
        fail "a file failure was reported"
    fi
}

expect_text_file() {
    actual=$(cat "$1")
    [ "$actual" = "$2" ] && [ "$(wc -c < "$1")" -eq $((${#2} + 1)) ] ||
        fail "'$1' was changed: '$actual'"
}

expect_no_temporary_file() {
    leftover=$(find Data -name '*.tmp' | head -n 1)
    [ -z "$leftover" ] || fail "'$leftover' was left behind"
}

read_only() {
    put_files
    chmod 444 "Data/settings .tgx"
    start_game
    play_and_close
    expect_lines "Error opening file: Permission denied" 1
    expect_text_file "Data/settings .tgx" "$SETTINGS"
    [ "$(stat -c %a "Data/settings .tgx")" = 444 ] || fail "the permission bits changed"
    expect_file "Data/data .tgx" "$SCORES"
    expect_no_temporary_file
}

linked() {
    put_files
    mkdir Scores
    mv "Data/data .tgx" "Scores/data .tgx"
    chmod 600 "Scores/data .tgx"
    ln -s "../Scores/data .tgx" "Data/data .tgx"
    start_game
    play_and_close
    expect_no_failure
    [ -L "Data/data .tgx" ] || fail "the link was replaced"
    [ "$(readlink "Data/data .tgx")" = "../Scores/data .tgx" ] || fail "the link was changed"
    expect_file "Scores/data .tgx" "$SCORES"
    [ "$(stat -c %a "Scores/data .tgx")" = 600 ] || fail "the permission bits changed"
    [ "$(ls -A Scores)" = "data .tgx" ] || fail "something was left beside the target: $(ls -A Scores)"
    expect_no_temporary_file
}

# As an ordinary user (root may write anything): the folder takes no new
# file, the settings may be written and are, the scores are read-only and
# are not.
ordinary_user() {
    put_files
    chmod 755 .
    mkdir home
    chown "$NOBODY:$NOBODY" home "Data/settings .tgx" "Data/data .tgx"
    chmod 444 "Data/data .tgx"
    chmod 755 Data
    cp "$XAUTHORITY" xauthority
    chown "$NOBODY:$NOBODY" xauthority
    setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups \
        env HOME="$PWD/home" XAUTHORITY="$PWD/xauthority" "$GAME" >game.out 2>&1 &
    GAME_PID=$!
    play_and_close
    expect_lines "Error opening file: Permission denied" 1
    expect_file "Data/settings .tgx" "$SETTINGS"
    expect_text_file "Data/data .tgx" "$SCORES"
    expect_no_temporary_file
}

a_folder() {
    put_files
    rm "Data/settings .tgx"
    mkdir -p "Data/settings .tgx/inside"
    start_game
    play_and_close
    expect_lines "Error opening file: Is a directory" 2
    [ -d "Data/settings .tgx/inside" ] || fail "the folder was changed"
    expect_file "Data/data .tgx" "$SCORES"
}

# A pipe or /dev/zero where either file should be: the game starts without
# waiting on it and goes on with the values of a missing file, which for
# the settings give a 640 x 480 window.
odd_files() {
    for name in "settings .tgx" "data .tgx"; do
        for kind in pipe zero; do
            rm -rf Data/*.tgx game.out
            put_files
            rm "Data/$name"
            case $kind in
            pipe) mkfifo "Data/$name" ;;
            zero) ln -s /dev/zero "Data/$name" ;;
            esac
            start_game
            wait_for_window '^Trigonix$'
            if [ "$name" = "settings .tgx" ]; then
                geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
                [ "$geometry" = 640x480 ] || fail "the window is $geometry"
            fi
            sleep 0.5
            close_game
            expect_status 0
            expect_lines "Error opening file: Invalid argument" 2
            case $kind in
            pipe) [ -p "Data/$name" ] || fail "the pipe was replaced" ;;
            zero) [ "$(readlink "Data/$name")" = /dev/zero ] || fail "the link was replaced" ;;
            esac
            if [ "$name" = "settings .tgx" ]; then
                expect_file "Data/data .tgx" "$SCORES"
            else
                # No scores: the reset table, in the full screen the game
                # starts in.
                expect_file "Data/settings .tgx" "$SETTINGS"
            fi
        done
    done
}

# Two copies of the game in one folder, closed at the same moment, twenty
# times: each saves under its own temporary name, both succeed, and the
# files are whole.
two_copies() {
    round=0
    while [ $round -lt 20 ]; do
        rm -f Data/*.tgx first.out second.out
        put_files
        "$GAME" >first.out 2>&1 &
        FIRST=$!
        "$GAME" >second.out 2>&1 &
        SECOND=$!
        GAME_PID=$SECOND
        i=0
        while [ "$(xdotool search --onlyvisible --name '^Trigonix$' 2>/dev/null | wc -l)" -lt 2 ]; do
            i=$((i + 1))
            [ $i -lt 200 ] || { cat first.out second.out >&2; fail "round $round: two windows did not appear"; }
            sleep 0.1
        done
        sleep 0.3
        for window in $(xdotool search --onlyvisible --name '^Trigonix$'); do
            "$CLOSE" "$window" &
        done
        wait "$FIRST" || fail "round $round: the first copy ended with status $?"
        wait "$SECOND" || fail "round $round: the second copy ended with status $?"
        if grep -h 'Error opening file' first.out second.out; then
            fail "round $round: a save failed"
        fi
        expect_file "Data/settings .tgx" "$SETTINGS"
        expect_file "Data/data .tgx" "$SCORES"
        expect_no_temporary_file
        round=$((round + 1))
    done
}

case "${E2E_INNER:-}" in
"")
    run_under_x 640x480 read_only
    run_under_x 640x480 linked
    run_under_x 640x480 ordinary_user
    run_under_x 640x480 a_folder
    run_under_x 640x480 odd_files
    run_under_x 1280x1024 two_copies
    echo "saves: all passed"
    ;;
*)
    fresh_folder
    "$E2E_INNER"
    ;;
esac
