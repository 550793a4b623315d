#!/usr/bin/env bash
# Installs what the builds and the tests need on a Debian machine, when
# missing. Usage: bash scripts/setup.sh [GROUP...]; without one, all:
#   build   CMake, both MinGW-w64 cross compilers (x64 and x86), zip tools, git
#   wine    Wine for 64-bit programs
#   wine32  Wine for 32-bit programs, from the i386 architecture (added if
#           need be); left out, and said so, where the kernel runs no 32-bit
#           programs (elf32-probe.sh asks it), as it could not start there
#   checks  GoogleTest's sources, clang for the fuzzers, clang-tidy,
#           python3 and shellcheck
# As root it runs apt-get itself, otherwise through sudo, with the
# environment apt-get needs passed on explicitly (sudo drops it). apt waits
# for a lock that another apt holds (a fresh machine's automatic updates),
# and package lists that fail to download are fetched again, a few times (a
# mirror being synchronised serves a wrong one for a while).
# DISLIST_SETUP=print prints the commands instead of running them.
set -euo pipefail
# shellcheck source=scripts/elf32-probe.sh
source "$(dirname "$0")/elf32-probe.sh"

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build wine wine32 checks)
packages=()
for group in "${groups[@]}"; do
  case $group in
    build) packages+=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix zip unzip git) ;;
    wine) packages+=(wine wine64) ;;
    wine32)
      if dislist_kernel_runs_32bit; then
        packages+=(wine32:i386)
      else
        echo "setup.sh: this machine's kernel runs no 32-bit programs: 32-bit Wine is left out"
      fi ;;
    checks) packages+=(googletest clang clang-tidy libclang-rt-dev shellcheck python3) ;;
    *) echo "setup.sh: no group '$group': build, wine, wine32 or checks" >&2; exit 2 ;;
  esac
done
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -gt 0 ] || exit 0

mode=${DISLIST_SETUP:-install}
case $mode in
  install | print) ;;
  *) echo "setup.sh: DISLIST_SETUP is '$mode': leave it unset, or set it to print" >&2; exit 2 ;;
esac
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
retries=${DISLIST_APT_RETRIES:-3} pause=${DISLIST_APT_PAUSE:-30}

# setup_step CMD...: runs CMD, or prints it.
setup_step() {
  if [ "$mode" = print ]; then
    local line
    line=$(printf '%q ' "$@")
    echo "${line% }"
  else
    "$@"
  fi
}

echo "Installing: ${missing[*]}"
if [[ " ${missing[*]} " == *:i386\ * ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  setup_step "${as_root[@]}" dpkg --add-architecture i386
fi
try=1
until setup_step "${apt[@]}" update; do
  if [ "$try" -ge "$retries" ]; then
    echo "setup.sh: apt-get update failed $try times: installing from the package lists it has" >&2
    break
  fi
  echo "setup.sh: apt-get update failed; again in $pause s (try $((try + 1)) of $retries)" >&2
  sleep "$pause"
  try=$((try + 1))
done
if ! setup_step "${apt[@]}" install -y --no-install-recommends "${missing[@]}"; then
  echo "setup.sh: apt-get could not install: ${missing[*]}" >&2
  exit 1
fi
