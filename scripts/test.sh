#!/usr/bin/env bash
# Installs what is missing, checks the layout of every source file, then builds and runs every test twice: a plain
# gcc build, and a clang one under AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer, where any report
# fails the run; builds and checks the Debian package; fuzzes the info file reader. Every build treats warnings as
# errors. The builds are CMakePresets.json's.
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
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")
QF_WERROR=ON bash scripts/fuzz.sh 60
bash scripts/web.sh --test # the browser build (build-web/), played in headless Chromium

# Reached only when everything passed (set -e): one closing line for the whole run.
count() { (cd "$1" && ctest -N | sed -n 's/^Total Tests: //p'); }
echo "tests: $(($(count build) + $(count build-asan) + 5)) passed, 0 failed" # + package checks, fuzzing, 3 in the browser
