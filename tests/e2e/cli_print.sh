#!/bin/bash
# jirakubo-cli print: a PDF with embedded TrueType fonts and the sheet's texts, a trace of
# the surface calls, and clear failures that leave no file behind.
# Usage: bash cli_print.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SAMPLE="$2/tests/fixtures/print_sample.mojx"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- dictation sheet of page 1 ---
"$BIN" print "$SAMPLE" -o "$WORK/dictation.pdf" --trace "$WORK/dictation.jsonl" 2>"$WORK/err" \
    || fail "dictation: exit $? ($(cat "$WORK/err"))"
pdffonts "$WORK/dictation.pdf" >"$WORK/fonts" 2>&1 || fail "pdffonts could not read the PDF"
grep -q "CID TrueType" "$WORK/fonts" || fail "no CID TrueType font: $(cat "$WORK/fonts")"
grep -q "Type 3" "$WORK/fonts" && fail "Type 3 font in the PDF"
# Every font embedded: the emb column is "yes" on every font line.
awk 'NR > 2 && $0 !~ / yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$/ { bad = 1 } END { exit bad }' "$WORK/fonts" \
    || fail "a font is not embedded: $(cat "$WORK/fonts")"
[ "$(pdfinfo "$WORK/dictation.pdf" | awk '/^Pages:/ { print $2 }')" = 1 ] || fail "dictation: not one page"
pdftotext "$WORK/dictation.pdf" "$WORK/dictation.txt"
for text in 三 組 テ ① ② ⑤ ⑩ が こ う 名 前; do
    grep -q "$text" "$WORK/dictation.txt" || fail "dictation: \"$text\" missing from the text"
done
# The gap replaces the kanji word: 学校 is not on the dictation sheet.
grep -q "学" "$WORK/dictation.txt" && fail "dictation: the answer 学 is printed"
grep -q '^{"op":"text","x":' "$WORK/dictation.jsonl" || fail "trace: no text record"
grep -q '"text":"①"' "$WORK/dictation.jsonl" || fail "trace: no ①"
[ "$(tail -n 1 "$WORK/dictation.jsonl")" = '{"op":"endDocument"}' ] || fail "trace: does not end with endDocument"
# The sheets are drawn in the printable area of a common printer: A4 less 5 mm on each side.
grep -q '{"op":"page","width":16271.0708661,"height":11339.0708661}' "$WORK/dictation.jsonl" \
    || fail "trace: no landscape A4 printable area: $(grep '"page"' "$WORK/dictation.jsonl")"
pdfinfo "$WORK/dictation.pdf" | grep -q "^Page size: *842 x 595 pts (A4)" || fail "dictation: not landscape A4 paper"

# --- three-sheet set of every page, rotated layouts: 3 pages x 3 sheets ---
"$BIN" print "$SAMPLE" -o "$WORK/three.pdf" --sheet three --all-pages --font "@ＭＳ 明朝" --tracing 2>"$WORK/err" \
    || fail "three: exit $? ($(cat "$WORK/err"))"
[ "$(pdfinfo "$WORK/three.pdf" | awk '/^Pages:/ { print $2 }')" = 9 ] || fail "three: not nine pages"
pdftotext "$WORK/three.pdf" "$WORK/three.txt"
for text in 漢 練 習 読 方 第 頁; do
    grep -q "$text" "$WORK/three.txt" || fail "three: \"$text\" missing"
done

# --- failures: exit 1, a message, no file ---
check_error() {
    local name="$1"; shift
    rm -f "$WORK/bad.pdf"
    "$BIN" print "$@" 2>"$WORK/err"
    local rc=$?
    [ $rc = 1 ] || fail "$name: exit $rc, not 1"
    [ -s "$WORK/err" ] || fail "$name: no message"
    grep -q "base.moj" "$WORK/err" && fail "$name: talks about base.moj: $(cat "$WORK/err")"
    [ -e "$WORK/bad.pdf" ] && fail "$name: left an output file"
}
check_error "missing workbook" "$WORK/none.mojx" -o "$WORK/bad.pdf"
# Bad values: "name|arguments after the workbook|a word the message must hold".
while IFS='|' read -r name args word; do
    [ -z "$name" ] && continue
    # shellcheck disable=SC2086
    check_error "$name" "$SAMPLE" -o "$WORK/bad.pdf" $args
    grep -q -- "$word" "$WORK/err" || fail "$name: the message does not name $word: $(cat "$WORK/err")"
