#!/bin/bash
# jirakubo-cli book and list: the practice book of one kanji and the grade table of a grade
# as PDFs with embedded fonts, their traces, the stroke-order face, and clear failures that
# leave no file behind.
# Usage: bash cli_book_list.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }
embedded() {  # every font of the PDF embedded as CID TrueType
    pdffonts "$1" >"$WORK/fonts" 2>&1 || { fail "$1: pdffonts could not read it"; return; }
    grep -q "CID TrueType" "$WORK/fonts" || fail "$1: no CID TrueType font"
    awk 'NR > 2 && $0 !~ / yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$/ { bad = 1 } END { exit bad }' "$WORK/fonts" \
        || fail "$1: a font is not embedded: $(cat "$WORK/fonts")"
}

# --- practice book, portrait ---
"$BIN" book 学 -o "$WORK/book.pdf" --trace "$WORK/book.jsonl" 2>"$WORK/err" || fail "book: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/book.pdf")" = 1 ] || fail "book: not one page"
embedded "$WORK/book.pdf"
pdftotext "$WORK/book.pdf" "$WORK/book.txt"
for text in 学 漢 練 習 帳 音 訓 部 首 画 数 名 前 使 文 章 書; do
    grep -q "$text" "$WORK/book.txt" || fail "book: \"$text\" missing from the text"
done
grep -q '"text":"学","font":"ＭＳ Ｐ明朝","size":160,"bold":false,"italic":false,"color":12632256' "$WORK/book.jsonl" \
    || fail "book: no light grey model 学 at 160 points in the trace"
grep -q '{"op":"orientation","value":1}' "$WORK/book.jsonl" || fail "book: not portrait"
[ "$(tail -n 1 "$WORK/book.jsonl")" = '{"op":"endDocument"}' ] || fail "book: trace does not end with endDocument"

# --- practice book, vertical face: landscape ---
"$BIN" book 学 -o "$WORK/book_v.pdf" --font "@ＭＳ 明朝" --trace "$WORK/book_v.jsonl" 2>"$WORK/err" \
    || fail "book @: exit $? ($(cat "$WORK/err"))"
grep -q '{"op":"orientation","value":2}' "$WORK/book_v.jsonl" || fail "book @: not landscape"
grep -q '"x":700,"y":2000,"text":"学","font":"@ＭＳ 明朝","size":160' "$WORK/book_v.jsonl" \
    || fail "book @: the model is not at (700, 2000)"
pdfinfo "$WORK/book_v.pdf" | grep -q "Page size: *842 x 595" || fail "book @: the page is not A4 landscape"

# --- stroke order ---
"$BIN" book 学 -o "$WORK/book_s.pdf" --stroke-order 2>"$WORK/err" || fail "book --stroke-order: exit $?"
if fc-list | grep -q KanjiStrokeOrders; then
    pdffonts "$WORK/book_s.pdf" | grep -q KanjiStrokeOrders || fail "book --stroke-order: the face is not in the PDF"
    grep -q "not installed" "$WORK/err" && fail "book --stroke-order: says the installed face is missing"
else
    grep -q "KanjiStrokeOrders" "$WORK/err" || fail "book --stroke-order: no note that the face is missing"
fi
embedded "$WORK/book_s.pdf"

# --- grade table: grade 4 has 202 kanji on three pages, grade 1 80 kanji on one ---
"$BIN" list 4 -o "$WORK/list4.pdf" --trace "$WORK/list4.jsonl" 2>"$WORK/err" || fail "list 4: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/list4.pdf")" = 3 ] || fail "list 4: $(pages "$WORK/list4.pdf") pages, not 3"
embedded "$WORK/list4.pdf"
count=$(pdftotext "$WORK/list4.pdf" - | tr -d ' \n\f' | sed 's/漢字一覧表//g; s/名前//g' | python3 -c 'import sys; print(len(sys.stdin.read()))')
[ "$count" = 202 ] || fail "list 4: $count kanji printed, not 202"
[ "$(grep -c '"size":45' "$WORK/list4.jsonl")" = 202 ] || fail "list 4: the trace has not 202 kanji at 45 points"
grep -q '{"op":"orientation","value":2}' "$WORK/list4.jsonl" || fail "list 4: not landscape"

