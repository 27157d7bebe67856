#!/usr/bin/env bash
# Smoke test of the benchmark, run by the test suite: one run of a small
# generated file through the whole pipeline and the I/O floor, checking that
# every entity is read, written and read back again, then one round of the
# console pipeline beside the awk peer under gawk and mawk (each left out,
# and said so, when it or the script is missing). No timing is judged.
set -euo pipefail
cd "$(dirname "$0")/.."
bench=build/native/bench/jwwbench
if [ ! -x "$bench" ]; then
  echo "bench/smoke.sh: $bench is missing; build build/native first" >&2
  exit 1
fi
"$bench" --smoke
