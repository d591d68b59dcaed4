#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
"""Start-up to the first exposed window and peak RSS of kaltrix and of the floor, side by side, then the
in-process timing of Next. Run it through bench/run.sh, which builds the programs and provides the display."""

import argparse
import os
import platform
import select
import statistics
import subprocess
import sys
import tempfile
import time


def start_once(command, env):
    """Seconds from spawning the process to its "exposed" line, and its peak RSS in KiB."""
    begin = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    ready, _, _ = select.select([process.stdout], [], [], 30)
    line = process.stdout.readline() if ready else b""
    elapsed = time.perf_counter() - begin
    if line != b"exposed\n":
        process.kill()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if line != b"exposed\n" or process.returncode != 0:
        sys.exit(f"{command} did not report its first window (exit {process.returncode})")
    return elapsed, usage.ru_maxrss


def machine():
    model = "unknown"
    for line in subprocess.run(["lscpu"], capture_output=True, text=True).stdout.splitlines():
        if line.startswith("Model name:"):
            model = line.split(":", 1)[1].strip()
    with open("/proc/meminfo") as meminfo:
        kib = int(meminfo.readline().split()[1])
    qt = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "libqt6core6"], capture_output=True, text=True)
    return (f"{model}, {os.cpu_count()} cores, {kib / 1024 / 1024:.1f} GiB memory, "
            f"Linux {platform.release()}, Qt {qt.stdout.strip() or 'unknown'}, Xvfb")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--kaltrix", required=True)
    parser.add_argument("--floor", required=True)
    parser.add_argument("--nextbench", required=True)
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--passes", type=int, default=200)
    args = parser.parse_args()

    home = tempfile.TemporaryDirectory(prefix="kaltrix-bench-")
    runtime = os.path.join(home.name, "runtime")
    os.mkdir(runtime, 0o700)
    env = dict(os.environ, KALTRIX_BENCH_EXPOSED="1", XDG_CONFIG_HOME=os.path.join(home.name, "config"),
               XDG_RUNTIME_DIR=runtime, QT_ACCESSIBILITY="0")
    env.pop("SESSION_MANAGER", None)

    programs = {"kaltrix": [args.kaltrix], "floor": [args.floor], "menu floor": [args.floor, "--menu"]}
    # The first start writes the settings file and fills the page cache: not a typical start.
    for command in programs.values():
        for _ in range(3):
            start_once(command, env)
    times = {name: [] for name in programs}
    rss = {name: [] for name in programs}
    for run in range(args.runs):
        order = list(programs)[run % 3:] + list(programs)[:run % 3]
        for name in order:
            elapsed, peak = start_once(programs[name], env)
            times[name].append(elapsed * 1000)
            rss[name].append(peak / 1024)

    bench = subprocess.run([args.nextbench, str(args.passes)], capture_output=True, text=True, env=env,
                           check=True).stdout
    timing = {}
    for line in bench.splitlines():
        name, *values = line.split()
        timing[name] = [float(v) for v in values]

    def ratio(samples, floor):
        return statistics.median(samples["kaltrix"]) / statistics.median(samples[floor])

    def spread(samples):
        return f"{statistics.median(samples):.1f} ms ({min(samples):.1f}–{max(samples):.1f})"

    next_ms = timing["next_painted_us"][0] / 1000
    print(f"Machine: {machine()}")
    print(f"Runs: {args.runs} starts of each program, interleaved; {int(timing['passes'][0])} test passes in-process")
    print()
    print("| Measure | kaltrix | floor | ratio | menu floor | ratio | target |")
    print("|---|---:|---:|---:|---:|---:|---|")
    menu_ratio = ratio(times, "menu floor")
    print(f"| Start to first exposed window, median (min–max) | {spread(times['kaltrix'])} | "
          f"{spread(times['floor'])} | {ratio(times, 'floor'):.2f}× | {spread(times['menu floor'])} | "
          f"{menu_ratio:.2f}× | ≤ 1.1× the menu floor, {'met' if menu_ratio <= 1.1 else 'missed'} |")
    rss_ratio = ratio(rss, "menu floor")
    print(f"| Peak RSS, median | {statistics.median(rss['kaltrix']):.1f} MiB | "
          f"{statistics.median(rss['floor']):.1f} MiB | {ratio(rss, 'floor'):.2f}× | "
          f"{statistics.median(rss['menu floor']):.1f} MiB | {rss_ratio:.2f}× | "
          f"≤ 1.1× the menu floor, {'met' if rss_ratio <= 1.1 else 'missed'} |")
    for key, label in (("next_handler_us", "One Next, handler only"),
                       ("next_painted_us", "One Next, handler and repaint"),
                       ("result_handler_us", "Tenth Next showing the result, handler only"),
                       ("result_painted_us", "Tenth Next showing the result, handler and repaint")):
        median, p90 = timing[key]
        target = f"< 1 ms {'met' if next_ms < 1 else 'missed'}" if key == "next_painted_us" else ""
        print(f"| {label}, median (90th percentile) | {median / 1000:.3f} ms ({p90 / 1000:.3f}) | | | | | {target} |")


if __name__ == "__main__":
    main()
