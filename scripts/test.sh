#!/usr/bin/env bash
# Sets up, builds every preset and runs every test: the native suite with sanitizers,
# the bounded fuzz runs, the Windows suites under Wine, 64-bit and 32-bit, and the download
# for Windows as a user gets it. Incremental when run again.
# The 32-bit suites need a machine that runs 32-bit programs; where it cannot (or with
# SPV_NO_WIN32=1) one line says that they were skipped and why, and the 32-bit program and its
# package are still built.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

win32_loader=/usr/lib/wine/wine
skip_win32=
if [ -n "${SPV_NO_WIN32:-}" ]; then
  skip_win32="SPV_NO_WIN32 is set"
elif ! "$win32_loader" --version >/dev/null 2>&1; then
  skip_win32="the 32-bit Wine loader $win32_loader does not answer --version: this machine cannot run 32-bit programs"
fi

presets=(native native-asan fuzz win32 win64)
scripts/configure.sh "${presets[@]}" || exit 1
for p in "${presets[@]}"; do
  echo "== build $p"
  target=()
  [ "$p" = win32 ] && [ -n "$skip_win32" ] && target=(--target package)
  cmake --build --preset "$p" "${target[@]}" || { echo "build of $p failed"; exit 1; }
done

failed=()
for p in native-asan fuzz win64 win32; do
  if [ "$p" = win32 ] && [ -n "$skip_win32" ]; then
    echo "== test win32 SKIPPED: the 32-bit Windows suites did not run, because $skip_win32"
    continue
  fi
  echo "== test $p"
  ctest --preset "$p" || failed+=("$p")
done
if ((${#failed[@]})); then
  echo "failing suites: ${failed[*]}"
  exit 1
fi
