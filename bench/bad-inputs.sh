#!/usr/bin/env bash
# Bad inputs to rp770-cli, each run once: its exit status, peak memory, time
# and the lines it says on standard error. Figures to watch, not limits:
# every reader stops at its kind's limit, and a table of many faults is told
# in 21 lines.   bash bench/bad-inputs.sh BUILD_DIR
set -euo pipefail
build="${1:-build}"
cli="$(cd "$build/bin" && pwd)/rp770-cli"
[ -x "$cli" ] || { echo "no $cli: build the target rp770-cli" >&2; exit 1; }
command -v /usr/bin/time >/dev/null || { echo "GNU time is missing (bash scripts/setup.sh installs it)" >&2; exit 1; }
work="$(mktemp -d "${TMPDIR:-/tmp}/rp770-bad-inputs.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# The inputs: a good settings file to lay tables over, 51 MB of bad rows
# (over the limit), 4 MB of bad rows (just under it), 51 MB of settings text.
"$cli" hex2dat "$build/bin/USA_013E.ini" "$work/boat.dat" >/dev/null
{ echo 'Plan,Slot,Enable'; yes 'XYZ,1,maybe'; } | head -c 51M >"$work/bad-51mb.csv" || true
{ echo 'Plan,Slot,Enable'; yes 'XYZ,1,maybe'; } | head -c 4000000 >"$work/bad-4mb.csv" || true
{ cat "$work/boat.dat"; yes '[CHUSA7]'; } | head -c 51M >"$work/big-51mb.dat" || true

run() {  # NAME COMMAND...
  local name="$1"; shift
  local status=0
  /usr/bin/time -o "$work/time" -f "%M %e" "$@" >/dev/null 2>"$work/err" || status=$?
  # GNU time puts "Command exited with non-zero status N" first.
  read -r kb seconds < <(tail -n 1 "$work/time")
  printf '%-44s %6s %9s %8s %6s\n' "$name" "$status" "$(awk -v kb="$kb" 'BEGIN { printf "%.1f", kb / 1024 }')" \
    "$seconds" "$(wc -l <"$work/err")"
}

printf '%-44s %6s %9s %8s %6s\n' "bad input" "exit" "peak MB" "seconds" "lines"
run "hex2dat /dev/zero" "$cli" hex2dat /dev/zero "$work/out.dat"
run "hex2dat - < /dev/zero (a pipe)" bash -c "\"$cli\" hex2dat - \"$work/out.dat\" </dev/zero"
run "dat2hex /dev/zero" "$cli" dat2hex /dev/zero "$work/out.hex"
run "report, 51 MB .dat" "$cli" report "$work/big-51mb.dat"
run "import-csv, 51 MB of bad rows" "$cli" import-csv "$work/boat.dat" "$work/bad-51mb.csv" "$work/out.dat"
run "import-csv, 51 MB of bad rows on a pipe" bash -c "cat \"$work/bad-51mb.csv\" | \"$cli\" import-csv \"$work/boat.dat\" - \"$work/out.dat\""
run "import-csv, 4 MB of bad rows" "$cli" import-csv "$work/boat.dat" "$work/bad-4mb.csv" "$work/out.dat"
