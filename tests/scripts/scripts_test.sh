#!/usr/bin/env bash
# Tests of the scripts' machine-dependent choices, with stub programs on PATH
# in place of Wine, apt, objdump and clang-tidy, so that every branch runs on
# any machine. Needs bash, coreutils, git, cmake and python3. Its last line
# is "N passed, N failed"; the exit code is non-zero when a case failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(cd "$(mktemp -d "${TMPDIR:-/tmp}/dislist-scripts-test.XXXXXX")" && pwd -P) || exit 2
trap 'rm -rf "$work"' EXIT
# A function that calls itself fails here instead of crashing bash.
FUNCNEST=50
# The cases set what they test: nothing of the caller's own choices (such as
# DISLIST_WINE32=no for the whole test command) reaches them.
while read -r name; do unset "$name"; done < <(compgen -e | grep -E '^(DISLIST_|WINE)')
passed=0 failed=0

# expect WHAT ACTUAL EXPECTED
expect() {
  [ "$2" = "$3" ] && return 0
  printf '  %s:\n    got      %q\n    expected %q\n' "$1" "$2" "$3"
  return 1
}

# case NAME FUNCTION: one case, counted.
run_case() {
  if ( "$2" ); then
    passed=$((passed + 1)); echo "ok: $1"
  else
    failed=$((failed + 1)); echo "FAILED: $1"
  fi
}

# stub FOLDER NAME BODY: an executable bash script.
stub() {
  mkdir -p "$1"
  printf '#!/usr/bin/env bash\n%s\n' "$3" >"$1/$2"
  chmod +x "$1/$2"
}

# A PATH of only the stubs and the few real tools the scripts use here.
tools="$work/tools"
mkdir -p "$tools"
for tool in bash env dirname readlink cat grep sed tr mktemp rm mkdir touch tail timeout sleep sort find wc \
            xargs cmake git id chmod cp flock zip; do
  ln -sf "$(command -v "$tool")" "$tools/$tool"
done
ln -sf "$(python3 -c 'import sys; print(sys.executable)')" "$tools/python3"

