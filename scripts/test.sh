#!/usr/bin/env bash
# The test command. Installs what is missing, then runs, in this order:
#  1. the scripts' own tests, and shellcheck over every script;
#  2. both builds (x86, x64) with their tests, any compiler warning an error;
#     clang-tidy over both; the fuzzers of the record parser and the log
#     reader (natively, once); the release package made from two clean
#     clones of HEAD and compared byte for byte;
#  3. every test of each build under Wine, each in a fresh throwaway prefix
#     (the x86 ones where 32-bit programs can run; it says so where not),
#     and before the x64 ones one test as a developer runs it: the mingw
#     test preset, no Wine variable set, the prefix made on first use;
#  4. both branches of the Wine loader, whatever this machine is: its own,
#     and the one for a kernel that runs no 32-bit programs
#     (DISLIST_WINE32=no), with what the x86 build gets there;
#  5. the README's demo command.
# It ends with one line per stage and a total; the exit code is non-zero if
# anything failed. DISLIST_CTEST_TIMEOUT limits each build's Wine tests
# (seconds, default 1800).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
# The caller's PATH, before any script puts its Wine shims first: the
# one-test stage runs ctest as a developer's shell would.
developer_path=$PATH
# shellcheck source=scripts/builds.sh
source scripts/builds.sh || exit 2
ctest_limit=${DISLIST_CTEST_TIMEOUT:-1800}

summary=() passed=0 failed=0 skipped=0

# record NAME STATUS [TEXT]: one stage's line; a stage counts as one check.
record() {
  if [ "$2" -eq 0 ]; then
    summary+=("$1: ${3:-ok}"); passed=$((passed + 1))
  else
    summary+=("$1: FAILED${3:+: $3}"); failed=$((failed + 1))
  fi
}

# stage NAME CMD...: runs CMD as one stage, under its name.
stage() {
  local name=$1
  shift
  echo "== $name"
  "$@"
  record "$name" $?
}

finish() {
  echo
  echo "== summary"
  printf '%s\n' "${summary[@]}"
  echo "total: $passed passed, $failed failed, $skipped skipped"
  [ "$failed" -eq 0 ]
  exit
}

if ! bash scripts/setup.sh build wine checks; then
  record setup 1 "installing what the builds and tests need (see above)"
  finish
fi
# Without it the x86 tests fail, and say why. A machine taken as one whose
# kernel runs no 32-bit programs has no use for it (nor has one that is: the
# set-up leaves it out there).
if [ "${DISLIST_WINE32:-}" != no ]; then
  bash scripts/setup.sh wine32 || echo "test.sh: 32-bit Wine could not be installed"
fi

