#!/usr/bin/env bash
# Starts what the Windows tests of one run share: the prefix (made on first use),
# a virtual display and one persistent wineserver, so that no test pays Wine's start-up.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$SPV_WINE_DIR"
"$(dirname "$0")/wine-stop.sh" >/dev/null 2>&1 || true

spv_wine_prefix || { echo "wine: could not make the prefix $WINEPREFIX" >&2; exit 1; }

# Xvfb picks a free display itself and writes its number to the pipe once it accepts clients,
# so runs of several build trees side by side never race for one.
exec {fd}<> <(:)
# The screen is SPV_WINE_SCREEN (width x height x depth), a large one by default.
Xvfb -displayfd "$fd" -screen 0 "${SPV_WINE_SCREEN:-1920x1200x24}" -nolisten tcp -ac </dev/null >/dev/null 2>&1 &
echo $! >"$SPV_WINE_DIR/xvfb.pid"
n=
read -r -t 20 -u "$fd" n || true
exec {fd}<&-
if [ -z "$n" ]; then
  echo "wine: the virtual display (Xvfb) did not start" >&2
  exit 1
fi
echo ":$n" >"$SPV_WINE_DIR/display"

"$WINESERVER" -p </dev/null >/dev/null 2>&1
# A first process brings up the services of the prefix once, for the whole run.
DISPLAY=":$n" "$WINE" cmd /c exit >/dev/null 2>&1 || true
echo "wine: display :$n, persistent wineserver for $WINEPREFIX"
