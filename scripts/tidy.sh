#!/usr/bin/env bash
# Static analysis: clang-tidy with the checks of .clang-tidy over every
# source of src/, host/ and tools/, for both targets, from the compile
# commands CMake writes for each build. Any finding fails. Needs both trees
# configured (the test command does that; so does scripts/build.sh).
# Usage: bash scripts/tidy.sh
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
for build in build build-x86; do
  case $build in build) triple=x86_64-w64-mingw32 ;; build-x86) triple=i686-w64-mingw32 ;; esac
  commands="$build/compile_commands.json"
  if [ ! -f "$commands" ]; then
    echo "tidy.sh: $commands is missing: configure the $build tree first (bash scripts/build.sh)" >&2
    exit 2
  fi
  cxx=$(ls -d /usr/lib/gcc/$triple/*-posix/include/c++ | sort -V | tail -n 1)
  files=$(python3 -c '
import json, os, sys
root = os.getcwd() + "/"
for entry in json.load(open(sys.argv[1])):
    path = entry["file"]
    if path.startswith(root) and path[len(root):].split("/")[0] in ("src", "host", "tools"):
        print(path)
' "$commands" | sort -u)
  echo "== clang-tidy, $triple: $(echo "$files" | wc -l) files"
  echo "$files" | xargs -P "$(nproc)" -n 1 clang-tidy -p "$build" --quiet \
      "--extra-arg=--target=$triple" "--extra-arg=-isystem$cxx" "--extra-arg=-isystem$cxx/$triple" \
      2> >(grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use -system-headers' >&2) ||
    status=1
done
[ $status -eq 0 ] && echo "clang-tidy: no findings"
exit $status
