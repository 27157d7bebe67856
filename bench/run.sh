#!/usr/bin/env bash
# The performance benchmark at full size: a Release build in build/bench, then
# the table for 10,000, 100,000 and 1,000,000 entities (median of 5 runs).
# Extra arguments go to jwwbench, e.g.:
#   bash bench/run.sh --sizes 10000,100000,1000000,5000000 --runs 7
# With --exe the generated drawings are kept in build/bench/drawings and the
# Windows program and the console pipeline are then timed under Wine on the
# 1,000,000-entity one (bench/exe-under-wine.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
exe=0
args=()
for arg in "$@"; do
  if [ "$arg" = --exe ]; then exe=1; else args+=("$arg"); fi
done
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j 2 --target jwwbench
if [ "$exe" -eq 0 ]; then exec build/bench/bench/jwwbench "${args[@]}"; fi

drawings=build/bench/drawings
mkdir -p "$drawings"
build/bench/bench/jwwbench "${args[@]}" --dir "$drawings" --keep
million=$drawings/JWC_TEMP_1000000.TXT
[ -f "$million" ] || build/bench/bench/jwwbench --sizes 1000000 --dir "$drawings" --keep >/dev/null
echo
bash bench/exe-under-wine.sh "$million"
