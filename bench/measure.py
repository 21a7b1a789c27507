# SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
# SPDX-License-Identifier: GPL-3.0-or-later

"""Starts programs on an X display and measures them side by side.

For each program: the time from launch to the MapNotify of its first top-level window, seen by
an X event listener on the root window, and the processor time its threads spent by then; the
peak resident set (VmHWM) and the memory rollup (smaps_rollup) one second later; with all of
them running at once, the CPU time and the wakeups of an idle minute, from the schedstat and
the context switches of every thread in /proc; and, for the programs named with --heap,
heaptrack's peak heap and count of allocation calls from launch to three seconds after the
window appears. Prints the results as JSON.

Run with the system Python (/usr/bin/python3), which has python3-xlib.
"""

import argparse
import json
import os
import re
import select
import signal
import statistics
import subprocess
import tempfile
import time

from Xlib import X, error
from Xlib import display as xdisplay


class Listener:
    """Reports the top-level windows mapped on the display."""

    def __init__(self, name):
        self.display = xdisplay.Display(name)
        self.root = self.display.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.pid_atom = self.display.intern_atom("_NET_WM_PID")
        self.display.sync()

    def drain(self):
        while self.display.pending_events():
            self.display.next_event()

    def window_pid(self, window):
        try:
            prop = window.get_full_property(self.pid_atom, X.AnyPropertyType)
        except error.XError:
            return None
        return prop.value[0] if prop and len(prop.value) else None

    def wait_for_map(self, pid, timeout):
        """Monotonic time at which a window of the process (of any, for None) was mapped."""
        deadline = time.monotonic() + timeout
        while True:
            while self.display.pending_events():
                event = self.display.next_event()
                if event.type != X.MapNotify or event.override:
                    continue
                seen = time.monotonic()
                owner = self.window_pid(event.window)
                if pid is None or owner is None or owner == pid:
                    return seen
            left = deadline - time.monotonic()
            if left <= 0:
                raise TimeoutError(f"no window from process {pid} within {timeout} s")
            select.select([self.display.fileno()], [], [], left)


def status_field(pid, field):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    raise KeyError(field)


ROLLUP = {"Pss": "pss_kib", "Anonymous": "anon_kib", "Private_Dirty": "private_dirty_kib"}


def memory_rollup(pid):
    """Resident memory in KiB from smaps_rollup, under the keys of ROLLUP."""
    fields = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            parts = line.split()
            if len(parts) == 3 and parts[2] == "kB":
                fields[parts[0].rstrip(":")] = int(parts[1])
    return {key: fields[field] for field, key in ROLLUP.items()}


def descendants(pid):
    """The processes below pid, children first."""
    found = []
    try:
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/children") as children:
                for child in children.read().split():
                    found.append(int(child))
                    found += descendants(int(child))
    except FileNotFoundError:
        pass
    return found


def thread_counters(pid):
    """CPU nanoseconds and voluntary and involuntary context switches of each thread."""
    threads = {}
    for tid in os.listdir(f"/proc/{pid}/task"):
        task = f"/proc/{pid}/task/{tid}"
        try:
            with open(f"{task}/comm") as comm:
                name = f"{comm.read().strip()} ({tid})"
            with open(f"{task}/schedstat") as schedstat:
                run_ns = int(schedstat.read().split()[0])
            threads[name] = (run_ns,
                             status_field(f"{pid}/task/{tid}", "voluntary_ctxt_switches"),
                             status_field(f"{pid}/task/{tid}", "nonvoluntary_ctxt_switches"))
        except FileNotFoundError:
            pass  # the thread ended meanwhile
    return threads


