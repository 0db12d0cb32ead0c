#!/usr/bin/env bash
# Every C++ file of the project keeps the style .clang-format describes.
set -u
cd "$1" || exit 1
command -v clang-format >/dev/null || { echo "clang-format is not installed (scripts/install-deps.sh)"; exit 1; }
fail=0; pass=0
while IFS= read -r f; do
    if clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then pass=$((pass + 1)); else
        echo "FAIL: $f differs from .clang-format (clang-format -i $f)"; fail=$((fail + 1)); fi
done < <(git ls-files '*.cpp' '*.h' 2>/dev/null | grep -E '^(src|tests|bench|fuzz)/' ||
         find src tests bench fuzz -name '*.cpp' -o -name '*.h')
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
