# Shared by the end-to-end tests: a private X server of a given size, a
# fresh game folder, the game started in the background, and xdotool.
# Expects GAME, DATA, CLOSE and HERE to be set by the test.

fail() {
    echo "FAIL (${E2E_INNER:-}): $*" >&2
    [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
    exit 1
}

# Runs this same script again, as the case $2, under a new X server whose
# one screen (and so its one display mode) is $1.
run_under_x() {
    E2E_INNER=$2 xvfb-run -a -s "-screen 0 ${1}x24" sh "$0" "$GAME" "$DATA" "$CLOSE" ||
        { echo "case $2 failed" >&2; exit 1; }
}

fresh_folder() {
    FOLDER=$(mktemp -d /tmp/trigonix-e2e-XXXXXX)
    trap 'rm -rf "$FOLDER"' EXIT
    cd "$FOLDER"
    mkdir Data
    for f in "$DATA"/*; do
        case "$(basename "$f")" in
        "settings .tgx"|"data .tgx") ;;
        *) ln -s "$f" "Data/$(basename "$f")" ;;
        esac
    done
}

start_game() {
    "$GAME" >game.out 2>&1 &
    GAME_PID=$!
}

# The id of the newest visible window whose name matches $1, waiting for it.
wait_for_window() {
    i=0
    while [ $i -lt 100 ]; do
        WINDOW=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n 1 || true)
        [ -n "$WINDOW" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while waiting for '$1'"
        sleep 0.1
        i=$((i + 1))
    done
    fail "no window '$1' appeared"
}

wait_for_file() {
    i=0
    while [ ! -e "$1" ] && [ $i -lt 100 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    [ -e "$1" ] || fail "'$1' was not written"
}

# Keys go to the game window, focused as the player's click would focus it.
press() {
    win=$(xdotool search --onlyvisible --name '^Trigonix$' | tail -n 1)
    xdotool windowfocus --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    for key in "$@"; do
        tap "$key"
    done
}

# Down for a tenth of a second, so at least one frame sees the key held.
tap() {
    xdotool keydown "$1"
    sleep 0.1
    xdotool keyup "$1"
    sleep 0.05
}

# Keys to another window (a message box) named by $1.
press_in() {
    wait_for_window "$1"
    xdotool windowfocus "$WINDOW"
    sleep 0.2
    shift
    for key in "$@"; do
        tap "$key"
    done
}

# Holds a key for $2 seconds.
hold() {
    win=$(xdotool search --onlyvisible --name '^Trigonix$' | tail -n 1)
    xdotool windowfocus "$win"
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

close_game() {
    win=$(xdotool search --name '^Trigonix$' | tail -n 1)
    "$CLOSE" "$win"
}

expect_status() {
    i=0
    while kill -0 "$GAME_PID" 2>/dev/null && [ $i -lt 150 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end"
    status=0
    wait "$GAME_PID" || status=$?
    [ "$status" -eq "$1" ] || { cat game.out >&2; fail "exit status $status, expected $1"; }
}

expect_file() {
    actual=$(cat "$1" 2>/dev/null || echo "<missing>")
    [ "$actual" = "$2" ] || fail "'$1' holds '$actual', expected '$2'"
}
