#!/usr/bin/env bash
# Start-up under Xvfb: time from exec to the end of the first SDL_Flip (logged by build/bench/libflipstamp.so),
# for the game and for build/bench/minflip (the same video mode, one flip), taken in turns; prints each one's
# median and range over N runs (default 9). Environment variables (e.g. SDL_RENDER_DRIVER) pass through to both.
set -euo pipefail
cd "$(dirname "$0")/.."
# Everything runs on a private X server: the script starts itself again through tests/xvfb.sh.
[ -n "${QF_STARTUP_XVFB:-}" ] || QF_STARTUP_XVFB=1 exec bash tests/xvfb.sh bash scripts/startup.sh "$@"
runs=${1:-9}
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" --target quillfray minflip flipstamp runfolder >/dev/null
root=$PWD

work=$(mktemp -d)
prog=
trap '[ -n "$prog" ] && kill -9 $prog 2>/dev/null; rm -rf "$work"' EXIT

# Milliseconds from the exec of $@ (run in build/run) to the end of its first flip; the program is then killed
# (full screen, the game only ends on a held Escape).
first_flip_ms() {
    rm -f "$work/flips"
    (cd build/run && FLIPSTAMP_LOG="$work/flips" LD_PRELOAD="$root/build/bench/libflipstamp.so" exec python3 -c \
        'import os, sys, time; print(time.monotonic_ns(), flush=True); os.execv(sys.argv[1], sys.argv[1:])' \
        "$@" >"$work/out" 2>&1) &
    prog=$!
    for _ in $(seq 200); do [ -s "$work/flips" ] && break; sleep 0.02; done
    kill -9 $prog 2>/dev/null || true
    wait $prog 2>/dev/null || true
    prog=
    [ -s "$work/flips" ] || { echo "no frame flipped: $(cat "$work/out")" >&2; exit 1; }
    echo $(( ($(head -1 "$work/flips" | cut -d' ' -f2) - $(head -1 "$work/out")) / 1000000 ))
}

for _ in $(seq "$runs"); do
    echo "game $(first_flip_ms ./quillfray)"
    echo "minimal $(first_flip_ms "$root/build/bench/minflip")"
done >"$work/times"
for who in game minimal; do
    awk -v who=$who '$1 == who { print $2 }' "$work/times" | sort -n | awk -v who=$who '{ t[NR] = $1 } END {
        printf "%-8s exec to first flip: median %d ms (%d to %d, %d runs)\n", who, t[int((NR + 1) / 2)], t[1], t[NR], NR
    }'
done
