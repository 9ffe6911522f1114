#!/usr/bin/env bash
# Runs the unchanged game under Xvfb for a while (default 60 s; further arguments go to the game, e.g. --mute), then
# holds Escape to quit it, and prints its frames per second (from SDL_Flip timestamps logged by the LD_PRELOAD shim
# build/bench/libflipstamp.so) and its CPU use (utime + stime from /proc/<pid>/stat over the same span), with the
# flip's share of it.
# Environment variables (e.g. SDL12COMPAT_OPENGL_SCALING=0) pass through to the game.
set -euo pipefail
cd "$(dirname "$0")/.."
# Everything runs on a private X server: the script starts itself again through tests/xvfb.sh.
[ -n "${QF_FPS_XVFB:-}" ] || QF_FPS_XVFB=1 exec bash tests/xvfb.sh bash scripts/fps.sh "$@"
secs=${1:-60}
[ $# -gt 0 ] && shift
cmake --preset release >/dev/null
cmake --build build -j"$(nproc)" --target quillfray flipstamp runfolder >/dev/null
root=$PWD

work=$(mktemp -d)
game=
trap '[ -n "$game" ] && kill $game 2>/dev/null; rm -rf "$work"' EXIT

(cd build/run && FLIPSTAMP_LOG="$work/flips" LD_PRELOAD="$root/build/bench/libflipstamp.so" exec ./quillfray "$@" \
    >"$work/game.out" 2>&1) &
game=$!
for _ in $(seq 100); do [ -s "$work/flips" ] && break; sleep 0.05; done
[ -s "$work/flips" ] || { echo "no frame flipped: $(cat "$work/game.out")"; exit 1; }
sleep 1 # past start-up

cputicks() { awk '{ print $14 + $15 }' /proc/$game/stat; } # utime + stime (fields 14, 15), all threads
threads() { for t in /proc/$game/task/*; do echo "${t##*/} $(awk '{ print $14 + $15 }' $t/stat) $(cat $t/comm)"; done; }
threads >"$work/threads0"
t0=$(date +%s%N); c0=$(cputicks); n0=$(wc -l <"$work/flips")
sleep "$secs"
t1=$(date +%s%N); c1=$(cputicks); n1=$(wc -l <"$work/flips")
threads >"$work/threads1"

xdotool keydown Escape
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
xdotool keyup Escape
wait $game || { echo "game exited with $?: $(cat "$work/game.out")"; exit 1; }
game=

# Frames flipped between the two readings; fps from their own timestamps.
awk -v hz="$(getconf CLK_TCK)" -v dc=$((c1 - c0)) -v wall=$((t1 - t0)) -v n0="$n0" -v n1="$n1" '
    NR > n0 && NR <= n1 {
        if (first) { gap = ($1 - last) / 1e6; if (gap > 40) ++late; if (gap > worst) worst = gap } else first = $1
        last = $1; ++frames; flipcpu += $3; flipwall += $2 - $1
    }
    END {
        span = (last - first) / 1e9
        cpu = dc / hz
        printf "frames %d over %.1f s: %.2f fps (%d gaps over 40 ms, longest %.1f ms)\n", frames, span,
            (frames - 1) / span, late, worst
        printf "CPU %.2f s over %.1f s: %.1f%% of one core\n", cpu, wall / 1e9, 100 * cpu / (wall / 1e9)
        printf "inside SDL_Flip: %.2f ms CPU, %.2f ms wall per frame (%.1f%% of one core)\n",
            flipcpu / frames / 1e6, flipwall / frames / 1e6, 100 * flipcpu / 1e9 / span
    }' "$work/flips"
echo "CPU by thread over the span (% of one core):"
awk -v hz="$(getconf CLK_TCK)" -v wall=$((t1 - t0)) 'NR == FNR { before[$1] = $2; next }
    { d = $2 - before[$1]; if (d > 0) printf "  %-16s %5.1f%%\n", $3, 100 * d / hz / (wall / 1e9) }' \
    "$work/threads0" "$work/threads1"
