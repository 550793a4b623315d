#!/usr/bin/env bash
# Installs what is missing, builds both the 64-bit and the 32-bit plug-in,
# and makes the release package for Windows users,
# build/package/AIMP_Dislist-<version>-win.zip, then checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh
bash scripts/setup.sh build >&2
for arch in "${DISLIST_ARCHES[@]}"; do
  dislist_select "$arch"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$DISLIST_JOBS" --target AIMP_Dislist dislist-log >/dev/null
done
dislist_select x64
x64=$build triple64=$triple
dislist_select x86
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$x64/CMakeCache.txt")
cmake -DX64_BIN="$x64/bin" -DX86_BIN="$build/bin" -DSOURCE_DIR="$PWD" -DOUT_DIR="$PWD/$x64/package" \
      -DVERSION="$version" -P cmake/make_package.cmake
cmake -DZIP="$PWD/$x64/package/AIMP_Dislist-$version-win.zip" -DOBJDUMP="$triple64-objdump" \
      -P cmake/check_package.cmake
