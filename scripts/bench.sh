#!/usr/bin/env bash
# Builds and runs the frame benchmark headless from the run folder, then prints the table of medians.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=BM_Pass/3).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" --target quillfray_bench >/dev/null
cd build/run
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../bench/quillfray_bench \
    --benchmark_repetitions=10 --benchmark_report_aggregates_only=true --benchmark_color=false "$@"
