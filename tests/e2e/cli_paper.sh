#!/bin/bash
# jirakubo-cli paper: manuscript paper, the practice sheet of a page and ruled paper as PDF
# files, their traces, and clear failures that leave no file behind.
# Usage: bash cli_paper.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SAMPLE="$2/tests/fixtures/print_sample.mojx"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
# Records of the trace: count of lines matching a pattern.
count() { grep -c -- "$2" "$1"; }
embedded() {
    pdffonts "$1" >"$WORK/fonts" 2>&1 || fail "$1: pdffonts could not read it"
    grep -q "CID TrueType" "$WORK/fonts" || fail "$1: no CID TrueType font: $(cat "$WORK/fonts")"
    awk 'NR > 2 && $0 !~ / yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$/ { bad = 1 } END { exit bad }' "$WORK/fonts" \
        || fail "$1: a font is not embedded: $(cat "$WORK/fonts")"
}

# --- manuscript paper: A4, 20 x 20 by default ---
"$BIN" paper manuscript -o "$WORK/m.pdf" --title "作文の練習" --trace "$WORK/m.jsonl" 2>"$WORK/err" \
    || fail "manuscript: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/m.pdf")" = 1 ] || fail "manuscript: not one page"
pdfinfo "$WORK/m.pdf" | grep -q "Page size: *595.* x 84[12].* pts" || fail "manuscript: not A4: $(pdfinfo "$WORK/m.pdf" | grep 'Page size')"
embedded "$WORK/m.pdf"
pdftotext "$WORK/m.pdf" - | grep -q "作文の練習" || fail "manuscript: title missing"
# 20 rows of 20 squares: a top and a bottom line a row, 20 right edges, the line atop block 2.
[ "$(count "$WORK/m.jsonl" '"op":"line"')" = 441 ] || fail "manuscript: $(count "$WORK/m.jsonl" '"op":"line"') lines, not 441"
[ "$(count "$WORK/m.jsonl" '"style":2')" = 0 ] || fail "manuscript: dotted lines without --cross"
# Drawn in the printable area of a common printer, A4 less 5 mm on every side, as the sheets.
grep -q '{"op":"page","width":11339.0708661,"height":16271.0708661}' "$WORK/m.jsonl" \
    || fail "manuscript: not the common printable area: $(grep '"page"' "$WORK/m.jsonl")"
grep -q '{"op":"box","x1":500,"y1":500,"x2":10339,"y2":15320' "$WORK/m.jsonl" || fail "manuscript: frame not at 500..10339, 500..15320"
grep -q '{"op":"line","x1":991,"y1":700,"x2":991,"y2":1191' "$WORK/m.jsonl" || fail "manuscript: first square not 491 wide from 700"
grep -q '"text":"作文の練習".*"size":20' "$WORK/m.jsonl" || fail "manuscript: title not at 20 pt"
[ "$(tail -n 1 "$WORK/m.jsonl")" = '{"op":"endDocument"}' ] || fail "manuscript: trace does not end with endDocument"

# --- B4, 16 x 16, cross ---
"$BIN" paper manuscript -o "$WORK/b4.pdf" --b4 --squares 16 --cross --trace "$WORK/b4.jsonl" 2>"$WORK/err" \
    || fail "b4: exit $? ($(cat "$WORK/err"))"
pdfinfo "$WORK/b4.pdf" | grep -q "Page size: *72[89].* x 103[12].* pts" || fail "b4: not JIS B4: $(pdfinfo "$WORK/b4.pdf" | grep 'Page size')"
grep -q '{"op":"paper","size":12}' "$WORK/b4.jsonl" || fail "b4: paper 12 not set"
[ "$(count "$WORK/b4.jsonl" '"style":2')" = 512 ] || fail "b4: $(count "$WORK/b4.jsonl" '"style":2') dotted lines, not 2 x 16 x 16"

# --- practice sheet of page 1, models in red ---
"$BIN" paper practice "$SAMPLE" -o "$WORK/p.pdf" --color 255 --title "練習" --trace "$WORK/p.jsonl" 2>"$WORK/err" \
    || fail "practice: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/p.pdf")" = 1 ] || fail "practice: not one page"
embedded "$WORK/p.pdf"
pdftotext "$WORK/p.pdf" "$WORK/p.txt"
for text in 学 校 森 図 書 館 海 空 がっこう もり 練習; do
    grep -q "$text" "$WORK/p.txt" || fail "practice: \"$text\" missing"
done
grep -q '"text":"学","font":"ＭＳ 明朝","size":45,"bold":false,"italic":false,"color":255' "$WORK/p.jsonl" \
    || fail "practice: 学 not a 45 pt model in the page's face and red"
# A colour is read as --tracing-color reads it: decimal, or hexadecimal after 0x; a leading
# zero is no octal mark.
for colour in 010 0xa " 10 "; do
    "$BIN" paper practice "$SAMPLE" -o "$WORK/pc.pdf" --color "$colour" --trace "$WORK/pc.jsonl" 2>"$WORK/err" \
        || fail "practice --color '$colour': exit $? ($(cat "$WORK/err"))"
    grep -q '"text":"学","font":"ＭＳ 明朝","size":45,"bold":false,"italic":false,"color":10' "$WORK/pc.jsonl" \
        || fail "practice --color '$colour': the model is not in colour 10"
