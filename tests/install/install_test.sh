#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed programs from
# another folder, as a user would: the data are found in ../share/rp770; rp770
# answers its command line and a missing display with the right status and
# words; the desktop file, icon, metainfo, file types, bash completion and
# (gzipped) man pages are there, pass their validators and work (where the
# tools are); and, where the Debian tools are, the package builds, holds the
# programs and passes lintian without errors or hardening tags.
#   install_test.sh BUILD_DIR
set -u
BUILD=$(cd "$1" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
P="$WORK/prefix"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
check() { "$@" >"$WORK/out" 2>&1 || { fail "$*"; cat "$WORK/out"; }; }

cmake --install "$BUILD" --prefix "$P" >/dev/null || { echo "FAILED: cmake --install"; exit 1; }

# From /, with no data folder named and a settings store of its own.
export HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config"
unset RP770_DATA_DIR DISPLAY WAYLAND_DISPLAY
out=$(cd / && "$P/bin/rp770-cli" destinations) || fail "rp770-cli destinations"
[ "$out" = "$(printf '* CAN\n  INT\n  USA')" ] || fail "destinations listed: $out"

# The window's command line, answered before any display is needed, and no
# display: ENV | ARGUMENTS | STATUS | STREAM | PART OF WHAT IT SAYS.
nodisplay="env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb"
while IFS='|' read -r env args status stream part; do
  # shellcheck disable=SC2086
  (cd / && $env "$P/bin/rp770" $args >"$WORK/out" 2>"$WORK/err")
  got=$?
  [ "$got" = "$status" ] || fail "rp770 $args: status $got, not $status"
  tr '\n' ' ' <"$WORK/$stream" | grep -qF -- "$part" || { fail "rp770 $args: '$part' not on std$stream"; cat "$WORK/out" "$WORK/err"; }
  grep -q "Reinstalling" "$WORK/err" && fail "rp770 $args: the toolkit's own abort message came through"
done <<EOF
$nodisplay|--version|0|out|rp770 (RP770) 
$nodisplay|--help|0|out|Usage: rp770 [/D | /T | /DT | /TD] [FILE.dat | FILE.hex]
$nodisplay|/D -x -h|0|out|XDG_STATE_HOME
$nodisplay|--bogus|2|err|rp770: unknown option '--bogus'
$nodisplay|/D --bogus|2|err|Usage: rp770 [/D | /T | /DT | /TD]
$nodisplay|-style|2|err|option '-style' needs a value
$nodisplay||1|err|the window needs a graphical display
$nodisplay|/td boat.dat|1|err|(neither DISPLAY nor WAYLAND_DISPLAY is set)
$nodisplay|-style fusion /D|1|err|rp770-cli works without a display
env DISPLAY=:65000 QT_QPA_PLATFORM=xcb|/D|1|err|could not connect to display :65000
EOF

# Every --help text fits 80 columns.
for help in "rp770 --help" "rp770-cli --help" $("$P/bin/rp770-cli" --help |
    sed -n '/^Commands:/,/^$/s/^  \([a-z0-9-]*\).*/rp770-cli:\1/p'); do
  # shellcheck disable=SC2086
  long=$("$P/bin/${help%%[: ]*}" ${help#*[: ]} --help 2>&1 | awk 'length($0) > 80')
  [ -z "$long" ] || fail "${help/:/ } --help has lines over 80 columns: $long"
done

# A copy of the program away from its data says where it looked.
mkdir -p "$WORK/away" && cp "$P/bin/rp770-cli" "$WORK/away/"
"$WORK/away/rp770-cli" destinations >"$WORK/out" 2>&1 && fail "a program without data succeeded"
grep -q "^  $WORK/share/rp770\$" "$WORK/out" || { fail "the folders searched are not named"; cat "$WORK/out"; }
RP770_DATA_DIR="$P/share/rp770" "$WORK/away/rp770-cli" destinations >/dev/null || fail "RP770_DATA_DIR not used"

for f in share/applications/rp770.desktop share/icons/hicolor/scalable/apps/rp770.svg \
         share/icons/hicolor/48x48/apps/rp770.png share/icons/hicolor/256x256/apps/rp770.png \
         share/man/man1/rp770.1.gz share/man/man1/rp770-cli.1.gz share/rp770/global.ini "share/rp770/QJ Logo.gif" \
         share/rp770/rp770-help.html share/mime/packages/rp770.xml share/bash-completion/completions/rp770-cli \
         share/doc/rp770/copyright share/doc/rp770/changelog.gz share/rp770/translations/rp770_de.qm \
         share/rp770/translations/rp770_nl.qm share/rp770/translations/rp770_fr.qm lib/udev/rules.d/60-rp770-cables.rules; do
  [ -s "$P/$f" ] || fail "$f is missing"
done
[ -e "$P/share/rp770/translations/rp770_en_XA.qm" ] && fail "the pseudo-language of the layout checks is installed"
# The installed command line speaks the system's language; the man pages, made from --help, stay English.
(cd / && env LC_ALL=de_DE.UTF-8 LANGUAGE=de "$P/bin/rp770-cli" --help | grep -q '^Befehle:') || fail "rp770-cli --help is not German for LANGUAGE=de"
gzip -dc "$P/share/man/man1/rp770-cli.1.gz" | grep -q "Befehle" && fail "the man page is not English"
# The udev rule: FTDI adapters at 1 ms, the seat's user given the adapters.
rules="$P/lib/udev/rules.d/60-rp770-cables.rules"
grep -q 'DRIVER=="ftdi_sio", ATTR{latency_timer}="1"' "$rules" || fail "the udev rule does not set the FTDI latency timer"
for vendor in 0403 1a86 10c4 067b; do
  grep -q "ATTRS{idVendor}==\"$vendor\".*TAG+=\"uaccess\"" "$rules" || fail "the udev rule gives no access to $vendor adapters"
done
if command -v udevadm >/dev/null && udevadm verify --help >/dev/null 2>&1; then
  check udevadm verify "$rules"
fi
metainfo=$(ls "$P"/share/metainfo/*.metainfo.xml 2>/dev/null | head -1)
[ -n "$metainfo" ] || fail "no metainfo"
head -1 "$P/share/doc/rp770/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  fail "the copyright file is not in the machine-readable format"
gzip -dc "$P/share/doc/rp770/changelog.gz" | head -1 | grep -q '^rp770 ([0-9.]*) unstable; urgency=' ||
  fail "changelog.gz does not begin with the package's entry"

# The man pages: gzipped without a name or time stamp, with their sections,
# every command of rp770-cli, and nothing of the source tree.
for page in rp770 rp770-cli; do
  gz="$P/share/man/man1/$page.1.gz"
  gzip -dc "$gz" >"$WORK/$page.1" 2>/dev/null || fail "$page.1.gz is not gzipped"
  [ "$(od -An -tx1 -j3 -N5 "$gz" | tr -d ' ')" = 0000000000 ] || fail "$page.1.gz holds a name or a time stamp"
  for part in '^\.SH SEE ALSO$' '^\.SH ENVIRONMENT$' '^\.SH EXIT STATUS$' 'RP770_DATA_DIR' 'XDG_STATE_HOME'; do
    grep -q "$part" "$WORK/$page.1" || fail "$page.1 lacks $part"
  done
  ! grep -n 'tests/\|src/\|\.cpp' "$WORK/$page.1" || fail "$page.1 names the source tree"
done
for c in $("$P/bin/rp770-cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9-]*\).*/\1/p'); do
  grep -q "^\.SS rp770\\\\-cli $(echo "$c" | sed 's/-/\\\\-/g')" "$WORK/rp770-cli.1" || fail "command $c not in rp770-cli.1"
done

grep -qx 'MimeType=application/x-rp770-settings;application/x-rp770-image;' "$P/share/applications/rp770.desktop" ||
  fail "the desktop file does not name the file types"
command -v desktop-file-validate >/dev/null && check desktop-file-validate "$P/share/applications/rp770.desktop"
command -v appstreamcli >/dev/null && [ -n "$metainfo" ] && check appstreamcli validate --no-net "$metainfo"
if command -v groff >/dev/null; then
  for page in rp770 rp770-cli; do
    warnings=$(groff -man -ww -z "$WORK/$page.1" 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  done
fi

# The file types, as the desktop finds them: by extension (any case), a
# settings text also by its first line; and rp770 is the program for them.
mkdir -p "$WORK/files/sub"
printf '[MAIN]\r\nMODELTYPE=1\r\n' >"$WORK/files/boat.dat"
cp "$WORK/files/boat.dat" "$WORK/files/notes"
cp "$P/share/rp770/USA_013E.ini" "$WORK/files/usa.HEX"
printf 'x\n' >"$WORK/files/notes.txt"
if command -v update-mime-database >/dev/null && command -v xdg-mime >/dev/null && command -v mimetype >/dev/null; then
  export XDG_DATA_DIRS="$P/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}" XDG_DATA_HOME="$WORK/home/.local/share"
  check update-mime-database "$P/share/mime"
  [ -s "$WORK/out" ] && { fail "update-mime-database complained"; cat "$WORK/out"; }
  for pair in boat.dat:settings notes:settings usa.HEX:image; do
    got=$(xdg-mime query filetype "$WORK/files/${pair%%:*}")
    [ "$got" = "application/x-rp770-${pair#*:}" ] || fail "${pair%%:*} is of type '$got'"
  done
  if command -v update-desktop-database >/dev/null; then
    update-desktop-database "$P/share/applications"
    for type in settings image; do
      got=$(xdg-mime query default "application/x-rp770-$type")
      [ "$got" = rp770.desktop ] || fail "application/x-rp770-$type opens with '$got'"
    done
  fi
fi

# The bash completion loads, and completes: WORDS AFTER rp770-cli | WORDS IT
# MUST OFFER | WORDS IT MUST NOT.
completion="$P/share/bash-completion/completions/rp770-cli"
bash -c "source '$completion' && complete -p rp770-cli" >"$WORK/out" 2>&1 &&
  grep -q '^complete -F _rp770_cli rp770-cli$' "$WORK/out" || { fail "the bash completion does not load"; cat "$WORK/out"; }
while IFS='|' read -r words must mustnot; do
  # The word being completed is the last of WORDS ('' for an empty one).
  # shellcheck disable=SC2016,SC2086
  got=$(cd "$WORK/files" && bash -c 'source "$1"; shift; COMP_WORDS=()
          for w; do [ "$w" = "'"''"'" ] && w=; COMP_WORDS+=("$w"); done; COMP_CWORD=$(($# - 1))
          _rp770_cli 2>/dev/null; printf "%s\n" "${COMPREPLY[@]}"' - "$completion" "$P/bin/rp770-cli" $words)
  for w in $must; do grep -qx -- "$w" <<<"$got" || fail "rp770-cli $words<TAB> does not offer $w: $(echo $got)"; done
  for w in $mustnot; do grep -qx -- "$w" <<<"$got" && fail "rp770-cli $words<TAB> offers $w"; done
done <<'EOF'
''|dat2hex hex2dat simulate report --help --version|boat.dat
hex|hex2dat|dat2hex
read --po|--port|--verify
read --port ''|sim|boat.dat
read --port = ''|sim|
read --port sim ''|boat.dat usa.HEX sub|notes.txt
hex2dat ''|usa.HEX sub|boat.dat notes
hex2dat usa.HEX ''|boat.dat sub|usa.HEX
report boat.dat -o ''|notes.txt sub|boat.dat
program --verify --port sim ''|boat.dat usa.HEX|notes.txt
simulate --fault k|keep=|off
program --destination ''|CAN INT USA|
dump -|--data-dir --help|
EOF

if command -v dpkg-shlibdeps >/dev/null && command -v dpkg-deb >/dev/null; then
  (cd "$BUILD" && cpack -G DEB -B "$WORK/package" >"$WORK/out" 2>&1) || { fail "cpack -G DEB"; cat "$WORK/out"; }
  deb=$(ls "$WORK"/package/rp770_*_*.deb 2>/dev/null | head -1)
  if [ -z "$deb" ]; then fail "no rp770_<version>_<arch>.deb"; else
    dpkg-deb -c "$deb" >"$WORK/contents"
    for f in usr/bin/rp770-cli usr/lib/udev/rules.d/60-rp770-cables.rules usr/share/mime/packages/rp770.xml usr/share/bash-completion/completions/rp770-cli \
             usr/share/doc/rp770/copyright usr/share/doc/rp770/changelog.gz usr/share/man/man1/rp770.1.gz \
             usr/share/rp770/translations/rp770_de.qm; do
      grep -q " ./$f\$" "$WORK/contents" || fail "the package lacks $f"
    done
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6core6' || fail "the package does not depend on Qt"
    dpkg-deb -f "$deb" Recommends | grep -q 'qt6-translations-l10n' || fail "the package does not recommend Qt's translations"
    dpkg-deb -f "$deb" Description | awk 'length($0) > 80 { exit 1 }' || fail "the package's description has long lines"
    if command -v lintian >/dev/null; then
      # No errors, and the programs are hardened (bindnow, fortified functions).
      lintian --fail-on error -I "$deb" >"$WORK/out" 2>&1 || { fail "lintian found errors"; cat "$WORK/out"; }
      grep -E '^E: |hardening-' "$WORK/out" && fail "lintian: errors or hardening tags"
    fi
  fi
fi

[ "$failures" -eq 0 ] && echo "install test passed" || exit 1
