#!/bin/bash
# jirakubo-cli furigana: empty readings filled from MeCab, both words, --overwrite listing
# each replacement, and failures that leave no file behind.
# Usage: bash cli_furigana.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SRC="$2"
. "$(dirname "$0")/lib/cli_test.sh"
# Field N (1-based) of line L of a problem file, in UTF-8.
field() { iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | awk -F, -v l="$2" -v n="$3" 'NR == l { print $n }'; }
# Field of the reading of row R (1..10): first word 5+4(R-1), second word 46+3(R-1).
reading() { field "$1" "$2" $((5 + 4 * ($3 - 1))); }
reading2() { field "$1" "$2" $((46 + 3 * ($3 - 1))); }

{
    page_line "一の巻" "学校へ|行||った。" "|上手||から出る。" "絵が|上手|うわて|だ。" "きのう|式||を|行||った。"
    page_line "二の巻" "|先生|せんせい|がくる。" "|ノート||に書く。"
} | to_cp932 >"$WORK/book.mojx"

# --- fill the empty readings ---
"$BIN" furigana "$WORK/book.mojx" -o "$WORK/filled.mojx" 2>"$WORK/err" || fail "fill: exit $? ($(cat "$WORK/err"))"
grep -q "読みがなを4個入れました（読みがなを決められなかった言葉が1個あります）" "$WORK/err" || fail "fill: counts: $(cat "$WORK/err")"
grep -q "置き換えました" "$WORK/err" && fail "fill: lists replacements without --overwrite"
[ "$(reading "$WORK/filled.mojx" 1 1)" = い ] || fail "fill: 行った: $(reading "$WORK/filled.mojx" 1 1)"
[ "$(reading "$WORK/filled.mojx" 1 2)" = "" ] || fail "fill: 上手から got a reading"
[ "$(reading "$WORK/filled.mojx" 1 3)" = うわて ] || fail "fill: a typed reading was replaced"
[ "$(reading "$WORK/filled.mojx" 1 4)" = しき ] || fail "fill: 式: $(reading "$WORK/filled.mojx" 1 4)"
[ "$(reading2 "$WORK/filled.mojx" 1 4)" = おこな ] || fail "fill: second word 行: $(reading2 "$WORK/filled.mojx" 1 4)"
[ "$(reading "$WORK/filled.mojx" 2 2)" = のーと ] || fail "fill: ノート: $(reading "$WORK/filled.mojx" 2 2)"
[ "$(field "$WORK/filled.mojx" 2 1)" = 二の巻 ] || fail "fill: heading of page 2"
[ "$(field "$WORK/filled.mojx" 1 43)" = "ＭＳ Ｐ明朝" ] || fail "fill: font field"
[ "$(wc -l <"$WORK/filled.mojx")" -eq 2 ] || fail "fill: not two lines"
awk -F, 'NF != 74 { bad = 1 } END { exit bad }' "$WORK/filled.mojx" || fail "fill: not 74 fields a line"
[ "$(head -1 "$WORK/filled.mojx" | tail -c 2 | od -An -c | tr -d ' ')" = '\r\n' ] || fail "fill: no CR LF"
# Only the readings changed: blank them in both files and they are the same.
blank() { iconv -f CP932 -t UTF-8 "$1" | awk -F, -v OFS=, '{ for (r = 0; r < 10; r++) { $(5 + 4 * r) = ""; $(46 + 3 * r) = "" } print }'; }
cmp -s <(blank "$WORK/book.mojx") <(blank "$WORK/filled.mojx") || fail "fill: something besides the readings changed"
# The program's own reader and writer give the same file back.
"$BIN" convert "$WORK/filled.mojx" "$WORK/again.mojx" && cmp -s "$WORK/filled.mojx" "$WORK/again.mojx" \
    || fail "fill: the output does not read back as written"

# --- overwrite ---
"$BIN" furigana "$WORK/book.mojx" -o "$WORK/over.mojx" --overwrite 2>"$WORK/err" || fail "overwrite: exit $?"
grep -q "読みがなを4個入れました（読みがなを決められなかった言葉が1個あります）" "$WORK/err" || fail "overwrite: counts: $(cat "$WORK/err")"
grep -q "読みがなを1個置き換えました" "$WORK/err" || fail "overwrite: replaced count: $(cat "$WORK/err")"
grep -q "1ページ 3行目 1語目（上手）: うわて → じょうず" "$WORK/err" || fail "overwrite: change not listed: $(cat "$WORK/err")"
[ "$(grep -c "語目（" "$WORK/err")" -eq 1 ] || fail "overwrite: lists more than the replacement"
[ "$(reading "$WORK/over.mojx" 1 3)" = じょうず ] || fail "overwrite: 上手 not replaced"
[ "$(reading "$WORK/over.mojx" 2 1)" = せんせい ] || fail "overwrite: 先生"

