#!/usr/bin/env bash
# Builds the fuzzers natively and runs each for a bounded time: the track
# record parser for FUZZ_SECONDS (default 30), the log reader for a third of
# that. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/builds.sh
source scripts/builds.sh
seconds="${FUZZ_SECONDS:-30}"
# libFuzzer takes 0 as no limit at all.
case $seconds in
  '' | *[!0-9]* | 0*) echo "fuzz.sh: FUZZ_SECONDS is '$seconds': give a whole number of seconds from 1" >&2; exit 2 ;;
esac
out=build/fuzz
cmake -S tests/fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j"$DISLIST_JOBS" >/dev/null
mkdir -p "$out/seeds/record" "$out/seeds/log"
"$out/make_seeds" "$out/seeds/record"
sed 's/$/\r/' tests/fuzz/log_seeds.txt > "$out/seeds/log/crlf.log"
cp tests/fuzz/log_seeds.txt "$out/seeds/log/lf.log"

# run_fuzzer NAME SECONDS SEED_DIR MAX_LEN
run_fuzzer() {
  local name=$1 time=$2 seeds=$3 max_len=$4
  rm -rf "$out/corpus-$name" && mkdir -p "$out/corpus-$name"
  # The outer limit catches a fuzzer that never stops; one input may take 25 s.
  if ! timeout $((time + 120)) "$out/$name" -max_total_time="$time" -timeout=25 -max_len="$max_len" \
      -print_final_stats=1 -artifact_prefix="$out/$name-" "$out/corpus-$name" "$seeds" 2>"$out/$name.log"; then
    tail -40 "$out/$name.log"
    echo "fuzzing $name found a problem: see $out/$name.log"
    return 1
  fi
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/$name.log")
  echo "fuzzing $name: ${runs:-?} executions in ${time}s, no findings"
}

status=0
run_fuzzer track_record_fuzz "$seconds" "$out/seeds/record" 4096 || status=1
run_fuzzer log_scanner_fuzz "$(( (seconds + 2) / 3 ))" "$out/seeds/log" 8192 || status=1
exit $status
