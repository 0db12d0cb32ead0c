#!/usr/bin/env bash
# jirakubo-cli convert: a .moj becomes a .mojx of 74 fields a line; errors leave no file.
set -u
BIN=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }

printf '\x88\xea\x82\xcc\x8a\xaa,,\x82\xa0,\x8eR,\x82\xe2\x82\xdc,\x82\xc9\x82\xcc\x82\xe9,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\x82l\x82r \x82o\x96\xbe\x92\xa9\r\n' > "$work/old.moj"
"$BIN/jirakubo-cli" convert "$work/old.moj" "$work/new.mojx"
check "convert exits 0" "[ $? -eq 0 ]"
check "74 fields" "[ \"\$(head -1 "$work/new.mojx" | tr -cd , | wc -c)\" -eq 73 ]"
check "CR LF line end" "[ \"\$(tail -c 2 "$work/new.mojx" | od -An -c | tr -d ' ')\" = '\r\n' ]"
check "text kept in code page 932" "head -c 6 "$work/new.mojx" | cmp -s - <(printf '\x88\xea\x82\xcc\x8a\xaa')"

printf 'x,\x81\x0a\r\n' > "$work/bad.mojx"
"$BIN/jirakubo-cli" convert "$work/bad.mojx" "$work/out.mojx" 2> "$work/err"
check "invalid input exits 1" "[ $? -eq 1 ]"
check "no output file" "[ ! -e $work/out.mojx ]"
check "message names the file" "grep -q bad.mojx $work/err"
"$BIN/jirakubo-cli" convert "$work/missing.moj" "$work/out.mojx" 2>/dev/null
check "missing input exits 1" "[ $? -eq 1 ] && [ ! -e $work/out.mojx ]"
"$BIN/jirakubo-cli" convert "$work/old.moj" 2>/dev/null
check "usage error exits 1" "[ $? -eq 1 ]"
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
