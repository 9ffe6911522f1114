#!/usr/bin/env bash
# Builds the info file fuzzer with clang and runs it for the given seconds (default 60) on a copy of the seed
# corpus, so the committed corpus does not grow. Any crash, leak, sanitizer report or timeout fails the run;
# the input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# QF_WERROR=ON in the environment (the test command sets it) turns warnings into errors.
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQF_WERROR="${QF_WERROR:-OFF}"
cmake --build build-fuzz -j"$(nproc)"

corpus=build-fuzz/corpus
rm -rf "$corpus"
mkdir -p "$corpus" build-fuzz/artifacts
cp fuzz/corpus/* "$corpus"/
# The target changes into its own temp folder before the paths are read, so each must be absolute.
./build-fuzz/info_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=5 -print_final_stats=1 \
    -dict="$PWD/fuzz/info.dict" -artifact_prefix="$PWD/build-fuzz/artifacts/" "$PWD/$corpus"
echo "fuzz: corpus grew from $(ls fuzz/corpus | wc -l) to $(ls "$corpus" | wc -l) inputs"
