#!/bin/sh
# A player's whole evening, on the real program under its own X server:
# JOURNEY chosen in Options, a race run until the first contact, initials
# typed with Shift, the High-score screen, and goodbye through the exit
# screen. Leaving Options and ending name entry save at once; at the end
# both saved files are checked byte for byte, and the status is 0.
#
#     journey_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

# 640 x 480, SHORT, the arrow keys and the space bar, sound off.
START_SETTINGS="1002103804003703903200"
START_SCORES="9999999900001is}is}is}is}0"

journey() {
    start_game
    wait_for_window '^Trigonix$'
    sleep 1
    focus_game

    # The pointer starts in the middle of the screen, over OPTIONS; passing
    # it over SINGLE PLAYER and off the rows makes that row current.
    xdotool mousemove 250 182
    sleep 0.3
    xdotool mousemove 1 1
    sleep 0.3

    # OPTIONS, Left from SHORT to JOURNEY, Escape back to SINGLE PLAYER.
    play_keys Down Return Left Escape
    [ "$(colour_count 0 255 0)" -gt 100 ] || fail "the title is not back"
    # Leaving Options saved the settings there and then.
    expect_file "Data/settings .tgx" "1002403804003703903200"
    play_keys Return

    # JOURNEY ends at the first contact; sweeping from side to side meets
    # the shapes sooner.
    race_into_name_entry

    # Capitals with Shift held while each letter is let go; the three
    # letters typed as fast as xdotool can, every tap inside one frame.
    focus_game
    xdotool keydown shift
    sleep 0.2
    xdotool key --delay 0 k e v
    sleep 0.3
    xdotool keyup shift
    sleep 0.3
    play_keys Return
    in_name_entry && fail "Enter did not end name entry"
    # The end of name entry saved the new best and its initials at once.
    case "$(cat "Data/data .tgx")" in
    99999999[0-9][0-9][0-9][0-9][0-9]"is}is}is}UYt0") ;;
    *) fail "name entry did not save the new best: '$(cat "Data/data .tgx")'" ;;
    esac

    # The title again, with SINGLE PLAYER current: down to HIGH SCORES.
    play_keys Down Down Return
    sleep 0.5
    # The JOURNEY initials (cyan, at the right of the fourth line) are
    # letters now, not the underscores of an empty name.
    [ "$(colour_count 0 255 255 440 280 90 15)" -gt 20 ] ||
        fail "the High-score screen does not show the new initials"

    # Back to the title on HIGH SCORES, down to QUIT.
    play_keys Return
    sleep 0.5
    play_keys Down Return
    kill -0 "$GAME_PID" 2>/dev/null || fail "the Enter that chose QUIT ended the game"
    # The farewell stands in cyan in the middle of the window.
    [ "$(colour_count 0 255 255 100 180 440 60)" -gt 100 ] || fail "no farewell on the exit screen"
    play_keys Return

    i=0
    while kill -0 "$GAME_PID" 2>/dev/null; do
        [ $i -lt 100 ] || fail "Enter on the exit screen did not end the game"
        sleep 0.1
        i=$((i + 1))
    done
    # An ordinary quit: status 0, not the code of the key that ended it.
    status=0
    wait "$GAME_PID" || status=$?
    [ "$status" -eq 0 ] || fail "the exit screen ended the game with status $status"

    # The data file: the untouched bests, the JOURNEY time lasted (a new
    # best: at least the 1 it had to beat), "KEV" stored as U, Y and t, and
    # a window.
    scores=$(cat "Data/data .tgx")
    journey_best=$(printf '%s' "$scores" | cut -c9-13)
    case "$journey_best" in
    [0-9][0-9][0-9][0-9][0-9]) ;;
    *) fail "'Data/data .tgx' holds '$scores': no JOURNEY best in it" ;;
    esac
    [ "$journey_best" -ge 1 ] || fail "the JOURNEY best $journey_best beats nothing"
    expect_file "Data/data .tgx" "99999999${journey_best}is}is}is}UYt0"

    # The settings: race type 4. The speed factor is only tuned to the
    # frame rate once the race has passed 20; before that it stays 1.0.
    settings=$(cat "Data/settings .tgx")
    speed=$(printf '%s' "$settings" | cut -c1-2)
    if [ "$(expr "$journey_best" + 0)" -le 20 ]; then
        [ "$speed" = "10" ] || fail "the speed changed in a race that never passed 20"
    fi
    case "$speed" in
    [0-9][0-9]) ;;
    *) fail "'Data/settings .tgx' holds '$settings'" ;;
    esac
    expect_file "Data/settings .tgx" "${speed}02403804003703903200"
}

case "${E2E_INNER:-}" in
"")
    run_under_x 640x480 journey
    echo "journey: all passed"
    ;;
*)
    fresh_folder
    printf '%s' "$START_SETTINGS" > "Data/settings .tgx"
    printf '%s' "$START_SCORES" > "Data/data .tgx"
    "$E2E_INNER"
    ;;
esac
