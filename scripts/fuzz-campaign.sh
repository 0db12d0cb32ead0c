#!/usr/bin/env bash
# A long fuzz campaign: builds the fuzz tree (scripts/fuzz.sh build), fuzzes each target for
# SECONDS with one worker a core (libFuzzer's fork mode), carrying on after a crash so that
# one run finds as much as it can, then shrinks each corpus to the inputs that matter.
#
#   scripts/fuzz-campaign.sh [SECONDS per target, default 3600] [TARGET...]
#
# Crashes land in build-fuzz/artifacts/TARGET/. Each one found becomes a fixture in
# tests/fixtures/fuzz/TARGET/ (replayed by ctest) with a test of the mend.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-3600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < <(bash "$root/scripts/fuzz.sh" list)

bash "$root/scripts/fuzz.sh" build
workers=$(nproc)
status=0
for t in "${targets[@]}"; do
    corpus=$build/corpus/$t
    mkdir -p "$corpus" "$build/artifacts/$t"
    echo "== $t: ${seconds}s, $workers workers"
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
    "$build/${t}_fuzz" -fork="$workers" -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
        -artifact_prefix="$build/artifacts/$t/" "$corpus" "$build/seeds/$t" 2>&1 | grep -E '^#|INFO: fuzzed|crash|ERROR' | tail -n 20 || true
    # Keep the smallest set of inputs that reaches the same code.
    merged=$(mktemp -d)
    "$build/${t}_fuzz" -merge=1 "$merged" "$corpus" >/dev/null 2>&1 && rm -rf "$corpus" && mv "$merged" "$corpus"
    found=$(find "$build/artifacts/$t" -type f | wc -l)
    echo "== $t: corpus $(ls "$corpus" | wc -l) inputs, $found crashes or timeouts in $build/artifacts/$t/"
    [ "$found" -eq 0 ] || status=1
done
exit $status
