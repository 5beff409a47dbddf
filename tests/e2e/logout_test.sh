#!/bin/sh
# The real program under its own X server, ended as a desktop session ends
# it: SIGTERM (logout, shutdown) in a menu and in a race, SIGHUP (a closed
# terminal) over a message box, SIGINT (Ctrl+C), and the X server going away.
# Each ends with both data files written byte for byte; the signals with
# status 0, as a closed window. Also: an ordinary quit ends with 0, and
# fifty full-screen toggles leave the memory bounded.
#
#     logout_test.sh GAME DATA_DIR CLOSE_WINDOW
set -eu

GAME=$1
DATA=$2
CLOSE=$3
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/e2e_lib.sh"

SETTINGS="1012103804003703903200"     # 640 x 480, SHORT, sound off
MEDIUM_SETTINGS="1012203804003703903200"
SCORES="9999999900001is}is}is}is}0"

# The game's window at the top left of a larger screen, the pointer away
# from its menu rows.
begin() {
    wait_for_window '^Trigonix$'
    xdotool mousemove 1020 760
    sleep 0.5
}

# One key at a time, each after the menus' repeat delay has run out.
keys() {
    for key in "$@"; do
        press "$key"
        sleep 0.3
    done
}

# In the Options menu the race type moves on with Enter on its row; the
# player stays there, so only the teardown can save it.
options_medium() {
    keys Down Return Return
}

menu_term() {
    start_game
    begin
    options_medium
    expect_file "Data/settings .tgx" "$SETTINGS"
    kill -TERM "$GAME_PID"
    expect_status 0
    expect_file "Data/settings .tgx" "$MEDIUM_SETTINGS"
    expect_file "Data/data .tgx" "$SCORES"
}

race_term() {
    start_game
    begin
    # Options, the race type on, and BACK: leaving the menu saves at once.
    keys Down Return Right Down Down Down Down Return
    expect_file "Data/settings .tgx" "$MEDIUM_SETTINGS"
    # SINGLE PLAYER: a race. The files go, so that only the teardown the
    # signal brings can write them again.
    keys Return
    sleep 1
    rm -f "Data/settings .tgx" "Data/data .tgx"
    kill -TERM "$GAME_PID"
    expect_status 0
    expect_file "Data/settings .tgx" "$MEDIUM_SETTINGS"
    expect_file "Data/data .tgx" "$SCORES"
}

# A modal box is up (a tip): it closes, and the game ends as it would.
box_hup() {
    start_game
    begin
    keys t
    wait_for_window '^Tip of the day!$'
    rm -f "Data/settings .tgx" "Data/data .tgx"
    kill -HUP "$GAME_PID"
    expect_status 0
    expect_file "Data/settings .tgx" "$SETTINGS"
    expect_file "Data/data .tgx" "$SCORES"
    grep -q "Tip of the day" game.out && fail "a box was shown after the signal: $(cat game.out)"
    return 0
}

# Started from a terminal, the game has Ctrl+C as it comes; a shell script
# would start it with SIGINT ignored, which the game then leaves alone.
ctrl_c() {
    env --default-signal=INT "$GAME" >game.out 2>&1 &
    GAME_PID=$!
    begin
    rm -f "Data/settings .tgx" "Data/data .tgx"
    kill -INT "$GAME_PID"
    expect_status 0
    expect_file "Data/settings .tgx" "$SETTINGS"
    expect_file "Data/data .tgx" "$SCORES"
}

# The X server dies under the game: no window to tear down, but the files
# are saved (status 1: the game did not end as it meant to). The server is
# one of this case's own, so that the one the case runs under lives on.
lost_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>display.txt 2>xvfb.err &
    server=$!
    waited=0
    while [ ! -s display.txt ] && [ $waited -lt 100 ]; do sleep 0.1; waited=$((waited + 1)); done
    [ -s display.txt ] || fail "no X server of our own: $(cat xvfb.err)"
    DISPLAY=:$(cat display.txt)
    export DISPLAY
    XAUTHORITY=/dev/null
    export XAUTHORITY
    start_game
    begin
    options_medium
    kill -TERM "$server"
    expect_status 1
    expect_file "Data/settings .tgx" "$MEDIUM_SETTINGS"
    expect_file "Data/data .tgx" "$SCORES"
    grep -q "the connection to the X server was lost" "Data/trigonix.log" ||
        fail "the log does not say the display was lost"
}

# QUIT, then Escape on the exit screen: an ordinary end, status 0 (not the
# key's code). Enter there is played by the journey test.
quit_escape() {
    start_game
    begin
    keys Up Return Escape
    expect_status 0
}

rss() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$GAME_PID/status"
}

toggle() {
    press F1
    sleep 0.3
    wait_for_window '^Trigonix$'
}

# Every toggle builds a new window; what the old one held must go with it.
# A leak of half a megabyte a toggle is 25 MB over fifty; what the allocator
# keeps of its own may add a little.
toggles() {
    start_game
    begin
    # (the helpers count with i)
    toggled=0
    while [ $toggled -lt 10 ]; do toggle; toggled=$((toggled + 1)); done
    before=$(rss)
    while [ $toggled -lt 60 ]; do toggle; toggled=$((toggled + 1)); done
    after=$(rss)
    growth=$((after - before))
    echo "RSS after 10 toggles: $before kB, after 60: $after kB (+$growth kB)"
    [ "$growth" -lt 5120 ] || fail "fifty toggles grew the game by $growth kB"
    close_game
    expect_status 0
}

case "${E2E_INNER:-}" in
"")
    for case in menu_term race_term box_hup ctrl_c lost_display quit_escape; do
        run_under_x 1024x768 "$case"
    done
    run_under_x 640x480 toggles
    echo "logout: all passed"
    ;;
*)
    fresh_folder
    printf '%s' "$SETTINGS" > "Data/settings .tgx"
    printf '%s' "$SCORES" > "Data/data .tgx"
    "$E2E_INNER"
    ;;
esac
