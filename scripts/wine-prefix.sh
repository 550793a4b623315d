#!/usr/bin/env bash
# Makes a throwaway Wine prefix (never ~/.wine) with the null graphics driver,
# so windows can be created headless. Usage: source it with the prefix path
# in WINEPREFIX; it exports WINEPREFIX and WINEDEBUG.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to a throwaway folder}"
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  # The desktop process started by wineboot keeps the old driver: restart.
  wineserver -k || true
  wineserver -w || true
fi
mkdir -p "$WINEPREFIX/drive_c/AIMPPlugin"
