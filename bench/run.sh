#!/usr/bin/env bash
# Runs every benchmark of a build tree: bash bench/run.sh BUILD_DIR
set -euo pipefail
build="${1:-build}"
for b in "$build"/bin/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_min_time=0.2 "${@:2}"
done
# Bad inputs to the command line: peak memory and time (figures, not limits).
echo "== bad inputs"
bash "$(dirname "$0")/bad-inputs.sh" "$build"