# --- The Wine loader: the four kinds of machine, and DISLIST_WINE32=no.
# loader_with LIB_STUBS...: sources the loader with a fresh stub library
# folder holding the named loaders, and prints what it chose and what
# `wine --version` then runs.
loader_with() {
  local lib="$work/wine-lib" bin="$work/path-bin"
  rm -rf "$lib" "$bin"
  mkdir -p "$lib" "$bin"
  for name in "$@"; do
    case $name in
      wine64) stub "$lib" wine64 'echo "64-bit loader $*"' ;;
      wine32-works) stub "$lib" wine 'echo "32-bit loader $*"' ;;
      wine32-126) stub "$lib" wine 'exit 126' ;;
      only) stub "$bin" wine 'echo "the one loader $*"' ;;
    esac
  done
  (
    export PATH="$bin:$tools" DISLIST_WINE_DIRS="$lib" WINEARCH=win32 WINESERVER=/x WINEDLLPATH=/x
    # shellcheck source=scripts/wine-loader.sh
    source "$root/scripts/wine-loader.sh" || exit 1
    # shellcheck source=scripts/wine-loader.sh
    source "$root/scripts/wine-loader.sh" || exit 1  # twice gives the same
    echo "$DISLIST_WINE32 ${DISLIST_WINE#"$work/"} ${WINELOADER:+${WINELOADER#"$work/"}} $WINEARCH" \
         "${WINESERVER:-}${WINEDLLPATH:-}"
    wine --version
    tr : '\n' <<<"$PATH" | grep -c wine-bin
  )
}
loader_32bit_works() {
  expect "32-bit loader works" "$(loader_with wine64 wine32-works)" \
         "$(printf 'yes wine-lib/wine  win64 \n32-bit loader --version\n1')" &&
  expect "forced no" "$(DISLIST_WINE32=no loader_with wine64 wine32-works)" \
         "$(printf 'no wine-lib/wine64 wine-lib/wine64 win64 \n64-bit loader --version\n1')"
}
loader_kernel_without_32bit() {
  expect "32-bit loader exits 126" "$(loader_with wine64 wine32-126)" \
         "$(printf 'no wine-lib/wine64 wine-lib/wine64 win64 \n64-bit loader --version\n1')"
}
# The kernel's answer to the 32-bit probe, forced: it runs the program, or
# refuses it as bash reports that.
stub "$work/probe" runs 'exit 0'
stub "$work/probe" refused 'echo "bash: line 1: probe: cannot execute binary file: Exec format error" >&2; exit 126'
stub "$work/probe" denied 'echo "bash: line 1: probe: Permission denied" >&2; exit 126'
# The refusal as bash words it in the caller's language, English only
# under the C locale.
stub "$work/probe" refused-translated '[ "${LC_ALL:-}" = C ] && why="Exec format error" || why="Fehler im Format der Programmdatei"
echo "bash: Zeile 1: probe: $why" >&2; exit 126'
loader_32bit_missing() {
  expect "32-bit Wine missing" "$(DISLIST_ELF32_PROBE="$work/probe/runs" loader_with wine64)" \
         "$(printf 'missing wine-lib/wine64 wine-lib/wine64 win64 \n64-bit loader --version\n1')" &&
  expect "32-bit Wine missing where the kernel could not run it" \
         "$(DISLIST_ELF32_PROBE="$work/probe/refused" loader_with wine64)" \
         "$(printf 'no wine-lib/wine64 wine-lib/wine64 win64 \n64-bit loader --version\n1')" &&
  expect "a probe that fails otherwise leaves 32-bit Wine missing" \
         "$(DISLIST_ELF32_PROBE="$work/probe/denied" loader_with wine64)" \
         "$(printf 'missing wine-lib/wine64 wine-lib/wine64 win64 \n64-bit loader --version\n1')"
}
# The real probe gets a plain answer from this machine's kernel: a probe
# program the kernel cannot even read as one would say neither.
kernel_probe() {
  local answer
  # shellcheck source=scripts/elf32-probe.sh
  answer=$(PATH=$tools && source "$root/scripts/elf32-probe.sh" && dislist_elf32_probe)
  case $answer in
    runs | refused) ;;
    *) expect "the 32-bit probe's answer" "$answer" "runs or refused"; return 1 ;;
  esac
}
loader_one_loader() {
  expect "no separate 64-bit loader" "$(loader_with only)" \
         "$(printf 'yes path-bin/wine  win64 \nthe one loader --version\n1')" &&
  expect "no Wine at all" "$(loader_with 2>&1)" "Wine is not installed: bash scripts/setup.sh installs it"
}
run_case "loader: the 32-bit loader works; DISLIST_WINE32=no" loader_32bit_works
run_case "loader: a kernel without 32-bit programs (exit 126)" loader_kernel_without_32bit
run_case "loader: 32-bit Wine missing, on a kernel that runs it or not" loader_32bit_missing
kernel_probe_translated() {
  local answer
  # shellcheck source=scripts/elf32-probe.sh
  answer=$(unset LC_ALL && PATH=$tools DISLIST_ELF32_PROBE="$work/probe/refused-translated" &&
           source "$root/scripts/elf32-probe.sh" && dislist_elf32_probe)
  expect "a refusal in the caller's language" "$answer" refused
}
run_case "the kernel's 32-bit probe" kernel_probe
run_case "the 32-bit probe under another language" kernel_probe_translated
run_case "loader: one loader for both, or none" loader_one_loader

