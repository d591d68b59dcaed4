#!/usr/bin/env python3
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


def start_once(exe, env):
    """Seconds from spawning the process to its "exposed" line, and its peak RSS in KiB."""
    begin = time.perf_counter()
    process = subprocess.Popen([exe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    ready, _, _ = select.select([process.stdout], [], [], 30)
    line = process.stdout.readline() if ready else b""
    elapsed = time.perf_counter() - begin
    if line != b"exposed\n":
        process.kill()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    if line != b"exposed\n" or process.returncode != 0:
        sys.exit(f"{exe} did not report its first window (exit {process.returncode})")
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

    programs = {"kaltrix": args.kaltrix, "floor": args.floor}
    # The first start writes the settings file and fills the page cache: not a typical start.
    for exe in programs.values():
        for _ in range(3):
            start_once(exe, env)
    times = {name: [] for name in programs}
    rss = {name: [] for name in programs}
    for run in range(args.runs):
        order = list(programs) if run % 2 == 0 else list(reversed(programs))
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

    def ratio(samples):
        return statistics.median(samples["kaltrix"]) / statistics.median(samples["floor"])

    start_ratio, rss_ratio = ratio(times), ratio(rss)
    next_ms = timing["next_painted_us"][0] / 1000
    print(f"Machine: {machine()}")
    print(f"Runs: {args.runs} starts of each program, interleaved; {int(timing['passes'][0])} test passes in-process")
    print()
    print("| Measure | kaltrix | floor | ratio | target |")
    print("|---|---:|---:|---:|---|")
    print(f"| Start to first exposed window, median (min–max) | {statistics.median(times['kaltrix']):.1f} ms "
          f"({min(times['kaltrix']):.1f}–{max(times['kaltrix']):.1f}) | {statistics.median(times['floor']):.1f} ms "
          f"({min(times['floor']):.1f}–{max(times['floor']):.1f}) | {start_ratio:.2f}× | ≤ 1.3× "
          f"{'met' if start_ratio <= 1.3 else 'missed'} |")
    print(f"| Peak RSS, median | {statistics.median(rss['kaltrix']):.1f} MiB | {statistics.median(rss['floor']):.1f} MiB "
          f"| {rss_ratio:.2f}× | ≤ 1.3× {'met' if rss_ratio <= 1.3 else 'missed'} |")
    for key, label in (("next_handler_us", "One Next, handler only"),
                       ("next_painted_us", "One Next, handler and repaint"),
                       ("result_handler_us", "Tenth Next showing the result, handler only"),
                       ("result_painted_us", "Tenth Next showing the result, handler and repaint")):
        median, p90 = timing[key]
        target = f"< 1 ms {'met' if next_ms < 1 else 'missed'}" if key == "next_painted_us" else ""
        print(f"| {label}, median (90th percentile) | {median / 1000:.3f} ms ({p90 / 1000:.3f}) | | | {target} |")


if __name__ == "__main__":
    main()
