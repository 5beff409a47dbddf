#!/bin/sh
# Runs every benchmark headless, under a private X server on Mesa's software
# renderer, prints the table and writes bench/results.json.
#
#     sh bench/run.sh BUILD_DIR        (`make bench` builds BUILD_DIR in Release first)
#
# BENCH_FRAMES (default 2000) sets the frames timed per scenario.
set -e

HERE=$(cd "$(dirname "$0")" && pwd)

if [ -z "${BENCH_UNDER_X:-}" ]; then
    BUILD=$(cd "${1:-build-bench}" && pwd)
    export BENCH_UNDER_X=1 SDL_AUDIODRIVER=dummy
    exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$BUILD"
fi

BUILD=$1
BENCH=$BUILD/bench/trigonix_bench
GAME=$BUILD/trigonix
WINDOW_MAP=$BUILD/bench/bench_window_map
FRAMES=${BENCH_FRAMES:-2000}
for program in "$BENCH" "$GAME" "$WINDOW_MAP"; do
    [ -x "$program" ] || { echo "run.sh: $program is missing; run 'make bench'" >&2; exit 1; }
done

WORK=$(mktemp -d /tmp/trigonix-bench-XXXXXX)
GAME_PID=""
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

load_now() { cut -d' ' -f1-3 /proc/loadavg; }
LOAD_BEFORE=$(load_now)

step() { echo "bench: $*" >&2; }

# --- In-process measurements of the game code ------------------------------

step "frame cost, 640 x 480 ($FRAMES frames a scenario)"
"$BENCH" frames "$WORK/frames-640x480.json" 640 480 "$FRAMES"
step "frame cost, 1024 x 768"
"$BENCH" frames "$WORK/frames-1024x768.json" 1024 768 "$FRAMES"
step "pace at 30, 60, 120, 144, 240 frames a second"
"$BENCH" pace "$WORK/pace.json"
step "start-up, exec to first swapped frame"
"$BENCH" startup "$WORK/startup.json"
step "peak memory of a full LONG race"
"$BENCH" memory "$WORK/memory.json"

# --- The real program --------------------------------------------------------

# A player's folder: the generated pictures, sounds and music, the default
# settings (a 640 x 480 window, sound on) and an empty score table.
mkdir -p "$WORK/game/Data"
for f in "$BUILD"/Data/*; do
    case "$(basename "$f")" in
    "settings .tgx"|"data .tgx") ;;
    *) ln -s "$f" "$WORK/game/Data/$(basename "$f")" ;;
    esac
done
printf '%s' "1012103804003703903201" >"$WORK/game/Data/settings .tgx"
printf '%s' "9999999900001is}is}is}is}0" >"$WORK/game/Data/data .tgx"
cd "$WORK/game"

step "start-up of the real program, exec to its window on the X server"
: >"$WORK/window_map.txt"
i=0
while [ $i -lt 11 ]; do
    "$WINDOW_MAP" "$GAME" >>"$WORK/window_map.txt"
    i=$((i + 1))
done

TICKS=$(getconf CLK_TCK)
# Processor time of a process and all its threads so far: utime + stime, in ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# The same in nanoseconds, from the scheduler's own count of every thread.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'; }
now_ns() { date +%s%N; }

# Percent of one core over $2 seconds: "STAT_PERCENT SCHEDSTAT_PERCENT".
cpu_percent() {
    t0=$(cpu_ticks "$1"); n0=$(cpu_ns "$1"); w0=$(now_ns)
    sleep "$2"
    t1=$(cpu_ticks "$1"); n1=$(cpu_ns "$1"); w1=$(now_ns)
    awk -v t="$((t1 - t0))" -v hz="$TICKS" -v n="$((n1 - n0))" -v w="$((w1 - w0))" \
        'BEGIN { printf "%.3f %.3f\n", 100 * t / hz / (w / 1e9), 100 * n / w }'
}

wait_for_window() {
    i=0
    while [ $i -lt 100 ]; do
        WINDOW=$(xdotool search --onlyvisible --name '^Trigonix$' 2>/dev/null | tail -n 1 || true)
        [ -n "$WINDOW" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    echo "run.sh: the game's window did not appear" >&2
    exit 1
}

step "processor time idling in the title screen (60-frame cap), 5 s"
"$GAME" >"$WORK/game.out" 2>&1 &
GAME_PID=$!
wait_for_window
sleep 2
TITLE_CPU=$(cpu_percent "$GAME_PID" 5)

step "processor time minimised, 5 s"
xdotool windowminimize "$WINDOW" 2>/dev/null || true
sleep 1
MAP_STATE=$(xwininfo -id "$WINDOW" | awk '/Map State:/ {print $3}')
if [ "$MAP_STATE" != "IsViewable" ]; then
    MINIMISED_BY="xdotool windowminimize on the real program"
    MINIMISED_CPU=$(cpu_percent "$GAME_PID" 5)
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
else
    # No window manager: the X server left the window as it was. The
    # minimise goes to the game through its platform instead.
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
    MINIMISED_BY="pushed through the platform in-process (no window manager to minimise)"
    "$BENCH" minimised "$WORK/minimised.ready" >"$WORK/minimised.out" 2>&1 &
    GAME_PID=$!
    i=0
    while [ ! -e "$WORK/minimised.ready" ] && [ $i -lt 100 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    [ -e "$WORK/minimised.ready" ] || { echo "run.sh: the game was not minimised" >&2; exit 1; }
    sleep 1
    MINIMISED_CPU=$(cpu_percent "$GAME_PID" 5)
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
fi

LOAD_AFTER=$(load_now)

set -- $TITLE_CPU
TITLE_STAT=$1 TITLE_SCHED=$2
set -- $MINIMISED_CPU
MIN_STAT=$1 MIN_SCHED=$2
cat >"$WORK/real.json" <<EOF
{"title_idle_cpu_percent": $TITLE_STAT, "title_idle_cpu_percent_schedstat": $TITLE_SCHED,
 "minimised_cpu_percent": $MIN_STAT, "minimised_cpu_percent_schedstat": $MIN_SCHED,
 "minimised_by": "$MINIMISED_BY", "cpu_seconds_measured": 5,
 "window_map_runs": "$(awk '{printf "%s ", $2}' "$WORK/window_map.txt")",
 "load_before": "$LOAD_BEFORE", "load_after": "$LOAD_AFTER"}
EOF

python3 "$HERE/format_results.py" "$WORK" "$HERE/results.json"
