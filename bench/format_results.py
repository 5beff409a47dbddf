#!/usr/bin/env python3
"""Gathers the benchmark's JSON pieces, prints the table and writes one file.

    format_results.py WORK_DIR RESULTS_JSON

WORK_DIR holds what bench/run.sh made: frames-640x480.json,
frames-1024x768.json, pace.json, startup.json, memory.json, real.json and
failed.txt, the steps that failed. A piece that is missing leaves its figures
out (null in the file, "failed" in the table); the others are kept.
"""

import json
import os
import platform
import re
import statistics
import sys

SIZES = ("640x480", "1024x768")
SCENARIOS = (
    ("title", "title screen, moon, picking every frame"),
    ("short_sky_off", "SHORT race, sky off"),
    ("short_sky_on", "SHORT race, sky on"),
    ("long_sky_on", "LONG race, sky on"),
)
RACES = ("short_sky_off", "short_sky_on", "long_sky_on")
# The share of the window the sky quad covers: its lower edge stands 5.2
# units below the eye at 61 units' distance, under a 45-degree view.
SKY_SHARE_OF_WINDOW = 0.60

GOAL_RACE_OVER_FLOOR = 1.3
GOAL_SKY_OVER_NO_SKY = 0.20
GOAL_PACE = 0.03
GOAL_STARTUP_MS = 150.0
GOAL_MEMORY_MIB = 60.0
GOAL_MINIMISED_PERCENT = 1.0


def load(work, name):
    """The piece, or None when its step failed to write it whole."""
    try:
        with open(os.path.join(work, name), encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError):
        return None


def failed_steps(work):
    try:
        with open(os.path.join(work, "failed.txt"), encoding="utf-8") as f:
            return [line.strip() for line in f if line.strip()]
    except OSError:
        return []


def machine(gl):
    model = "unknown"
    with open("/proc/cpuinfo", encoding="utf-8") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    mesa = re.search(r"Mesa ([0-9.]+)", gl.get("version", ""))
    return {
        "cpu": model,
        "cores": os.cpu_count(),
        "kernel": platform.release(),
        "renderer": gl.get("renderer", ""),
        "gl_version": gl.get("version", ""),
        "mesa": mesa.group(1) if mesa else "unknown",
        "display": "llvmpipe under Xvfb",
    }


def frame_costs(work):
    sizes = {}
    for size in SIZES:
        data = load(work, "frames-%s.json" % size)
        if data is None:
            sizes[size] = None
            continue
        floor = data["floor"]
        rows = {"floor": dict(floor, over_floor_median=1.0, over_floor_p90=1.0)}
        flat = data["floor_untextured"]
        rows["floor_untextured"] = dict(flat["cost"], over_floor_median=flat["over_floor_median"],
                                        over_floor_p90=flat["over_floor_p90"],
                                        paired_floor=flat["paired_floor"])
        for scenario in data["scenarios"]:
            cost = dict(scenario["cost"])
            for key in ("over_floor_median", "over_floor_p90", "paired_floor", "contact_frames",
                        "bombs_dropped", "mean_game_speed", "highlight_moves", "block_medians_ms"):
                if key in scenario:
                    cost[key] = scenario[key]
            rows[scenario["name"]] = cost
        off = rows["short_sky_off"]
        on = rows["short_sky_on"]
        # Both against their own paired floor frames, so a change of load
        # between the two rows does not count as the sky.
        sky_over = on["over_floor_median"] / off["over_floor_median"] - 1.0
        texturing = 1.0 - rows["floor_untextured"]["over_floor_median"]
        sizes[size] = {
            "costs": rows,
            "rounds": data["rounds"],
            "sky_over_no_sky": sky_over,
            "sky_extra_in_floors": on["over_floor_median"] - off["over_floor_median"],
            "texturing_a_window_in_floors": texturing,
            "sky_extra_expected_in_floors": SKY_SHARE_OF_WINDOW * texturing,
            "gl": data["gl"],
        }
    return sizes


