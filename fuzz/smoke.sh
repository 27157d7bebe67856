#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) and runs each for a bounded time on a
# copy of its checked-in corpus. Any crash, leak, timeout, undefined behaviour
# or broken invariant fails the run and leaves its input in build/fuzz/findings.
# JWW_FUZZ_SECONDS sets the time per target (default 30). Inputs are kept to
# 2 KiB, as in campaign.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${JWW_FUZZ_SECONDS:-30}
build=build/fuzz
findings=$build/findings

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJWW_FUZZ=ON \
  -DJWW_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target jww_fuzz_reader jww_fuzz_pipeline

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$findings"
status=0
for target in reader pipeline; do
  cp -r "fuzz/corpus/$target" "$work/$target"
  log="$work/$target.log"
  if ! "$build/fuzz/jww_fuzz_$target" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix="$findings/$target-" -print_final_stats=1 \
      "$work/$target" 2>"$log"; then
    tail -n 60 "$log"
    echo "fuzz target $target: FINDING (input kept in $findings)"
    status=1
    continue
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "fuzz target $target: ${runs:-?} executions in ${seconds} s, no finding; $(grep -o 'helper share.*' "$log")"
done
exit $status
