#!/usr/bin/env bash
# Runs one Windows program under the Wine loader this machine needs (see
# wine-loader.sh), in the demo's prefix unless WINEPREFIX names another.
# Usage: bash scripts/wine.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(dirname "$scripts")/build/demo-wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
# shellcheck source=scripts/wine-loader.sh
source "$scripts/wine-loader.sh"
exec wine "$@"
