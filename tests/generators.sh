#!/usr/bin/env bash
# The media generators write the same bytes on every run: each runs twice into fresh folders, then all compared.
set -euo pipefail
makeart=$1 makesound=$2 dir=$3
rm -rf "$dir"
for run in a b; do
    "$makeart" "$dir/$run/media"
    "$makeart" --icon "$dir/$run/icon.png"
    "$makesound" "$dir/$run/media/sound"
done
ls "$dir"/a/media/chars/*/*.png "$dir"/a/media/sound/*.ogg >/dev/null # neither side came out empty
diff -r "$dir/a" "$dir/b"
