# shellcheck shell=bash
# Throwaway Wine prefixes (never ~/.wine): the null graphics driver, so that
# windows can be created headless, and the folder of the plug-in's log.
# Source it (it sources wine-loader.sh and returns non-zero when no Wine can
# run), then:
#   dislist_prefix FOLDER [fresh]  make FOLDER ready unless it already is
#                                  (afresh with "fresh") and export it as
#                                  WINEPREFIX for what follows
#   dislist_prefix_once FOLDER WHO FOR
#                                  make FOLDER ready on first use, one maker
#                                  at a time, saying so as WHO ("making the
#                                  Wine prefix FOLDER FOR (once)"); exports
#                                  nothing
#   dislist_stop_wine              stop the Wine server of WINEPREFIX: give
#                                  it to the script's EXIT trap
#   dislist_wine_step WHAT CMD...  run CMD under the time limit, and say that
#                                  WHAT failed, with its output, if it did
# A prefix is ready once the file .dislist-ready in it exists, written last:
# one whose making was cut short is made afresh, and so is one that no
# longer starts (one made before 32-bit Wine was installed fails with
# "could not load kernel32.dll"). DISLIST_WINE_TIMEOUT limits each step
# (seconds, default 300).
# shellcheck source=scripts/wine-loader.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh" || return 1
DISLIST_WINE_TIMEOUT=${DISLIST_WINE_TIMEOUT:-300}

dislist_wine_step() {
  local what=$1 output status=0
  shift
  output=$(mktemp) || return 1
  timeout "$DISLIST_WINE_TIMEOUT" "$@" </dev/null >"$output" 2>&1 || status=$?
  if [ $status -eq 124 ]; then
    echo "$what: no end after ${DISLIST_WINE_TIMEOUT} s, stopped (prefix ${WINEPREFIX:-none})" >&2
  elif [ $status -ne 0 ]; then
    echo "$what failed (exit $status, prefix ${WINEPREFIX:-none}); its last lines:" >&2
    tail -n 20 "$output" | tr -d '\r' >&2
  fi
  rm -f "$output"
  return $status
}

dislist_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ] || return 0
  timeout 60 wineserver -k >/dev/null 2>&1 || true
  timeout 60 wineserver -w >/dev/null 2>&1 || true
}

# A 64-bit program, and a 32-bit one where they can run.
dislist_prefix_starts() {
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 &&
    { [ "$DISLIST_WINE32" != yes ] ||
      timeout 120 wine 'C:\windows\syswow64\cmd.exe' /c exit </dev/null >/dev/null 2>&1; }
}

dislist_prefix() {
  local folder=$1 mode=${2:-}
  export WINEPREFIX=$folder WINEDEBUG=-all
  if [ -f "$folder/.dislist-ready" ] && [ "$mode" != fresh ] && ! dislist_prefix_starts; then
    echo "The Wine prefix $folder does not start any more: making it afresh." >&2
    mode=fresh
  fi
  if [ "$mode" = fresh ] || [ ! -f "$folder/.dislist-ready" ]; then
    dislist_stop_wine
    if ! { rm -rf "$folder" && mkdir -p "$folder"; }; then
      echo "cannot make the folder $folder" >&2
      return 1
    fi
    dislist_wine_step "Making the Wine prefix (wineboot)" wine wineboot -i || return 1
    dislist_wine_step "Setting the null graphics driver (reg add)" \
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f || return 1
    # The desktop process started by wineboot keeps the old driver: restart.
    dislist_stop_wine
    touch "$folder/.dislist-ready" || return 1
  fi
  mkdir -p "$folder/drive_c/AIMPPlugin"
}

# Several programs may start at once (ctest runs them in parallel): one
# makes the prefix under a lock beside it, the others wait for it.
dislist_prefix_once() {
  local folder=$1 who=$2 purpose=$3
  if [ ! -f "$folder/.dislist-ready" ]; then
    mkdir -p "$(dirname "$folder")" || return 1
    (
      flock -w 900 9 || { echo "$who: waited 900 s for another maker of $folder" >&2; exit 1; }
      [ -f "$folder/.dislist-ready" ] && exit 0
      echo "$who: making the Wine prefix $folder $purpose (once)" >&2
      dislist_prefix "$folder"
    ) 9>"$folder.lock" || { echo "$who: the Wine prefix $folder could not be made (see above)" >&2; return 1; }
  fi
  mkdir -p "$folder/drive_c/AIMPPlugin"
}
