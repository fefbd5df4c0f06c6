#!/usr/bin/env bash
# The installed programs work without the build tree and give its results.
#
#   install_test.sh BUILD_DIR PACKAGE_NAME PROGRAM...
#
# Installs BUILD_DIR into a temporary prefix. Runs the build tree's programs
# (PROGRAM..., their paths there) on copies of its sample scenes, then, with the build tree hidden (an empty
# directory mounted over it in a private mount namespace), the installed
# programs on copies of the installed sample scenes:
#   viewer_polar --no-window on the sample scene;
#   viewer_calibration --no-window there, which writes a "rig.yml";
#   decoder --no-window on the decoder's structured-light sample;
#   decoder --no-window on the turntable's structured-light sample, then
#     pairs_to_points --turn there with that "rig.yml" (so its reader module
#     loads);
#   viewer_polar --screenshot under a private Xvfb.
# The build tree's runs must succeed, and every file the runs write, their
# standard output, standard error and exit status must be byte-identical.
# Every installed program must have a manual page that `man` finds under the
# prefix and that names each option of its --help, and a missing module must
# end a run with status 1 and a message naming its path. On failure the work
# directory is kept and named.
set -euo pipefail

# run OUT NAME PROGRAM ARGS...: one run in OUT/NAME, its console and exit
# status beside it.
run() {
  local out=$1 name=$2 status=0
  shift 2
  "$@" --dir "$out/$name" >"$out/$name.out" 2>"$out/$name.err" || status=$?
  echo "$status" >"$out/$name.status"
}

# runs BIN SAMPLE OUT: the runs above with the programs in BIN on copies of
# the sample scenes in SAMPLE (scene, decoder, pairs), written to OUT.
runs() {
  local bin=$1 sample=$2 out=$3
  mkdir -p "$out"
  cp -r "$sample/scene" "$out/polar"
  cp -r "$sample/scene" "$out/calibration"
  cp -r "$sample/scene" "$out/screenshot"
  cp -r "$sample/decoder" "$out/decoder"
  cp -r "$sample/pairs" "$out/pairs"
  run "$out" polar "$bin/viewer_polar" --no-window
  run "$out" calibration "$bin/viewer_calibration" --no-window
  run "$out" decoder "$bin/decoder" --no-window
  run "$out" pairs "$bin/decoder" --no-window
  mv "$out/pairs.out" "$out/pairs_decoder.out"
  mv "$out/pairs.err" "$out/pairs_decoder.err"
  mv "$out/pairs.status" "$out/pairs_decoder.status"
  if [ -f "$out/calibration/rig.yml" ]; then cp "$out/calibration/rig.yml" "$out/pairs/"; fi
  run "$out" pairs "$bin/pairs_to_points" --turn
  run "$out" screenshot "$bin/viewer_polar" --screenshot shot.png
  # The log's frame rate is a measured time, different in every run.
  sed -i '/^frames drawn: /d' "$out/screenshot/logfile.txt"
}

if [ "${1:-}" = --installed ]; then
  # Inside the namespace: $2 the work directory, $3 the hidden build tree,
  # $4 the package name.
  if [ -e "$3/CMakeCache.txt" ]; then
    echo "install_test: the build tree $3 is still reachable" >&2
    exit 1
  fi
  runs "$2/prefix/bin" "$2/prefix/share/$4/sample" "$2/installed"
  # A module found nowhere: the message names where it was expected.
  modules=$2/prefix/lib/$4
  mv "$modules/rig_reader.so" "$2/"
  status=0
  "$2/prefix/bin/pairs_to_points" --dir "$2/installed/pairs" 2>"$2/missing.err" || status=$?
  mv "$2/rig_reader.so" "$modules/"
  if [ $status != 1 ] || ! grep -qF "$modules/rig_reader.so: cannot open" "$2/missing.err"; then
    echo "install_test: a missing module gave status $status and no message naming it" >&2
    exit 1
  fi
  exit 0
fi

build=$(realpath "$1")
name=$2
shift 2
work=$(mktemp -d "${TMPDIR:-/tmp}/install_test.XXXXXX")
failed() {
  echo "install_test: $1; the files are in $work" >&2
  exit 1
}

for tool in help2man man Xvfb unshare; do
  command -v "$tool" >/dev/null || failed "$tool is missing (tools/install-deps.sh installs it)"
done

cmake --install "$build" --prefix "$work/prefix" >"$work/install.txt" || failed "cmake --install failed"
for program in "$work/prefix/bin/"*; do
  p=$(basename "$program")
  MANPATH="$work/prefix/share/man" man -P cat "$p" >"$work/$p.man" 2>&1 ||
    failed "man finds no page for $p"
  for option in $("$program" --help | grep -o -- '^  --[a-z-]*'); do
    grep -q -- "$option" "$work/$p.man" || failed "the manual page of $p lacks $option"
  done
done
[ -f "$work/prefix/share/doc/$name/README.md" ] || failed "the README is not installed"

# One Xvfb for both screenshots; it picks a free display itself.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 300); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || failed "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

# The build tree's programs side by side, as links: each still finds its
# modules from its real place.
mkdir "$work/build-bin"
for program in "$@"; do ln -s "$(realpath "$program")" "$work/build-bin/"; done
runs "$work/build-bin" "$build/sample" "$work/build"
for status in "$work/build/"*.status; do
  [ "$(cat "$status")" = 0 ] || failed "the build tree's run $(basename "$status" .status) failed"
done

mkdir "$work/empty"
unshare --user --map-root-user --mount bash -c 'mount --bind "$1" "$2" && shift 2 && exec "$@"' _ \
  "$work/empty" "$build" "$0" --installed "$work" "$build" "$name" ||
  failed "the installed programs could not be run with the build tree hidden (unshare, mount)"

diff -r "$work/build" "$work/installed" >"$work/differences.txt" ||
  failed "the installed programs' results differ from the build tree's (differences.txt)"
rm -rf "$work"
