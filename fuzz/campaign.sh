#!/usr/bin/env bash
# A long fuzzing campaign. Builds the libFuzzer targets as smoke.sh does, then
# runs every target (all at once) until each has made RUNS executions, split
# over JOBS worker processes per target, on a corpus kept between campaigns in
# build/fuzz/campaign/<target>/corpus (seeded from fuzz/corpus/<target>).
# Prints, per target, the executions, the rate, the coverage, the corpus, the
# share of inputs the helper thread prepared pieces for and the findings
# (crash-, leak-, timeout- and oom- inputs in build/fuzz/campaign/findings);
# exits non-zero when there is a finding.
#
# Inputs are kept to 2 KiB (-max_len): every statement, mark and piece edge
# fits in far less (the forced helper's pieces are cut by the input's size),
# and larger inputs only cost time in proportion; the seed drawings are cut
# to that size when they are read.
#
# Usage: fuzz/campaign.sh [-r RUNS] [-j JOBS] [-t MAX_SECONDS] [TARGET...]
#   -r  executions per target (default 10000000)
#   -j  worker processes per target (default 1)
#   -t  stop each worker after this many seconds even if its runs are not done
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=10000000
jobs=1
seconds=0
while getopts "r:j:t:" opt; do
  case $opt in
    r) runs=$OPTARG ;;
    j) jobs=$OPTARG ;;
    t) seconds=$OPTARG ;;
    *) sed -n '2,15p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(reader pipeline)

build=$root/build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJWW_FUZZ=ON \
  -DJWW_BUILD_TESTS=OFF >/dev/null
for target in "${targets[@]}"; do
  cmake --build "$build" -j 2 --target "jww_fuzz_$target" >/dev/null
done

campaign=$build/campaign
findings=$campaign/findings
mkdir -p "$findings"

# Runs one target's workers in its own folder, where libFuzzer puts the
# fuzz-<n>.log of each worker.
run_target() {
  local target=$1 dir=$campaign/$1
  mkdir -p "$dir/corpus"
  cp -n "$root/fuzz/corpus/$target"/* "$dir/corpus/" 2>/dev/null || true
  rm -f "$dir"/fuzz-*.log
  local per_job=$(((runs + jobs - 1) / jobs))
  local args=(-runs="$per_job" -max_len=2048 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="$findings/$target-")
  [ "$seconds" -gt 0 ] && args+=(-max_total_time="$seconds")
  (cd "$dir" && "$build/fuzz/jww_fuzz_$target" "${args[@]}" -jobs="$jobs" -workers="$jobs" \
    corpus >"$dir/driver.log" 2>&1) || true
}

start=$(date +%s)
for target in "${targets[@]}"; do run_target "$target" & done
wait
elapsed=$(($(date +%s) - start))

status=0
summary=$campaign/summary.txt
{
  echo "campaign of $(date -u +%Y-%m-%dT%H:%MZ): $runs executions per target asked, $jobs worker(s) each"
  for target in "${targets[@]}"; do
    dir=$campaign/$target
    executed=$(cat "$dir"/fuzz-*.log | sed -n 's/^stat::number_of_executed_units: *//p' |
      awk '{ s += $1 } END { print s + 0 }')
    rate=$(cat "$dir"/fuzz-*.log | sed -n 's/^stat::average_exec_per_sec: *//p' |
      awk '{ s += $1 } END { print s + 0 }')
    corpus=$(find "$dir/corpus" -type f | wc -l)
    found=$(find "$findings" -name "$target-*" -type f | wc -l)
    coverage=$(cat "$dir"/fuzz-*.log | grep -E '^#[0-9]+[[:space:]]+DONE' | tail -n 1 |
      sed -E 's/.*(cov: [0-9]+ ft: [0-9]+).*/\1/')
    helper=$(cat "$dir"/fuzz-*.log | sed -n 's/^helper share: //p' | awk -F'[^0-9]+' \
      '{ n += $1; f += $2; h += $3 } END { printf "helper forced on %d of %d inputs, pieces prepared by it in %d", f, n, h }')
    echo "$target: $executed executions, $rate exec/s, $coverage, corpus $corpus inputs, $helper, $found finding(s)"
    [ "$found" -eq 0 ] || status=1
  done
  echo "wall time: $elapsed s"
} | tee "$summary"
if [ "$status" -ne 0 ]; then
  echo "findings:"
  ls -l "$findings"
fi
exit $status
