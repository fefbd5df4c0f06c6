#!/usr/bin/env bash
# Runs the benchmarks and the whole-process timings and prints one table:
# per line the figure of a reference build ("today", when one is given), the
# figure of this build and the goal (the decoder, pairs_to_points on 10000
# pairs, the benchmarks, viewer_polar up to its window, dense_scan on six and
# twelve angles).
#
#   bench/run.sh [BUILD_DIR [REFERENCE_BUILD_DIR]]
#
# BUILD_DIR defaults to build/. REFERENCE_BUILD_DIR is a build of the commit
# to compare with, made for example by
#   git worktree add /tmp/reference COMMIT
#   cmake -S /tmp/reference --preset release   (older commits: -DCMAKE_BUILD_TYPE=RelWithDebInfo)
#   cmake --build /tmp/reference/build -j2 --target decoder decoder_sample_set bench_decoder
# Whole processes are timed with hyperfine (median of RUNS runs, default 15,
# after 3 warm-up runs); the two builds are timed in one hyperfine call, one
# right after the other. The machine's other load enters every figure: on a
# busy machine compare the "today" and "now" columns rather than the goals,
# and raise RUNS. The decoder's "data.txt" and
# console of both builds are also compared byte for byte on the sample set,
# on the sample set stored as 24-bit top-down bitmaps, and on a random set.
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
reference=${2:+$(cd "$2" && pwd)}
runs=${RUNS:-15}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for tool in hyperfine convert; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done

rows=()
row() { rows+=("$1|$2|$3|$4"); }

# Median wall time in ms of each command, in the order given (hyperfine CSV:
# command,mean,stddev,median,user,system,min,max, in seconds), and the mean
# CPU time (user + system).
time_commands() {
  local csv=$work/times.csv dir=$1
  shift
  (cd "$dir" && DISPLAY= hyperfine -N --style none --warmup 3 --runs "$runs" -i \
     --export-csv "$csv" "$@" >/dev/null 2>&1)
  tail -n +2 "$csv" | awk -F, '{ printf "%.1f %.1f\n", $4 * 1000, ($5 + $6) * 1000 }'
}

