#!/usr/bin/env bash
# Sets up, builds the Windows program and starts it under Wine.
# Without a display of your own it runs on a virtual one and leaves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/configure.sh win64 native
cmake --build --preset win64 --target spinvolt
cmake --build --preset native

export SPV_WINE_DIR=$PWD/build/win64/wine-run
. cmake/wine/wine-env.sh
spv_wine_prefix
# The program's default folders, C:\Quorvane and C:\Quorvane\Report, with the demo's 35 days.
build/native/bin/spinvolt-demo --folder "$WINEPREFIX/drive_c/Quorvane" >/dev/null

exe=build/win64/bin/spinvolt.exe
if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine/wine-run.sh "$exe"
fi
cmake/wine/wine-start.sh
trap 'cmake/wine/wine-stop.sh' EXIT
cmake/wine/wine-run.sh "$exe" &
sleep 4
DISPLAY=$(cat "$SPV_WINE_DIR/display") xwd -root -silent | convert xwd:- build/spinvolt-screen.png
echo "spinvolt runs on the virtual display $(cat "$SPV_WINE_DIR/display"); its picture: build/spinvolt-screen.png"
echo "press Ctrl+C to end it"
wait
