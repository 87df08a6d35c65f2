#!/usr/bin/env bash
# Installs, with apt, whatever building, running and testing RP770 needs and
# the machine lacks. The one list of packages: the Makefile, the README and
# CI all come through here.
set -euo pipefail

PACKAGES=(
  g++ make cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  python3 gettext qt6-l10n-tools  # the message catalogues: scripts/messages.py, msgfmt and msgmerge, lconvert (.qm)
  qt6-translations-l10n  # Qt's own dialogs in the window's language
  libgtest-dev libgmock-dev libbenchmark-dev
  libfast-float-dev libfmt-dev  # decimal numbers as text, used header-only
  emscripten  # the browser's build of the plain layers (its linker needs NODE_PATH=/usr/share/nodejs)
  fonts-dejavu-core
  clang libclang-rt-14-dev
  desktop-file-utils appstream groff-base dpkg-dev file  # tests/install: validators, the package
  lintian shared-mime-info xdg-utils libfile-mimeinfo-perl  # tests/install: the package check, the file types
  locales
  time  # make bench: the peak memory of the command line on bad inputs (bench/bad-inputs.sh)
  nodejs  # the browser edition's tests (make test-web)
  chromium  # the page's tests, headless, driven by playwright-core
  g++-mingw-w64-x86-64-posix wine wine64  # rp770-cli.exe (make windows) and its tests under Wine
)
# npm comes with some builds of nodejs (NodeSource's conflicts with Debian's
# npm package): Debian's only where there is none.
command -v npm >/dev/null 2>&1 || PACKAGES+=(npm)

# The suite also runs under a comma-decimal locale (de_DE.UTF-8). Machines
# often have only C and POSIX: the locale is compiled into a folder of the
# project's own (used through LOCPATH), so nothing of the system changes.
LOCALE_DIR="${RP770_LOCALE_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build-locale}"
comma_locale_works() {
  [ "$(LOCPATH="$LOCALE_DIR" LC_ALL=de_DE.UTF-8 locale decimal_point 2>/dev/null)" = "," ]
}
make_comma_locale() {
  comma_locale_works && return 0
  mkdir -p "$LOCALE_DIR"
  # localedef warns (and may exit non-zero) about harmless details of the
  # source files; the check below is what counts.
  localedef -i de_DE -f UTF-8 "$LOCALE_DIR/de_DE.UTF-8" 2>/dev/null || true
  if ! comma_locale_works; then
    echo "Could not build the de_DE.UTF-8 locale in $LOCALE_DIR (is the locales package installed?)" >&2
    exit 1
  fi
}

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
  elif command -v sudo >/dev/null 2>&1; then
    SUDO=(sudo)
  else
    echo "These packages are missing and I am neither root nor able to use sudo: ${missing[*]}" >&2
    echo "Install them with apt-get as root, then run this again." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

make_comma_locale

# The page tests' npm packages, exactly as the lockfile says, without the
# driver's own browser download (Debian's chromium is the browser). Skipped
# when node_modules already holds this lockfile's install.
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
if ! cmp -s "$ROOT/package-lock.json" "$ROOT/node_modules/.package-lock.json.installed" 2>/dev/null; then
  (cd "$ROOT" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  cp "$ROOT/package-lock.json" "$ROOT/node_modules/.package-lock.json.installed"
fi
