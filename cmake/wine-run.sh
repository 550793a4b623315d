#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. The caller provides the
# throwaway WINEPREFIX. Wine starts its desktop and service processes from
# whichever program first needs them, and they keep that program's output
# open for as long as they live: so the program writes to files, which are
# handed on once the program itself has exited, and ctest's pipes are never
# given to Wine. Wine's console turns "\n" into CR LF, which would end up
# inside discovered test names, so carriage returns are stripped. The loader
# is the one scripts/wine-loader.sh chose, chosen here when nobody did.
: "${WINEPREFIX:?WINEPREFIX must name a throwaway prefix}"
if [ -z "${DISLIST_WINE:-}" ]; then
  # shellcheck source=scripts/wine-loader.sh
  source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-loader.sh" || exit 1
fi
export WINEDEBUG=-all
# A crashing test program fails at once instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
output=$(mktemp) errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
"$DISLIST_WINE" "$@" </dev/null >"$output" 2>"$errors"
status=$?
tr -d '\r' <"$output"
tr -d '\r' <"$errors" >&2
exit $status
