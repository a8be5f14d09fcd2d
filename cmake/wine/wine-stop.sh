#!/usr/bin/env bash
# Stops the shared wineserver and the virtual display of one run.
set -uo pipefail
. "$(dirname "$0")/wine-env.sh"
"$WINESERVER" -k >/dev/null 2>&1
if [ -f "$SPV_WINE_DIR/xvfb.pid" ]; then
  kill "$(cat "$SPV_WINE_DIR/xvfb.pid")" >/dev/null 2>&1
  rm -f "$SPV_WINE_DIR/xvfb.pid" "$SPV_WINE_DIR/display"
fi
exit 0