def pace(work):
    rows = load(work, "pace.json")
    if rows is None:
        return None
    reference = next(row for row in rows if row["fps"] == 60)
    for row in rows:
        row["travel_ratio"] = row["travel_per_second"] / reference["travel_per_second"]
        row["clock_ratio"] = row["race_clock_per_second"] / reference["race_clock_per_second"]
        # At 60 frames a second and a speed factor of 1 a shape travels 0.8
        # a frame: 48 units a second.
        row["travel_ratio_to_nominal"] = row["travel_per_second"] / 48.0
    return rows


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    work, out = argv[1], argv[2]
    costs = frame_costs(work)
    paces = pace(work)
    startup = load(work, "startup.json")
    memory = load(work, "memory.json")
    real = load(work, "real.json") or {}
    maps = [float(v) for v in real.get("window_map_runs", "").split()]
    # The first start after a build reads everything from disk: left out.
    maps = maps[1:] if len(maps) > 1 else maps
    window_map = {
        "runs": len(maps),
        "median_ms": statistics.median(maps) if maps else None,
        "min_ms": min(maps) if maps else None,
        "max_ms": max(maps) if maps else None,
    }

    def goal(value, target, met):
        if value is None:
            return {"value": None, "goal": target, "met": None}
        return {"value": value, "goal": target, "met": met(value)}

    large = costs["1024x768"]
    worst_race = max(large["costs"][name]["over_floor_median"] for name in RACES) if large else None
    worst_pace = (max(max(abs(r["travel_ratio"] - 1), abs(r["clock_ratio"] - 1)) for r in paces)
                  if paces else None)
    startup_ms = startup["exec_to_first_swap"]["median_ms"] if startup else None
    goals = {
        "race_over_floor_1024x768": goal(worst_race, GOAL_RACE_OVER_FLOOR,
                                         lambda v: v <= GOAL_RACE_OVER_FLOOR),
        "sky_over_no_sky_1024x768": goal(large["sky_over_no_sky"] if large else None,
                                         GOAL_SKY_OVER_NO_SKY, lambda v: v <= GOAL_SKY_OVER_NO_SKY),
        "pace_deviation": goal(worst_pace, GOAL_PACE, lambda v: v <= GOAL_PACE),
        "startup_ms": goal(startup_ms, GOAL_STARTUP_MS, lambda v: v < GOAL_STARTUP_MS),
        "peak_memory_mib": goal(memory["peak_rss_mib"] if memory else None, GOAL_MEMORY_MIB,
                                lambda v: v < GOAL_MEMORY_MIB),
        "minimised_cpu_percent": goal(real.get("minimised_cpu_percent"), GOAL_MINIMISED_PERCENT,
                                      lambda v: v < GOAL_MINIMISED_PERCENT),
    }

    gl = next((costs[size]["gl"] for size in reversed(SIZES) if costs[size]), {})
    results = {
        "machine": machine(gl),
        "failed_steps": failed_steps(work),
        "load_average_before": real.get("load_before"),
        "load_average_after": real.get("load_after"),
        "frame_cost": costs,
        "pace": paces,
        "startup": dict(startup or {}, real_program_exec_to_window_map=window_map),
        "memory": memory,
        "cpu": {
            "title_idle_percent_of_a_core": real.get("title_idle_cpu_percent"),
            "title_idle_percent_schedstat": real.get("title_idle_cpu_percent_schedstat"),
            "minimised_percent_of_a_core": real.get("minimised_cpu_percent"),
            "minimised_percent_schedstat": real.get("minimised_cpu_percent_schedstat"),
            "minimised_by": real.get("minimised_by"),
            "seconds_measured": real.get("cpu_seconds_measured"),
        },
        "goals": goals,
    }
    with open(out, "w", encoding="utf-8") as f:
        json.dump(results, f, indent=2)
        f.write("\n")

    print_table(results)
    print("\nwritten: %s" % out)
    return 0


def mark(goal):
    if goal["met"] is None:
        return "FAILED (no figure)"
    return "met" if goal["met"] else "NOT MET"


def figure(fmt, value):
    return "failed" if value is None else fmt % value


def print_frame_costs(r):
    print("Frame cost, ms (drawScene + SwapBuffers + glFinish; floor: clear, one textured")
    print("full-window quad, swap, glFinish)")
    print("%-42s %-27s %-27s" % ("", "640 x 480", "1024 x 768"))
    print("%-42s %-27s %-27s" % ("", "median   p90  x floor", "median   p90  x floor"))
    present = [s for s in SIZES if r["frame_cost"][s]]
    rows = [("floor", "floor"), ("floor_untextured", "floor with an untextured quad")] + list(SCENARIOS)
    for key, label in rows:
        cells = []
        for size in SIZES:
            if size not in present:
                cells.append("failed")
                continue
            c = r["frame_cost"][size]["costs"][key]
            cells.append("%6.3f %6.3f  %4.2f / %4.2f" % (c["median_ms"], c["p90_ms"],
                                                         c["over_floor_median"],
                                                         c["over_floor_p90"]))
        print("%-42s %-27s %-27s" % (label, cells[0], cells[1]))
    sky = ["%+.0f %%" % (100 * r["frame_cost"][s]["sky_over_no_sky"]) if s in present else "failed"
           for s in SIZES]
    print("%-42s %-27s %-27s" % ("sky on over sky off (SHORT, x floor)", sky[0], sky[1]))
    if not present:
        return
    last = r["frame_cost"][present[-1]]
    print("(x floor: median of each frame over the floor frame drawn right after it, and p90"
          " over the p90 of those floor frames; %d frames a row in %d blocks)"
          % (last["costs"]["title"]["frames"], last["rounds"]))
    for size in present:
        c = r["frame_cost"][size]["costs"]
        print("%s: highlight moved %d times; contact frames %s; bombs %s"
              % (size, c["title"].get("highlight_moves", 0),
                 "/".join(str(c[n]["contact_frames"]) for n in RACES),
                 "/".join(str(c[n]["bombs_dropped"]) for n in RACES)))
    for size in present:
        f = r["frame_cost"][size]
        print("%s: texturing the whole window costs %.2f floors; the sky covers %.0f %% of the"
              " window, so %.2f floors expected; sky on - sky off measured %.2f floors"
              % (size, f["texturing_a_window_in_floors"], 100 * SKY_SHARE_OF_WINDOW,
                 f["sky_extra_expected_in_floors"], f["sky_extra_in_floors"]))


