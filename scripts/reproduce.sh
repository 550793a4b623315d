#!/usr/bin/env bash
# Checks that the release package is reproducible: clones the committed
# HEAD twice, into two folders of different names, makes the package in each
# with scripts/package.sh, and compares the two zips byte for byte. Prints
# the digest on success; exits non-zero when they differ.
# Usage: bash scripts/reproduce.sh
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d "${TMPDIR:-/tmp}/dislist-reproduce.XXXXXX")
trap 'rm -rf "$work"' EXIT
commit=$(git rev-parse HEAD)
for clone in "$work/first" "$work/second clone"; do
  git clone -q --no-local "$PWD" "$clone"
  git -C "$clone" checkout -q "$commit"
  echo "== package in $clone"
  bash "$clone/scripts/package.sh" >/dev/null
done
name=$(cd "$work/first/build/package" && ls AIMP_Dislist-*-win.zip)
if ! cmp "$work/first/build/package/$name" "$work/second clone/build/package/$name"; then
  echo "reproduce.sh: the two packages of $commit differ" >&2
  exit 1
fi
cmp "$work/first/build/package/SHA256SUMS" "$work/second clone/build/package/SHA256SUMS"
echo "reproducible: $commit"
cat "$work/first/build/package/SHA256SUMS"
