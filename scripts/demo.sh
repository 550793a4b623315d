#!/usr/bin/env bash
# The main job: installs what is missing, builds, and plays a playlist through
# the plug-in in the stand-in player, under Wine in a throwaway prefix.
# Usage: bash scripts/demo.sh [--fault NAME] [PLAYLIST.m3u8]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh >&2
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j"$(nproc)" --target dislist-player >/dev/null

export WINEPREFIX="$PWD/build/demo-wineprefix"
source scripts/wine-prefix.sh  # also creates C:\AIMPPlugin for the log

# Playlist files given as Linux paths are handed over as Windows paths.
args=()
for arg in "$@"; do
  if [ -f "$arg" ]; then args+=("$(winepath -w "$arg" 2>/dev/null)"); else args+=("$arg"); fi
done
status=0
wine build/bin/dislist-player.exe "${args[@]}" | tr -d '\r' || status=$?
wineserver -k || true
exit $status