# ---- The decoder ----------------------------------------------------------
sample=$build/sample/decoder
dec=$build/decoder/decoder
link_set() {  # link_set FROM TO: the 38 images of FROM as links in TO
  mkdir -p "$2"
  for f in "$1"/*.bmp; do ln -sf "$f" "$2/"; done
}
link_set "$sample" "$work/sample"
if [ -n "$reference" ]; then
  mapfile -t t < <(time_commands "$work/sample" "$reference/decoder/decoder" "$dec")
  read -r ref_wall ref_cpu <<<"${t[0]}"
  read -r new_wall new_cpu <<<"${t[1]}"
  row "decoder, sample set, wall (median, ms)" "$ref_wall" "$new_wall" "<= 40"
  row "decoder, sample set, CPU (mean, ms)" "$ref_cpu" "$new_cpu" "-"
  row "decoder, speed-up in wall time" "1" "$(awk -v a="$ref_wall" -v b="$new_wall" 'BEGIN { printf "%.1f", a / b }')" ">= 3"
else
  read -r new_wall new_cpu < <(time_commands "$work/sample" "$dec")
  row "decoder, sample set, wall (median, ms)" "-" "$new_wall" "<= 40"
  row "decoder, sample set, CPU (mean, ms)" "-" "$new_cpu" "-"
fi

# ---- pairs_to_points on 10000 pairs, next to the decoder ----------------------
# The decoder's whole run is the yardstick: turning its pairs into points
# must take well under that.
mkdir -p "$work/pairs"
"$build/bench/bench_pairs_to_points" --data "$work/pairs"
read -r pairs_wall pairs_cpu < <(time_commands "$work/pairs" "$build/pairs/pairs_to_points")
row "pairs_to_points, 10000 pairs, wall (median, ms)" "-" "$pairs_wall" "well under the decoder's $new_wall"
row "pairs_to_points, 10000 pairs, CPU (mean, ms)" "-" "$pairs_cpu" "well under the decoder's $new_cpu"

# Output of both builds on three image sets.
if [ -n "$reference" ]; then
  mkdir -p "$work/bgr24" "$work/random"
  for f in "$sample"/*.bmp; do
    convert "$f" -type TrueColor -define bmp:format=bmp3 -flip "BMP3:$work/bgr24/$(basename "$f")"
    # A negative height: the same pixels stored top row first.
    printf '\x20\xfe\xff\xff' | dd of="$work/bgr24/$(basename "$f")" bs=1 seek=22 conv=notrunc status=none
  done
  i=0
  for f in "$sample"/*.bmp; do
    i=$((i + 1))
    convert -size 640x480 xc:gray50 -seed "$i" +noise Random -blur 0x3 -colorspace Gray \
      -type Grayscale "BMP3:$work/random/$(basename "$f")"
  done
  same=yes
  for set in sample bgr24 random; do
    for which in ref new; do
      d=$work/out-$set-$which
      link_set "$work/$set" "$d"
      exe=$dec
      [ "$which" = ref ] && exe=$reference/decoder/decoder
      (cd "$d" && DISPLAY= "$exe" >console.txt 2>errors.txt) || true
    done
    for f in console.txt errors.txt data.txt; do
      cmp -s "$work/out-$set-ref/$f" "$work/out-$set-new/$f" || { same=no; echo "run.sh: $set: $f differs" >&2; }
    done
  done
  row "decoder output identical (sample, 24-bit top-down, random)" "-" "$same" "yes"
fi

# ---- Benchmarks -------------------------------------------------------------
bench_ms() {  # the mean time per iteration of the first benchmark, in ms
  "$1" --benchmark_format=csv 2>/dev/null | awk -F, '/^"/ { printf "%.1f", $3; exit }'
}
today="-"
[ -n "$reference" ] && [ -x "$reference/bench/bench_decoder" ] && today=$(bench_ms "$reference/bench/bench_decoder")
row "bench_decoder, both cameras (ms)" "$today" "$(bench_ms "$build/bench/bench_decoder")" "-"
row "bench_pairs_to_points, 10000 pairs read, triangulated, written (ms)" "-" \
  "$(bench_ms "$build/bench/bench_pairs_to_points")" "-"

model_line() {  # model_line PROGRAM POINTS: "fast-ms identical"
  "$1" 2>/dev/null | awk -v n="$2" '$0 ~ (", " n " points:") {
    for (i = 1; i <= NF; i++) if ($i == "fast") f = $(i + 1); print f, $NF }'
}
# The model benchmarks also run the plain builders, which take minutes each
# on a busy machine; MODELS=0 leaves them out.
[ "${MODELS:-1}" = 0 ] && row "model benchmarks (left out: MODELS=0)" "-" "-" "-"
for m in "polar 365" "projection 369"; do
  [ "${MODELS:-1}" = 0 ] && break
  read -r name points <<<"$m"
  for b in "$build" ${reference:+"$reference"}; do
    if [ -x "$b/bench/model_bench_$name" ]; then model_line "$b/bench/model_bench_$name" "$points"; else echo "- -"; fi
  done >"$work/model"
  read -r new_ms new_same < <(sed -n 1p "$work/model")
  today="-"
  [ -n "$reference" ] && read -r today _ < <(sed -n 2p "$work/model")
  row "$name model, $points points, fast builder (ms)" "$today" "$new_ms" "<= 5"
  row "$name model, $points points, results identical" "-" "$new_same" "yes"
done

# ---- viewer_polar up to its window -------------------------------------------
# Without a display the program builds the model, writes its files and ends
# where the window would open; that run is the time to the window.
scene=$build/sample/scene
mkdir -p "$work/scene"
for f in "$scene"/*.bmp; do ln -sf "$f" "$work/scene/"; done
vp=("$build/viewer_polar")
[ -n "$reference" ] && [ -x "$reference/viewer_polar" ] && vp=("$reference/viewer_polar" "${vp[@]}")
mapfile -t t < <(time_commands "$work/scene" "${vp[@]}")
today="-"
[ ${#t[@]} -eq 2 ] && today=${t[0]%% *}
row "viewer_polar, sample scene, up to the window (median, ms)" "$today" "${t[-1]%% *}" "<= 20"

# ---- dense_scan on the turntable set at six and twelve angles ----------------
# The sets are rendered here (about 25 and 45 s on two cores); DENSE=0 leaves
# this part out.
if [ "${DENSE:-1}" != 0 ]; then
  for n in 6 12; do
    angles=$(seq -s, 0 $((360 / n)) 359)
    mkdir -p "$work/dense$n"
    "$build/tools/decoder_sample" --turntable "$work/dense$n" --angles "$angles" >/dev/null
    mapfile -t t < <(time_commands "$work/dense$n" "$build/pairs/dense_scan --jobs 2 --no-surface" \
      "$build/pairs/dense_scan --jobs 2" "$build/pairs/dense_scan --jobs 1 --no-surface")
    dense_wall[$n]=${t[1]%% *}
    row "dense_scan, $n angles, --jobs 2 --no-surface, wall (median, ms)" "-" "${t[0]%% *}" "<= 400"
    row "dense_scan, $n angles, --jobs 2 with the surface, wall (median, ms)" "-" "${t[1]%% *}" "<= 400"
    # The decoding alone, as the program reports it (median of 9 runs).
    for j in 1 2; do
      dec_ms[$j]=$(cd "$work/dense$n" && for i in 1 2 3 4 5 6 7 8 9; do
        "$build/pairs/dense_scan" --jobs $j --no-surface | sed -n 's/^time: decoding \([0-9]*\) ms.*/\1/p'
      done | sort -n | sed -n 5p)
    done
    row "dense_scan, $n angles, decoding with 1 / 2 threads (median, ms)" "-" "${dec_ms[1]} / ${dec_ms[2]}" \
      "speed-up >= 1.6"
  done
  row "dense_scan, 12 angles over 6, with the surface" "-" \
    "$(awk -v a="${dense_wall[12]}" -v b="${dense_wall[6]}" 'BEGIN { printf "%.2f", a / b }')" "<= 2.2"
fi

# ---- The table ----------------------------------------------------------------
printf '| %s | %s | %s | %s |\n' "measure" "today" "now" "goal"
printf '|---|---|---|---|\n'
for r in "${rows[@]}"; do
  IFS='|' read -r a b c d <<<"$r"
  printf '| %s | %s | %s | %s |\n' "$a" "$b" "$c" "$d"
done
