#!/usr/bin/env bash
# Installs what is missing and builds both plug-ins: build/bin/AIMP_Dislist.dll
# (64-bit AIMP) and build-x86/bin/AIMP_Dislist.dll (32-bit AIMP).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh
bash scripts/setup.sh build
dlls=()
for arch in "${DISLIST_ARCHES[@]}"; do
  dislist_select "$arch"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$DISLIST_JOBS" --target AIMP_Dislist
  dlls+=("$build/bin/AIMP_Dislist.dll")
done
ls -l "${dlls[@]}"
