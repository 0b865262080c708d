#!/usr/bin/env bash
# Builds the whole test suite with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (float-to-integer overflow included) in
# build-sanitize/ and runs it headless. The first report aborts the test
# that made it. Extra arguments go to ctest (for example -R platform_tests).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-sanitize
sanitizers="-fsanitize=address,undefined,float-cast-overflow,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
# The fuzz targets run here, a short while each; benchmarks measure nothing
# worth knowing under a sanitizer.
ZELVORA_BUILD_DIR=$build scripts/build.sh \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DZELVORA_BUILD_BENCH=OFF \
  -DZELVORA_BUILD_FUZZERS=ON
export ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0
exec scripts/ctest-headless.sh "$build" "$@"
