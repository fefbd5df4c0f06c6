#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; builds
# everything again with AddressSanitizer and UBSan in build-sanitize and runs
# the whole test suite there too.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
# The flavours are the presets of CMakePresets.json.
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"

# The sanitizer build compiles at low priority while the release suite runs:
# much of that suite waits on windows and on the programs it starts, and the
# compiler takes the idle time. Its output goes to build-sanitize/build.log,
# shown when it fails. It runs in a session of its own, so that a failing
# release suite stops the whole build with it.
cmake --preset sanitize >/dev/null
setsid nice -n 15 cmake --build --preset sanitize -j "$jobs" >build-sanitize/build.log 2>&1 &
sanitizer_build=$!
trap 'kill -- "-$sanitizer_build" 2>/dev/null || true' EXIT
ctest --preset release -j "$jobs"
if ! wait "$sanitizer_build"; then
  tail -n 60 build-sanitize/build.log
  echo "test.sh: the sanitizer build failed (whole output in build-sanitize/build.log)" >&2
  exit 1
fi
trap - EXIT

# The sanitizer suite. The benchmarks are not built (they time, not test).
# LeakSanitizer ignores only the third-party libraries named in
# tools/lsan-suppressions.txt. SDL12COMPAT_NO_QUIT_VIDEO keeps the SDL 1.2
# layer from shutting video down and unloading SDL 2 and the GL driver at
# exit: after that LeakSanitizer could not name the library of the blocks
# they still hold, and no suppression by library would apply.
# LP_NUM_THREADS=0 and MESA_SHADER_CACHE_DISABLE keep Mesa's software
# renderer from starting its rasterizer and cache threads, so that a viewer
# ends with its main thread alone: LeakSanitizer's exit check stops every
# other thread first, and once crashed itself while doing so ("Tracer
# caught signal 11"); with one thread there is nothing to stop. The
# pictures are the same.
# A finding aborts the program, so the test that ran it fails.
SDL12COMPAT_NO_QUIT_VIDEO=1 LP_NUM_THREADS=0 MESA_SHADER_CACHE_DISABLE=true \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tools/lsan-suppressions.txt:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:abort_on_error=1 \
  ctest --preset sanitize -j "$jobs"
