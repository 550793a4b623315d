#!/usr/bin/env bash
# Installs what is missing and builds both plug-ins: build/bin/AIMP_Dislist.dll
# (64-bit AIMP) and build-x86/bin/AIMP_Dislist.dll (32-bit AIMP).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
for preset in mingw mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" --target AIMP_Dislist
done
ls -l build/bin/AIMP_Dislist.dll build-x86/bin/AIMP_Dislist.dll
