#!/usr/bin/env bash
# Damaged sound files, through the real executable with the disk audio driver (so that it loads them): each case
# damages one file of a folder of silent ones. The game must start, mix nothing but silence, end on SIGTERM with 143
# and say what happened in the lines expected. Prints each case's status, lines and time to exit.
set -uo pipefail
run_dir=$(cd "$1" && pwd) work=$(mktemp -d) game= failed=0
trap 'kill -9 $game 2>/dev/null; rm -rf "$work"' EXIT
# A mono 16-bit 44.1 kHz WAV header whose data chunk claims $1 bytes (a little-endian word, as printf escapes).
head44() { printf 'RIFF\0\0\0\0WAVEfmt \20\0\0\0\1\0\1\0\104\254\0\0\210\130\1\0\2\0\20\0data'"$1"; }
# check NAME REGEX LINES DAMAGE: standard output is LINES lines, each matching REGEX.
check() {
    local dir=$work/$1 sent status lines loud verdict=ok
    mkdir -p "$dir/media/sound" && ln -s "$run_dir/text" "$dir/" && ln -s "$run_dir"/media/{bkground,chars} "$dir/media/"
    for n in stroke release tired blow heropain herodeath foepain foedeath victory defeat approach music dot{01..16}; do
        head44 '\0\0\0\0' >"$dir/media/sound/$n.wav"
    done
    (cd "$dir/media/sound" && eval "$4")
    (cd "$dir" && exec env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/mix.raw" \
        "$run_dir/quillfray" --windowed >"$dir/out" 2>/dev/null) &
    game=$!
    for _ in {1..100}; do # until half a second is mixed: the loop has played for a while if it loaded
        [ "$(stat -c %s "$dir/mix.raw" 2>&-)" -gt 90000 ] 2>&- || ! kill -0 $game 2>&- && break || sleep 0.1
    done
    sent=${EPOCHREALTIME/./} && kill -TERM $game && for _ in {1..30}; do kill -0 $game 2>&- && sleep 0.1; done
    kill -9 $game 2>&-; wait $game 2>&-
    status=$? lines=$(wc -l <"$dir/out") loud=$(tr -d '\0' <"$dir/mix.raw" | wc -c) game=
    [ $status = 143 ] && [ $loud = 0 ] && [ $lines = $3 ] && ! grep -Evq "$2" "$dir/out" || verdict=FAIL failed=1
    echo "$1: status $status, $lines lines, $(((${EPOCHREALTIME/./} - sent) / 1000)) ms to exit after SIGTERM," \
        "$loud bytes of sound: $verdict. $(head -1 "$dir/out")"
}
buzz="printf %.0sbuzz {1..50}" # 200 bytes
check huge 'music\.wav not loaded: not a whole WAV file' 1 "{ head44 '\360\377\377\377'; $buzz; } >music.wav"
check cut 'music\.wav not loaded: not a whole WAV file' 1 "{ head44 '\312\0\0\0'; $buzz; } >music.wav" # a sample short
check riff 'stroke\.wav not loaded: not a whole WAV file' 1 "printf 'RIFF\\0\\0\\0\\0AVI LIST' >stroke.wav" # not sound
check missing '^Sound file media/sound/(dot[01][0-9]|[a-z]+)\.wav not loaded: missing$' 28 'rm *.wav'
check folder 'stroke\.wav not loaded: not a file' 1 'rm stroke.wav && mkdir stroke.wav'
check pipe 'music\.wav not loaded: not a file' 1 'rm music.wav && mkfifo music.wav'
exit $failed
