#!/usr/bin/env bash
# Installs what is missing and builds build/bin/AIMP_Dislist.dll.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)" --target AIMP_Dislist
ls -l build/bin/AIMP_Dislist.dll
