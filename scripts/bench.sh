#!/usr/bin/env bash
# Builds and runs the benchmarks of each build (x64, then x86) under Wine in
# a throwaway prefix; each figure is printed beside its floor, measured in
# the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >&2
source scripts/wine-loader.sh
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine --version)"
for preset in mingw mingw-x86; do
  case $preset in mingw) build=build ;; mingw-x86) build=build-x86 ;; esac
  if [ "$preset" = mingw-x86 ] && [ "$DISLIST_WINE32" = no ]; then
    echo; echo "== $build: not run: this machine's kernel runs no 32-bit programs (32-bit Wine needs them)"
    continue
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" --target removal_bench track_change_bench log_reader_bench >/dev/null
  export WINEPREFIX="$PWD/$build/bench-wineprefix"
  source scripts/wine-prefix.sh
  echo
  echo "== $build: AIMP_Dislist.dll $(stat -c %s "$build/bin/AIMP_Dislist.dll") bytes"
  wine "$build/bin/removal_bench.exe" | tr -d '\r'
  wine "$build/bin/track_change_bench.exe" | tr -d '\r'
  wine "$build/bin/log_reader_bench.exe" | tr -d '\r'
  wineserver -k || true
done
