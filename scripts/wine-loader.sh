#!/usr/bin/env bash
# Chooses the Wine loader. The wine command prefers the 32-bit loader once
# 32-bit Wine is installed, and a kernel that runs no 32-bit programs (some
# virtual machines) then fails every program, 64-bit ones included. There
# the 64-bit loader is called directly; 32-bit Windows programs cannot run
# on such a machine at all. Source it: it exports DISLIST_WINE (the loader
# command), DISLIST_WINE32 (yes or no) and, where needed, WINELOADER, and
# defines `wine` for the sourcing script.
if [ -x /usr/lib/wine/wine64 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export DISLIST_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64 DISLIST_WINE32=no
else
  export DISLIST_WINE=wine DISLIST_WINE32=yes
fi
wine() { "$DISLIST_WINE" "$@"; }