done
"$BIN" paper practice "$SAMPLE" -o "$WORK/p2.pdf" --page 2 --no-readings 2>"$WORK/err" \
    || fail "practice page 2: exit $? ($(cat "$WORK/err"))"
pdftotext "$WORK/p2.pdf" "$WORK/p2.txt"
grep -q "勉" "$WORK/p2.txt" || fail "practice page 2: 勉 missing"
grep -q "べんきょう" "$WORK/p2.txt" && fail "practice page 2: readings printed with --no-readings"

# --- ruled paper ---
"$BIN" paper ruled -o "$WORK/r.pdf" --center-lines --trace "$WORK/r.jsonl" 2>"$WORK/err" \
    || fail "ruled: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/r.pdf")" = 1 ] || fail "ruled: not one page"
pdftotext "$WORK/r.pdf" - | grep -q "ナナホシ舎" || fail "ruled: title missing"
[ "$(count "$WORK/r.jsonl" '"op":"line".*"style":0')" = 22 ] || fail "ruled: not 22 solid lines"
[ "$(count "$WORK/r.jsonl" '"op":"line".*"style":2')" = 20 ] || fail "ruled: not 20 dotted lines"
grep -q '{"op":"line","x1":500,"y1":16071,"x2":10339,"y2":16071' "$WORK/r.jsonl" || fail "ruled: last line not at 16071"
grep -q '"y1":675.5,' "$WORK/r.jsonl" || fail "ruled: first dotted line not at 675.5"
"$BIN" paper ruled -o "$WORK/r10.pdf" --rows 10 --title "日記" --trace "$WORK/r10.jsonl" 2>"$WORK/err" \
    || fail "ruled 10: exit $? ($(cat "$WORK/err"))"
[ "$(count "$WORK/r10.jsonl" '"op":"line"')" = 12 ] || fail "ruled 10: not 12 lines"
pdftotext "$WORK/r10.pdf" - | grep -q "日記" || fail "ruled 10: title missing"

# --- help ---
"$BIN" paper --help >"$WORK/out" 2>"$WORK/err" || fail "--help: exit $?"
grep -q "jirakubo-cli paper ruled" "$WORK/out" || fail "--help: no usage on stdout"

# --- failures: exit 1, a message, no file ---
check_error() {
    local name="$1" pattern="$2"; shift 2
    rm -f "$WORK/bad.pdf"
    "$BIN" paper "$@" 2>"$WORK/err"
    local rc=$?
    [ $rc = 1 ] || fail "$name: exit $rc, not 1"
    grep -q -- "$pattern" "$WORK/err" || fail "$name: message \"$(cat "$WORK/err")\" lacks \"$pattern\""
    [ -e "$WORK/bad.pdf" ] && fail "$name: left an output file"
}
check_error "squares 13" "20、12、14、16" manuscript -o "$WORK/bad.pdf" --squares 13
check_error "squares text" "20、12、14、16" manuscript -o "$WORK/bad.pdf" --squares many
check_error "rows 0" "1から60まで" ruled -o "$WORK/bad.pdf" --rows 0
check_error "rows negative" "1から60まで" ruled -o "$WORK/bad.pdf" --rows=-4
check_error "rows 61" "1から60まで" ruled -o "$WORK/bad.pdf" --rows 61
check_error "rows huge" "1から60まで" ruled -o "$WORK/bad.pdf" --rows 99999999999999999999
check_error "rows text" "1から60まで" ruled -o "$WORK/bad.pdf" --rows abc
check_error "rows empty" "--rows の値が空です" ruled -o "$WORK/bad.pdf" --rows ""
check_error "page beyond the workbook" "4ページ目はありません" practice "$SAMPLE" -o "$WORK/bad.pdf" --page 4
check_error "page 0" "ページ番号" practice "$SAMPLE" -o "$WORK/bad.pdf" --page 0
check_error "missing workbook" "ファイルが見つかりません" practice "$WORK/none.mojx" -o "$WORK/bad.pdf"
check_error "no workbook" "問題ファイルが指定されていません" practice -o "$WORK/bad.pdf"
check_error "colour out of range" "0xBBGGRR" practice "$SAMPLE" -o "$WORK/bad.pdf" --color 16777216
check_error "unknown paper" "という用紙はありません" graph -o "$WORK/bad.pdf"
check_error "option of another paper" "に --rows は使えません" manuscript -o "$WORK/bad.pdf" --rows 10
check_error "no output" "出力先がありません" ruled
check_error "file and printer" "一緒に指定できません" ruled -o "$WORK/bad.pdf" --printer PDF
check_error "unknown option" "知らないオプションです: colour" ruled -o "$WORK/bad.pdf" --colour 3

# An existing output survives a failed run untouched.
echo "keep" >"$WORK/keep.pdf"
"$BIN" paper ruled -o "$WORK/keep.pdf" --rows 0 2>/dev/null
[ "$(cat "$WORK/keep.pdf")" = keep ] || fail "a failed run overwrote the output"

if [ $failures -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "cli_paper: all checks passed"
