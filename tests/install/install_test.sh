#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed programs from
# another folder, as a user would: the data are found in ../share/rp770, the
# desktop file, icon, metainfo and man pages are there and pass their
# validators (when installed), and, where the Debian tools are, the package
# builds and holds the programs.
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
out=$(cd / && QT_QPA_PLATFORM=none "$P/bin/rp770" --version) || fail "rp770 --version"
case "$out" in "rp770 (RP770) "*) ;; *) fail "rp770 --version said: $out" ;; esac

# A copy of the program away from its data says where it looked.
mkdir -p "$WORK/away" && cp "$P/bin/rp770-cli" "$WORK/away/"
"$WORK/away/rp770-cli" destinations >"$WORK/out" 2>&1 && fail "a program without data succeeded"
grep -q "^  $WORK/share/rp770\$" "$WORK/out" || { fail "the folders searched are not named"; cat "$WORK/out"; }
RP770_DATA_DIR="$P/share/rp770" "$WORK/away/rp770-cli" destinations >/dev/null || fail "RP770_DATA_DIR not used"

for f in share/applications/rp770.desktop share/icons/hicolor/scalable/apps/rp770.svg \
         share/icons/hicolor/48x48/apps/rp770.png share/icons/hicolor/256x256/apps/rp770.png \
         share/man/man1/rp770.1 share/man/man1/rp770-cli.1 share/rp770/global.ini "share/rp770/QJ Logo.gif" \
         share/rp770/rp770-help.html; do
  [ -s "$P/$f" ] || fail "$f is missing"
done
metainfo=$(ls "$P"/share/metainfo/*.metainfo.xml 2>/dev/null | head -1)
[ -n "$metainfo" ] || fail "no metainfo"

# Every command of rp770-cli is in its man page.
for c in $("$P/bin/rp770-cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z0-9-]*\).*/\1/p'); do
  grep -q "^\.SS rp770\\\\-cli $(echo "$c" | sed 's/-/\\\\-/g')" "$P/share/man/man1/rp770-cli.1" || fail "command $c not in rp770-cli.1"
done

command -v desktop-file-validate >/dev/null && check desktop-file-validate "$P/share/applications/rp770.desktop"
command -v appstreamcli >/dev/null && [ -n "$metainfo" ] && check appstreamcli validate --no-net "$metainfo"
if command -v groff >/dev/null; then
  for page in rp770 rp770-cli; do
    warnings=$(groff -man -ww -z "$P/share/man/man1/$page.1" 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
  done
fi

if command -v dpkg-shlibdeps >/dev/null && command -v dpkg-deb >/dev/null; then
  (cd "$BUILD" && cpack -G DEB -B "$WORK/package" >"$WORK/out" 2>&1) || { fail "cpack -G DEB"; cat "$WORK/out"; }
  deb=$(ls "$WORK"/package/rp770_*_*.deb 2>/dev/null | head -1)
  if [ -z "$deb" ]; then fail "no rp770_<version>_<arch>.deb"; else
    dpkg-deb -c "$deb" | grep -q ' ./usr/bin/rp770-cli$' || fail "the package lacks usr/bin/rp770-cli"
    dpkg-deb -f "$deb" Depends | grep -q 'libqt6core6' || fail "the package does not depend on Qt"
  fi
fi

[ "$failures" -eq 0 ] && echo "install test passed" || exit 1
