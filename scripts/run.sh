#!/usr/bin/env bash
# Installs what is missing, builds Orvex and starts it. Arguments are passed
# to the program (an observation file to open).
set -euo pipefail
ORVEX_ROOT=$(cd "$(dirname "$0")/.." && pwd)
source "$ORVEX_ROOT/scripts/deps.sh"
orvex_install_deps
orvex_configure "$ORVEX_ROOT/build"
cmake --build "$ORVEX_ROOT/build" --parallel "$(nproc)" --target orvex orvex_data
exec "$ORVEX_ROOT/build/bin/orvex" "$@"
