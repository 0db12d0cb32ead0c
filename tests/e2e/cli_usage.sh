#!/usr/bin/env bash
# jirakubo-cli usage: --help and --version on standard output with status 0; unknown
# commands and options a message on standard error, status 1 and no file.
set -u
BIN=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }
cli="$BIN/jirakubo-cli"

"$cli" --help > "$work/out" 2> "$work/err"
check "--help exits 0" "[ $? -eq 0 ]"
check "--help lists the commands on stdout" "grep -q '^  convert ' $work/out && grep -q '^  print ' $work/out"
check "--help shows convert's --keep-first-201" "grep -q '^  convert .*--keep-first-201' $work/out"
"$cli" --version > "$work/out"
check "--version" "[ $? -eq 0 ] && grep -Eq '^jirakubo-cli [0-9]+\.[0-9]+\.[0-9]+$' $work/out"
for c in convert print furigana; do
  "$cli" $c --help > "$work/out" 2> "$work/err"
  check "$c --help exits 0" "[ $? -eq 0 ] && grep -q 'usage: jirakubo-cli $c' $work/out"
done
"$cli" frobnicate > "$work/out" 2> "$work/err"
check "unknown command exits 1 with a message" "[ $? -eq 1 ] && grep -q \"知らないコマンドです: frobnicate\" $work/err"
"$cli" > /dev/null 2> "$work/err"
check "no command exits 1" "[ $? -eq 1 ] && grep -q usage $work/err"
printf 'a,\r\n' > "$work/in.mojx"
"$cli" convert --frob "$work/in.mojx" "$work/out.mojx" 2> "$work/err"
check "unknown option exits 1, no file" "[ $? -eq 1 ] && [ ! -e $work/out.mojx ] && grep -q frob $work/err"
"$cli" convert "$work/in.mojx" "$work/out.mojx" extra 2> "$work/err"
check "extra argument exits 1, no file" "[ $? -eq 1 ] && [ ! -e $work/out.mojx ] && grep -q '引数が多すぎます' $work/err"
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