done <<'TABLE'
page beyond the workbook|--page 4|4ページ目はありません
page 0|--page 0|--page
page not a number|--page two|--page
page in hexadecimal|--page 0x2|--page
page and all pages|--page 2 --all-pages|--all-pages
font size 0|--font-size 0|--font-size
font size not a whole number|--font-size 12.5|--font-size
font size too large|--font-size 500|--font-size
tracing colour not a number|--tracing-color pale|--tracing-color
tracing colour beyond 24 bits|--tracing-color 16777216|--tracing-color
tracing colour negative|--tracing-color -1|--tracing-color
tracing colour, hexadecimal past 24 bits|--tracing-color 0x1000000|--tracing-color
unknown sheet|--sheet kanji|kanji
unknown option|--colour|colour
value missing|--sheet|sheet
second workbook|extra.mojx|一度に一つだけ
file and printer|--printer PDF|一緒に指定できません
file and default printer|--default-printer|一緒に指定できません
TABLE
check_error "no output" "$SAMPLE"
grep -q -- "--printer QUEUE" "$WORK/err" || fail "no output: the printer options are not named: $(cat "$WORK/err")"
check_error "printer and default printer" "$SAMPLE" --printer PDF --default-printer
grep -q "一緒に指定できません" "$WORK/err" || fail "printer and default printer: $(cat "$WORK/err")"
check_error "printer without a name" "$SAMPLE" --printer=
grep -q -- "--printer の値が空です。値を指定してください（通常使うプリンターには --default-printer）" "$WORK/err" \
    || fail "printer without a name: $(cat "$WORK/err")"
# No print system (no daemon at that socket): a message, no job.
CUPS_SERVER="$WORK/no-cups.sock" check_error "no print system" "$SAMPLE" --printer PDF --trace "$WORK/bad.pdf"
grep -q "印刷システム（CUPS）が動いていないか" "$WORK/err" || fail "no print system: $(cat "$WORK/err")"
# A copy of the program without its printer module: a message that names the module.
mkdir "$WORK/alone" && cp "$BIN" "$WORK/alone/"
rm -f "$WORK/bad.pdf"
"$WORK/alone/jirakubo-cli" print "$SAMPLE" --printer PDF --trace "$WORK/bad.pdf" 2>"$WORK/err"
[ $? = 1 ] || fail "no printer module: not exit 1"
grep -q "プリンターに印刷するには jirakubo_printer.so が必要です" "$WORK/err" || fail "no printer module: $(cat "$WORK/err")"
[ -e "$WORK/bad.pdf" ] && fail "no printer module: wrote the trace"
check_error "no workbook" -o "$WORK/bad.pdf"
# The output may not replace the workbook.
cp "$SAMPLE" "$WORK/book.mojx"
"$BIN" print "$WORK/book.mojx" -o "$WORK/book.mojx" 2>"$WORK/err" && fail "output over the workbook: exit 0"
cmp -s "$SAMPLE" "$WORK/book.mojx" || fail "output over the workbook: the workbook changed"

# --- --help: the usage on standard output, exit 0, nothing on standard error ---
"$BIN" print --help >"$WORK/help" 2>"$WORK/err" || fail "--help: exit $?"
grep -q "jirakubo-cli print WORKBOOK -o OUT.pdf" "$WORK/help" || fail "--help: no usage line"
for option in --output --printer --default-printer --sheet --page --all-pages --font --font-size --no-boxes --tracing \
    --tracing-color --narrow --two-sheet --trace; do
    grep -q -- "$option" "$WORK/help" || fail "--help: $option missing"
done
grep -v -q "XDG_RUNTIME_DIR" "$WORK/err" && fail "--help: wrote to standard error: $(cat "$WORK/err")"
printf 'not,a\r\n' >"$WORK/text.txt"
check_error "not a problem file" "$WORK/text.txt" -o "$WORK/bad.pdf"
printf '\xff\xff\xff,\r\n' >"$WORK/broken.mojx"
check_error "not code page 932" "$WORK/broken.mojx" -o "$WORK/bad.pdf"

