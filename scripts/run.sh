#!/usr/bin/env bash
# Starts the RP770 window, or says what to do when there is no display.
set -euo pipefail
exe="$1"; shift || true
if [ "$(uname -s)" = "Linux" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] \
   && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
RP770 is built ($exe), but this session has no display to open its window on.
  - On a desktop, run 'make run' from a terminal inside the desktop session.
  - Over ssh, connect with X forwarding (ssh -X) and run 'make run' again.
  - Without any display, use the command-line tool: $(dirname "$exe")/rp770-cli --help
  - To check everything works, run 'make test'.
MSG
  exit 2
fi
exec "$exe" "$@"
