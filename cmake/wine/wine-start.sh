#!/usr/bin/env bash
# Starts what the Windows tests of one run share: the prefix (made on first use),
# a virtual display and one persistent wineserver, so that no test pays Wine's start-up.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$SPV_WINE_DIR"
"$(dirname "$0")/wine-stop.sh" >/dev/null 2>&1 || true

spv_wine_prefix

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -ac </dev/null >/dev/null 2>&1 &
echo $! >"$SPV_WINE_DIR/xvfb.pid"
echo ":$n" >"$SPV_WINE_DIR/display"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done

"$WINESERVER" -p </dev/null >/dev/null 2>&1
# A first process brings up the services of the prefix once, for the whole run.
DISPLAY=":$n" "$WINE64" cmd /c exit >/dev/null 2>&1 || true
echo "wine: display :$n, persistent wineserver for $WINEPREFIX"
