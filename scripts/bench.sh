#!/usr/bin/env bash
# Builds and runs the benchmarks of each build (x64, then x86) under Wine in
# a throwaway prefix; each figure is printed beside its floor, measured in
# the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh
bash scripts/setup.sh build wine >&2
# Without it the x86 benchmarks do not run, and it says why.
bash scripts/setup.sh wine32 >&2 || echo "bench.sh: 32-bit Wine could not be installed" >&2
# shellcheck source=scripts/wine-prefix.sh
source scripts/wine-prefix.sh
trap dislist_stop_wine EXIT
trap 'exit 130' INT TERM
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(wine --version)"
for arch in "${DISLIST_ARCHES[@]}"; do
  dislist_select "$arch"
  if [ "$arch" = x86 ] && [ "$DISLIST_WINE32" != yes ]; then
    echo; echo "== $build: not run: $DISLIST_WINE32_WHY"
    continue
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$DISLIST_JOBS" --target removal_bench track_change_bench log_reader_bench >/dev/null
  dislist_prefix "$PWD/$build/bench-wineprefix"
  echo
  echo "== $build: AIMP_Dislist.dll $(stat -c %s "$build/bin/AIMP_Dislist.dll") bytes"
  for bench in removal_bench track_change_bench log_reader_bench; do
    timeout 1800 wine "$build/bin/$bench.exe" | tr -d '\r'
  done
  dislist_stop_wine
done
