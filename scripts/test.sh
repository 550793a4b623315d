#!/usr/bin/env bash
# Installs what is missing, builds the 64-bit and the 32-bit plug-in with
# their tests (any compiler warning fails), runs clang-tidy over both,
# fuzzes the record parser and the log reader (natively, once: they do not
# depend on the target), makes the release package twice from clean clones
# of HEAD and compares the bytes, and runs every test of each build under
# Wine, each in a fresh throwaway prefix of its own. The release package,
# which holds both builds, is made and checked by the 64-bit run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

# Every warning fails the build here.
for preset in mingw-x86 mingw; do
  cmake --preset "$preset" -DDISLIST_WARNINGS_AS_ERRORS=ON >/dev/null
  cmake --build --preset "$preset" -j"$(nproc)"
done

status=0
bash scripts/tidy.sh || status=1
bash scripts/fuzz.sh || status=1
bash scripts/reproduce.sh || status=1

source scripts/wine-loader.sh
# The x64 run last, so that its summary closes the output.
for preset in mingw-x86 mingw; do
  case $preset in mingw) build=build arch=x64 ;; mingw-x86) build=build-x86 arch=x86 ;; esac
  if [ "$arch" = x86 ] && [ "$DISLIST_WINE32" = no ]; then
    echo "== x86 build: built, but this machine's kernel runs no 32-bit programs, so 32-bit"
    echo "   Wine cannot run its tests here: only the checks that need no Wine run."
    # (ctest would run the test programs to list their tests.)
    cmake -DOBJDUMP=i686-w64-mingw32-objdump -DDLL=build-x86/bin/AIMP_Dislist.dll -DFORMAT=pei-i386 \
          -P cmake/check_dll_tables.cmake && echo "x86 dll_tables: passed" || status=1
    continue
  fi
  echo "== $arch build: every test under Wine"
  export WINEPREFIX="$PWD/$build/wineprefix"
  rm -rf "$WINEPREFIX"
  source scripts/wine-prefix.sh
  # A persistent server saves Wine's start-up on every test process. Its
  # service processes are started here, away from ctest's output pipes.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  ctest --preset "$preset" || status=$?
  wineserver -k || true
done
exit $status
