#!/usr/bin/env bash
# Builds the programs, generates the sample scene and runs viewer_polar on it.
#
# Usage: tools/demo.sh [BUILD_DIRECTORY]   (default: build)
# The scene lands in BUILD_DIRECTORY/sample/scene; the program runs there, so
# its log file "logfile.txt" is written beside the images.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scene="$build/sample/scene"
program=viewer_polar

echo "== building $program and the sample scene in $build"
cmake -S . -B "$build" >/dev/null
cmake --build "$build" -j 2 --target "$program" sample_scene accuracy_report

echo "== running $program in $scene"
bin=$(realpath "$build")
(cd "$scene" && "$bin/$program")

echo "== files"
echo "marker images:      $(realpath "$scene")/{000,080,160,240,200}_k{1,2}_A.bmp"
echo "calibration images: $(realpath "$scene")/kalib1.bmp, kalib2.bmp"
echo "ground truth:       $(realpath "$scene")/ground_truth.txt"
echo "program log:        $(realpath "$scene")/logfile.txt"
echo "accuracy report:    $build/tools/accuracy_report"
