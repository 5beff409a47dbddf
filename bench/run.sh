#!/bin/sh
# Runs every benchmark headless, under a private X server on Mesa's software
# renderer, prints the table and writes bench/results.json.
#
#     sh bench/run.sh BUILD_DIR        (`make bench` builds BUILD_DIR in Release first)
#
# BENCH_FRAMES (default 2000) sets the frames timed per scenario.
#
# A step that fails is named in the table and in results.json and the steps
# after it still run; the script then ends with status 1. Only POSIX sh and
# awk are used (mawk, gawk and busybox awk alike).

HERE=$(cd "$(dirname "$0")" && pwd)

if [ -z "${BENCH_UNDER_X:-}" ]; then
    BUILD=$(cd "${1:-build-bench}" && pwd) || exit 1
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

WORK=$(mktemp -d /tmp/trigonix-bench-XXXXXX) || exit 1
GAME_PID=""
stop_game() {
    [ -n "$GAME_PID" ] || return 0
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=""
}
cleanup() {
    stop_game
    rm -rf "$WORK"
}
trap cleanup EXIT

load_now() { cut -d' ' -f1-3 /proc/loadavg; }
LOAD_BEFORE=$(load_now)

step() { echo "bench: $*" >&2; }

# run_step NAME COMMAND...: one step; a failure is noted in failed.txt (which
# format_results.py reads) and does not stop the steps after it.
: >"$WORK/failed.txt"
run_step() {
    name=$1
    shift
    if ! "$@"; then
        echo "bench: step '$name' failed" >&2
        echo "$name" >>"$WORK/failed.txt"
    fi
}

# --- In-process measurements of the game code ------------------------------

step "frame cost, 640 x 480 ($FRAMES frames a scenario)"
run_step frames-640x480 "$BENCH" frames "$WORK/frames-640x480.json" 640 480 "$FRAMES"
step "frame cost, 1024 x 768"
run_step frames-1024x768 "$BENCH" frames "$WORK/frames-1024x768.json" 1024 768 "$FRAMES"
step "pace at 30, 60, 120, 144, 240 frames a second"
run_step pace "$BENCH" pace "$WORK/pace.json"
step "start-up, exec to first swapped frame"
run_step startup "$BENCH" startup "$WORK/startup.json"
step "peak memory of a full LONG race"
run_step memory "$BENCH" memory "$WORK/memory.json"

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
cd "$WORK/game" || exit 1

# Runs that fail are left out of the median and fail the step.
window_map_runs() {
    : >"$WORK/window_map.txt"
    i=0
    status=0
    while [ $i -lt 11 ]; do
        "$WINDOW_MAP" "$GAME" >>"$WORK/window_map.txt" || status=1
        i=$((i + 1))
    done
    return $status
}
step "start-up of the real program, exec to its window on the X server"
run_step window-map window_map_runs

TICKS=$(getconf CLK_TCK)
# Sums go out through %.0f: mawk prints a number above 2^31 in exponent
# form, which the shell's arithmetic refuses.
# Processor time of a process and all its threads so far: utime + stime, in ticks.
cpu_ticks() { awk '{printf "%.0f\n", $14 + $15}' "/proc/$1/stat"; }
# The same in nanoseconds, from the scheduler's own count of every thread.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }
now_ns() { date +%s%N; }

# Percent of one core over $2 seconds: "STAT_PERCENT SCHEDSTAT_PERCENT".
cpu_percent() {
    t0=$(cpu_ticks "$1") && n0=$(cpu_ns "$1") && w0=$(now_ns) || return 1
    sleep "$2"
    t1=$(cpu_ticks "$1") && n1=$(cpu_ns "$1") && w1=$(now_ns) || return 1
    awk -v t="$((t1 - t0))" -v hz="$TICKS" -v n="$((n1 - n0))" -v w="$((w1 - w0))" \
        'BEGIN { printf "%.3f %.3f\n", 100 * t / hz / (w / 1e9), 100 * n / w }'
}

wait_for_window() {
    i=0
    while [ $i -lt 100 ]; do
        WINDOW=$(xdotool search --onlyvisible --name '^Trigonix$' 2>/dev/null | tail -n 1)
        [ -n "$WINDOW" ] && return 0
        sleep 0.1
        i=$((i + 1))
    done
    echo "run.sh: the game's window did not appear" >&2
    return 1
}

# Each writes "STAT_PERCENT SCHEDSTAT_PERCENT"; the title step leaves the
# game running for the minimised one.
WINDOW=""
title_idle() {
    "$GAME" >"$WORK/game.out" 2>&1 &
    GAME_PID=$!
    wait_for_window || return 1
    sleep 2
    cpu_percent "$GAME_PID" 5 >"$WORK/title_cpu.txt"
}

minimised_idle() {
    if [ -n "$GAME_PID" ] && [ -n "$WINDOW" ]; then
        xdotool windowminimize "$WINDOW" 2>/dev/null
        sleep 1
        if [ "$(xwininfo -id "$WINDOW" | awk '/Map State:/ {print $3}')" != "IsViewable" ]; then
            echo "xdotool windowminimize on the real program" >"$WORK/minimised_by.txt"
            cpu_percent "$GAME_PID" 5 >"$WORK/minimised_cpu.txt"
            status=$?
            stop_game
            return $status
        fi
    fi
    # No window manager: the X server left the window as it was. The
    # minimise goes to the game through its platform instead.
    stop_game
    echo "pushed through the platform in-process (no window manager to minimise)" \
        >"$WORK/minimised_by.txt"
    "$BENCH" minimised "$WORK/minimised.ready" >"$WORK/minimised.out" 2>&1 &
    GAME_PID=$!
    i=0
    while [ ! -e "$WORK/minimised.ready" ] && [ $i -lt 100 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    if [ ! -e "$WORK/minimised.ready" ]; then
        echo "run.sh: the game was not minimised" >&2
        stop_game
        return 1
    fi
    sleep 1
    cpu_percent "$GAME_PID" 5 >"$WORK/minimised_cpu.txt"
    status=$?
    stop_game
    return $status
}

step "processor time idling in the title screen (60-frame cap), 5 s"
run_step title-idle-cpu title_idle
step "processor time minimised, 5 s"
run_step minimised-cpu minimised_idle
stop_game

LOAD_AFTER=$(load_now)

# A figure whose step failed is written as null.
field() {
    value=$(awk -v i="$2" '{print $i}' "$1" 2>/dev/null)
    echo "${value:-null}"
}
cat >"$WORK/real.json" <<EOF
{"title_idle_cpu_percent": $(field "$WORK/title_cpu.txt" 1),
 "title_idle_cpu_percent_schedstat": $(field "$WORK/title_cpu.txt" 2),
 "minimised_cpu_percent": $(field "$WORK/minimised_cpu.txt" 1),
 "minimised_cpu_percent_schedstat": $(field "$WORK/minimised_cpu.txt" 2),
 "minimised_by": "$(cat "$WORK/minimised_by.txt" 2>/dev/null)", "cpu_seconds_measured": 5,
 "window_map_runs": "$(awk '{printf "%s ", $2}' "$WORK/window_map.txt" 2>/dev/null)",
 "load_before": "$LOAD_BEFORE", "load_after": "$LOAD_AFTER"}
EOF

python3 "$HERE/format_results.py" "$WORK" "$HERE/results.json" || exit 1
[ -s "$WORK/failed.txt" ] && exit 1
exit 0
