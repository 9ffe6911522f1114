#!/usr/bin/env bash
# The Debian package (the .deb given), unpacked into a temporary root (nothing is installed): its launcher, started from another
# folder, answers --help and --version, and on an X display starts the game, which finds its data and quits with
# status 0 when Escape is held. Run it through xvfb.sh.
set -uo pipefail
deb=$(realpath "$1")
version=$(dpkg-deb -f "$deb" Version)
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
game=
trap 'kill -9 $game 2>/dev/null; rm -rf "$work"' EXIT

dpkg-deb -x "$deb" "$work/root" || fail "cannot unpack $deb"
# The font link points into fonts-freefont-ttf, a dependency: give this root the font where that package puts it.
font=/usr/share/fonts/truetype/freefont/FreeSans.ttf
mkdir -p "$work/root${font%/*}" && ln -s "$font" "$work/root$font"
cd "$work"
quillfray="timeout -k 1 10 root/usr/games/quillfray" # an option it does not know would start the game
out=$($quillfray --help 2>&1)
grep -q -- --windowed <<<"$out" || fail "--help: $out"
out=$($quillfray --version 2>&1)
[ "$out" = "quillfray $version" ] || fail "--version: $out"

$quillfray >game.out 2>&1 &
game=$!
# The caption is set once the pictures and characters are loaded, so the window's name means start-up is done.
timeout 30 xdotool search --sync --name '^QuillfrayBattle$' >/dev/null || fail "no game window: $(cat game.out)"
xdotool keydown Escape
for _ in $(seq 50); do kill -0 $game 2>/dev/null || break; sleep 0.1; done
xdotool keyup Escape
kill -0 $game 2>/dev/null && fail "Escape held did not quit the game"
wait $game || fail "the game exited with $?: $(cat game.out)"
game=
grep -q 'Cannot find file\|Image Loading error' game.out && fail "the game missed its data: $(cat game.out)"
echo "PASS: the unpacked package's launcher answers --help and --version, starts the game and Escape quits it"