def print_pace(r):
    print("Pace with the clock fixed to simulated rates (race progress per simulated second)")
    if not r["pace"]:
        print("  failed")
        return
    print("%5s  %9s  %9s  %12s  %7s  %16s  %7s  %s"
          % ("fps", "target", "gameSpeed", "travel/s", "x 60", "raceClock/s", "x 60",
             "settled after"))
    for p in r["pace"]:
        print("%5d  %9.4f  %9.4f  %12.3f  %7.4f  %16.4e  %7.4f  %s"
              % (p["fps"], p["target_speed"], p["mean_game_speed"], p["travel_per_second"],
                 p["travel_ratio"], p["race_clock_per_second"], p["clock_ratio"],
                 "%.1f s" % p["settle_seconds"] if p["settled"] else "NEVER"))


def print_startup_memory_cpu(r):
    s = r["startup"]
    print("Start-up")
    if "exec_to_first_swap" in s:
        print("  exec to first swapped frame (in-process, median of %d): %.1f ms (min %.1f, max %.1f)"
              % (s["exec_to_first_swap"]["runs"], s["exec_to_first_swap"]["median_ms"],
                 s["exec_to_first_swap"]["min_ms"], s["exec_to_first_swap"]["max_ms"]))
        print("  of which exec to main: %.1f ms" % s["exec_to_main"]["median_ms"])
    else:
        print("  exec to first swapped frame: failed")
    w = s["real_program_exec_to_window_map"]
    print("  real program, exec to its window mapped (median of %d): %s"
          % (w["runs"], figure("%.1f ms", w["median_ms"])))
    mem = r["memory"]
    if mem:
        print("Peak resident memory, a full LONG race at 1024 x 768 with sound: %.1f MiB (%s, %d race frames)"
              % (mem["peak_rss_mib"], "won" if mem["race_won"] else "lost", mem["race_frames"]))
    else:
        print("Peak resident memory: failed")
    c = r["cpu"]
    print("Processor time, percent of one core over %s s:" % c["seconds_measured"])
    print("  idling in the title screen at the 60-frame cap: %s"
          % figure("%.2f %%", c["title_idle_percent_of_a_core"]))
    print("  minimised: %s (%s)" % (figure("%.2f %%", c["minimised_percent_of_a_core"]),
                                    c["minimised_by"]))


def print_goals(r):
    g = r["goals"]

    def line(text, key, fmt):
        print("  %s: %s  %s" % (text, figure(fmt, g[key]["value"]), mark(g[key])))

    print("Goals")
    line("race frames <= %.1f x floor at 1024 x 768: worst" % GOAL_RACE_OVER_FLOOR,
         "race_over_floor_1024x768", "%.2f")
    sky = g["sky_over_no_sky_1024x768"]
    print("  sky <= +%.0f %% over sky off at 1024 x 768: %s  %s"
          % (100 * GOAL_SKY_OVER_NO_SKY,
             figure("%+.0f %%", None if sky["value"] is None else 100 * sky["value"]), mark(sky)))
    pace_goal = g["pace_deviation"]
    print("  pace within %.0f %% of 60 fps: worst %s  %s"
          % (100 * GOAL_PACE,
             figure("%.2f %%", None if pace_goal["value"] is None else 100 * pace_goal["value"]),
             mark(pace_goal)))
    line("start-up < %.0f ms" % GOAL_STARTUP_MS, "startup_ms", "%.1f ms")
    line("peak memory < %.0f MiB" % GOAL_MEMORY_MIB, "peak_memory_mib", "%.1f MiB")
    line("minimised < %.0f %% of a core" % GOAL_MINIMISED_PERCENT, "minimised_cpu_percent", "%.2f %%")


def print_table(r):
    m = r["machine"]
    print("Trigonix benchmarks: %s, %s; %s, %d cores; Mesa %s; load %s -> %s"
          % (m["display"], m["renderer"], m["cpu"], m["cores"], m["mesa"],
             r["load_average_before"], r["load_average_after"]))
    if r["failed_steps"]:
        print("FAILED STEPS: %s (their figures are missing below)" % ", ".join(r["failed_steps"]))
    print()
    print_frame_costs(r)
    print()
    print_pace(r)
    print()
    print_startup_memory_cpu(r)
    print()
    print_goals(r)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