# --- Prefixes: made once, remade when cut short, every failure said.
prefix_with() {  # WINEBOOT_BODY: runs dislist_prefix twice with stub Wine
  local fake="$work/fake-wine" calls="$work/wine-calls"
  rm -rf "$fake" "$calls" "$work/prefix"
  stub "$fake/lib" wine64 "echo \"\$*\" >>'$calls'; case \$1 in wineboot) $1 ;; esac"
  stub "$fake/bin" wineserver 'exit 0'
  (
    export PATH="$fake/bin:$tools" DISLIST_WINE_DIRS="$fake/lib" DISLIST_WINE_TIMEOUT=2
    # shellcheck source=scripts/wine-prefix.sh
    source "$root/scripts/wine-prefix.sh" || exit 1
    mkdir -p "$work/prefix" && touch "$work/prefix/system.reg"  # an interrupted making
    dislist_prefix "$work/prefix" && dislist_prefix "$work/prefix"
    echo "status $? ready $([ -f "$work/prefix/.dislist-ready" ] && echo yes || echo no)"
  ) 2>&1
  cat "$calls"
}
prefix_made_once() {
  expect "an interrupted prefix is made afresh, then kept" "$(prefix_with 'touch "$WINEPREFIX/system.reg"')" \
         "$(printf 'status 0 ready yes\nwineboot -i\nreg add HKCU\\Software\\Wine\\Drivers /v Graphics /d null /f\ncmd /c exit')"
}
prefix_failures_said() {
  expect "a failing wineboot" "$(prefix_with 'echo boot broke; exit 3' | sed 's|prefix /[^)]*)|prefix P)|')" \
         "$(printf 'Making the Wine prefix (wineboot) failed (exit 3, prefix P); its last lines:\nboot broke\nstatus 1 ready no\nwineboot -i')" &&
  expect "a hanging wineboot" "$(prefix_with 'sleep 20' | sed 's|prefix /[^)]*)|prefix P)|')" \
         "$(printf 'Making the Wine prefix (wineboot): no end after 2 s, stopped (prefix P)\nstatus 1 ready no\nwineboot -i')"
}
run_case "prefix: an interrupted one is made afresh" prefix_made_once
run_case "prefix: a failing or hanging step is named" prefix_failures_said

# --- ctest's wrapper: the build's prefix made on first use and only then,
# and a start that never reached the program made once more.
wine_run_with() {  # PROGRAM_BODY: runs wine-run.sh twice with stub Wine
  local fake="$work/run-wine" calls="$work/run-calls"
  rm -rf "$fake" "$calls" "$work/build"
  stub "$fake/lib" wine64 "echo \"\$*\" >>'$calls'
case \$1 in wineboot) touch \"\$WINEPREFIX/system.reg\" ;; reg | cmd) ;; *) $1 ;; esac"
  stub "$fake/bin" wineserver 'exit 0'
  (
    export PATH="$fake/bin:$tools" DISLIST_WINE_DIRS="$fake/lib" DISLIST_WINE_TIMEOUT=5 WINEPREFIX=/not/this
    for _ in 1 2; do
      bash "$root/cmake/wine-run.sh" --prefix="$work/build/wineprefix" --machine=x86_64 t.exe --x
      echo "exit $?"
    done
  ) 2>&1 | sed "s|$work/||g"
  sed 's/^/wine /' "$calls"
}
wine_run_first_use() {
  expect "made once, then used" "$(wine_run_with 'echo ran')" "$(printf '%s\n' \
    "wine-run.sh: making the Wine prefix build/wineprefix for the tests (once)" "ran" "exit 0" "ran" "exit 0" \
    'wine wineboot -i' 'wine reg add HKCU\Software\Wine\Drivers /v Graphics /d null /f' 'wine t.exe --x' \
    'wine t.exe --x')" &&
  expect "the log's folder" "$(ls "$work/build/wineprefix/drive_c")" AIMPPlugin &&
  expect "32-bit programs where none can run" \
         "$(DISLIST_WINE32=no PATH="$work/run-wine/bin:$tools" DISLIST_WINE_DIRS="$work/run-wine/lib" \
            bash "$root/cmake/wine-run.sh" --prefix=/x --machine=i686 t.exe 2>&1)" \
         "wine-run.sh: the 32-bit test programs cannot run here: DISLIST_WINE32=no: run as on a machine whose kernel runs no 32-bit programs"
}
wine_run_retry() {
  local never='[ -f "$WINEPREFIX/tried" ] || { touch "$WINEPREFIX/tried"; echo "Application could not be started, or no application associated with the specified file." >&2; echo "ShellExecuteEx failed: Internal error." >&2; exit 1; }; echo ran'
  expect "a start that never reached the program, once" "$(wine_run_with "$never" | grep -c 'starting it once more')" 1 &&
  expect "then it runs" "$(wine_run_with "$never" | grep -c '^ran$')" 2 &&
  expect "a program that failed after it ran is not run again" \
         "$(wine_run_with 'echo out; echo "ShellExecuteEx failed" >&2; exit 3' | grep -c 'wine t.exe')" 2
}
wine_run_silent_end() {
  local crash='echo "wine: Unhandled page fault on write access to 0 at address 1 (thread 0030), starting debugger..." >&2; echo "0030:err:seh:start_debugger Couldn'"'"'t start debugger" >&2; exit 5'
  expect "a silent crash: how it ended, and Wine's lines" "$(wine_run_with "$crash" | sed -n 2,4p)" "$(printf '%s\n' \
    "wine-run.sh: t.exe ended with exit status 5 (0x05, the lowest byte of its Windows exit code) and no output of its own; Wine's error lines for this run:" \
    "wine: Unhandled page fault on write access to 0 at address 1 (thread 0030), starting debugger..." \
    "0030:err:seh:start_debugger Couldn't start debugger")" &&
  expect "a failure with words of its own: those alone" \
         "$(wine_run_with 'echo "0030:err:x:y noise" >&2; echo "own words" >&2; exit 1' | sed -n 2,3p)" \
         "$(printf '%s\n' "own words" "exit 1")"
}
run_case "wine-run: the build's prefix made on first use" wine_run_first_use
run_case "wine-run: a start that never reached the program" wine_run_retry
run_case "wine-run: a program that ends without a word says how it ended" wine_run_silent_end

