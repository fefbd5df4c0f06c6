#!/bin/sh
# Checks that the decoder's fuzz target reads its bytes as the real input:
# fed the seeds made from the sample set, it prints the same count lines for
# both cameras as the decoder program run on the sample set itself.
# Usage: decoder_seed_check.sh REPLAY DECODER SAMPLE_DIR SEED_DIR
set -eu
replay=$1 decoder=$2 sample=$3 seeds=$4
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
for f in "$sample"/*.bmp; do ln -s "$f" "$dir/"; done
(cd "$dir" && DISPLAY= "$decoder" >program.txt 2>/dev/null)
"$replay" "$seeds/camera1" "$seeds/camera2" >"$dir/target.txt"
grep -E '^(vyrazeno|dobre)' "$dir/program.txt" >"$dir/a"
grep -E '^(vyrazeno|dobre)' "$dir/target.txt" >"$dir/b"
[ "$(wc -l <"$dir/a")" -eq 6 ] || { echo "the decoder printed no counts" >&2; exit 1; }
diff "$dir/a" "$dir/b"
