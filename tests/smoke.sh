#!/usr/bin/env bash
# The real executable on a real X display: it draws its frames; Escape held quits with status 0; with no display it
# says so and fails. Without an audio device it plays silently and says so once. Stop signals, --mute and a hero's
# info that is a folder: hostile.sh; the command line: ShellTest.cpp.
set -uo pipefail
run_dir=$1
fail() { echo "FAIL: $*"; exit 1; }
# The game started last must end within $2 tenths of a second (default 50) of $1, with status $3 (default 0).
ends() {
    for _ in $(seq ${2:-50}); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
    kill -0 $game 2>/dev/null && fail "$1 did not quit the game"
    wait $game
    local status=$?
    [ $status = ${3:-0} ] || fail "$1 gave status $status: $(cat "$work/game.out")"
}
# Starts the game in full screen from folder $1 and polls the screen until the battle is drawn: the key hint's white
# text at the top-left corner. Signals as from a terminal: none left ignored by this script.
play() {
    (cd "$1" && exec env --default-signal "$run_dir/quillfray" "${@:2}" >"$work/game.out" 2>&1) &
    game=$!
    for i in $(seq 100); do
        import -window root -crop 200x16+0+0 "$work/top.png" 2>/dev/null &&
            [ "$(convert "$work/top.png" -format '%[fx:maxima.r]' info:)" = 1 ] && break
        [ $i = 100 ] && fail "no frame drawn"
        sleep 0.1
    done
    kill -0 $game 2>/dev/null || fail "the game ended by itself"
}

work=$(mktemp -d)
game=
trap 'kill $game 2>/dev/null; rm -rf "$work"' EXIT

# No display and no driver chosen: the video error line and 255.
nodisplay() {
    (cd "$run_dir" && exec timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ./quillfray "$@")
}
nodisplay >"$work/nodisplay.out" 2>/dev/null
status=$?
[ $status = 255 ] || fail "no display gave status $status"
grep -q '^Error initializing video: no display found' "$work/nodisplay.out" || fail "$(cat "$work/nodisplay.out")"

SDL_AUDIODRIVER=nosuchdriver play "$run_dir"
xdotool keydown Escape
ends "Escape held"
xdotool keyup Escape
[ "$(grep -c '^Sound is off: ' "$work/game.out")" = 1 ] || fail "no audio device: $(cat "$work/game.out")"
echo "PASS: frame drawn; Escape, no display and no audio device as expected"
