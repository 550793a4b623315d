#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays a playlist through
# the plug-in in the stand-in player, under Wine in a throwaway prefix.
# Usage: bash scripts/demo.sh [--arch x64|x86] [--fault NAME] [PLAYLIST.m3u8]
#   --arch x86  the 32-bit plug-in in the 32-bit stand-in player (for 32-bit
#               AIMP); the default is x64. The other options are the player's.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh

arch=x64
args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --arch)
      case "${2:-}" in
        x64 | x86) arch=$2 ;;
        *) echo "demo.sh: --arch takes x64 or x86" >&2; exit 2 ;;
      esac
      shift 2 ;;
    --help | -h | /?)
      # Nothing installed, built or started: the player's options come from
      # the text the player itself is built with.
      sed -n '4,6p' "$0" | sed 's/^# \{0,1\}//'
      echo
      echo "The stand-in player's options, passed on to it:"
      cat host/dislist_player_usage.txt
      exit 0 ;;
    *) args+=("$1"); shift ;;
  esac
done
dislist_select "$arch"

needs=(build wine)
[ "$arch" = x64 ] || needs+=(wine32)
bash scripts/setup.sh "${needs[@]}" >&2
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$DISLIST_JOBS" --target dislist-player >/dev/null

# shellcheck source=scripts/wine-prefix.sh
source scripts/wine-prefix.sh
if [ "$arch" = x86 ] && [ "$DISLIST_WINE32" != yes ]; then
  echo "demo.sh: the x86 build cannot run here: $DISLIST_WINE32_WHY" >&2
  exit 1
fi
trap dislist_stop_wine EXIT
trap 'exit 130' INT TERM
dislist_prefix "$PWD/$build/demo-wineprefix"  # also makes C:\AIMPPlugin for the log

# Playlist files given as Linux paths are handed over as Windows paths.
winargs=()
for arg in "${args[@]+"${args[@]}"}"; do
  if [ -f "$arg" ]; then
    if ! windows_path=$(timeout 120 wine winepath -w "$arg" 2>/dev/null | tr -d '\r') || [ -z "$windows_path" ]; then
      echo "demo.sh: Wine could not give the Windows path of $arg (winepath failed)" >&2
      exit 1
    fi
    winargs+=("$windows_path")
  else
    winargs+=("$arg")
  fi
done
status=0
timeout "$DISLIST_WINE_TIMEOUT" wine "$build/bin/dislist-player.exe" "${winargs[@]+"${winargs[@]}"}" | tr -d '\r' ||
  status=$?
[ "$status" -ne 124 ] || echo "demo.sh: the stand-in player did not end within $DISLIST_WINE_TIMEOUT s: stopped" >&2
exit $status
