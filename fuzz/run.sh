#!/usr/bin/env bash
# Builds the fuzzers (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each of them for SECONDS (default 20).
#
#   bash fuzz/run.sh [SECONDS]
#
# Each fuzzer NAME_fuzzer first replays the inputs kept in
# fuzz/regressions/NAME/ (if any), then the seeds in fuzz/corpus/NAME/ and
# what earlier runs kept, then explores from there. New inputs and any
# failing input go to BUILD/work/NAME/; the committed seeds are only read. A
# failing input is a bug: fix it, then keep the input in
# fuzz/regressions/NAME/ so that it is replayed on every run.
#
# FUZZ_BUILD names the build folder (default build-fuzz). One that is not yet
# configured is configured for the fuzzers alone (no Qt, no tests); one that
# is (make test's sanitizer build, configured with RP770_FUZZ=ON) is used as
# it is. CXX names another clang.
set -euo pipefail

SECONDS_EACH=${1:-20}
# FUZZ_SEED fixes libFuzzer's random choices, so that a short run in the test
# command explores the same inputs every time (a red run is reproducible, not
# luck); unset, every run explores new ground.
SEED_OPTION=()
if [ -n "${FUZZ_SEED:-}" ]; then SEED_OPTION=(-seed="$FUZZ_SEED"); fi
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${FUZZ_BUILD:-$ROOT/build-fuzz}
FUZZERS=(dat_fuzzer hex_fuzzer ini_fuzzer link_read_fuzzer link_program_fuzzer)

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)
  cmake -S "$ROOT" -B "$BUILD" "${generator[@]}" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRP770_FUZZ=ON -DRP770_WITH_QT=OFF -DBUILD_TESTING=OFF >/dev/null
fi
grep -q "^RP770_FUZZ:BOOL=ON" "$BUILD/CMakeCache.txt" || { echo "fuzz: $BUILD is not configured with -DRP770_FUZZ=ON" >&2; exit 1; }
cmake --build "$BUILD" --target fuzzers -j2 >"$BUILD/fuzzers-build.log" 2>&1 ||
  { tail -40 "$BUILD/fuzzers-build.log" >&2; echo "fuzz: the build failed ($BUILD/fuzzers-build.log)" >&2; exit 1; }

options_for() {
  case "$1" in
    dat_fuzzer)          echo "-max_len=4096 -dict=$ROOT/fuzz/dict/dat.dict" ;;
    hex_fuzzer)          echo "-max_len=2048" ;;
    ini_fuzzer)          echo "-max_len=4096 -dict=$ROOT/fuzz/dict/ini.dict" ;;
    link_read_fuzzer)    echo "-max_len=16384 -dict=$ROOT/fuzz/dict/link.dict" ;;
    link_program_fuzzer) echo "-max_len=8192 -dict=$ROOT/fuzz/dict/link.dict" ;;
  esac
}

# One fuzzer: its regressions, then SECONDS_EACH of fuzzing; its verdict
# goes to its work folder's result file.
fuzz_one() {
  local name=$1 short=${1%_fuzzer}
  local work="$BUILD/work/$short"
  mkdir -p "$work/corpus"
  local log="$work/log.txt" status=0
  local regressions="$ROOT/fuzz/regressions/$short"
  : >"$log"
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
    "$BUILD/bin/$name" "$regressions"/* >"$log" 2>&1 || status=$?
  fi
  if [ $status -eq 0 ]; then
    # shellcheck disable=SC2046
    "$BUILD/bin/$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "${SEED_OPTION[@]}" \
      -artifact_prefix="$work/" $(options_for "$name") "$work/corpus" "$ROOT/fuzz/corpus/$short" >>"$log" 2>&1 || status=$?
  fi
  local runs corpus
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  corpus=$(ls "$work/corpus" | wc -l)
  if [ $status -eq 0 ]; then
    echo "fuzz: $name: ${runs:-0} runs in ${SECONDS_EACH} s, $corpus new inputs kept, no failure" >"$work/result"
  else
    {
      echo "fuzz: $name FAILED (exit $status); its log, $log, ends:"
      grep -A4 "broken promise\|ERROR: \|SUMMARY" "$log" | head -30 || true
      ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null || true
    } >"$work/result"
  fi
  echo "$status" >"$work/status"
  return $status
}

# Two at a time, one on each core; each fuzzer is one process with its own
# seed, so a run finds what it would find alone.
JOBS=${FUZZ_JOBS:-2}
for name in "${FUZZERS[@]}"; do
  rm -f "$BUILD/work/${name%_fuzzer}/result" "$BUILD/work/${name%_fuzzer}/status"
  while [ "$(jobs -rp | wc -l)" -ge "$JOBS" ]; do wait -n || true; done
  fuzz_one "$name" &
done
wait || true
passed=0
failed=0
for name in "${FUZZERS[@]}"; do
  result="$BUILD/work/${name%_fuzzer}/result"
  if [ "$(cat "$BUILD/work/${name%_fuzzer}/status" 2>/dev/null)" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  cat "$result" 2>/dev/null || echo "fuzz: $name gave no verdict"
done
echo "fuzz: $passed passed, $failed failed"
[ $failed -eq 0 ]
