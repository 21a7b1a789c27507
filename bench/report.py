# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Writes the benchmark table, with the machine and the date, as Markdown.

Reads the JSON of measure.py, the stripped sizes and the tick cost that bench/run gathered.
"""

import argparse
import datetime
import json
import os
import platform
import subprocess

PROGRAM, REFERENCE, FONTS, BARE, CLOCK, PEER = (
    "ormek-calculator", "bare Qt window with Chinese text",
    "bare Qt window with Chinese text in the calculator's fonts", "bare Qt window",
    "bare Qt window with a clock line", "galculator")
NAMES = (PROGRAM, REFERENCE, FONTS, BARE, CLOCK, PEER)
# The measures set against the reference, with their limits: key, label, limit.
AGAINST_REFERENCE = (
    ("window_ms_median", "time to window", 1.05),
    ("vmhwm_kib_median", "peak RSS", 1.15),
    ("private_dirty_kib_median", "private dirty", 1.3),
    ("heap_peak_bytes", "peak heap", 1.5),
    ("allocation_calls", "allocation calls", 1.5),
)
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
            f"Linux {platform.release()}, Qt {qt}")


def verdict(ok):
    return "met" if ok else "**missed**"


def ratio_verdict(ratio, limit, against):
    return f"{ratio:.2f} × {against}, {verdict(ratio <= limit)}"


def wine_lines(wine):
    """The Wine start-up: a table of its own, or why there is none."""
    if "skipped" in wine:
        return [f"Under Wine: not measured ({wine['skipped']}).", ""]
    m = wine["measured"]
    names = [name for name in m if not name.startswith("_")]
    calculator, clock = m[PROGRAM], m[CLOCK]
    ratio = calculator["window_ms_median"] / clock["window_ms_median"]
    cpu_ratio = calculator["cpu_ms_median"] / clock["cpu_ms_median"]
    lines = [
        f"Under Wine ({wine['version']}, a private prefix, LC_ALL={wine['lang']}, on the same "
        f"Xvfb): the same programs cross-built with MinGW-w64 against the Qt for Windows "
        f"({wine['qt']}), release build, median of {wine['runs']} runs after a warm-up, the "
        "programs taking turns.",
        "",
        "| Under Wine | " + " | ".join(names) + " | Target | Result |",
        "| --- | " + " | ".join("---:" for _ in names) + " | --- | --- |",
        "| Time to window (ms) | "
        + " | ".join(f"{m[name]['window_ms_median']:.1f}" for name in names)
        + f" | ≤ 1.10 × the clock-line window | {ratio_verdict(ratio, 1.10, 'clock line')} |",
        "| Processor time to window (ms) | "
        + " | ".join(f"{m[name]['cpu_ms_median']:.1f}" for name in names)
        + f" | | {cpu_ratio:.2f} × clock line |",
        "",
        "Single runs under Wine (time to window in ms / processor time to window in ms):",
        "",
    ]
    for name in names:
        lines.append(f"- {name}: " + ", ".join(
            f"{t:.1f} / {cpu:.1f}" for t, cpu in zip(m[name]["window_ms"], m[name]["cpu_ms"])))
    lines.append("")
    return lines


def store_rows(edits):
    """An edit in a store of other keys: the window's wait and the time until it is on disk."""
    rows = []
    for edit in edits:
        label = (f"An edit, store of {edit['keys']:,} other keys ({edit['bytes'] / 1e6:.1f} MB)"
                 + (", changed by another program first" if edit.get("changed") else ""))
        if edit.get("refused"):
            rows.append(f"| {label} | refused at the start | | | | | | refused over 10 MB "
                        f"| {verdict(edit['bytes'] > 10_000_000)} |")
            continue
        met = edit["window_waits_ms"] <= 500 and 0 <= edit["on_disk_ms"] <= 3000
        rows.append(f"| {label}: window waits / on disk (ms), read at start (ms), peak RSS (KiB) "
                    f"| {edit['window_waits_ms']} / {edit['on_disk_ms']:,}, "
                    f"{edit['start_ms']:,}, {edit['vmhwm_kib']:,} | | | | | "
                    f"| ≤ 500 / ≤ 3,000 ms | {verdict(met)} |")
    return rows


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--measured", required=True)
    parser.add_argument("--size", action="append", default=[], help="name=bytes")
    parser.add_argument("--tick-ms", type=float, required=True)
    parser.add_argument("--store", required=True, help="JSON lines of bench_store")
    parser.add_argument("--runs", type=int, required=True)
    parser.add_argument("--idle-seconds", type=float, required=True)
    parser.add_argument("--wine", required=True,
                        help="JSON of the Wine start-up, or of why it was skipped")
    parser.add_argument("--load-before", required=True, help="load average at the start")
    parser.add_argument("--notes", help="Markdown appended after the measurements")
    parser.add_argument("--out", required=True)
    args = parser.parse_args()

    with open(args.measured) as measured:
        m = json.load(measured)
    sizes = dict(entry.split("=", 1) for entry in args.size)
    with open(args.wine) as wine:
        wine = json.load(wine)
    p, r, b, c = m[PROGRAM], m[REFERENCE], m[BARE], m[CLOCK]

    def against_reference(key):
        return p[key] / r[key]

    window_ratio, rss_ratio, dirty_ratio, heap_ratio, calls_ratio = (
        against_reference(key) for key, _, _ in AGAINST_REFERENCE)
    cpu_ratio = against_reference("cpu_ms_median")
    reference_window_ratio = r["window_ms_median"] / b["window_ms_median"]
    reference_rss_ratio = r["vmhwm_kib_median"] / b["vmhwm_kib_median"]
    size_bytes = int(sizes[PROGRAM])
    tick_us = args.tick_ms * 1000
    with open(args.store) as store:
        edits = [json.loads(line) for line in store if line.strip()]
    idle = int(args.idle_seconds)

    def row(label, key, unit_format, target, result):
        cells = [unit_format(m[name][key]) if key in m[name] else "" for name in NAMES]
        return f"| {label} | {' | '.join(cells)} | {target} | {result} |"

    lines = [
        "# Benchmark results",
        "",
        "Written by `bench/run`; run it again to bring this table up to date.",
        "",
        f"- Date: {datetime.datetime.now(datetime.timezone.utc):%Y-%m-%d %H:%M} UTC",
        f"- Machine: {machine()}",
        f"- Load average (1 min): {args.load_before} at the start of the run, "
        f"{os.getloadavg()[0]:.2f} at the end; other work on the machine moves the times, "
        "not the heap figures or the private memory",
        "- Display: Xvfb, no window manager; every program with its own empty configuration "
        "folder, the calculator's store already past the first run; the calculator once more "
        "with that store grown to 10 MB (115,000 keys of another program's)",
        f"- Start-up figures: median of {args.runs} runs after a warm-up, the programs "
        "taking turns; idle figures: all of them running at once, left alone for "
        f"{idle} s after a 3 s pause",
        "- The reference, the bare Qt window with Chinese text, is the bare window with a line "
        "edit, a label and a button showing Chinese in the default font: "
        f"{reference_window_ratio:.2f} × the bare window's time to window and "
        f"{reference_rss_ratio:.2f} × its peak RSS. The bare Qt window with a clock line shows "
        "one line of Chinese, redrawn every second, with a second timer at 500 ms; "
        f"{c['idle_cpu_percent']:.3f} % of a core idle",
        "- Heap: heaptrack, from launch to 3 s after the window appears, once each",
        "",
        "| Measure | ormek-calculator | bare Qt window with Chinese text "
        "| the same in the calculator's fonts | bare Qt window "
        "| bare Qt window with a clock line | galculator | Target | Result |",
        "| --- | ---: | ---: | ---: | ---: | ---: | ---: | --- | --- |",
        row("Time to window (ms)", "window_ms_median", lambda v: f"{v:.1f}",
            "≤ 1.05 × reference", ratio_verdict(window_ratio, 1.05, "reference")),
        row("Processor time to window (ms)", "cpu_ms_median", lambda v: f"{v:.1f}",
            "", f"{cpu_ratio:.2f} × reference"),
        row("Peak RSS 1 s after (VmHWM, KiB)", "vmhwm_kib_median", lambda v: f"{v:,.0f}",
            "≤ 1.15 × reference", ratio_verdict(rss_ratio, 1.15, "reference")),
        row("Private dirty 1 s after (smaps_rollup, KiB)", "private_dirty_kib_median",
            lambda v: f"{v:,.0f}", "≤ 1.3 × reference",
            ratio_verdict(dirty_ratio, 1.3, "reference")),
        row("Peak heap (heaptrack, KB)", "heap_peak_bytes", lambda v: f"{v / 1000:,.0f}",
            "≤ 1.5 × reference", ratio_verdict(heap_ratio, 1.5, "reference")),
        row("Allocation calls (heaptrack)", "allocation_calls", lambda v: f"{v:,}",
            "≤ 1.5 × reference", ratio_verdict(calls_ratio, 1.5, "reference")),
        row(f"Idle CPU over {idle} s (% of a core)", "idle_cpu_percent",
            lambda v: f"{v:.3f}", "< 0.05 %", verdict(p["idle_cpu_percent"] < 0.05)),
        row(f"Wakeups over {idle} s (per second)", "wakeups_per_s", lambda v: f"{v:.2f}",
            "≤ 3 /s", verdict(p["wakeups_per_s"] <= 3)),
        "| Stripped executable (bytes) | "
        + " | ".join(f"{int(sizes[name]):,}" for name in NAMES)
        + f" | ≤ 160 KB (163,840) | {verdict(size_bytes <= 160 * 1024)} |",
        f"| One total tick, nine rows (µs) | {tick_us:.2f} | | | | | | < 20 µs | "
        f"{verdict(tick_us < 20)} |",
        f"| Time to window with a 10 MB store (ms) | {m[BIG_STORE]['window_ms_median']:.1f} "
        f"| | | | | | ≤ 1,000 ms | {verdict(m[BIG_STORE]['window_ms_median'] <= 1000)} |",
        *store_rows(edits),
        "",
        "The same window with Chinese text in the calculator's fonts (the Song font at 12 points "
        "in the line edit, a bold Song line at 15 points, the desktop's font with its Simplified "
        "Chinese fallback) against the reference, and the calculator against it: "
        + "; ".join(f"{label} {m[FONTS][key] / r[key]:.2f} × and {p[key] / m[FONTS][key]:.2f} ×"
                    for key, label, _ in AGAINST_REFERENCE)
        + ". Where the first figure passes the limit, no window in these fonts can meet it.",
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
        "Single runs (time to window in ms / processor time to window in ms / VmHWM in KiB / "
        "private dirty in KiB):",
        "",
    ]
    for name in NAMES + (BIG_STORE,):
        runs = ", ".join(f"{t:.1f} / {cpu:.1f} / {rss:,} / {dirty:,}" for t, cpu, rss, dirty in zip(
            m[name]["window_ms"], m[name]["cpu_ms"], m[name]["vmhwm_kib"],
            m[name]["private_dirty_kib"]))
        lines.append(f"- {name}: {runs}")
    lines.append("")
    lines += wine_lines(wine)
    if args.notes:
        with open(args.notes) as notes:
            lines += ["", notes.read().rstrip("\n"), ""]

    with open(args.out, "w") as out:
        out.write("\n".join(lines))


if __name__ == "__main__":
    main()
