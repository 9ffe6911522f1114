#!/usr/bin/env bash
# The real executable where its surroundings fail it: closed standard streams, a reader of its output that has gone,
# a full device, start-up waiting on a named pipe. A second after its start the game gets the signal and must end
# as the case says within two more: one whose X connection took a closed stream's number, or that blocks in an
# open(), would not.
set -uo pipefail
run=$(realpath "$1") work=$(mktemp -d) failed=0 n=0
trap 'rm -rf "$work"' EXIT
mkfifo "$work/pipe" && exec 3<>"$work/pipe" 4>"$work/pipe" 3<&- # a pipe whose reader has gone, on 4

# Case: signal | status | a file of the run folder gone or made a named pipe | environment | arguments and streams |
# line on standard error.
while IFS='|' read -r sig status change env args line; do
    dir=$work/$((++n))
    mkdir "$dir" && cp -rs "$run/media" "$run/text" "$dir/"
    read -r how file <<<"$change"
    [ "$how" = - ] || rm "$dir/$file"
    [ "$how" = pipe ] && mkfifo "$dir/$file"
    start=${EPOCHREALTIME/./}
    # Signals as from a terminal: none left ignored, SIGPIPE included.
    (cd "$dir" && eval "timeout --preserve-status -k 2 -s $sig 1 env --default-signal $env '$run/quillfray' 2>../err $args")
    got=$? err=$(head -1 "$work/err")
    echo "$change $args: status $got after $(((${EPOCHREALTIME/./} - start) / 1000)) ms${err:+, \"$err\"}"
    [ "$got" = "$status" ] && [ "$err" = "$line" ] || { echo "FAIL: wanted status $status${line:+, \"$line\"}" && failed=1; }
done <<'EOF'
TERM|143|-|SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null|2>&-|
INT|130|gone media/bkground/drawBk.png||--mute >&-|
TERM|143|gone media/bkground/drawBk.png|SDL_AUDIODRIVER=nosuchdriver|>&4|
TERM|1|-||--version >/dev/full|quillfray: cannot write to standard output: No space left on device
TERM|1|-||--help >&-|quillfray: cannot write to standard output: Bad file descriptor
INT|130|pipe text/FreeSans.ttf||--mute|
TERM|143|pipe media/bkground/drawBk.png||--mute|
EOF
exit $failed