# --- wine.sh: the demo's prefix made on first use; a prefix the caller
# names is used as it is, never made afresh.
wine_sh_prefixes() {
  local fake="$work/sh-wine" calls="$work/sh-calls" tree="$work/sh-tree" output
  rm -rf "$fake" "$calls" "$tree" "$work/own"
  mkdir -p "$tree" "$work/own" && cp -r "$root/scripts" "$tree/" && touch "$work/own/keep"
  stub "$fake/lib" wine64 "echo \"\$* in \${WINEPREFIX#$work/}\" >>'$calls'
case \$1 in wineboot) touch \"\$WINEPREFIX/system.reg\" ;; reg | cmd) ;; *) echo ran ;; esac"
  stub "$fake/bin" wineserver 'exit 0'
  output=$(export PATH="$fake/bin:$tools" DISLIST_WINE_DIRS="$fake/lib" DISLIST_WINE_TIMEOUT=5
           { bash "$tree/scripts/wine.sh" t.exe --x && bash "$tree/scripts/wine.sh" t.exe &&
               WINEPREFIX="$work/own" bash "$tree/scripts/wine.sh" t.exe; } 2>&1)
  expect "what it said" "$(sed "s|$work/||g" <<<"$output")" "$(printf '%s\n' \
    "wine.sh: making the Wine prefix sh-tree/build/demo-wineprefix for the demo and the tools (once)" ran ran ran)" &&
  expect "what Wine ran, where" "$(cat "$calls")" "$(printf '%s\n' 'wineboot -i in sh-tree/build/demo-wineprefix' \
    'reg add HKCU\Software\Wine\Drivers /v Graphics /d null /f in sh-tree/build/demo-wineprefix' \
    't.exe --x in sh-tree/build/demo-wineprefix' 't.exe in sh-tree/build/demo-wineprefix' 't.exe in own')" &&
  expect "the log's folder" "$(ls "$tree/build/demo-wineprefix/drive_c")" AIMPPlugin &&
  expect "the caller's prefix as it was" "$(ls -A "$work/own")" keep
}
run_case "wine.sh: the demo's prefix on first use, the caller's as it is" wine_sh_prefixes

