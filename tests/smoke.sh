#!/usr/bin/env bash
# The real executable on a real X display, and where its surroundings fail it: no display, no audio device, closed
# standard streams, a reader of its output that has gone, a full device, start-up waiting on a named pipe, a hero's
# info that is a folder. Once it shows its first frame or waits on the pipe, Escape held must end it with status 0,
# a stop signal within a second (SIGINT 130, SIGTERM 143), having written just the line given: a game whose X
# connection took a closed stream's number, or that blocks in an open(), would not. Escape goes to a game whose first
# frame shows at the screen's top-left corner: a window larger than the screen would show its middle there.
set -uo pipefail
run=$(realpath "$1") work=$(mktemp -d) failed=0 n=0
trap 'rm -rf "$work"' EXIT
# Presented without OpenGL: it starts in half the time.
export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0
mkfifo "$work/pipe" && exec 3<>"$work/pipe" 4>"$work/pipe" 3<&- # a pipe whose reader has gone, on 4

# The first frame shown: the key hint's white text at the top-left corner.
shown() { [ "$(import -window root -crop 200x16+0+0 png:- | convert - -format '%[fx:maxima.r]' info:)" = 1 ]; }
# Case: Escape or a signal | status | change to the run folder | environment | arguments and streams | all it writes
# on standard error. Signals as from a terminal: none left
# ignored, SIGPIPE included.
while IFS='|' read -r sig status change env args said; do
    mkdir "$work/$((++n))" && cd "$work/$n" && cp -rs "$run/media" "$run/text" . && eval "$change"
    eval "env --default-signal $env '$run/quillfray' 2>../err $args &"
    game=$!
    # The signal once the first frame shows or start-up waits on a named pipe, unless the game has ended.
    for _ in $(seq 50); do
        kill -0 $game 2>/dev/null && ! grep -qx wait_for_partner /proc/$game/wchan && ! shown || break
        sleep 0.1
    done
    unseen=
    [ "$sig" = Escape ] && { shown || unseen=", not shown at the top-left"; xdotool keydown Escape; } || kill -$sig $game 2>/dev/null
    for _ in $(seq 10); do kill -0 $game 2>/dev/null && sleep 0.1; done
    kill -KILL $game 2>/dev/null
    wait $game 2>/dev/null
    got=$? out=$(cat ../err)
    xdotool keyup Escape
    [ "$got" = "$status" ] && [ "$out" = "$said" ] && [ -z "$unseen" ] && r=pass || r=FAIL failed=1
    echo "$r: $change $env $args: status $got (wanted $status), standard error '$out'$unseen"
done <<'EOF'
Escape|0|:|SDL_AUDIODRIVER=nosuchdriver|>&2|Sound is off: Audio target 'nosuchdriver' not available
Escape|0|:||--windowed --scale 3 --mute >&2|A window 3 times as large does not fit the screen (640x480): playing in a 640x480 window instead
TERM|255|:|-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER|>../err 2>/dev/null|Error initializing video: no display found (is DISPLAY set?)
TERM|143|:|SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null|2>&-|
INT|130|rm media/bkground/drawBk.png||--mute >&-|
TERM|143|rm media/bkground/drawBk.png|SDL_AUDIODRIVER=nosuchdriver|>&4|
TERM|1|:||--version >/dev/full|quillfray: cannot write to standard output: No space left on device
TERM|1|:||--help >&-|quillfray: cannot write to standard output: Bad file descriptor
INT|130|rm text/FreeSans.ttf && mkfifo text/FreeSans.ttf||--mute|
TERM|143|rm media/bkground/drawBk.png && mkfifo media/bkground/drawBk.png||--mute|
INT|130|rm media/chars/demoChar/info && mkdir media/chars/demoChar/info|SDL_AUDIODRIVER=disk|--mute >&2|Cannot find file:media/chars/demoChar/info
EOF
exit $failed
