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

# The game window, focused as the player's click would focus it, as WINDOW.
focus_game() {
    WINDOW=$(xdotool search --onlyvisible --name '^Trigonix$' | tail -n 1)
    xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
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

# Keys as a player presses them one after another in a menu: each held for
# a few frames, whatever the frame rate, then the game gets time before the
# next.
play_keys() {
    focus_game
    for key in "$@"; do
        xdotool keydown "$key"
        sleep 0.1
        xdotool keyup "$key"
        sleep 0.5
    done
}

# Name entry after a new best: a black screen with its pink heading.
in_name_entry() {
    set -- $(count_pixels 255 51 102)
    [ "$1" -gt 290000 ] && [ "$2" -gt 100 ]
}

# A JOURNEY steered side to side into the shapes until its first contact
# ends it in name entry (the arrow keys are no initials).
race_into_name_entry() {
    i=0
    until in_name_entry; do
        [ $i -lt 90 ] || fail "the race did not end in name entry"
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during the race"
        focus_game
        if [ $((i / 4 % 2)) -eq 0 ]; then side=Left; else side=Right; fi
        xdotool keydown "$side"
        sleep 0.5
        xdotool keyup "$side"
        sleep 0.2
        i=$((i + 1))
    done
    sleep 0.5
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

# What the window shows: how many pixels are black and how many are of
# the colour R G B (give or take 8), as "black matching".
count_pixels() {
    python3 - "$WINDOW" "$@" <<'EOF'
import ctypes, sys

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]


class XImage(ctypes.Structure):
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + \
               [("data", ctypes.c_void_p)] + \
               [(name, ctypes.c_int) for name in ("byte_order", "bitmap_unit", "bitmap_bit_order",
                                                  "bitmap_pad", "depth", "bytes_per_line",
                                                  "bits_per_pixel")]


x11.XGetImage.restype = ctypes.POINTER(XImage)
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
display = x11.XOpenDisplay(None)
window = int(sys.argv[1])
want = [int(v) for v in sys.argv[2:5]]
left, top, width, height = ([int(v) for v in sys.argv[5:9]] if len(sys.argv) > 5
                            else (0, 0, 640, 480))
ZPIXMAP = 2
image = x11.XGetImage(display, window, left, top, width, height, 0xFFFFFFFF, ZPIXMAP).contents
if image.bits_per_pixel != 32:
    sys.exit("unexpected pixel size %d" % image.bits_per_pixel)
data = ctypes.string_at(image.data, image.bytes_per_line * image.height)
black = matching = 0
for y in range(image.height):
    for x in range(image.width):
        at = y * image.bytes_per_line + x * 4
        b, g, r = data[at], data[at + 1], data[at + 2]
        if r == 0 and g == 0 and b == 0:
            black += 1
        if abs(r - want[0]) <= 8 and abs(g - want[1]) <= 8 and abs(b - want[2]) <= 8:
            matching += 1
print(black, matching)
EOF
}

# Pixels of colour R G B in the window, or in the rectangle LEFT TOP WIDTH HEIGHT.
colour_count() {
    count_pixels "$@" | cut -d' ' -f2
}
