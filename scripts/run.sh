#!/usr/bin/env bash
# Installs what is missing, builds Orvex and starts it. Arguments are passed
# to the program (an observation file to open). ORVEX_JOBS=n builds with n
# jobs instead of one per core.
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
orvex_configure "$ORVEX_ROOT/build"
cmake --build "$ORVEX_ROOT/build" --parallel "$ORVEX_JOBS" --target orvex orvex_data
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "Orvex is built but needs a display to start: set DISPLAY, or run it under xvfb-run (xvfb-run scripts/run.sh)." >&2
  exit 1
fi
exec "$ORVEX_ROOT/build/bin/orvex" "$@"
