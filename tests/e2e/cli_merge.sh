#!/usr/bin/env bash
# jirakubo-cli merge: pages of one format joined in order, headings renumbered on request;
# mixed formats, more than 201 pages and missing inputs leave no file.
set -u
BIN=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }

# A .moj page line (43 fields): heading, empty, 40 slot texts, font. $1 heading, $2 first text.
mojline() { printf '%s,,%s' "$1" "$2"; for i in $(seq 39); do printf ','; done; printf ',\x82l\x82r \x82o\x96\xbe\x92\xa9\r\n'; }
# 一の巻 / 二の巻 / 三の巻 in code page 932
mojline $'\x88\xea\x82\xcc\x8a\xaa' a > "$work/a.moj"
mojline $'\x93\xf1\x82\xcc\x8a\xaa' b >> "$work/a.moj"
mojline $'\x8eO\x82\xcc\x8a\xaa' c > "$work/b.moj"

"$BIN/jirakubo-cli" merge -o "$work/out.moj" "$work/a.moj" "$work/b.moj"
check "plain merge exits 0" "[ $? -eq 0 ]"
check "plain merge is the inputs one after the other" "cat $work/a.moj $work/b.moj | cmp -s - $work/out.moj"

"$BIN/jirakubo-cli" merge -o "$work/num.moj" --renumber 級 "$work/b.moj" "$work/a.moj"
check "renumber exits 0" "[ $? -eq 0 ]"
# ３級 ２級 １級 (full-width digits, 級) and the rest of each line unchanged
check "headings renumbered" "[ \"\$(cut -d, -f1 $work/num.moj | od -An -tx1 | tr -d ' \n')\" = '82528b890a82518b890a82508b890a' ]"
check "rest of the lines kept" "diff <(cut -d, -f2- $work/num.moj) <(cat $work/b.moj $work/a.moj | cut -d, -f2-) >/dev/null"
check "43 fields a line" "[ \"\$(awk -F, '{print NF}' $work/num.moj | sort -u)\" = 43 ]"

# Suffixes: a comma or blanks at an end are carried by quoting the heading; a double quote or
# a line end cannot stand in a field and is refused. "name|suffix|exit|heading read back".
while IFS='|' read -r name suffix rc heading; do
  suffix=$(printf '%b.' "$suffix")  # the dot keeps a line end at the end from being cut off
  suffix=${suffix%.}
  rm -f "$work/sfx.moj" "$work/sfx.mojx"
  "$BIN/jirakubo-cli" merge -o "$work/sfx.moj" --renumber "$suffix" "$work/b.moj" "$work/a.moj" 2> "$work/err"
  got=$?
  check "suffix $name: exit $rc" "[ $got -eq $rc ]"
  if [ "$rc" = 0 ]; then
    # The program's own reader: three pages, the heading whole, every other field in place.
    "$BIN/jirakubo-cli" convert "$work/sfx.moj" "$work/sfx.mojx" 2>/dev/null
    check "suffix $name: reads back as three pages" "[ \"\$(wc -l < $work/sfx.mojx)\" -eq 3 ]"
    first=$(head -1 "$work/sfx.mojx" | iconv -f CP932 -t UTF-8 | tr -d '\r')
    check "suffix $name: heading $heading" "[ \"\${first%%,,c,*}\" = '$heading' ]"
  else
    check "suffix $name: no file, a message" "[ ! -e $work/sfx.moj ] && grep -q -- '--renumber' $work/err"
  fi
done <<'TABLE'
plain|級|0|３級
comma first|,級|0|"３,級"
comma last|級,|0|"３級,"
blank last|級 |0|"３級 "
double quote|級"|1|
line feed|級\n|1|
carriage return and line feed|\r\n|1|
tab|\t|1|
TABLE

printf 'x,,\r\n' > "$work/c.mojx"
"$BIN/jirakubo-cli" merge -o "$work/mixed.moj" "$work/a.moj" "$work/c.mojx" 2> "$work/err"
check "mixed formats exit 1" "[ $? -eq 1 ] && [ ! -e $work/mixed.moj ]"
check "mixed formats named" "grep -q '.moj と .mojx のファイルが混ざっています' $work/err"

"$BIN/jirakubo-cli" merge -o "$work/wrong.mojx" "$work/a.moj" 2>/dev/null
check "output of the other format exits 1" "[ $? -eq 1 ] && [ ! -e $work/wrong.mojx ]"

"$BIN/jirakubo-cli" merge -o "$work/gone.moj" "$work/a.moj" "$work/missing.moj" 2> "$work/err"
check "missing input exits 1" "[ $? -eq 1 ] && [ ! -e $work/gone.moj ]"
check "missing input named" "grep -q missing.moj $work/err"

for i in $(seq 100); do mojline "p$i" x; done > "$work/hundred.moj"
"$BIN/jirakubo-cli" merge -o "$work/big.moj" "$work/hundred.moj" "$work/hundred.moj" "$work/b.moj"
check "201 pages merge" "[ $? -eq 0 ] && [ \"\$(wc -l < $work/big.moj)\" -eq 201 ]"
"$BIN/jirakubo-cli" merge -o "$work/toobig.moj" "$work/hundred.moj" "$work/hundred.moj" "$work/a.moj" 2> "$work/err"
check "202 pages exit 1" "[ $? -eq 1 ] && [ ! -e $work/toobig.moj ]"
check "202 pages told" "grep -q '201ページを超えます' $work/err"

"$BIN/jirakubo-cli" merge -o "$work/none.moj" 2>/dev/null
check "no inputs exit 1" "[ $? -eq 1 ] && [ ! -e $work/none.moj ]"
"$BIN/jirakubo-cli" merge --help > "$work/help"
check "help exits 0 on stdout" "[ $? -eq 0 ] && grep -q -- --renumber $work/help"
echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
