#!/usr/bin/env bash
# Builds and runs the frame benchmark headless from the run folder, then prints the table of medians.
# Extra arguments go to the benchmark (e.g. --benchmark_filter=BM_Pass/3). The repetitions of all the benchmarks run
# interleaved at random: this machine's speed drifts by a quarter over minutes, and run one after another the floor
# and the last passes would be measured at different speeds.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" --target quillfray_bench >/dev/null
cd build/run
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ../bench/quillfray_bench \
    --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true \
    --benchmark_color=false "$@"
