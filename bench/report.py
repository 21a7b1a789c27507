"""Writes the benchmark table, with the machine and the date, as Markdown.

Reads the JSON of measure.py, the stripped sizes and the tick cost that bench/run gathered.
"""

import argparse
import datetime
import json
import os
import platform
import subprocess

PROGRAM, BARE, CLOCK, PEER = ("ormek-calculator", "bare Qt window",
                              "bare Qt window with a clock line", "galculator")
NAMES = (PROGRAM, BARE, CLOCK, PEER)
# The calculator again, its store grown to 10 MB by another program's keys.
BIG_STORE = "ormek-calculator, 10 MB store"


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as cpuinfo:
        for line in cpuinfo:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as meminfo:
        memory_gib = int(meminfo.readline().split()[1]) / 1024 / 1024
    with open("/etc/debian_version") as version:
        debian = version.read().strip()
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"],
                        capture_output=True, text=True).stdout
    load = os.getloadavg()[0]
    return (f"{model}, {os.cpu_count()} cores, {memory_gib:.0f} GiB; Debian {debian}, "
            f"Linux {platform.release()}, Qt {qt}; load average {load:.2f} at the end of the run")


def verdict(ok):
    return "met" if ok else "**missed**"


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--measured", required=True)
    parser.add_argument("--size", action="append", default=[], help="name=bytes")
    parser.add_argument("--tick-ms", type=float, required=True)
    parser.add_argument("--runs", type=int, required=True)
    parser.add_argument("--idle-seconds", type=float, required=True)
    parser.add_argument("--notes", help="Markdown appended after the measurements")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    with open(args.measured) as measured:
        m = json.load(measured)
    sizes = dict(entry.split("=", 1) for entry in args.size)
    p, b, c = m[PROGRAM], m[BARE], m[CLOCK]

    window_ratio = p["window_ms_median"] / b["window_ms_median"]
    rss_ratio = p["vmhwm_kib_median"] / b["vmhwm_kib_median"]
    clock_window_ratio = c["window_ms_median"] / b["window_ms_median"]
    clock_rss_ratio = c["vmhwm_kib_median"] / b["vmhwm_kib_median"]
    size_bytes = int(sizes[PROGRAM])
    tick_us = args.tick_ms * 1000
    idle = int(args.idle_seconds)

    def row(label, key, unit_format, target, result):
        cells = [unit_format(m[name][key]) for name in NAMES]
        return f"| {label} | {' | '.join(cells)} | {target} | {result} |"

    lines = [
        "# Benchmark results",
        "",
        "Written by `bench/run`; run it again to bring this table up to date.",
        "",
        f"- Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC",
        f"- Machine: {machine()}",
        "- Display: Xvfb, no window manager; every program with its own empty configuration "
        "folder, the calculator's store already past the first run; the calculator once more "
        "with that store grown to 10 MB (115,000 keys of another program's)",
        f"- Start-up figures: median of {args.runs} runs after a warm-up, the programs "
        "taking turns; idle figures: all of them running at once, left alone for "
        f"{idle} s after a 3 s pause",
        "- The bare Qt window with a clock line is the same window showing one line of Chinese "
        "text, redrawn every second, with a second timer at 500 ms: "
        f"{clock_window_ratio:.2f} × the bare window's time to window and "
        f"{clock_rss_ratio:.2f} × its peak RSS, {c['idle_cpu_percent']:.3f} % of a core idle; "
        "the least that showing such a line costs (see below)",
        "",
        "| Measure | ormek-calculator | bare Qt window | bare Qt window with a clock line | galculator "
        "| Target | Result |",
        "| --- | ---: | ---: | ---: | ---: | --- | --- |",
        row("Time to window (ms)", "window_ms_median", lambda v: f"{v:.1f}",
            "≤ 1.15 × bare Qt", f"{window_ratio:.2f} × bare, {verdict(window_ratio <= 1.15)}"),
        row("Peak RSS 1 s after (VmHWM, KiB)", "vmhwm_kib_median", lambda v: f"{v:,.0f}",
            "≤ 1.15 × bare Qt", f"{rss_ratio:.2f} × bare, {verdict(rss_ratio <= 1.15)}"),
        row(f"Idle CPU over {idle} s (% of a core)", "idle_cpu_percent",
            lambda v: f"{v:.3f}", "< 0.05 %", verdict(p["idle_cpu_percent"] < 0.05)),
        row(f"Wakeups over {idle} s (per second)", "wakeups_per_s", lambda v: f"{v:.2f}",
            "≤ 3 /s", verdict(p["wakeups_per_s"] <= 3)),
        "| Stripped executable (bytes) | "
        + " | ".join(f"{int(sizes[name]):,}" for name in NAMES)
        + f" | ≤ 160 KB (163,840) | {verdict(size_bytes <= 160 * 1024)} |",
        f"| One total tick, nine rows (µs) | {tick_us:.2f} | | | | < 20 µs | "
        f"{verdict(tick_us < 20)} |",
        f"| Time to window with a 10 MB store (ms) | {m[BIG_STORE]['window_ms_median']:.1f} "
        f"| | | | ≤ 1,000 ms | {verdict(m[BIG_STORE]['window_ms_median'] <= 1000)} |",
        "",
        "VmHWM counts every resident page, shared ones too: the Qt libraries and the font "
        "files a program draws with. Medians of the proportional share (Pss) and of the "
        "private anonymous memory, in KiB: "
        + ", ".join(f"{name} {m[name]['pss_kib_median']:,.0f} and "
                    f"{m[name]['anon_kib_median']:,.0f}" for name in NAMES)
        + ".",
        "",
        "Wakeups are voluntary context switches summed over all threads; all switches per "
        "second, involuntary included: "
        + ", ".join(f"{name} {m[name]['switches_per_s']:.2f}" for name in NAMES)
        + ". The calculator's wakeups by thread: "
        + ", ".join(f"{thread} {rate:.2f}/s"
                    for thread, rate in p["wakeups_per_s_by_thread"].items())
        + ".",
        "",
        "Single runs (time to window in ms / VmHWM in KiB):",
        "",
    ]
    for name in NAMES + (BIG_STORE,):
        runs = ", ".join(f"{t:.1f} / {r:,}" for t, r in zip(m[name]["window_ms"],
                                                           m[name]["vmhwm_kib"]))
        lines.append(f"- {name}: {runs}")
    lines.append("")
    if args.notes:
        with open(args.notes) as notes:
            lines += ["", notes.read().rstrip("\n"), ""]

    with open(args.out, "w") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
