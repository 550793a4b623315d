# shellcheck shell=bash
# Chooses the Wine loader by looking, and sets the Wine environment the
# scripts rely on. Source it; it returns non-zero, with the reason, when no
# Wine can run here. It exports
#   DISLIST_WINE      the loader's absolute path, for 64-bit programs and,
#                     where they can run, 32-bit ones
#   DISLIST_WINE32    yes: 32-bit Windows programs run here;
#                     no: they cannot (DISLIST_WINE32_WHY says why);
#                     missing: 32-bit Wine is not installed on a kernel that
#                     could run it (the setup step installs it: running
#                     without it is an error)
# and puts scripts/wine-bin first on PATH, whose `wine` runs DISLIST_WINE.
#
# Debian's wine command prefers the 32-bit loader once 32-bit Wine is
# installed, and on a kernel that runs no 32-bit programs (some virtual
# machines) that fails every program, 64-bit ones included (exit 126): the
# 64-bit loader is then called directly, as WINELOADER too, so that Wine
# starts its own processes with it. Set DISLIST_WINE32=no before sourcing to
# get exactly that on any machine. A Wine with no separate 64-bit loader
# (one loader for both) is used as it is. The loaders are looked for on PATH,
# then in DISLIST_WINE_DIRS.
# Where 32-bit Wine is missing, the kernel is asked directly (elf32-probe.sh):
# on one that runs no 32-bit programs it could not help, and is not missed.
# shellcheck source=scripts/elf32-probe.sh
source "$(dirname "${BASH_SOURCE[0]}")/elf32-probe.sh" || return 1
DISLIST_WINE_DIRS=${DISLIST_WINE_DIRS:-/usr/lib/wine /usr/lib64/wine /opt/wine-stable/bin /opt/wine-devel/bin /opt/wine-staging/bin}

dislist_choose_wine() {
  local shims path="" entry loader64="" loader32="" only status dir kernel_why
  local -a entries
  shims=$(cd "$(dirname "${BASH_SOURCE[0]}")/wine-bin" && pwd) || return 1
  # The search never finds our own `wine`, however often this is sourced.
  IFS=: read -r -a entries <<<"$PATH"
  for entry in "${entries[@]}"; do
    [ "$entry" = "$shims" ] || path=${path:+$path:}$entry
  done

  # Settings from the user's shell would change which Wine runs and how.
  unset WINELOADER WINESERVER WINEDLLPATH WINEDLLOVERRIDES
  export WINEARCH=win64 PATH="$shims:$path"

  # yes and missing are an earlier choice's results: look again. no stays.
  [ "${DISLIST_WINE32:-}" = no ] || DISLIST_WINE32=""
  DISLIST_WINE32_WHY="DISLIST_WINE32=no: run as on a machine whose kernel runs no 32-bit programs"

  loader64=$(PATH=$path command -v wine64) || loader64=""
  for dir in $DISLIST_WINE_DIRS; do
    [ -n "$loader64" ] && break
    [ -x "$dir/wine64" ] && loader64=$dir/wine64
  done
  if [ -z "$loader64" ]; then
    only=$(PATH=$path command -v wine) ||
      { echo "Wine is not installed: bash scripts/setup.sh installs it" >&2; return 1; }
    export DISLIST_WINE=$only DISLIST_WINE32=${DISLIST_WINE32:-yes} DISLIST_WINE32_WHY
    return 0
  fi
  loader64=$(readlink -f "$loader64")
  loader32=$(dirname "$loader64")/wine
  export DISLIST_WINE=$loader64 WINELOADER=$loader64 DISLIST_WINE32_WHY
  if [ "$DISLIST_WINE32" = no ]; then
    export DISLIST_WINE32
    return 0
  fi
  kernel_why="this machine's kernel runs no 32-bit programs, so 32-bit Wine cannot start"
  if [ ! -e "$loader32" ] && ! dislist_kernel_runs_32bit; then
    export DISLIST_WINE32=no DISLIST_WINE32_WHY=$kernel_why
    return 0
  fi
  if [ ! -e "$loader32" ]; then
    export DISLIST_WINE32=missing
    DISLIST_WINE32_WHY="32-bit Wine is not installed ($loader32 is missing): bash scripts/setup.sh installs it"
    return 0
  fi
  status=0
  "$loader32" --version >/dev/null 2>&1 || status=$?
  case $status in
    0) unset WINELOADER
       export DISLIST_WINE=$loader32 DISLIST_WINE32=yes ;;
    126) export DISLIST_WINE32=no DISLIST_WINE32_WHY=$kernel_why ;;
    *) echo "The 32-bit Wine loader $loader32 fails (exit $status)" >&2
       return 1 ;;
  esac
}

dislist_choose_wine
