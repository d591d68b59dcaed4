#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Orvena
# SPDX-License-Identifier: LicenseRef-Kaltrix
# Builds a Release tree and measures, in one run on this machine, kaltrix against a bare Qt window: start-up
# to the first exposed window and peak RSS (medians of many starts), and the in-process time of one Next and
# of showing the result. Prints a Markdown table. RUNS (default 30) and BUILD_DIR (default build-bench) can
# be set in the environment.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
runs=${RUNS:-30}

for tool in cmake ninja xvfb-run python3 lscpu; do
    command -v "$tool" >/dev/null || { echo "run.sh needs $tool (scripts/test.sh installs the packages)" >&2; exit 1; }
done

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALTRIX_BUILD_BENCH=ON \
    -DKALTRIX_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target kaltrix_probed kaltrix_floor kaltrix_nextbench >/dev/null

xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    python3 "$root/bench/measure.py" --runs "$runs" --kaltrix "$build/bench/probed/kaltrix" \
    --floor "$build/bench/kaltrix_floor" --nextbench "$build/bench/kaltrix_nextbench"
