#!/usr/bin/env bash
# Makes a throwaway Wine prefix (never ~/.wine) with the null graphics driver,
# so windows can be created headless, and the folder of the plug-in's log.
# A prefix that no longer starts (one made before 32-bit Wine was installed
# fails with "could not load kernel32.dll") is made afresh. Usage: source it
# with the prefix path in WINEPREFIX; it exports WINEPREFIX and WINEDEBUG,
# and the loader's choice (scripts/wine-loader.sh).
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX to a throwaway folder}"
export WINEPREFIX WINEDEBUG=-all
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
starts() {  # a 64-bit program, and a 32-bit one where they can run
  timeout 120 "$DISLIST_WINE" cmd /c exit </dev/null >/dev/null 2>&1 &&
    { [ "$DISLIST_WINE32" = no ] ||
      timeout 120 "$DISLIST_WINE" 'C:\windows\syswow64\cmd.exe' /c exit </dev/null >/dev/null 2>&1; }
}
if [ -f "$WINEPREFIX/system.reg" ] && ! starts; then
  echo "The Wine prefix $WINEPREFIX does not start any more: making it afresh." >&2
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wine wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  # The desktop process started by wineboot keeps the old driver: restart.
  wineserver -k || true
  wineserver -w || true
fi
mkdir -p "$WINEPREFIX/drive_c/AIMPPlugin"
