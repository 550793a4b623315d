#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest. The caller provides the
# throwaway WINEPREFIX; Wine's console turns "\n" into CR LF, which would end
# up inside discovered test names, so carriage returns are stripped.
set -o pipefail
: "${WINEPREFIX:?WINEPREFIX must name a throwaway prefix}"
export WINEDEBUG=-all
wine "$@" | tr -d '\r'
