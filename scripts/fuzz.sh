#!/usr/bin/env bash
# Builds the record parser's fuzzer natively and runs it for a bounded time
# (FUZZ_SECONDS, default 30). Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"
out=build/fuzz
cmake -S tests/fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j"$(nproc)" >/dev/null
rm -rf "$out/corpus" && mkdir -p "$out/corpus" "$out/seeds"
"$out/make_seeds" "$out/seeds"
"$out/track_record_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/" "$out/corpus" "$out/seeds" 2>"$out/fuzz.log" || {
  tail -40 "$out/fuzz.log"
  echo "fuzzing found a problem: see $out/fuzz.log"
  exit 1
}
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/fuzz.log")
echo "fuzzing: ${runs:-?} executions in ${seconds}s, no findings"
