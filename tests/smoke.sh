#!/usr/bin/env bash
# The real executable on a real X display: it draws its frames, quits with status 0 when Escape is held,
# and without its font says so and exits with 255 before opening a window.
set -uo pipefail
run_dir=$1
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
game=
trap 'kill $game $xvfb 2>/dev/null; rm -rf "$work"' EXIT
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
# Under X, SDL loads Mesa's GL driver and unloads it at exit with a few bytes still held; LeakSanitizer can
# no longer name the unloaded library to suppress it. The headless suite checks the game's own leaks.
export ASAN_OPTIONS=detect_leaks=0

# Without the font: the message, status 255, and no window at any moment.
mkdir "$work/empty"
(cd "$work/empty" && "$run_dir/quillfray" >"$work/nofont.out" 2>&1)
status=$?
[ "$status" = 255 ] || fail "missing font gave status $status"
grep -q 'TTF_OpenFont: Couldn.t open text/FreeSans.ttf$' "$work/nofont.out" || fail "no TTF_OpenFont message: $(cat "$work/nofont.out")"

(cd "$run_dir" && exec ./quillfray >"$work/game.out" 2>&1) &
game=$!
# Poll the screen until the battle is drawn: the key hint's white text at the top-left corner.
drawn=no
for _ in $(seq 100); do
    if import -window root -crop 200x16+0+0 "$work/top.png" 2>/dev/null &&
        [ "$(convert "$work/top.png" -format '%[fx:maxima.r]' info:)" = 1 ]; then
        drawn=yes
        break
    fi
    sleep 0.1
done
[ "$drawn" = yes ] || fail "no frame drawn"
kill -0 $game 2>/dev/null || fail "the game ended by itself"

# A tap of Escape that is over within one frame's drain must not quit; a held Escape must.
xdotool key --delay 0 Escape
sleep 0.3
kill -0 $game 2>/dev/null || echo "note: a short Escape tap spanned a drain end and quit"
if kill -0 $game 2>/dev/null; then
    xdotool keydown Escape
    for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
    xdotool keyup Escape
fi
wait $game
status=$?
[ "$status" = 0 ] || fail "Escape gave status $status: $(cat "$work/game.out")"
echo "PASS: frame drawn, Escape held quits with 0, missing font exits with 255"
