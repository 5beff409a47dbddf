#!/bin/sh
# The real program under its own X server, played with xdotool: F1 switches
# to full screen (accepted, or refused and answered), closing the window ends
# the game with status 0, and both data files hold exactly what they should.
#
#     spine_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

SETTINGS="1012103804003703903200"   # 640 x 480, sound off
WINDOWED_SCORES="9999999900001is}is}is}is}0"

# Full screen at a size the display offers: the switch is taken.
accepted() {
    start_game
    wait_for_window '^Trigonix$'
    rm -f "Data/settings .tgx" "Data/data .tgx"
    press F1
    # The toggle saved both files before leaving the window.
    wait_for_file "Data/data .tgx"
    expect_file "Data/data .tgx" "$WINDOWED_SCORES"
    wait_for_window '^Trigonix$'
    sleep 1
    close_game
    expect_status 0
    expect_file "Data/settings .tgx" "$SETTINGS"
    expect_file "Data/data .tgx" "9999999900001is}is}is}is}1"
}

# Full screen at a size the display lacks: the question, answered Yes.
refused_yes() {
    start_game
    wait_for_window '^Trigonix$'
    press F1
    wait_for_window '^Vorn GL$'
    press_in '^Vorn GL$' y
    sleep 1
    wait_for_window '^Trigonix$'
    close_game
    expect_status 0
    expect_file "Data/data .tgx" "$WINDOWED_SCORES"
}

# ... answered No: "Program Will Now Close." and the game ends at once,
# failed (status 1), without writing the files a second time.
refused_no() {
    start_game
    wait_for_window '^Trigonix$'
    press F1
    wait_for_window '^Vorn GL$'
    rm -f "Data/settings .tgx" "Data/data .tgx"
    press_in '^Vorn GL$' n
    wait_for_window '^ERROR$'
    press_in '^ERROR$' Return
    expect_status 1
    [ ! -e "Data/settings .tgx" ] || fail "the settings were written again"
    [ ! -e "Data/data .tgx" ] || fail "the high scores were written again"
}

case "${E2E_INNER:-}" in
"")
    run_under_x 640x480 accepted
    run_under_x 800x600 refused_yes
    run_under_x 800x600 refused_no
    echo "spine: all passed"
    ;;
*)
    fresh_folder
    printf '%s' "$SETTINGS" > "Data/settings .tgx"
    printf '%s' "$WINDOWED_SCORES" > "Data/data .tgx"
    "$E2E_INNER"
    ;;
esac
