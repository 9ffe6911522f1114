#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for the given seconds (default 60) on a copy of its seed corpus, so that
# the committed corpus does not grow: the character info file reader, seeded from fuzz/corpus/, and the sound loader,
# seeded from the game's own sound files (the native build makes them) and one file of each kind the damaged-file
# table (tests/soundfiles.sh) makes. Any crash, leak, sanitizer report or timeout fails the run; the input that caused
# it is kept in build-fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# QF_WERROR=ON in the environment (the test command sets it) turns warnings into errors.
cmake -S fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQF_WERROR="${QF_WERROR:-OFF}"
cmake --build build-fuzz -j"$(nproc)"
[ -f build/CMakeCache.txt ] || cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" --target runfolder >/dev/null

rm -rf build-fuzz/corpus build-fuzz/sound-corpus
mkdir -p build-fuzz/corpus build-fuzz/sound-corpus build-fuzz/artifacts
cp fuzz/corpus/* build-fuzz/corpus/
cp build/run/media/sound/*.ogg build-fuzz/sound-corpus/
bash tests/soundfiles.sh build/run build-fuzz/sound-corpus
# The targets change into their own temp folders before the paths are read, so each must be absolute. Leaks that SDL
# keeps for the life of the process are excused as in the tests.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
./build-fuzz/info_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=5 -print_final_stats=1 \
    -dict="$PWD/fuzz/info.dict" -artifact_prefix="$PWD/build-fuzz/artifacts/" "$PWD/build-fuzz/corpus"
echo "fuzz: the info file corpus grew from $(ls fuzz/corpus | wc -l) to $(ls build-fuzz/corpus | wc -l) inputs"
seeds=$(ls build-fuzz/sound-corpus | wc -l)
# Inputs up to the size of the largest cue; the music's seed is cut to it.
./build-fuzz/sound_fuzz -max_total_time="$seconds" -max_len=20000 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$PWD/build-fuzz/artifacts/" "$PWD/build-fuzz/sound-corpus"
echo "fuzz: the sound corpus grew from $seeds to $(ls build-fuzz/sound-corpus | wc -l) inputs"
