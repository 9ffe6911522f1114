#!/usr/bin/env bash
# The real executable on a real X display: it draws its frames, quits with status 0 when Escape is held or its
# window is closed, and without its font says so and exits with 255 before opening a window. Without an audio device
# it plays silently and says so once; with --mute it opens none (the disk driver would write its file).
set -uo pipefail
run_dir=$1
fail() { echo "FAIL: $*"; exit 1; }
# The game started last must end within 5 s of $1, with status 0.
ends() {
    for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
    kill -0 $game 2>/dev/null && fail "$1 did not quit the game"
    wait $game
    local status=$?
    [ $status = 0 ] || fail "$1 gave status $status: $(cat "$work/game.out")"
}

work=$(mktemp -d)
game=
xvfb=
trap 'kill $game $xvfb 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"
# Under X, SDL loads Mesa's GL driver and unloads it at exit with a few bytes still held; LeakSanitizer can
# no longer name the unloaded library to suppress it. The headless suite checks the game's own leaks.
export ASAN_OPTIONS=detect_leaks=0

mkdir "$work/empty"
(cd "$work/empty" && exec "$run_dir/quillfray" >"$work/nofont.out" 2>&1)
status=$?
[ "$status" = 255 ] || fail "missing font gave status $status"
grep -q 'TTF_OpenFont: Couldn.t open text/FreeSans.ttf$' "$work/nofont.out" || fail "no TTF_OpenFont message: $(cat "$work/nofont.out")"

(cd "$run_dir" && SDL_AUDIODRIVER=nosuchdriver exec ./quillfray >"$work/game.out" 2>&1) &
game=$!
# Poll the screen until the battle is drawn: the key hint's white text at the top-left corner.
for i in $(seq 100); do
    import -window root -crop 200x16+0+0 "$work/top.png" 2>/dev/null &&
        [ "$(convert "$work/top.png" -format '%[fx:maxima.r]' info:)" = 1 ] && break
    [ $i = 100 ] && fail "no frame drawn"
    sleep 0.1
done
kill -0 $game 2>/dev/null || fail "the game ended by itself"
xdotool keydown Escape
ends "Escape held"
xdotool keyup Escape
[ "$(grep -c '^Sound is off: ' "$work/game.out")" = 1 ] || fail "no device said: $(cat "$work/game.out")"

# --windowed: a 640x480 window whose close button (the window manager's WM_DELETE_WINDOW) quits with 0.
(cd "$run_dir" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/mix.raw" exec ./quillfray --windowed --mute \
    >"$work/game.out" 2>&1) &
game=$!
window=$(timeout 30 xdotool search --sync --name '^QuillfrayBattle$' | head -1)
[ -n "$window" ] || fail "no window named QuillfrayBattle"
[ "$(xdotool getwindowgeometry "$window" | grep -o '[0-9]*x[0-9]*$')" = 640x480 ] || fail "window is not 640x480"
python3 - "$window" <<'PY'
import ctypes as c, sys
x = c.CDLL("libX11.so.6")
x.XOpenDisplay.restype, x.XInternAtom.restype = c.c_void_p, c.c_ulong
x.XInternAtom.argtypes = [c.c_void_p, c.c_char_p, c.c_int]
x.XSendEvent.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_long, c.c_void_p]
x.XFlush.argtypes = [c.c_void_p]
d, w = x.XOpenDisplay(None), int(sys.argv[1])
# An XClientMessageEvent as longs: type, serial, send_event, display, window, message_type, format, data.
x.XSendEvent(d, w, 0, 0, (c.c_long * 24)(33, 0, 0, 0, w, x.XInternAtom(d, b"WM_PROTOCOLS", 0), 32,
                                            x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)))
x.XFlush(d)
PY
ends "closing the window"
[ ! -e "$work/mix.raw" ] || fail "--mute opened an audio device"
echo "PASS: frame drawn, Escape held quits with 0, missing font exits with 255, window close quits with 0, no audio" \
    "device said once, --mute opened none"
