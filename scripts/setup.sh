#!/usr/bin/env bash
# Installs what the builds and the tests need on a Debian machine, when
# missing: both MinGW-w64 cross compilers, Wine for 64-bit and (from the
# i386 architecture, added if need be) for 32-bit programs, GoogleTest's
# sources, clang for the fuzzers, clang-tidy, zip tools.
set -euo pipefail

packages=(cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 wine32:i386
          googletest clang clang-tidy libclang-rt-dev zip unzip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
