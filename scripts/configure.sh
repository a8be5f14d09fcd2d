#!/usr/bin/env bash
# Configures the build tree of each preset named when it is missing or older than the presets
# file: CMake re-runs by itself when a CMakeLists.txt changes, but a changed preset reaches an
# existing tree only through a new configure.
set -euo pipefail
cd "$(dirname "$0")/.."
for p in "$@"; do
  cache="build/$p/CMakeCache.txt"
  if [ ! -f "build/$p/build.ninja" ] || [ CMakePresets.json -nt "$cache" ]; then
    cmake --preset "$p" >/dev/null || { echo "configure of $p failed" >&2; exit 1; }
    touch "$cache"
  fi
done
