#!/usr/bin/env bash
# The short fuzzing run (not part of the tests): builds the fuzz programs of
# tests/fuzz with clang, libFuzzer, AddressSanitizer and UBSan in build-fuzz,
# writes the seed corpora from the sample scenes and runs each target for
# FUZZ_SECONDS seconds (default 60), then prints the executions and crashes
# per target. A crash input lands in build-fuzz/fuzz/crashes/TARGET/; once the
# fault is fixed, keep it in tests/fuzz/regressions/TARGET/, whose files the
# tests replay. Exit status 1 when a target crashed.
#
#   ./tools/fuzz.sh                      every target
#   ./tools/fuzz.sh polygon_walk         only the named targets
#   ./tools/fuzz.sh polygon_walk -dict=tests/fuzz/polygon_walk.dict -max_len=4096
#                                        arguments that begin with '-' are
#                                        passed to libFuzzer after the script's
#                                        own flags, so they add or override
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
seconds=${FUZZ_SECONDS:-60}
targets=()
flags=()
for a in "$@"; do
  case $a in
    -*) flags+=("$a") ;;
    *) targets+=("$a") ;;
  esac
done
[ ${#targets[@]} -gt 0 ] || targets=(bitmap_markers calibration decoder_identification polygon_walk rig_file pair_file)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target fuzz_seeds "${targets[@]/#/fuzz_}"

# The largest input each target reads: a marker or calibration bitmap file,
# a full image set of the decoder, 4096 polygon instructions, a "rig.yml"
# and a "data.txt" of a few thousand lines.
declare -A max_len=([bitmap_markers]=1000000 [calibration]=1000000
                    [decoder_identification]=5529600 [polygon_walk]=49152
                    [rig_file]=16384 [pair_file]=65536)
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=suppressions=$PWD/tools/lsan-suppressions.txt
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

summary=()
failed=0
for t in "${targets[@]}"; do
  dir=build-fuzz/fuzz
  mkdir -p "$dir/corpus/$t" "$dir/crashes/$t"
  log=$dir/$t.log
  echo "fuzz.sh: $t for $seconds s"
  status=0
  touch "$dir/$t.start"
  # New inputs go to the first corpus directory; seeds and kept regression
  # cases are read as well. -close_fd_mask=1 silences the targets' stdout.
  "build-fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="${max_len[$t]}" \
    -timeout=30 -rss_limit_mb=4096 -close_fd_mask=1 -print_final_stats=1 \
    -artifact_prefix="$dir/crashes/$t/" ${flags[@]+"${flags[@]}"} \
    "$dir/corpus/$t" "$dir/seeds/$t" "tests/fuzz/regressions/$t" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  crashes=$(find "$dir/crashes/$t" -type f -newer "$dir/$t.start" | wc -l)
  summary+=("$t: ${execs:-?} executions in $seconds s${flags[*]+ with ${flags[*]}}, exit status $status, new crash inputs in $dir/crashes/$t: $crashes")
  if [ "$status" -ne 0 ]; then
    failed=1
    grep -m1 -E "ERROR|runtime error|SUMMARY" "$log" || true
  fi
done
printf '%s\n' "${summary[@]}"
exit $failed
