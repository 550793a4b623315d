# shellcheck shell=bash
# The two builds of the plug-in, in one place for every script. Source it.
#   DISLIST_ARCHES         the builds, x64 (64-bit AIMP) then x86 (32-bit AIMP)
#   dislist_select ARCH    sets preset, build (its folder), triple (the
#                          compiler's) and format (objdump's name for its
#                          machine type) for ARCH
#   DISLIST_JOBS           parallel jobs for builds; the caller may set it
#                          (nproc does not see a container's CPU limit)
# shellcheck disable=SC2034 # read by the scripts that source this file
DISLIST_ARCHES=(x64 x86)

# shellcheck disable=SC2034 # sets variables for the scripts that source this file
dislist_select() {
  case "$1" in
    x64) preset=mingw build=build triple=x86_64-w64-mingw32 format=pei-x86-64 ;;
    x86) preset=mingw-x86 build=build-x86 triple=i686-w64-mingw32 format=pei-i386 ;;
    *) echo "unknown build '$1': x64 or x86" >&2; return 2 ;;
  esac
}

DISLIST_JOBS=${DISLIST_JOBS:-$(nproc)}
case "$DISLIST_JOBS" in
  '' | *[!0-9]* | 0*) echo "DISLIST_JOBS is '$DISLIST_JOBS': give a whole number from 1" >&2; return 2 ;;
esac
export DISLIST_JOBS
