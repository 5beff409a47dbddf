#!/bin/sh
# The Windows program under Wine: the title screen as the Linux end-to-end
# tests see it, a tip of the day in the system's message box, a race
# started with Return, the window closed as a window manager's close button
# closes it, and both data files checked byte for byte. Wine's OpenGL is
# Mesa's through GLX; there is no sound device, and the game is silent.
#
#     wine_e2e_test.sh TRIGONIX_EXE DATA_DIR WINE_PREFIX
set -eu

EXE=$1
DATA=$2
export WINEPREFIX=$3
export WINEDEBUG=-all
HERE=$(cd "$(dirname "$0")" && pwd)
GAME=$EXE
CLOSE=unused
. "$HERE/../e2e/e2e_lib.sh"

SETTINGS="1002103804003703903200"    # 640 x 480, SHORT, sound off
SCORES="9999999900001is}is}is}is}0"  # windowed

start_game() {
    wine "$EXE" >game.out 2>&1 &
    GAME_PID=$!
}

# The window manager's close button: WM_DELETE_WINDOW, which Wine hands the
# program as WM_CLOSE.
close_game() {
    python3 - "$(xdotool search --name '^Trigonix$' | tail -n 1)" <<'PY'
import ctypes, sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


display = x11.XOpenDisplay(None)
event = ClientMessage()
event.type = 33  # ClientMessage
event.window = int(sys.argv[1])
event.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.format = 32
event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x11.XSendEvent(display, event.window, 0, 0, ctypes.byref(event))
x11.XCloseDisplay(display)
PY
}

# Waits up to $2 seconds for the screen named by $1.
wait_for_screen() {
    i=0
    until "$1"; do
        [ $i -lt $(($2 * 10)) ] || return 1
        kill -0 "$GAME_PID" 2>/dev/null || { cat game.out >&2; fail "the game ended"; }
        sleep 0.1
        i=$((i + 1))
    done
}

# The title: the credit line in cyan under the game's name, the moon.
title_up() {
    [ "$(colour_count 0 255 255)" -gt 100 ]
}

# A race: the green ground of the track fills the lower half.
race_up() {
    [ "$(colour_count 0 128 0)" -gt 50000 ]
}

# Exactly these bytes, no line end added.
expect_bytes() {
    printf '%s' "$2" | cmp -s - "$1" || fail "'$1' holds '$(cat "$1")', expected '$2'"
}

play() {
    printf '%s' "$SETTINGS" > "Data/settings .tgx"
    printf '%s' "$SCORES" > "Data/data .tgx"
    started=$(date +%s)
    start_game
    i=0
    until WINDOW=$(xdotool search --onlyvisible --name '^Trigonix$' 2>/dev/null | tail -n 1) &&
        [ -n "$WINDOW" ]; do
        i=$((i + 1))
        [ $i -lt 1200 ] || { cat game.out >&2; fail "no window in two minutes"; }
        kill -0 "$GAME_PID" 2>/dev/null || { cat game.out >&2; fail "the game ended"; }
        sleep 0.1
    done
    echo "the window came $(($(date +%s) - started)) s after the start"
    geometry=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = 640x480 ] || fail "the window is $geometry"
    wait_for_screen title_up 30 || fail "no title"
    [ "$(colour_count 0 255 0)" -gt 100 ] || fail "no green name on the title"
    # A tip: the system's own message box, answered with Return; the game
    # goes on under it.
    press t
    press_in '^Tip of the day!$' Return
    focus_game
    wait_for_screen title_up 10 || fail "the title is gone after the tip"
    tap Return
    wait_for_screen race_up 10 || fail "Return started no race"
    close_game
    expect_status 0
    expect_bytes "Data/settings .tgx" "$SETTINGS"
    expect_bytes "Data/data .tgx" "$SCORES"
    leftover=$(find Data -name '*.tmp' | head -n 1)
    [ -z "$leftover" ] || fail "'$leftover' was left behind"
}

# In the X server the suite runs under: Wine keeps one desktop per prefix,
# on the display it first opened.
E2E_INNER=play
fresh_folder
play
echo "wine e2e: passed"
