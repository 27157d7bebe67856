#!/usr/bin/env bash
# Builds the whole unit suite again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs it, then the two-thread core's test
# under ThreadSanitizer. JWW_QUICK shortens the largest randomized tests,
# which run in full in the normal build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJWW_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
JWW_QUICK=1 ctest --test-dir build/asan --output-on-failure -j "$(nproc)"

# The core's two threads under ThreadSanitizer: the test program that runs
# both ways of the core side by side.
cmake -S . -B build/tsan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DJWW_SANITIZE_THREAD=ON >/dev/null
cmake --build build/tsan -j "$(nproc)" --target parallel_tests
TSAN_OPTIONS=halt_on_error=1 JWW_QUICK=1 build/tsan/tests/parallel_tests
