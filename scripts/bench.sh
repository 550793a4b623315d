#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine in a throwaway prefix; they print
# their figures against floors measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >&2
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)" --target removal_bench track_change_bench log_reader_bench >/dev/null
export WINEPREFIX="$PWD/build/bench-wineprefix"
source scripts/wine-prefix.sh
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Wine $(wine --version)"
wine build/bin/removal_bench.exe | tr -d '\r'
wine build/bin/track_change_bench.exe | tr -d '\r'
wine build/bin/log_reader_bench.exe | tr -d '\r'
wineserver -k || true