# --- The package from a checkout path with a space (no real build: stub
# cmake builds stand-in binaries; the packaging steps themselves are real).
package_from_spaced_path() {
  local tree="$work/a b/checkout" fake="$work/pkg-bin" real_cmake
  real_cmake=$(command -v cmake)
  mkdir -p "$tree/scripts" "$tree/cmake" "$tree/packaging"
  cp "$root"/scripts/{package.sh,builds.sh,setup.sh,elf32-probe.sh} "$tree/scripts/"
  cp "$root"/cmake/*.cmake "$tree/cmake/"
  cp "$root/packaging/INSTALL.txt" "$tree/packaging/"
  stub "$fake" dpkg-query 'echo "install ok installed"'
  stub "$fake" cmake "case \$1 in
  --preset) [ \$2 = mingw ] && b=build || b=build-x86; mkdir -p \"\$b/bin\"
            echo CMAKE_PROJECT_VERSION:STATIC=1.0.0 >\"\$b/CMakeCache.txt\" ;;
  --build) [ \$3 = mingw ] && b=build || b=build-x86
           for f in AIMP_Dislist.dll dislist-log.exe; do
             printf 'P\\0r\\0o\\0d\\0u\\0c\\0t\\0V\\0e\\0r\\0s\\0i\\0o\\0n\\0\\0\\0001\\0.\\0000\\0.\\0000\\0' >\"\$b/bin/\$f\"
           done ;;
  *) exec '$real_cmake' \"\$@\" ;;
esac"
  stub "$fake" x86_64-w64-mingw32-objdump '
case "$*" in *x64/*) format=pei-x86-64 ;; *) format=pei-i386 ;; esac
printf "\nx.dll:     file format %s\n\n\tDLL Name: KERNEL32.dll\n\n[Ordinal/Name Pointer] Table\n\t[   0] AIMPPluginGetHeader\n\n" "$format"'
  local output
  output=$(cd "$tree" && PATH="$fake:$tools" SOURCE_DATE_EPOCH=1700000000 DISLIST_JOBS=1 bash scripts/package.sh 2>&1) ||
    { echo "  package.sh failed in '$tree':"; tail -n 5 <<<"$output"; return 1; }
  expect "the package and its digest" "$(cd "$tree/build/package" && ls)" \
         "$(printf '%s\n' AIMP_Dislist-1.0.0-win.zip SHA256SUMS)"
}
run_case "package: a checkout path with a space" package_from_spaced_path

# --- The setup step: root, non-root through sudo (which drops the
# environment), a flaky mirror, and the print mode.
setup_with() {  # UID [VARIABLE=VALUE...] [GROUP...]: runs setup.sh with stub apt
  local fake="$work/fake-apt" log="$work/apt-log" user=$1 settings=() groups=() word
  shift
  for word in "$@"; do
    case $word in *=*) settings+=("$word") ;; *) groups+=("$word") ;; esac
  done
  rm -rf "$fake" "$log" "$work/updates"
  stub "$fake" dpkg-query 'exit 1'
  stub "$fake" dpkg "[ \"\$1\" = --add-architecture ] && echo \"dpkg \$*\" >>'$log'; exit 0"
  stub "$fake" apt-get "echo \"apt-get DEBIAN_FRONTEND=\${DEBIAN_FRONTEND:-} \$*\" | sed 's/install .*/install .../' >>'$log'
    if [ \"\$3\" = update ] && [ \"\$(cat '$work/updates' 2>/dev/null)\" != xx ]; then echo -n x >>'$work/updates'; exit 100; fi"
  stub "$fake" sudo "echo sudo >>'$log'; exec env -i PATH=\"\$PATH\" \"\$@\""
  stub "$fake" id "echo $user"
  (export PATH="$fake:$tools" DISLIST_APT_PAUSE=0 DISLIST_ELF32_PROBE="$work/probe/runs"
   env "${settings[@]}" bash "$root/scripts/setup.sh" "${groups[@]}" 2>&1; echo "exit $?") |
    grep -v '^Installing\|update failed'
  cat "$log" 2>/dev/null
}
apt_lines='apt-get DEBIAN_FRONTEND=noninteractive -o DPkg::Lock::Timeout=600 update
apt-get DEBIAN_FRONTEND=noninteractive -o DPkg::Lock::Timeout=600 update
apt-get DEBIAN_FRONTEND=noninteractive -o DPkg::Lock::Timeout=600 update
apt-get DEBIAN_FRONTEND=noninteractive -o DPkg::Lock::Timeout=600 install ...'
setup_as_root() {
  expect "as root" "$(setup_with 0)" "$(printf 'exit 0\ndpkg --add-architecture i386\n%s' "$apt_lines")"
}
setup_through_sudo() {
  expect "as another user" "$(setup_with 1000)" \
         "$(printf 'exit 0\nsudo\ndpkg --add-architecture i386\n%s' "$(sed 's/^/sudo\n/' <<<"$apt_lines")")" &&
  expect "a mirror that keeps failing" "$(setup_with 0 DISLIST_APT_RETRIES=2 | grep -c update)" 2
}
setup_prints() {
  local printed
  printed=$(setup_with 1000 DISLIST_SETUP=print)
  expect "print mode runs nothing" "$(grep -c '^sudo$\|^apt-get\|^dpkg' <<<"$printed")" 0 &&
  expect "print mode says the install" \
         "$(grep -c '^sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends .*wine32:i386' <<<"$printed")" 1 &&
  expect "no i386 architecture for the builds alone" \
         "$(setup_with 0 DISLIST_SETUP=print build | grep -c 'i386')" 0 || return 1
  printed=$(setup_with 0 DISLIST_SETUP=print DISLIST_ELF32_PROBE="$work/probe/refused")
  expect "no 32-bit Wine for a kernel that runs no 32-bit programs" \
         "$(grep -c 'i386' <<<"$printed"):$(grep -c '^setup.sh: .*32-bit Wine is left out$' <<<"$printed")" 0:1
}
run_case "setup: as root" setup_as_root
run_case "setup: through sudo, and a failing mirror" setup_through_sudo
run_case "setup: print mode" setup_prints

# --- clang-tidy's files: a checkout path with a space, reached by a link.
tidy_selection() {
  local real="$work/a b/tree" link="$work/link" calls="$work/tidy-calls" triple
  mkdir -p "$real/scripts" "$real/build" "$real/build-x86" "$work/tidy-bin"
  cp "$root/scripts/tidy.sh" "$root/scripts/builds.sh" "$real/scripts/"
  ln -sfn "$real" "$link"
  for triple in x86_64-w64-mingw32 i686-w64-mingw32; do
    mkdir -p "$work/gcc/$triple/12-posix/include/c++"
  done
  for build in build build-x86; do
    cat >"$real/$build/compile_commands.json" <<JSON
[{"directory": "$link/$build", "file": "$link/src/log/log.cpp"},
 {"directory": "$real/$build", "file": "$real/host/m3u.cpp"},
 {"directory": "$real/$build", "file": "$real/tools/log_reader/log_file.cpp"},
 {"directory": "$link/$build", "file": "$link/tests/log/log_test.cpp"}]
JSON
  done
  stub "$work/tidy-bin" clang-tidy "echo \"\${4#--extra-arg=--target=} \${*: -1}\" >>'$calls'"
  (cd "$work" && PATH="$work/tidy-bin:$tools" DISLIST_GCC_ROOT="$work/gcc" DISLIST_JOBS=1 \
     bash "link/scripts/tidy.sh" >/dev/null) || { echo "  tidy.sh failed"; return 1; }
  expect "files given to clang-tidy" "$(sed "s|$work/||" "$calls" | LC_ALL=C sort)" \
         "$(printf '%s\n' "i686-w64-mingw32 a b/tree/host/m3u.cpp" "i686-w64-mingw32 a b/tree/tools/log_reader/log_file.cpp" \
            "i686-w64-mingw32 link/src/log/log.cpp" "x86_64-w64-mingw32 a b/tree/host/m3u.cpp" \
            "x86_64-w64-mingw32 a b/tree/tools/log_reader/log_file.cpp" "x86_64-w64-mingw32 link/src/log/log.cpp")"
}
run_case "tidy: a checkout path with a space, through a link" tidy_selection

# --- The DLL table check under a translated locale: objdump's words change.
table_check_translated() {
  stub "$work/objdump-bin" objdump '
[ "${LC_ALL:-}" = C ] && format="file format" || format="formato del fichero"
printf "\nx.dll:     %s pei-i386\n\n\tDLL Name: KERNEL32.dll\n\n[Ordinal/Name Pointer] Table\n\t[   0] AIMPPluginGetHeader\n\n" "$format"'
  local check=(cmake -DOBJDUMP="$work/objdump-bin/objdump" -DDLL=x.dll)
  LANGUAGE=es LC_ALL=C.UTF-8 "${check[@]}" -DFORMAT=pei-i386 -P "$root/cmake/check_dll_tables.cmake" >/dev/null 2>&1 ||
    { echo "  the check failed for a right DLL in Spanish"; return 1; }
  ! LANGUAGE=es "${check[@]}" -DFORMAT=pei-x86-64 -P "$root/cmake/check_dll_tables.cmake" >/dev/null 2>&1 ||
    { echo "  the check passed a DLL of the wrong machine type"; return 1; }
}
run_case "dll tables: checked under a translated locale" table_check_translated

# --- The package's date: a checkout owned by another user, a broken one.
package_date() {
  local repo="$work/repo" script="$root/cmake/commit_time.cmake"
  git init -q "$repo" &&
    GIT_COMMITTER_DATE="1700000000 +0000" git -C "$repo" -c user.name=t -c user.email=t@t commit -q --allow-empty -m t
  expect "another user's checkout" \
         "$(GIT_TEST_ASSUME_DIFFERENT_OWNER=1 cmake -DSOURCE_DIR="$repo" -P "$script" 2>&1)" 1700000000 &&
  expect "outside a checkout" "$(SOURCE_DATE_EPOCH=1600000000 cmake -DSOURCE_DIR="$work" -P "$script" 2>&1)" \
         1600000000 &&
  rm -rf "$repo/.git" && echo "gitdir: nowhere" >"$repo/.git" &&
  expect "a checkout git cannot read" \
         "$(cmake -DSOURCE_DIR="$repo" -P "$script" 2>&1 | grep -c "git cannot give the commit's time")" 1
}
run_case "package date: another user's checkout, none, a broken one" package_date

# --- A fuzzing time of 0 would be no limit at all.
fuzz_needs_a_limit() {
  expect "FUZZ_SECONDS=0" "$(FUZZ_SECONDS=0 timeout 60 bash "$root/scripts/fuzz.sh" 2>&1; echo "exit $?")" \
         "$(printf "fuzz.sh: FUZZ_SECONDS is '0': give a whole number of seconds from 1\nexit 2")"
}
run_case "fuzz: no unlimited run" fuzz_needs_a_limit

# --- The documents: every relative link in README.md and docs/ leads to a
# file, and every `bash scripts/NAME.sh` they name exists.
# dead_references ROOT: one line for each that leads nowhere.
dead_references() {
  local root=$1 file link script
  for file in "$root/README.md" "$root"/docs/*.md; do
    [ -f "$file" ] || continue
    while IFS= read -r link; do
      link=${link%%#*}
      case $link in '' | *://* | mailto:*) continue ;; esac
      [ -e "$(dirname "$file")/$link" ] || echo "${file#"$root"/}: $link"
    done < <(LC_ALL=C grep -oE '\]\([^)]+\)' "$file" | sed -E 's/^\]\((.*)\)$/\1/')
    while IFS= read -r script; do
      [ -e "$root/$script" ] || echo "${file#"$root"/}: bash $script"
    done < <(LC_ALL=C grep -oE 'bash scripts/[A-Za-z0-9_.-]+\.sh' "$file" | sed 's/^bash //')
  done
}
documents_lead_somewhere() {
  local planted="$work/planted-docs"
  mkdir -p "$planted/docs" "$planted/scripts" && touch "$planted/scripts/real.sh" "$planted/docs/there.md" &&
    printf '%s\n' '[there](docs/there.md), [gone](docs/gone.md#top), [web](https://example.org/x)' \
      'run `bash scripts/real.sh`, then `bash scripts/nope.sh`' >"$planted/README.md" &&
    printf '%s\n' '[back](../README.md), [lost](../packaging/LOST.txt)' >"$planted/docs/ref.md"
  expect "a planted tree: what leads nowhere" "$(dead_references "$planted")" "$(printf '%s\n' \
    "README.md: docs/gone.md" "README.md: bash scripts/nope.sh" "docs/ref.md: ../packaging/LOST.txt")" &&
  expect "this tree: every link and script is there" "$(dead_references "$root")" ""
}
run_case "documents: every link and named script is there" documents_lead_somewhere

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
