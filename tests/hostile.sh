#!/usr/bin/env bash
# The real executable where its surroundings fail it: closed standard streams, a reader of its output that has gone,
# a full device, start-up waiting on a named pipe, a hero's info that is a folder. Signalled once it shows its first
# frame or waits on the pipe, the game must die of it within a second (SIGINT 130, SIGTERM 143) having written just
# the line given: one whose X connection took a closed stream's number, or that blocks in an open(), would not.
set -uo pipefail
run=$(realpath "$1") work=$(mktemp -d) failed=0 n=0
trap 'rm -rf "$work"' EXIT
# Presented without OpenGL: it starts in half the time.
export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0
mkfifo "$work/pipe" && exec 3<>"$work/pipe" 4>"$work/pipe" 3<&- # a pipe whose reader has gone, on 4

# The first frame shown: the key hint's white text at the top-left corner.
shown() { [ "$(import -window root -crop 200x16+0+0 png:- | convert - -format '%[fx:maxima.r]' info:)" = 1 ]; }
# Case: signal | status | change to the run folder | environment | arguments and streams | all it writes on
# standard error. Signals as from a terminal: none left ignored, SIGPIPE included.
while IFS='|' read -r sig status change env args said; do
    mkdir "$work/$((++n))" && cd "$work/$n" && cp -rs "$run/media" "$run/text" . && eval "$change"
    eval "env --default-signal $env '$run/quillfray' 2>../err $args &"
    game=$!
    # The signal once the first frame shows or start-up waits on a named pipe, unless the game has ended.
    for _ in $(seq 50); do
        kill -0 $game 2>/dev/null && ! grep -qx wait_for_partner /proc/$game/wchan && ! shown || break
        sleep 0.1
    done
    kill -$sig $game 2>/dev/null
    for _ in $(seq 10); do kill -0 $game 2>/dev/null && sleep 0.1; done
    kill -KILL $game 2>/dev/null
    wait $game 2>/dev/null
    got=$? out=$(cat ../err)
    [ "$got" = "$status" ] && [ "$out" = "$said" ] && r=pass || r=FAIL failed=1
    echo "$r: $change $env $args: status $got (wanted $status), standard error '$out'"
done <<'EOF'
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
