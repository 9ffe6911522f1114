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

# --windowed: a 640x480 window whose close button (the window manager's WM_DELETE_WINDOW) quits with 0.
(cd "$run_dir" && exec ./quillfray --windowed >"$work/window.out" 2>&1) &
game=$!
window=$(timeout 30 xdotool search --sync --name '^QuillfrayBattle$' | head -1)
[ -n "$window" ] || fail "no window named QuillfrayBattle"
[ "$(xdotool getwindowgeometry "$window" | grep -o '[0-9]*x[0-9]*$')" = 640x480 ] || fail "window is not 640x480"
python3 - "$window" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype, x.XInternAtom.restype = ctypes.c_void_p, ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]
d, w = x.XOpenDisplay(None), int(sys.argv[1])
ev = ClientMessage(type=33, window=w, message_type=x.XInternAtom(d, b"WM_PROTOCOLS", 0), format=32)
ev.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(d, w, 0, 0, ctypes.byref(ev))
x.XFlush(d)
PY
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
kill -0 $game 2>/dev/null && fail "the close button did not quit the windowed game"
wait $game
status=$?
[ "$status" = 0 ] || fail "closing the window gave status $status"
echo "PASS: frame drawn, Escape held quits with 0, missing font exits with 255, window close quits with 0"