# 1. The scripts: their tests count one by one.
echo "== scripts"
script_output=$(bash tests/scripts/scripts_test.sh 2>&1)
script_status=$?
echo "$script_output"
script_counts=$(echo "$script_output" | tail -n 1 | LC_ALL=C sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p')
if [ -n "$script_counts" ]; then
  read -r script_passed script_failed <<<"$script_counts"
  passed=$((passed + script_passed)) failed=$((failed + script_failed))
  summary+=("scripts: $script_passed passed, $script_failed failed")
  [ "$script_status" -eq 0 ] || [ "$script_failed" -gt 0 ] || record scripts 1 "exit $script_status"
else
  record scripts 1 "no closing count (exit $script_status)"
fi
shell_files=(scripts/*.sh scripts/wine-bin/wine cmake/*.sh tests/scripts/*.sh .ci/run)
stage shellcheck shellcheck -S warning -x -P SCRIPTDIR "${shell_files[@]}"

# 2. Builds and the checks that need no Wine.
build_both() {
  local arch status=0
  for arch in x86 x64; do
    dislist_select "$arch"
    cmake --preset "$preset" -DDISLIST_WARNINGS_AS_ERRORS=ON >/dev/null &&
      cmake --build --preset "$preset" -j"$DISLIST_JOBS" || status=1
  done
  return $status
}
stage "build (warnings are errors)" build_both
stage clang-tidy bash scripts/tidy.sh
stage fuzz bash scripts/fuzz.sh
stage "reproducible package" bash scripts/reproduce.sh

# 3. Under Wine.
# shellcheck source=scripts/wine-prefix.sh
if ! source scripts/wine-prefix.sh; then
  record wine 1 "no Wine can run here (see above)"
  finish
fi
trap dislist_stop_wine EXIT
trap 'exit 130' INT TERM

# The x86 build where 32-bit programs cannot run: only its table check.
x86_without_wine() {
  echo "x86: not run under Wine: $DISLIST_WINE32_WHY"
  dislist_select x86
  cmake -DOBJDUMP="$triple-objdump" -DDLL="$build/bin/AIMP_Dislist.dll" -DFORMAT="$format" \
        -P cmake/check_dll_tables.cmake
}

# ctest's JUnit results: "TOTAL FAILURES SKIPPED" of its one test suite,
# read by an XML reader; nothing when the file is missing or unreadable.
junit_counts() {
  python3 - "$1" <<'PY' 2>/dev/null
import sys
import xml.etree.ElementTree as ElementTree
suite = ElementTree.parse(sys.argv[1]).getroot()
if suite.tag != "testsuite":
    suite = suite.find("testsuite")
print(int(suite.get("tests")), int(suite.get("failures")), int(suite.get("skipped")))
PY
}

# One test the way a developer runs it, right after configuring and
# building: the x64 preset, no Wine variable set, the build's own prefix
# made on first use.
one_test_as_a_developer() {
  local junit="$PWD/build/ctest-one.xml" counts output status
  (export WINEPREFIX="$PWD/build/wineprefix"; dislist_stop_wine)
  rm -rf build/wineprefix build/wineprefix.lock "$junit"
  output=$(env -u WINEPREFIX -u WINELOADER -u WINEARCH -u WINEDEBUG -u DISLIST_WINE -u DISLIST_WINE32 \
             -u DISLIST_WINE32_WHY PATH="$developer_path" \
             timeout "$ctest_limit" ctest --preset mingw -R SameTrackName --output-junit "$junit" 2>&1)
  status=$?
  echo "$output"
  (export WINEPREFIX="$PWD/build/wineprefix"; dislist_stop_wine)
  counts=$(junit_counts "$junit")
  [ "$status" -eq 0 ] && [ "$counts" = "1 0 0" ] && [ -f build/wineprefix/.dislist-ready ] ||
    { echo "ctest --preset mingw -R SameTrackName: exit $status, results '${counts:-none}'"; return 1; }
}

# One build's tests under Wine, counted one by one.
wine_tests() {
  local arch=$1 junit counts total failures skips status
  dislist_select "$arch"
  echo "== $arch: every test under Wine"
  if [ "$arch" = x86 ] && [ "$DISLIST_WINE32" = no ]; then
    x86_without_wine
    record "x86 table check" $?
    summary+=("x86: not run: $DISLIST_WINE32_WHY")
    return
  fi
  if [ "$arch" = x86 ] && [ "$DISLIST_WINE32" = missing ]; then
    record x86 1 "$DISLIST_WINE32_WHY"
    return
  fi
  if ! dislist_prefix "$PWD/$build/wineprefix" fresh; then
    record "$arch" 1 "its Wine prefix could not be made"
    return
  fi
  # A persistent server saves Wine's start-up on every test process. Its
  # service processes are started here, away from ctest's output pipes.
  wineserver -p </dev/null >/dev/null 2>&1
  dislist_wine_step "Starting Wine's services" wine cmd /c exit
  junit="$PWD/$build/ctest-junit.xml"
  rm -f "$junit"
  timeout "$ctest_limit" ctest --preset "$preset" --output-junit "$junit"
  status=$?
  dislist_stop_wine
  if [ "$status" -eq 124 ]; then
    record "$arch" 1 "no end after $ctest_limit s: stopped"
    return
  fi
  counts=$(junit_counts "$junit")
  read -r total failures skips <<<"$counts"
  if [ -z "$counts" ]; then
    record "$arch" 1 "ctest exited with $status and wrote no results"
    return
  fi
  passed=$((passed + total - failures - skips)) failed=$((failed + failures)) skipped=$((skipped + skips))
  summary+=("$arch: $((total - failures - skips)) passed, $failures failed, $skips skipped")
  if [ "$failures" -eq 0 ] && [ "$status" -ne 0 ]; then record "$arch" 1 "ctest exited with $status"; fi
}
wine_tests x86
stage "one test, the CMake way" one_test_as_a_developer
wine_tests x64

# 4. The loader's two branches, each running one small 64-bit program in the
# x64 prefix; the no-32-bit branch also runs what the x86 build gets there.
loader_branch() {
  local mode=$1
  (
    export DISLIST_WINE32=$mode WINEPREFIX="$PWD/build/wineprefix"
    # shellcheck source=scripts/wine-loader.sh
    source scripts/wine-loader.sh || exit 1
    echo "loader: $DISLIST_WINE (32-bit programs: $DISLIST_WINE32)"
    usage=$(timeout 120 wine build/bin/dislist-log.exe --help 2>&1)
    status=$?
    dislist_stop_wine
    if [ $status -ne 0 ] || ! grep -q '^Usage: dislist-log' <<<"$usage"; then
      echo "build/bin/dislist-log.exe --help through this loader gave exit $status:"
      echo "$usage"
      exit 1
    fi
    if [ "$mode" = no ]; then x86_without_wine || exit 1; fi
  )
}
stage "loader, this machine's branch" loader_branch ""
stage "loader, DISLIST_WINE32=no branch" loader_branch no

# 5. The README's first command.
demo() {
  local output
  output=$(bash scripts/demo.sh 2>&1)
  local status=$?
  echo "$output"
  [ $status -eq 0 ] || { echo "demo.sh exited with $status"; return 1; }
  grep -q '^    removed ' <<<"$output" && grep -q '^    kept .*(protected by !delete)' <<<"$output" ||
    { echo "the demo's output shows no removal, or no kept entry"; return 1; }
}
stage demo demo

finish
