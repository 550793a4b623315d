#!/usr/bin/env bash
# Runs one Windows program under the Wine loader this machine needs (see
# wine-loader.sh), in the demo's prefix unless WINEPREFIX names another.
# Usage: bash scripts/wine.sh PROGRAM.exe [ARGUMENT...]
# The demo's prefix is made on first use as the demo makes it (the null
# graphics driver, the plug-in's log folder), so that a program run before
# the demo finds the same Windows. A prefix the caller names is used as it
# is: it may be someone's own, and is never made afresh here.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
export WINEDEBUG="${WINEDEBUG:--all}"
if [ -n "${WINEPREFIX:-}" ]; then
  # shellcheck source=scripts/wine-loader.sh
  source "$scripts/wine-loader.sh"
else
  WINEPREFIX="$(dirname "$scripts")/build/demo-wineprefix"
  export WINEPREFIX
  # shellcheck source=scripts/wine-prefix.sh
  source "$scripts/wine-prefix.sh"
  dislist_prefix_once "$WINEPREFIX" wine.sh "for the demo and the tools"
fi
exec wine "$@"