"$BIN" list 1 -o "$WORK/list1.pdf" --font "@ＭＳ 明朝" 2>"$WORK/err" || fail "list 1: exit $? ($(cat "$WORK/err"))"
[ "$(pages "$WORK/list1.pdf")" = 1 ] || fail "list 1: $(pages "$WORK/list1.pdf") pages, not 1"
pdftotext "$WORK/list1.pdf" - | grep -q "学" || fail "list 1: 学 missing"

"$BIN" list 2 -o "$WORK/list2.pdf" --company 三省堂 2>"$WORK/err" || fail "list 2 三省堂: exit $? ($(cat "$WORK/err"))"
[ -s "$WORK/list2.pdf" ] || fail "list 2 三省堂: no PDF"

# --- help ---
"$BIN" book --help >"$WORK/out" 2>/dev/null || fail "book --help: exit $?"
grep -q "Usage: jirakubo-cli book" "$WORK/out" || fail "book --help: no usage on stdout"
"$BIN" list --help >"$WORK/out" 2>/dev/null || fail "list --help: exit $?"
grep -q "company" "$WORK/out" || fail "list --help: --company not explained"

# --- failures: exit 1, a message, no file ---
check_error() {
    local name="$1"; shift
    rm -f "$WORK/bad.pdf"
    "$BIN" "$@" 2>"$WORK/err" >/dev/null
    local rc=$?
    [ $rc = 1 ] || fail "$name: exit $rc, not 1"
    [ -s "$WORK/err" ] || fail "$name: no message"
    [ -e "$WORK/bad.pdf" ] && fail "$name: left an output file"
}
check_error "book of two characters" book 学校 -o "$WORK/bad.pdf"
check_error "book of no character" book "" -o "$WORK/bad.pdf"
check_error "book without a character" book -o "$WORK/bad.pdf"
check_error "book of two arguments" book 学 校 -o "$WORK/bad.pdf"
check_error "book without output" book 学
# Only a kanji of the dictionary has a practice book: "name|character".
while IFS='|' read -r name character; do
    check_error "book of $name" book "$character" -o "$WORK/bad.pdf"
    grep -q "にない字です" "$WORK/err" || fail "book of $name: $(cat "$WORK/err")"
done <<'TABLE'
a Latin letter|a
a digit|7
an emoji|😀
katakana|ア
hiragana|あ
the repeat mark|々
a kanji beyond the grades|鬱
a full-width letter|Ａ
TABLE
check_error "book, unknown option" book 学 -o "$WORK/bad.pdf" --colour
check_error "list grade 0" list 0 -o "$WORK/bad.pdf"
check_error "list grade 7" list 7 -o "$WORK/bad.pdf"
check_error "list grade not a number" list 一 -o "$WORK/bad.pdf"
check_error "list without grade" list -o "$WORK/bad.pdf"
check_error "list, unknown company" list 1 --company 新潮社 -o "$WORK/bad.pdf"
check_error "list into a missing folder" list 1 -o "$WORK/none/bad.pdf"
grep -q "新潮社" <("$BIN" list 1 --company 新潮社 -o "$WORK/bad.pdf" 2>&1) || fail "unknown company: not named"

# An existing output survives a failed run untouched.
echo "keep" >"$WORK/keep.pdf"
"$BIN" book 学校 -o "$WORK/keep.pdf" 2>/dev/null
[ "$(cat "$WORK/keep.pdf")" = keep ] || fail "a failed book run overwrote the output"
"$BIN" list 9 -o "$WORK/keep.pdf" 2>/dev/null
[ "$(cat "$WORK/keep.pdf")" = keep ] || fail "a failed list run overwrote the output"

if [ $failures -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "cli_book_list: all checks passed"
