#!/usr/bin/env bash
# Builds the whole unit suite again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it. JWW_QUICK shortens the largest
# randomized tests, which run in full in the normal build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJWW_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
JWW_QUICK=1 ctest --test-dir build/asan --output-on-failure -j "$(nproc)"
