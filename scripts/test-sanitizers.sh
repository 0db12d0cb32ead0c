#!/usr/bin/env bash
# The whole test suite built with clang, AddressSanitizer and UndefinedBehaviorSanitizer, in
# build-asan/: any memory error, leak or undefined behaviour fails the test that meets it.
# The fuzz targets run in the normal build (label fuzz); here they replay their corpora.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$sanitize" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" \
    -DJIRAKUBO_BUILD_BENCH=OFF -DJIRAKUBO_FUZZ_TESTS=OFF >/dev/null
nice cmake --build build-asan -j "$(nproc)"
supp=$(pwd)/scripts/sanitizers
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-asan
ctest --output-on-failure -j 2 --timeout 1800 "$@"