# --- an old .moj (43 fields) becomes a .mojx with its readings ---
page_line "古い巻" "|雨||がふる。" | awk -F, -v OFS=, '{ NF = 42; print $0 ",ＭＳ Ｐ明朝\r" }' | to_cp932 >"$WORK/old.moj"
[ "$(tr -cd , <"$WORK/old.moj" | wc -c)" -eq 42 ] || fail "moj: the fixture has not 43 fields"
"$BIN" furigana "$WORK/old.moj" -o "$WORK/old.mojx" 2>"$WORK/err" || fail "moj: exit $? ($(cat "$WORK/err"))"
[ "$(reading "$WORK/old.mojx" 1 1)" = あめ ] || fail "moj: 雨: $(reading "$WORK/old.mojx" 1 1)"
awk -F, 'NF != 74 { bad = 1 } END { exit bad }' "$WORK/old.mojx" || fail "moj: not 74 fields"

# --- 200 pages of example sentences, every reading present: nothing changes without --overwrite ---
head -n 200 "$SRC/data/base.moj" >"$WORK/examples.moj"
"$BIN" furigana "$WORK/examples.moj" -o "$WORK/examples-furigana.mojx" 2>"$WORK/err" || fail "examples: exit $?"
grep -q "読みがなを0個入れました（読みがなを決められなかった言葉が0個あります）" "$WORK/err" || fail "examples: $(cat "$WORK/err")"
"$BIN" convert "$WORK/examples.moj" "$WORK/examples-convert.mojx"
cmp -s "$WORK/examples-furigana.mojx" "$WORK/examples-convert.mojx" || fail "examples: differs from convert"

# --- help ---
"$BIN" furigana --help >"$WORK/out" 2>&1 || fail "help: exit $?"
grep -q -- "--overwrite" "$WORK/out" || fail "help: no --overwrite"

# --- errors: a message, exit 1, no output file ---
expect_error() {
    local what=$1 pattern=$2; shift 2
    rm -f "$WORK/out.mojx"
    "$BIN" furigana "$@" 2>"$WORK/err" >/dev/null
    local rc=$?
    [ $rc -eq 1 ] || fail "$what: exit $rc"
    [ -e "$WORK/out.mojx" ] && fail "$what: output file written"
    grep -q -- "$pattern" "$WORK/err" || fail "$what: message \"$(cat "$WORK/err")\" lacks \"$pattern\""
}
printf 'x,\x81\x0a\r\n' >"$WORK/bad.mojx"
expect_error "not code page 932" "bad.mojx" "$WORK/bad.mojx" -o "$WORK/out.mojx"
expect_error "missing input" "missing.mojx" "$WORK/missing.mojx" -o "$WORK/out.mojx"
expect_error "no output" "-o OUT.mojx" "$WORK/book.mojx"
expect_error "output not .mojx" "出力は .mojx ファイルにしてください" "$WORK/book.mojx" -o "$WORK/out.txt"
expect_error "input not a problem file" "問題ファイル（.moj か .mojx）ではありません" "$WORK/book.txt" -o "$WORK/out.mojx"
expect_error "no input" "問題ファイル（IN.mojx か IN.moj）が指定されていません" -o "$WORK/out.mojx"
expect_error "two inputs" "一つだけ" "$WORK/book.mojx" "$WORK/old.moj" -o "$WORK/out.mojx"
expect_error "unknown option" "frobnicate" "$WORK/book.mojx" -o "$WORK/out.mojx" --frobnicate
expect_error "the example file" "例文ファイル" "$(dirname "$BIN")/base.moj" -o "$WORK/out.mojx"
# More pages than a workbook holds: the output would lose pages.
for i in $(seq 1 202); do page_line "頁$i" "|山||に登る。"; done | to_cp932 >"$WORK/big.mojx"
expect_error "202 pages" "202ページあり" "$WORK/big.mojx" -o "$WORK/out.mojx"
# An existing output file is left as it was when the command fails.
echo keep >"$WORK/kept.mojx"
"$BIN" furigana "$WORK/bad.mojx" -o "$WORK/kept.mojx" 2>/dev/null
[ "$(cat "$WORK/kept.mojx")" = keep ] || fail "a failed run touched the existing output"

if [ $failures -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "cli_furigana: all checks passed"
