#!/bin/sh
# A best run kept and watched again, on the real program under its own X
# server: a JOURNEY raced to a new best (paused once on the way) leaves
# Data/replays/JOURNEY.tgr; the high-score screen offers it and plays it
# back, showing the very picture the race showed while it was paused and,
# at its end, the score name entry showed; --verify-replay runs it again
# without a window to the same score; nothing is saved by watching; and a
# damaged or cut replay is refused with one line, on the command line and
# in the game, which goes on.
#
#     replay_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

# 640 x 480, JOURNEY, the arrow keys and the space bar, sound off.
START_SETTINGS="1002403804003703903200"
START_SCORES="9999999900001is}is}is}is}0"
REPLAY=Data/replays/JOURNEY.tgr

screen() {
    python3 "$HERE/screen.py" "$@"
}

grab() {
    focus_game
    screen grab "$WINDOW" "$1"
}

# Waits, grabbing into $1, until the screen shows the pause ("paused") or
# stands still without it ("ended"), as $2 says.
wait_for_picture() {
    i=0
    while :; do
        [ $i -lt 120 ] || fail "the replay never showed its $2 picture"
        grab "$1"
        if [ "$2" = paused ]; then
            screen paused "$1" && return 0
        else
            sleep 0.3
            grab "$1.again"
            ! screen paused "$1" && screen same "$1" "$1.again" >/dev/null && return 0
        fi
        sleep 0.1
        i=$((i + 1))
    done
}

race_to_a_best() {
    start_game
    wait_for_window '^Trigonix$'
    sleep 1
    focus_game
    xdotool mousemove 250 182
    sleep 0.3
    xdotool mousemove 1 1
    sleep 0.3
    [ ! -e Data/replays ] || fail "a replays folder before any race"
    play_keys Return

    # Just past the countdown (200 frames), before any shape can reach the
    # ship, End held: the race stands, paused.
    sleep 3.2
    focus_game
    xdotool keydown End
    sleep 0.6
    grab live.paused
    screen paused live.paused || fail "End did not pause the race"
    sleep 0.6
    xdotool keyup End

    # Side to side into the shapes: JOURNEY ends at the first contact.
    race_into_name_entry
    # Name entry's "Score: N", blue on black in the middle of the window.
    grab name.entry
    line=$(screen score-line name.entry 0 51 204 200 240 240 60) ||
        fail "no score line in name entry"
    NUMBER=${line#* }
    [ -f "$REPLAY" ] || fail "the new best left no $REPLAY"
    play_keys K E V Return
}

watch_it() {
    scores=$(cat "Data/data .tgx")
    kept=$(cksum < "$REPLAY")
    # SINGLE PLAYER is current: down to HIGH SCORES.
    play_keys Down Down Return
    sleep 0.5
    # The offer below the two hints, in the same magenta.
    [ "$(colour_count 255 0 255 100 425 440 25)" -gt 100 ] ||
        fail "the high-score screen does not offer the replay"
    play_keys 4

    wait_for_picture replay.paused paused
    screen same live.paused replay.paused ||
        fail "the replay's paused picture is not the race's"
    wait_for_picture replay.end ended
    # "YOU LASTED: N!" near the top, in whatever colour the end had.
    screen shows-lasted replay.end "$NUMBER" 100 45 500 70 ||
        fail "the replay did not end on the score the race reached"
    # The corner sign.
    [ "$(colour_count 255 255 255 0 0 160 60)" -gt 40 ] || fail "no REPLAY sign"

    play_keys Escape
    # The table again, not the title: its green heading.
    [ "$(colour_count 0 255 0 200 40 240 35)" -gt 100 ] ||
        fail "Escape did not end the replay on the high-score screen"
    [ "$(cat "Data/data .tgx")" = "$scores" ] || fail "watching changed the scores file"
    [ "$(cksum < "$REPLAY")" = "$kept" ] || fail "watching changed the replay"

    # A cut replay: one line, and the table stays.
    head -c 100 "$REPLAY" > cut.tgr
    cp "$REPLAY" whole.tgr
    cp cut.tgr "$REPLAY"
    play_keys 4
    sleep 0.5
    kill -0 "$GAME_PID" 2>/dev/null || fail "a cut replay ended the game"
    [ "$(colour_count 0 255 0 200 40 240 35)" -gt 100 ] ||
        fail "a cut replay left the high-score screen"
    [ "$(grep -c "JOURNEY.tgr: replay refused: truncated" game.out)" -eq 1 ] ||
        { cat game.out >&2; fail "the cut replay was not refused in one line"; }
    cp whole.tgr "$REPLAY"
    play_keys Escape
    close_game
    expect_status 0
}

verify_it() {
    status=0
    env -u DISPLAY "$GAME" --verify-replay "$REPLAY" >verify.out 2>verify.err || status=$?
    [ "$status" -eq 0 ] || { cat verify.out verify.err >&2; fail "--verify-replay ended with $status"; }
    best=$(printf '%s' "$(cat "Data/data .tgx")" | cut -c9-13 | sed 's/^0*\(.\)/\1/')
    grep -q "JOURNEY race of .* frames, run again: shown score $best, best stored with it $best: match\$" verify.out ||
        { cat verify.out >&2; fail "--verify-replay did not reach the best $best"; }

    # One byte changed in the middle: the checksum refuses it.
    cp "$REPLAY" damaged.tgr
    printf 'x' | dd of=damaged.tgr bs=1 seek=300 conv=notrunc 2>/dev/null
    for file in damaged.tgr cut.tgr; do
        status=0
        env -u DISPLAY "$GAME" --verify-replay "$file" >verify.out 2>verify.err || status=$?
        [ "$status" -eq 2 ] || fail "a $file ended --verify-replay with $status"
        [ ! -s verify.out ] && [ "$(wc -l < verify.err)" -eq 1 ] ||
            fail "a $file was not refused in one line: $(cat verify.err)"
    done
}

case "${E2E_INNER:-}" in
"")
    run_under_x 640x480 replay
    echo "replay: all passed"
    ;;
*)
    fresh_folder
    printf '%s' "$START_SETTINGS" > "Data/settings .tgx"
    printf '%s' "$START_SCORES" > "Data/data .tgx"
    race_to_a_best
    watch_it
    verify_it
    ;;
esac
