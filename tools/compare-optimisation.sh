#!/usr/bin/env bash
# Shows that the programs' results do not depend on the optimisation level:
# builds the programs at -O0 (Debug), -O2 (RelWithDebInfo) and -O3 (Release),
# runs viewer_polar, viewer_projection, viewer_calibration and the decoder of
# each build on the sample scenes, and compares every output file and the
# console byte for byte. Exit status 0 when all agree, 1 when any differs.
#
# Usage: tools/compare-optimisation.sh [WORK_DIRECTORY]   (default: build-compare)
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(realpath -m "${1:-build-compare}")
jobs=$(nproc 2>/dev/null || echo 2)
targets=(viewer_polar viewer_projection viewer_calibration decoder sample_scene decoder_sample_set)

# The presets opt-O0, opt-O2 and opt-O3 (CMakePresets.json), each built in
# the work directory under its build type's name.
declare -A preset=([Debug]=opt-O0 [RelWithDebInfo]=opt-O2 [Release]=opt-O3)
for type in Debug RelWithDebInfo Release; do
  cmake --preset "${preset[$type]}" -B "$work/$type" >/dev/null
  cmake --build "$work/$type" -j "$jobs" --target "${targets[@]}" >/dev/null
done

# The inputs come from one build, so that only the programs differ.
scene="$work/RelWithDebInfo/sample/scene"
decoder_images="$work/RelWithDebInfo/sample/decoder"
for type in Debug RelWithDebInfo Release; do
  for program in viewer_polar viewer_projection viewer_calibration; do
    out="$work/runs/$type/$program"
    rm -rf "$out" && mkdir -p "$out"
    cp "$scene"/*.bmp "$out/"
    # No display: everything is written, then the window cannot open.
    (cd "$out" && env -u DISPLAY XDG_RUNTIME_DIR="$out" "$work/$type/$program" <<<$'\n' >console.txt 2>/dev/null || true)
    rm -f "$out"/*.bmp
  done
  out="$work/runs/$type/decoder"
  rm -rf "$out" && mkdir -p "$out"
  cp "$decoder_images"/*.bmp "$out/"
  (cd "$out" && env -u DISPLAY "$work/$type/decoder/decoder" </dev/null >console.txt 2>/dev/null)
  rm -f "$out"/*.bmp
done

status=0
for type in Debug Release; do
  if diff -r "$work/runs/RelWithDebInfo" "$work/runs/$type" >/dev/null; then
    echo "-O2 and $type: every output identical"
  else
    echo "-O2 and $type differ:"
    diff -rq "$work/runs/RelWithDebInfo" "$work/runs/$type" || true
    status=1
  fi
done
echo "compared: $(cd "$work/runs/RelWithDebInfo" && find . -type f | sort | tr '\n' ' ')"
exit $status
