#!/usr/bin/env bash
# Runs one Windows program under the build's Wine: the emulator of the Windows presets.
# The language of the run is SPV_WINE_LANG (Russian Windows by default).
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
export LANG="${SPV_WINE_LANG:-ru_RU.UTF-8}" LC_ALL="${SPV_WINE_LANG:-ru_RU.UTF-8}"
if [ -f "$SPV_WINE_DIR/display" ]; then
  export DISPLAY="$(cat "$SPV_WINE_DIR/display")"
fi
exec "$WINE" "$@"
