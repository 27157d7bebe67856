#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the native core and
# its unit tests, the Windows program (MinGW-w64 cross build), the
# sanitizer build, and runs every suite that exists. Exits non-zero on the
# first failing step.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

bash scripts/install-deps.sh

step() { printf '\n=== %s\n' "$*"; }
passed=0
run() {  # run NAME COMMAND...: one counted step of the suite
  local name=$1; shift
  step "$name"
  "$@"
  passed=$((passed + 1))
}

native() {
  cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build build/native -j "$jobs"
  ctest --test-dir build/native --output-on-failure -j "$jobs"
}

windows() {
  cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build build/mingw -j "$jobs"
}

run "native build and unit tests" native
run "Windows cross build" windows
for script in crossbuild/differential.sh tests/sanitize.sh tests/e2e/run.sh tests/e2e/host.sh \
  fuzz/smoke.sh bench/smoke.sh packaging/check.sh packaging/check-readme.sh; do
  if [ -f "$script" ]; then run "$script" bash "$script"; fi
done

echo
echo "suite: $passed passed, 0 failed"
