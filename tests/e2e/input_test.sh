#!/bin/sh
# Keys as a quick player gives them, on the real program under its own X
# server: eight taps of Enter, each pressed and let go at once, start eight
# races from the title; and an arrow held while F1 rebuilds the window lets
# go in the new window, so the menu stops moving.
#
#     input_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

SETTINGS="1002103804003703903200"   # 640 x 480, SHORT, sound off
SCORES="9999999900001is}is}is}is}0"  # windowed

# The title: the credit line in cyan under the game's name.
title_up() {
    [ "$(colour_count 0 255 255)" -gt 100 ]
}

# A race: the green ground of the track fills the lower half.
race_up() {
    [ "$(colour_count 0 128 0)" -gt 50000 ]
}

# Waits up to two seconds for the screen named by $1.
wait_for_screen() {
    i=0
    until "$1"; do
        [ $i -lt 20 ] || return 1
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
        sleep 0.1
        i=$((i + 1))
    done
}

# Which title row is current, as the number of pixels in the grey of the
# other rows (their texts differ in length), counted where the rows stand.
menu_fingerprint() {
    colour_count 51 51 51 185 160 160 200
}

# Samples the fingerprint eight times over more than a second: "moving" if
# the current row changed meanwhile, "still" otherwise. A held arrow steps
# every tenth of a second or so, more often than the samples come.
marker_motion() {
    first=$(menu_fingerprint)
    motion=still
    for _ in 1 2 3 4 5 6 7; do
        sleep 0.1
        [ "$(menu_fingerprint)" = "$first" ] || motion=moving
    done
    echo "$motion"
}

quick_taps() {
    start_game
    wait_for_window '^Trigonix$'
    sleep 1
    focus_game
    wait_for_screen title_up || fail "no title"
    # The pointer starts over OPTIONS; passing it over SINGLE PLAYER and
    # off the rows makes that row current.
    xdotool mousemove 250 182
    sleep 0.3
    xdotool mousemove 1 1
    sleep 0.3
    n=1
    while [ $n -le 8 ]; do
        xdotool key Return
        wait_for_screen race_up || fail "quick Enter $n started no race"
        xdotool key Escape
        wait_for_screen title_up || fail "quick Escape $n did not bring the title back"
        n=$((n + 1))
    done
    close_game
    expect_status 0
}

held_over_f1() {
    start_game
    wait_for_window '^Trigonix$'
    sleep 1
    focus_game
    old=$WINDOW
    xdotool keydown Down
    [ "$(marker_motion)" = moving ] || fail "holding Down does not move the menu"
    xdotool keydown F1
    sleep 0.1
    xdotool keyup F1
    i=0
    until [ "$WINDOW" != "$old" ]; do
        [ $i -lt 50 ] || fail "F1 made no new window"
        sleep 0.1
        WINDOW=$(xdotool search --onlyvisible --name '^Trigonix$' | tail -n 1)
        i=$((i + 1))
    done
    sleep 1
    xdotool keyup Down
    sleep 0.3
    [ "$(marker_motion)" = still ] || fail "Down let go in the new window still moves the menu"
    close_game
    expect_status 0
}

case "${E2E_INNER:-}" in
"")
    run_under_x 640x480 quick_taps
    run_under_x 640x480 held_over_f1
    echo "input: all passed"
    ;;
*)
    fresh_folder
    printf '%s' "$SETTINGS" > "Data/settings .tgx"
    printf '%s' "$SCORES" > "Data/data .tgx"
    "$E2E_INNER"
    ;;
esac
