#!/usr/bin/env bash
# Sets up, builds every preset and runs every test: the native suite with sanitizers,
# the bounded fuzz runs, and the Windows suite under Wine. Incremental when run again.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

presets=(native native-asan fuzz win32 win64)
scripts/configure.sh "${presets[@]}" || exit 1
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --build --preset "$p" || { echo "build of $p failed"; exit 1; }
done

failed=()
for p in native-asan fuzz win64; do
  echo "== test $p"
  ctest --preset "$p" || failed+=("$p")
done
if ((${#failed[@]})); then
  echo "failing suites: ${failed[*]}"
  exit 1
fi
