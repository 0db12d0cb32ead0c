#!/usr/bin/env bash
# The fuzz build (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and its runs.
#
#   scripts/fuzz.sh [SECONDS]             build, then run every target SECONDS (default 60)
#   scripts/fuzz.sh build                 configure and build only
#   scripts/fuzz.sh run TARGET [SECONDS]  run one target (after a build)
#   scripts/fuzz.sh list                  the targets
#
# The tree is $FUZZ_BUILD_DIR (default build-fuzz/). Each target keeps the inputs it found in
# corpus/TARGET there, starting from its seeds (fuzz/corpus/TARGET and the fixtures named in
# fuzz/targets.cmake); a crash is saved in artifacts/TARGET/ and the run fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

targets() { sed -n 's/^jirakubo_fuzz_target(\([a-z0-9_]*\).*/\1/p' "$root/fuzz/targets.cmake"; }

do_build() {
    cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ >/dev/null
    nice cmake --build "$build"
}

do_run() {
    local target=$1 seconds=${2:-60}
    local exe=$build/${target}_fuzz
    [ -x "$exe" ] || { echo "fuzz.sh: $exe is not built (scripts/fuzz.sh build)" >&2; exit 1; }
    mkdir -p "$build/corpus/$target" "$build/artifacts/$target"
    echo "fuzzing $target for ${seconds}s"
    # Leaks are the sanitizer's business elsewhere; the tables a target keeps on purpose live
    # until the end.
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1} \
    "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" \
        "$build/corpus/$target" "$build/seeds/$target" 2>&1 | tail -n 40
    local rc=${PIPESTATUS[0]}
    if [ "$rc" -ne 0 ]; then
        echo "fuzz.sh: $target failed; the input is in $build/artifacts/$target/" >&2
        ls -l "$build/artifacts/$target/" >&2
        exit "$rc"
    fi
}

case ${1:-} in
    build) do_build ;;
    run) shift; do_run "$@" ;;
    list) targets ;;
    ""|[0-9]*)
        do_build
        for t in $(targets); do do_run "$t" "${1:-60}"; done ;;
    *) sed -n '2,12p' "$0" >&2; exit 1 ;;
esac
