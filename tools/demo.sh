#!/usr/bin/env bash
# The main job on the bundled sample scene: installs what is missing, builds,
# generates the sample scenes, runs viewer_polar on the turntable scene, the
# decoder on the structured-light scene, then the decoder and pairs_to_points
# on the structured-light set of the turntable (images -> pairs -> points),
# then dense_scan on that set rendered at six turntable angles (the whole
# object as one point cloud and one closed surface, with a screenshot of the
# surface), and says where the results are.
#
# With a display (DISPLAY set) the viewer opens full screen: answer its
# prompt with Enter, fly with W, S, A, D and the mouse, leave with Escape.
# Without one it runs under a private Xvfb (xvfb-run) with --screenshot: it
# draws one frame turned to the model, saves it as PNG and ends by itself.
#
# Usage: tools/demo.sh [BUILD_DIRECTORY]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

bash tools/install-deps.sh
echo "== building in $build"
cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target \
  viewer_polar sample_scene accuracy_report decoder decoder_sample_set decoder_report_tool \
  pairs_to_points pairs_sample_set pairs_report_tool dense_scan dense_report_tool

bin=$(realpath "$build")
run="$bin/demo"
rm -rf "$run"
mkdir -p "$run/scene" "$run/decoder" "$run/pairs" "$run/dense"
cp "$bin"/sample/scene/*.bmp "$bin/sample/scene/ground_truth.txt" "$run/scene/"
cp "$bin"/sample/decoder/*.bmp "$bin/sample/decoder/truth.txt" "$run/decoder/"
cp "$bin"/sample/pairs/060*.bmp "$bin"/sample/pairs/???_k?_A.bmp "$bin/sample/pairs/points.txt" \
  "$run/pairs/"

echo "== viewer_polar on the sample turntable scene ($run/scene)"
if [ -n "${DISPLAY:-}" ]; then
  "$bin/viewer_polar" --dir "$run/scene"
else
  xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    "$bin/viewer_polar" --dir "$run/scene" --screenshot screenshot.png
fi
echo "== reconstruction accuracy against the ground truth"
(cd "$run/scene" && "$bin/tools/accuracy_report" .) | sed -n "/all positions/p;/direction error/p;/centre offset/p"

echo "== decoder on the sample structured-light scene ($run/decoder)"
# Without a display the decoder runs in batch mode, without its windows.
if [ -n "${DISPLAY:-}" ]; then
  "$bin/decoder/decoder" --dir "$run/decoder"
else
  "$bin/decoder/decoder" --dir "$run/decoder" --no-window
fi
"$bin/tools/decoder_report" "$run/decoder/data.txt" "$run/decoder/truth.txt"

echo "== decoder, then pairs_to_points, on the structured-light set of the turntable ($run/pairs)"
"$bin/decoder/decoder" --dir "$run/pairs" --no-window | tail -n 1
# --turn puts the points into the frame of the marker scan's points.ply,
# with the axis from the reference marks of the marker images beside them.
"$bin/pairs/pairs_to_points" --dir "$run/pairs" --turn
"$bin/tools/pairs_report" --common "$run/pairs"

echo "== dense_scan on the turntable set at six angles ($run/dense)"
"$bin/tools/decoder_sample" --turntable "$run/dense" --angles 0,60,120,180,240,300
# The screenshot of the surface needs a display: the desktop's, or a private
# Xvfb.
if [ -n "${DISPLAY:-}" ]; then
  "$bin/pairs/dense_scan" --dir "$run/dense" --screenshot dense_surface.png
else
  xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -nolisten tcp" \
    "$bin/pairs/dense_scan" --dir "$run/dense" --screenshot dense_surface.png
fi
"$bin/tools/dense_report" "$run/dense"

echo "== results"
echo "model (PLY, for any mesh viewer):                       $run/scene/model.ply"
echo "point cloud with turntable positions (PLY):             $run/scene/points.ply"
echo "closed, oriented surface of the points (PLY):           $run/scene/surface.ply"
[ -f "$run/scene/screenshot.png" ] && echo "screenshot of the viewer:                               $run/scene/screenshot.png"
echo "viewer log:                                             $run/scene/logfile.txt"
echo "decoder point pairs:                                    $run/decoder/data.txt"
echo "structured-light points of the turntable set (PLY):     $run/pairs/pairs.ply"
echo "the whole object's points with normals and shading (PLY): $run/dense/dense.ply"
echo "the whole object's closed surface (PLY):                $run/dense/dense_surface.ply"
if [ -f "$run/dense/dense_surface.png" ]; then
  echo "screenshot of the whole object's surface:               $run/dense/dense_surface.png"
fi
