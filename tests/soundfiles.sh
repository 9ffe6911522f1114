#!/usr/bin/env bash
# Damaged sound files, through the real executable with the disk audio driver (so that it loads them): each case
# puts one file, made from the game's own, in a folder that holds no other sound. The game must start, mix nothing but
# silence, end on SIGTERM with 143 and say in one line per file why it did not load it. Prints each case's status,
# lines and time to exit. With a second argument, a folder, it only writes each damaged file there (the sound
# fuzzer's seeds).
set -uo pipefail
run_dir=$(cd "$1" && pwd) seeds=${2:+$(cd "$2" && pwd)} work=$(mktemp -d) game= failed=0
trap 'kill -9 $game 2>/dev/null; rm -rf "$work"' EXIT
# ogg FILE FIELD VALUE: sets a field of an Ogg Vorbis file, its page's checksum made right again: the rate or the
# channel count in its first page, or in its last the length or the first byte of its third packet.
ogg() {
    python3 - "$@" <<'PY'
import struct, sys
path, field, value = sys.argv[1], sys.argv[2], int(sys.argv[3])
b = bytearray(open(path, 'rb').read())
page = b.rfind(b'OggS') if field in ('length', 'packet') else 0
lacing = b[page + 27:page + 27 + b[page + 26]]
starts = [page + 27 + len(lacing) + sum(lacing[:i]) for i in range(len(lacing)) if i and lacing[i - 1] < 255]
at, size = {'rate': (27 + b[26] + 12, 4), 'channels': (27 + b[26] + 11, 1), 'length': (page + 6, 8),
            'packet': (starts[1] if len(starts) > 1 else 0, 1)}[field]
b[at:at + size] = value.to_bytes(size, 'little')
end = page + 27 + b[page + 26] + sum(b[page + 27:page + 27 + b[page + 26]])
b[page + 22:page + 26] = b'\0\0\0\0'
crc = 0
for byte in b[page:end]:
    crc ^= byte << 24
    for _ in range(8):
        crc = (crc << 1 ^ 0x04C11DB7 if crc & 0x80000000 else crc << 1) & 0xFFFFFFFF
b[page + 22:page + 26] = struct.pack('<I', crc)
open(path, 'wb').write(b)
PY
}
# A 16-bit stereo WAV of 1 Hz: with $1 bytes of sound, the mixer's converter wrote past its buffer and the game died.
wav1hz() { printf 'RIFF\0\0\0\0WAVEfmt \20\0\0\0\1\0\2\0\1\0\0\0\4\0\0\0\4\0\20\0data'"$1"; head -c 24349 /dev/zero; }
# check NAME FILE WHY DAMAGE: the sound folder holds only a copy of the game's FILE.ogg, and DAMAGE runs there. Standard
# output must be 28 lines: one for each other file, missing, and one for FILE matching WHY; with no WHY, FILE is heard
# and has no line.
check() {
    local dir=$work/$1 sent status lines loud verdict=ok
    mkdir -p "$dir/media/sound" && ln -s "$run_dir/text" "$dir/" && ln -s "$run_dir"/media/{bkground,chars} "$dir/media/"
    cp "$run_dir/media/sound/$2.ogg" "$dir/media/sound/" && (cd "$dir/media/sound" && eval "$4")
    if [ -n "$seeds" ]; then
        [ ! -f "$dir/media/sound/$2.ogg" ] || cp "$dir/media/sound/$2.ogg" "$seeds/$1"
        return
    fi
    (cd "$dir" && exec env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$dir/mix.raw" \
        "$run_dir/quillfray" --windowed >"$dir/out" 2>/dev/null) &
    game=$!
    for _ in {1..100}; do # until half a second is mixed: a file that loaded has played for a while
        [ "$(stat -c %s "$dir/mix.raw" 2>&-)" -gt 90000 ] 2>&- || ! kill -0 $game 2>&- && break || sleep 0.1
    done
    sent=${EPOCHREALTIME/./} && kill -TERM $game && for _ in {1..30}; do kill -0 $game 2>&- && sleep 0.1; done
    kill -9 $game 2>&-; wait $game 2>&-
    status=$? lines=$(grep -c '^Sound file media/sound/[a-z0-9]*\.ogg not loaded: ' "$dir/out")
    loud=$(tr -d '\0' <"$dir/mix.raw" | wc -c) game=
    local heard=$((${#3} == 0)) n=$((28 - (${#3} == 0)))
    [ $status = 143 ] && [ $((loud > 0)) = $heard ] && [ $lines = $n ] && [ "$(wc -l <"$dir/out")" = $n ] &&
        { [ $heard = 1 ] || grep "/$2\.ogg " "$dir/out" | grep -Eq "$3"; } &&
        [ "$(grep -c ': missing$' "$dir/out")" -ge 27 ] || verdict=FAIL failed=1
    echo "$1: status $status, $lines lines, $(((${EPOCHREALTIME/./} - sent) / 1000)) ms to exit after SIGTERM," \
        "$loud bytes of sound: $verdict. $(grep "/$2\.ogg " "$dir/out")"
}
check plays music '' : # whole: heard from the start
check wav music 'not Ogg Vorbis$' "wav1hz '\35\137\0\0' >music.ogg"
check rate stroke '1 Hz, not 44100$' 'ogg stroke.ogg rate 1'
check channels stroke '3 channels, not 1 or 2$' 'ogg stroke.ogg channels 3'
check long victory 'longer than two minutes$' 'ogg victory.ogg length 1099511627776'
check twominutes music '' 'ogg music.ogg length 5292000' # as long as a sound may be, and streamed: heard at once
check cut music 'cut short$' 'head -c 300000 music.ogg >m && mv m music.ogg'
check damaged dot01 'damaged$' "printf x | dd of=dot01.ogg bs=1 seek=4000 conv=notrunc status=none"
check twice stroke 'damaged$' 'cat stroke.ogg stroke.ogg >s && mv s stroke.ogg'
check undecodable stroke 'damaged$' 'ogg stroke.ogg packet 1' # each page whole, but not its sound
check large music 'too large$' 'truncate -s 16M music.ogg' # read no further
check missing stroke 'missing$' 'rm stroke.ogg'
check folder stroke 'not a file$' 'rm stroke.ogg && mkdir stroke.ogg'
check pipe music 'not a file$' 'rm music.ogg && mkfifo music.ogg'
exit $failed
