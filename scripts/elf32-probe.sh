# shellcheck shell=bash
# Whether this machine's kernel runs 32-bit x86 programs, found without any
# 32-bit package: a 93-byte Linux program that only exits is written and run.
# Source it, then:
#   dislist_kernel_runs_32bit   true unless the kernel refused the program
#                               ("Exec format error"); a probe that cannot be
#                               written or fails otherwise counts as true, so
#                               a missing 32-bit Wine is then still an error
#   dislist_elf32_probe         prints the probe's own result
# DISLIST_ELF32_PROBE names a program to run in the probe's place (the
# scripts' tests force either answer with it).

# The probe's bytes: an ELF header (32-bit, i386, executable, entry
# 0x08048054), one loadable segment of the whole file at 0x08048000, and the
# code `mov eax, 1; xor ebx, ebx; int 0x80`, which is exit(0).
dislist_elf32_bytes() {
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
  printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
  printf '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
  printf '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
}

# Prints what became of the probe: runs, refused (the kernel's "Exec format
# error"), or unknown and why.
dislist_elf32_probe() {
  local probe=${DISLIST_ELF32_PROBE:-} folder="" refusal status
  if [ -z "$probe" ]; then
    folder=$(mktemp -d "${TMPDIR:-/tmp}/dislist-elf32.XXXXXX") || { echo "unknown: no folder for the probe"; return; }
    probe=$folder/probe
    if ! dislist_elf32_bytes >"$probe" || ! chmod +x "$probe"; then
      rm -rf "$folder"
      echo "unknown: the probe could not be written"
      return
    fi
  fi
  refusal=$( (LC_ALL=C "$probe" >/dev/null) 2>&1 )
  status=$?
  [ -z "$folder" ] || rm -rf "$folder"
  if [ "$status" -eq 0 ]; then
    echo runs
  elif [ "$status" -eq 126 ] && LC_ALL=C grep -q 'Exec format error' <<<"$refusal"; then
    echo refused
  else
    echo "unknown: exit $status${refusal:+: $refusal}"
  fi
}

dislist_kernel_runs_32bit() { [ "$(dislist_elf32_probe)" != refused ]; }