# A workbook of one page, code page 932: page_line HEADING BEFORE KANJI READING AFTER (row 1).
page_line() {
    local fields="$1,,$2,$3,$4,$5" i
    for ((i = 0; i < 36; i++)); do fields+=","; done
    fields+=",ＭＳ 明朝,"
    for ((i = 0; i < 30; i++)); do fields+=","; done
    printf '%s\r\n' "$fields"
}

# --- a kanji word over ten characters: the tracing sheet refuses it, so the job is refused ---
page_line "長い" "" "学校" "がっこう" "へ行く。" >"$WORK/long.txt"
page_line "長い" "" "十一文字の長い長い漢字" "じ" "" >>"$WORK/long.txt"
iconv -f UTF-8 -t CP932 "$WORK/long.txt" >"$WORK/long.mojx"
for sheet in tracing three; do
    check_error "refused tracing sheet ($sheet)" "$WORK/long.mojx" -o "$WORK/bad.pdf" --sheet $sheet --all-pages
    grep -q "2ページ 1行目: １０文字を超えている箇所があります" "$WORK/err" || fail "refused tracing sheet: $(cat "$WORK/err")"
done
# Page 1 alone has nothing too long; the other sheets print page 2.
"$BIN" print "$WORK/long.mojx" -o "$WORK/long1.pdf" --sheet three 2>"$WORK/err" || fail "page 1 of long.mojx: $(cat "$WORK/err")"
"$BIN" print "$WORK/long.mojx" -o "$WORK/long2.pdf" --sheet dictation --page 2 2>"$WORK/err" \
    || fail "dictation of page 2 of long.mojx: $(cat "$WORK/err")"

# --- lines longer than the sheet: a warning for each page and row, and the PDF all the same ---
page_line "長い行" "きのうはみんなでとなりの町の" "図書館" "としょかん" "へ行った。" >"$WORK/over.txt"
page_line "短い行" "" "山" "やま" "に登る。" >>"$WORK/over.txt"
iconv -f UTF-8 -t CP932 "$WORK/over.txt" >"$WORK/over.mojx"
"$BIN" print "$WORK/over.mojx" -o "$WORK/over.pdf" --sheet three --all-pages 2>"$WORK/err" || fail "overlong: exit $?"
[ "$(pdfinfo "$WORK/over.pdf" | awk '/^Pages:/ { print $2 }')" = 6 ] || fail "overlong: not six pages"
# The dictation sheet draws the long line closer together; the reading sheet lets it run.
grep -q "注意: 1ページ 1行目は用紙（読み方、reading）からはみ出します" "$WORK/err" || fail "overlong: no reading warning: $(cat "$WORK/err")"
[ "$(grep -c "注意:" "$WORK/err")" = 1 ] || fail "overlong: not one warning: $(cat "$WORK/err")"

# A line of four million characters, as long as the largest file read holds: printed with
# its warning, the sheet as for any line that runs off it.
python3 -c "
import sys
sys.stdout.buffer.write(('頁,,きのう、,学校,がっこう,' + 'あ' * 4190000 + ',' * 70 + '\r\n').encode('cp932'))" >"$WORK/huge.mojx"
"$BIN" print "$WORK/huge.mojx" -o "$WORK/huge.pdf" --sheet three 2>"$WORK/err" || fail "huge line: exit $?"
[ "$(pdfinfo "$WORK/huge.pdf" | awk '/^Pages:/ { print $2 }')" = 3 ] || fail "huge line: not three pages"
for sheet in テスト・漢字書き取り、dictation 読み方、reading; do
    grep -q "注意: 1ページ 1行目は用紙（$sheet）からはみ出します" "$WORK/err" || fail "huge line: no $sheet warning: $(cat "$WORK/err")"
done
[ "$(stat -c %s "$WORK/huge.pdf")" -lt 1000000 ] || fail "huge line: a PDF of $(stat -c %s "$WORK/huge.pdf") bytes"

# An existing output survives a failed run untouched.
echo "keep" >"$WORK/keep.pdf"
"$BIN" print "$WORK/none.mojx" -o "$WORK/keep.pdf" 2>/dev/null
[ "$(cat "$WORK/keep.pdf")" = keep ] || fail "a failed run overwrote the output"

if [ $failures -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "cli_print: all checks passed"