class Program:
    def __init__(self, name, command, env, any_window=False):
        self.name = name
        self.command = command
        self.env = env
        self.any_window = any_window
        self.process = None

    def launch(self, listener, wrapper=(), owner=None, timeout=30):
        """Starts the program, under wrapper if given, and waits for its window. The window
        belongs to the process that owner (given the launched process id) names."""
        listener.drain()
        started = time.monotonic()
        self.process = subprocess.Popen([*wrapper, *self.command], env=self.env,
                                        stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        if self.any_window:
            pid = None
        else:
            pid = owner(self.process.pid) if owner else self.process.pid
        mapped = listener.wait_for_map(pid, timeout=timeout)
        return mapped, mapped - started

    def stop(self):
        self.process.terminate()
        try:
            self.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def measure_start(programs, listener, runs):
    """Median time to window and peak RSS, after one warm-up run of each."""
    keys = ("window_ms", "cpu_ms", "vmhwm_kib", *ROLLUP.values())
    results = {p.name: {key: [] for key in keys} for p in programs}
    for run in range(runs + 1):
        for program in programs:  # interleaved, so that a disturbance hits all alike
            mapped, took = program.launch(listener)
            # The processor time spent up to the window, which other work on the machine moves
            # far less than the wall-clock time.
            cpu_ns = sum(run_ns for run_ns, _, _ in thread_counters(program.process.pid).values())
            time.sleep(max(0.0, mapped + 1.0 - time.monotonic()))
            peak = status_field(program.process.pid, "VmHWM")
            rollup = memory_rollup(program.process.pid)
            program.stop()
            if run > 0:
                result = results[program.name]
                result["window_ms"].append(round(took * 1000, 1))
                result["cpu_ms"].append(round(cpu_ns / 1e6, 1))
                result["vmhwm_kib"].append(peak)
                for key, value in rollup.items():
                    result[key].append(value)
    for result in results.values():
        for key in keys:
            result[key + "_median"] = statistics.median(result[key])
    return results


def heap_profile(program, listener, settle=3.0):
    """heaptrack's peak heap in bytes and its count of allocation calls, from launch to settle
    seconds after the window appears. Load does not move these figures."""
    with tempfile.TemporaryDirectory() as folder:
        output = os.path.join(folder, "heap")
        executable = os.path.realpath(program.command[-1])

        def traced(heaptrack_pid):
            # heaptrack starts the program as a child of its own; the window is the program's.
            deadline = time.monotonic() + 30
            while time.monotonic() < deadline:
                for pid in descendants(heaptrack_pid):
                    try:
                        if os.path.realpath(f"/proc/{pid}/exe") == executable:
                            return pid
                    except FileNotFoundError:
                        pass
                time.sleep(0.01)
            raise TimeoutError(f"heaptrack started no {executable}")

        program.launch(listener, wrapper=("heaptrack", "-o", output),
                       owner=traced, timeout=120)
        time.sleep(settle)
        os.kill(traced(program.process.pid), signal.SIGTERM)
        program.process.wait(timeout=60)
        summary = subprocess.run(["heaptrack_print", "-f", output + ".zst", "--print-peaks=0",
                                  "--print-allocators=0", "--print-temporary=0",
                                  "--print-leaks=0"], capture_output=True, text=True).stdout
    calls = int(re.search(r"calls to allocation functions: (\d+)", summary).group(1))
    peak = re.search(r"peak heap memory consumption: ([\d.]+)([KMG]?)", summary)
    scale = {"": 1, "K": 1e3, "M": 1e6, "G": 1e9}[peak.group(2)]
    return {"heap_peak_bytes": round(float(peak.group(1)) * scale),
            "allocation_calls": calls}


def measure_idle(programs, listener, seconds, settle=3.0):
    """CPU share and wakeups per second of each program, all running at once and left alone."""
    for program in programs:
        program.launch(listener)
    time.sleep(settle)
    before = {p.name: thread_counters(p.process.pid) for p in programs}
    time.sleep(seconds)
    after = {p.name: thread_counters(p.process.pid) for p in programs}
    for program in programs:
        program.stop()
    results = {}
    for program in programs:
        start, end = before[program.name], after[program.name]
        per_thread = {name: tuple(a - b for a, b in zip(end[name], start.get(name, (0, 0, 0))))
                      for name in end}
        run_ns, voluntary, involuntary = (sum(column) for column in zip(*per_thread.values()))
        results[program.name] = {
            "idle_cpu_percent": round(run_ns / (seconds * 1e9) * 100, 4),
            "wakeups_per_s": round(voluntary / seconds, 2),
            "switches_per_s": round((voluntary + involuntary) / seconds, 2),
            "wakeups_per_s_by_thread": {name: round(counts[1] / seconds, 2)
                                        for name, counts in per_thread.items()},
        }
    return results


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--display", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle-seconds", type=float, default=60)
    parser.add_argument("--any-window", action="store_true",
                        help="take the first top-level window mapped for the program's, "
                        "whatever process it names (for programs started through wine)")
    parser.add_argument("--heap", action="append", default=[],
                        help="name of a program to profile with heaptrack as well")
    parser.add_argument("program", nargs="+", help="name=command, the command split at blanks")
    args = parser.parse_args()

    env = dict(os.environ, DISPLAY=args.display)
    programs = []
    for entry in args.program:
        name, command = entry.split("=", 1)
        programs.append(Program(name, command.split(), env, args.any_window))

    listener = Listener(args.display)
    start = measure_start(programs, listener, args.runs)
    idle = (measure_idle(programs, listener, args.idle_seconds) if args.idle_seconds > 0
            else {p.name: {} for p in programs})
    heap = {p.name: heap_profile(p, listener) for p in programs if p.name in args.heap}
    print(json.dumps({name: {**start[name], **idle[name], **heap.get(name, {})}
                      for name in start}, indent=2))


if __name__ == "__main__":
    main()
