#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest and its test discovery.
# Usage: wine-run.sh --prefix=FOLDER --machine=x86_64|i686 PROGRAM [ARGUMENT...]
# FOLDER is the build's own throwaway prefix (never ~/.wine), made on first
# use by scripts/wine-prefix.sh (the null graphics driver, the log's
# folder), one maker at a time; a WINEPREFIX of the caller's shell is not
# used. The loader is the one scripts/wine-loader.sh chooses, unless a
# script chose it already.
#
# Every program runs against one persistent Wine server, as the test
# command's do: a server that exits a few seconds after the last program
# (Wine's default) can be shutting down its service processes just as the
# next program starts, and that start then fails before the program runs
# ("ShellExecuteEx failed"). Such a start, which provably never reached the
# program (no output of its own, only that message), is made once more and
# said. DISLIST_WINESERVER_PERSIST sets how long the server outlives the
# last program (seconds, default 60).
#
# Wine starts its desktop and service processes from whichever program
# first needs them, and they keep that program's output open for as long as
# they live: so the program writes to files, which are handed on once it has
# exited, and ctest's pipes are never given to Wine. Wine's console turns
# "\n" into CR LF, which would end up inside discovered test names, so
# carriage returns are stripped.
#
# Wine's error channel is on (a crash's "Unhandled page fault" comes only
# through it) and its lines are kept back, unless the program exits non-zero
# without a word of its own: then how it ended is said, with Wine's lines.
case ${1:-}:${2:-} in
  --prefix=?*:--machine=x86_64 | --prefix=?*:--machine=i686) prefix=${1#--prefix=} machine=${2#--machine=}; shift 2 ;;
  *) echo "wine-run.sh: usage: wine-run.sh --prefix=FOLDER --machine=x86_64|i686 PROGRAM [ARGUMENT...]" >&2
     exit 2 ;;
esac
scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")/../scripts" && pwd) || exit 2
export WINEPREFIX=$prefix WINEDEBUG=-all,err+all
if [ -z "${DISLIST_WINE:-}" ]; then
  # shellcheck source=scripts/wine-loader.sh
  source "$scripts/wine-loader.sh" || { echo "wine-run.sh: no Wine to run the tests with (see above)" >&2; exit 1; }
fi
if [ "$machine" = i686 ] && [ "$DISLIST_WINE32" != yes ]; then
  echo "wine-run.sh: the 32-bit test programs cannot run here: $DISLIST_WINE32_WHY" >&2
  exit 1
fi
# Checked here first: a ready prefix, every start but the first, needs no
# prefix script sourced.
if [ ! -f "$prefix/.dislist-ready" ]; then
  # shellcheck source=scripts/wine-prefix.sh
  ( source "$scripts/wine-prefix.sh" && dislist_prefix_once "$prefix" wine-run.sh "for the tests" ) || exit 1
fi
mkdir -p "$prefix/drive_c/AIMPPlugin" || exit 1
# Fails harmlessly when a server runs already (the test command's, or an
# earlier program's).
wineserver -p"${DISLIST_WINESERVER_PERSIST:-60}" </dev/null >/dev/null 2>&1
# A crashing test program fails at once instead of waiting in Wine's debugger.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winedbg.exe=d"
output=$(mktemp) errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
for try in 1 2; do
  "$DISLIST_WINE" "$@" </dev/null >"$output" 2>"$errors"
  status=$?
  if [ "$try" = 2 ] || [ "$status" -eq 0 ] || [ -s "$output" ] ||
     ! LC_ALL=C grep -q 'ShellExecuteEx failed' "$errors"; then
    break
  fi
  echo "wine-run.sh: Wine did not start $1 at all (exit $status: $(tr -d '\r' <"$errors" | tr '\n' ' ')); starting it once more" >&2
done
# Wine's own lines: a channel's ("0024:err:seh:..."), the loader's ("wine:
# Unhandled page fault ...") and its pointer to the debugger's guide.
wine_lines='^([0-9a-f]{4}:(err|warn|fixme|trace):|wine: |Read the Wine Developers Guide)'
sed -i 's/\r//g' "$output" "$errors"
cat "$output"
LC_ALL=C grep -Ev "$wine_lines" "$errors" >&2
if [ "$status" -ne 0 ] && [ ! -s "$output" ] && ! LC_ALL=C grep -Evq "$wine_lines|^$" "$errors"; then
  # A Windows exit code reaches Linux only as its lowest byte: 0xC0000005,
  # an access violation, arrives as 5.
  printf 'wine-run.sh: %s ended with exit status %d (0x%02X, the lowest byte of its Windows exit code) and no output of its own; ' \
         "$1" "$status" "$status" >&2
  if LC_ALL=C grep -Eq "$wine_lines" "$errors"; then
    echo "Wine's error lines for this run:" >&2
    LC_ALL=C grep -E "$wine_lines" "$errors" >&2
  else
    echo "Wine said nothing of it" >&2
  fi
fi
exit $status
