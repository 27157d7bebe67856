#!/usr/bin/env bash
# The performance benchmark at full size: a Release build in build/bench, then
# the table for 10,000, 100,000 and 1,000,000 entities (median of 5 runs).
# Extra arguments go to jwwbench, e.g.:
#   bash bench/run.sh --sizes 10000,100000,1000000,5000000 --runs 7
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j 2 --target jwwbench
exec build/bench/bench/jwwbench "$@"
