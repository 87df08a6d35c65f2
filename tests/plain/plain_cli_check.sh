#!/usr/bin/env bash
# rp770-cli built without Qt against the desktop build's: the file commands
# give the same bytes, printing is refused, and it reads and programs the
# simulated radio, in this process and on a pseudo-terminal through the
# system's serial port.
#   plain_cli_check.sh PLAIN_BUILD DESKTOP_BUILD
set -u
[ -n "${TRACE:-}" ] && set -x
PLAIN="$(cd "$1" && pwd)/bin/rp770-cli"
DESKTOP="$(cd "$2" && pwd)/bin/rp770-cli"
WORK=$(mktemp -d)
SIM=
cleanup() {
  [ -n "$SIM" ] && kill "$SIM" 2>/dev/null && wait "$SIM" 2>/dev/null
  rm -rf "$WORK"
}
[ -n "${KEEP:-}" ] || trap cleanup EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" LC_ALL=C.UTF-8
mkdir -p "$HOME"

ldd "$PLAIN" 2>/dev/null | grep -qi 'libQt' && fail "the plain rp770-cli links Qt"

# The same command through both builds: the same status and the same bytes,
# on standard output and in the file it writes.
DATA="$(dirname "$PLAIN")"
cp "$DATA/INT_013E.ini" "$WORK/int.hex"
same() {
  local out=$1
  shift
  for build in plain desktop; do
    local exe=$PLAIN
    [ "$build" = desktop ] && exe=$DESKTOP
    (cd "$WORK" && "$exe" "$@" >"$WORK/$build.stdout" 2>"$WORK/$build.stderr")
    echo $? >"$WORK/$build.status"
    [ -n "$out" ] && mv "$WORK/$out" "$WORK/$build.$out" 2>/dev/null
  done
  cmp -s "$WORK/plain.status" "$WORK/desktop.status" || fail "$*: status $(cat "$WORK/plain.status"), not $(cat "$WORK/desktop.status")"
  cmp -s "$WORK/plain.stdout" "$WORK/desktop.stdout" || fail "$*: standard output differs"
  [ -z "$out" ] || { [ -e "$WORK/plain.$out" ] && cmp -s "$WORK/plain.$out" "$WORK/desktop.$out"; } || fail "$*: $out differs"
}
"$DESKTOP" hex2dat "$WORK/int.hex" "$WORK/boat.dat" || fail "the desktop build's hex2dat"
sed 's/^ResumeTime=.*/ResumeTime=7/' "$WORK/boat.dat" >"$WORK/other.dat"
"$DESKTOP" export-csv "$WORK/boat.dat" "$WORK/channels.csv" || fail "the desktop build's export-csv"
same out.dat hex2dat int.hex out.dat
same out.hex dat2hex boat.dat out.hex
same "" report boat.dat
same out.txt report int.hex -o out.txt
same out.csv export-csv boat.dat out.csv
same out.dat import-csv int.hex channels.csv out.dat
same "" diff boat.dat other.dat
same "" diff boat.dat int.hex

out=$("$PLAIN" report "$WORK/boat.dat" --pdf "$WORK/boat.pdf" 2>&1)
status=$?
[ "$status" = 1 ] || fail "report --pdf: status $status, not 1"
grep -q "cannot print" <<<"$out" || fail "report --pdf does not say it cannot print: $out"
[ -e "$WORK/boat.pdf" ] && fail "report --pdf wrote a file"

# The simulated radio in this process.
"$PLAIN" program --port sim --verify "$WORK/boat.dat" 2>"$WORK/err" || { fail "program --port sim"; cat "$WORK/err"; }
"$PLAIN" read --port sim "$WORK/read.dat" 2>"$WORK/err" || { fail "read --port sim"; cat "$WORK/err"; }

# The simulated radio on a pseudo-terminal, through the system's serial port.
"$PLAIN" dat2hex "$WORK/other.dat" "$WORK/radio.hex"
coproc SIMULATOR { exec "$PLAIN" simulate --baud 115200 --image "$WORK/radio.hex" --dump "$WORK/after.hex" 2>"$WORK/sim.err"; }
SIM=$SIMULATOR_PID
read -r -t 10 word device <&"${SIMULATOR[0]}"
if [ "$word" != PORT ]; then
  fail "the simulator did not start"
else
  "$PLAIN" read --port "$device" "$WORK/pty.dat" 2>"$WORK/err" || { fail "read --port $device"; cat "$WORK/err"; }
  "$DESKTOP" diff "$WORK/other.dat" "$WORK/pty.dat" >/dev/null || fail "the radio read is not the radio's data"
  "$PLAIN" program --port "$device" --verify "$WORK/boat.dat" 2>"$WORK/err" || { fail "program --port $device"; cat "$WORK/err"; }
  kill -TERM "$SIM" && wait "$SIM"
  SIM=
  "$DESKTOP" diff "$WORK/boat.dat" "$WORK/after.hex" >/dev/null || fail "the radio does not hold what was programmed"
fi

[ "$failures" -eq 0 ] && echo "the plain rp770-cli passed" || exit 1
