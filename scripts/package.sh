#!/usr/bin/env bash
# Installs what is missing, builds both the 64-bit and the 32-bit plug-in,
# and makes the release package for Windows users,
# build/package/AIMP_Dislist-<version>-win.zip, then checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >&2
for preset in mingw mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)" --target AIMP_Dislist dislist-log >/dev/null
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
cmake -DX64_BIN=build/bin -DX86_BIN=build-x86/bin -DSOURCE_DIR="$PWD" -DOUT_DIR="$PWD/build/package" \
      -DVERSION="$version" -P cmake/make_package.cmake
cmake -DZIP="$PWD/build/package/AIMP_Dislist-$version-win.zip" -DOBJDUMP=x86_64-w64-mingw32-objdump \
      -P cmake/check_package.cmake
