#!/usr/bin/env bash
# An rp770-cli of another build against the desktop build's: built without
# Qt (plain), or for Windows and run under Wine (windows). The file commands
# give the same status and the same bytes, printing is refused, and it reads
# and programs the simulated radio: in its own process, and through the
# system's serial port on a pseudo-terminal (under Wine, a COM port mapped
# to it).
#   cli_build_check.sh plain|windows BUILD DESKTOP_BUILD
set -u
[ -n "${TRACE:-}" ] && set -x
KIND=$1
BUILD=$(cd "$2" && pwd)
DESKTOP="$(cd "$3" && pwd)/bin/rp770-cli"
WORK=$(mktemp -d)
SIM=
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" LC_ALL=C.UTF-8
mkdir -p "$HOME"

case "$KIND" in
  plain)
    CLI=("$BUILD/bin/rp770-cli")
    ldd "${CLI[0]}" 2>/dev/null | grep -qi 'libQt' && fail "the plain rp770-cli links Qt"
    ;;
  windows)
    # One Wine prefix in the build folder, made once and reused; its server
    # runs for the whole check and is ended with it.
    export WINEPREFIX="$BUILD/wine" WINEDEBUG=-all
    wineserver -p 2>>"$BUILD/wineserver.log"
    CLI=(wine "$BUILD/bin/rp770-cli.exe")
    [ -d "$WINEPREFIX/drive_c" ] || wineboot -i >/dev/null 2>&1
    # One .exe: nothing but the system's own DLLs.
    others=$(x86_64-w64-mingw32-objdump -p "${CLI[1]}" | sed -n 's/^\s*DLL Name: //p' |
             grep -viE '^(kernel32|msvcrt|advapi32|setupapi|user32|ws2_32|shell32)\.dll$')
    [ -z "$others" ] || fail "rp770-cli.exe needs DLLs of its own: $others"
    ;;
  *) echo "usage: cli_build_check.sh plain|windows BUILD DESKTOP_BUILD" >&2; exit 2 ;;
esac
cleanup() {
  [ -n "$SIM" ] && kill "$SIM" 2>/dev/null && wait "$SIM" 2>/dev/null
  [ "$KIND" = windows ] && { rm -f "$WINEPREFIX/dosdevices/com12"; wineserver -k 2>>"$BUILD/wineserver.log"; }
  [ -n "${KEEP:-}" ] || rm -rf "$WORK"
}
trap cleanup EXIT

# The same command through both builds: the same status and the same bytes,
# on standard output and in the file it writes.
cp "$(dirname "$DESKTOP")/INT_013E.ini" "$WORK/int.hex"
same() {
  local out=$1
  shift
  (cd "$WORK" && "${CLI[@]}" "$@" >"$WORK/build.stdout" 2>"$WORK/build.stderr")
  echo $? >"$WORK/build.status"
  [ -n "$out" ] && mv "$WORK/$out" "$WORK/build.$out" 2>/dev/null
  (cd "$WORK" && "$DESKTOP" "$@" >"$WORK/desktop.stdout" 2>"$WORK/desktop.stderr")
  echo $? >"$WORK/desktop.status"
  cmp -s "$WORK/build.status" "$WORK/desktop.status" ||
    fail "$*: status $(cat "$WORK/build.status"), not $(cat "$WORK/desktop.status")"
  cmp -s "$WORK/build.stdout" "$WORK/desktop.stdout" || fail "$*: standard output differs"
  [ -z "$out" ] || { [ -e "$WORK/build.$out" ] && cmp -s "$WORK/build.$out" "$WORK/$out"; } || fail "$*: $out differs"
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
same "" destinations

out=$(cd "$WORK" && "${CLI[@]}" report boat.dat --pdf boat.pdf 2>&1)
status=$?
[ "$status" = 1 ] || fail "report --pdf: status $status, not 1"
grep -q "cannot print" <<<"$out" || fail "report --pdf does not say it cannot print: $out"
[ -e "$WORK/boat.pdf" ] && fail "report --pdf wrote a file"

# The simulated radio in this process.
(cd "$WORK" && "${CLI[@]}" program --port sim --verify boat.dat 2>"$WORK/err") || { fail "program --port sim"; cat "$WORK/err"; }
(cd "$WORK" && "${CLI[@]}" read --port sim read.dat 2>"$WORK/err") || { fail "read --port sim"; cat "$WORK/err"; }

# The simulated radio on a pseudo-terminal (served by the desktop build),
# through the system's serial port.
"$DESKTOP" dat2hex "$WORK/other.dat" "$WORK/radio.hex"
coproc SIMULATOR { exec "$DESKTOP" simulate --baud 115200 --image "$WORK/radio.hex" --dump "$WORK/after.hex" 2>"$WORK/sim.err"; }
SIM=$SIMULATOR_PID
read -r -t 10 word device <&"${SIMULATOR[0]}"
if [ "$word" != PORT ]; then
  fail "the simulator did not start"
else
  port=$device
  if [ "$KIND" = windows ]; then
    # COM12: above COM9, so opened as \\.\COM12.
    ln -sfn "$device" "$WINEPREFIX/dosdevices/com12"
    port=COM12
  fi
  (cd "$WORK" && "${CLI[@]}" read --port "$port" pty.dat 2>"$WORK/err") || { fail "read --port $port"; cat "$WORK/err"; }
  "$DESKTOP" diff "$WORK/other.dat" "$WORK/pty.dat" >/dev/null || fail "the radio read is not the radio's data"
  (cd "$WORK" && "${CLI[@]}" program --port "$port" --verify boat.dat 2>"$WORK/err") ||
    { fail "program --port $port"; cat "$WORK/err"; }
  kill -TERM "$SIM" && wait "$SIM"
  SIM=
  "$DESKTOP" diff "$WORK/boat.dat" "$WORK/after.hex" >/dev/null || fail "the radio does not hold what was programmed"
fi

[ "$failures" -eq 0 ] && echo "the $KIND rp770-cli passed" || exit 1
