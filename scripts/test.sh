#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the record parser and the log
# reader (natively), and runs every test under Wine in a throwaway prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)"

status=0
bash scripts/fuzz.sh || status=1

export WINEPREFIX="$PWD/build/wineprefix"
rm -rf "$WINEPREFIX"
source scripts/wine-prefix.sh

# A persistent server saves Wine's start-up on every test process. Its
# service processes are started here, away from ctest's output pipes, which
# they would otherwise hold open for as long as they live.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1 || true
ctest --preset mingw || status=$?
wineserver -k || true
exit $status
