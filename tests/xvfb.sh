#!/usr/bin/env bash
# xvfb.sh COMMAND...: runs COMMAND with DISPLAY on a private 640x480x24 X server on a free display and kills the
# server however COMMAND ends; exits with COMMAND's status. A game left running dies with its X server.
xvfb= cmd=
trap 'kill $cmd $xvfb 2>/dev/null' EXIT
trap 'exit 143' TERM INT HUP
# The server writes its display number once it accepts clients. -noreset: by default it resets whenever its last
# client leaves, and a game connecting meanwhile (right after a screenshot) finds no X server and runs unseen.
exec 5< <(exec Xvfb -displayfd 1 -screen 0 640x480x24 -nolisten tcp -noreset 2>/dev/null)
xvfb=$!
read -r -t 10 display <&5 || { echo "FAIL: Xvfb did not start"; exit 1; }
# Under X, SDL loads Mesa's GL driver and unloads it at exit with a few bytes still held; LeakSanitizer can no
# longer name the unloaded library to suppress it. The headless suite checks the game's own leaks.
export DISPLAY=:$display ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0
# In the background so that a signal to this script is handled at once, not when COMMAND ends.
"$@" 5<&- &
cmd=$!
wait $cmd
