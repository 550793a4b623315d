#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays a playlist through
# the plug-in in the stand-in player, under Wine in a throwaway prefix.
# Usage: bash scripts/demo.sh [--arch x64|x86] [--fault NAME] [PLAYLIST.m3u8]
#   --arch x86  the 32-bit plug-in in the 32-bit stand-in player (for 32-bit
#               AIMP); the default is x64. The player's own --help tells the rest.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=mingw build=build
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch)
      case "${2:-}" in
        x64) preset=mingw build=build ;;
        x86) preset=mingw-x86 build=build-x86 ;;
        *) echo "demo.sh: --arch takes x64 or x86" >&2; exit 2 ;;
      esac
      shift 2 ;;
    --help|-h)
      sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'
      args+=("$1"); shift ;;
    *) args+=("$1"); shift ;;
  esac
done

bash scripts/setup.sh >&2
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)" --target dislist-player >/dev/null

export WINEPREFIX="$PWD/$build/demo-wineprefix"
source scripts/wine-prefix.sh  # also creates C:\AIMPPlugin for the log
if [ "$build" = build-x86 ] && [ "$DISLIST_WINE32" = no ]; then
  echo "demo.sh: this machine's kernel runs no 32-bit programs, so 32-bit Wine cannot run the x86 build here" >&2
  exit 1
fi

# Playlist files given as Linux paths are handed over as Windows paths.
winargs=()
for arg in "${args[@]+"${args[@]}"}"; do
  if [ -f "$arg" ]; then winargs+=("$(wine winepath -w "$arg" 2>/dev/null | tr -d "\r")"); else winargs+=("$arg"); fi
done
status=0
wine "$build/bin/dislist-player.exe" "${winargs[@]+"${winargs[@]}"}" | tr -d '\r' || status=$?
wineserver -k || true
exit $status
