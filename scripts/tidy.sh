#!/usr/bin/env bash
# Static analysis: clang-tidy with the checks of .clang-tidy over every
# source of src/, host/ and tools/, for both targets, from the compile
# commands CMake writes for each build. Any finding fails. Needs both trees
# configured (the test command does that; so does scripts/build.sh).
# The checkout may be reached through a symbolic link and its path may hold
# spaces. DISLIST_GCC_ROOT is where the cross compilers' library headers are
# looked for (default /usr/lib/gcc).
# Usage: bash scripts/tidy.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh

status=0
list=$(mktemp)
trap 'rm -f "$list"' EXIT
for arch in "${DISLIST_ARCHES[@]}"; do
  dislist_select "$arch"
  commands="$build/compile_commands.json"
  if [ ! -f "$commands" ]; then
    echo "tidy.sh: $commands is missing: configure the $build tree first (bash scripts/build.sh)" >&2
    exit 2
  fi
  cxx=$(find "${DISLIST_GCC_ROOT:-/usr/lib/gcc}/$triple" -mindepth 3 -maxdepth 3 -path '*-posix/include/c++' |
        sort -V | tail -n 1)
  if [ -z "$cxx" ]; then
    echo "tidy.sh: no C++ library headers of $triple under ${DISLIST_GCC_ROOT:-/usr/lib/gcc}" >&2
    exit 2
  fi
  # Each file as the compile commands name it, chosen by where it really is.
  python3 -c '
import json, os, sys
root = os.path.realpath(".")
chosen = set()
for entry in json.load(open(sys.argv[1])):
    path = os.path.join(entry["directory"], entry["file"])
    relative = os.path.relpath(os.path.realpath(path), root)
    if relative.split(os.sep)[0] in ("src", "host", "tools"):
        chosen.add(path)
sys.stdout.write("".join(name + "\0" for name in sorted(chosen)))
' "$commands" >"$list"
  count=$(tr -cd '\0' <"$list" | wc -c)
  echo "== clang-tidy, $triple: $count files"
  if [ "$count" -eq 0 ]; then
    echo "tidy.sh: $commands names no file of src/, host/ or tools/" >&2
    exit 2
  fi
  xargs -0 -P "$DISLIST_JOBS" -n 1 clang-tidy -p "$build" --quiet \
      "--extra-arg=--target=$triple" "--extra-arg=-isystem$cxx" "--extra-arg=-isystem$cxx/$triple" <"$list" \
      2> >(grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers' >&2) ||
    status=1
done
[ $status -eq 0 ] && echo "clang-tidy: no findings"
exit $status
