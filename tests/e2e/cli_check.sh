#!/bin/bash
# jirakubo-cli check: unlearned kanji and answers standing in another row's sentence, as
# Japanese lines and as TSV; --grade, --page, --company; exit 0 (nothing), 3 (found), 1 (error).
# Usage: bash cli_check.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
. "$(dirname "$0")/lib/cli_test.sh"

# Page 1: a grade-2 page (answers 雪, 大声, 作); row 2 says 泣いた (grade 4); row 3 begins
# with row 1's answer 雪. Page 2: nothing to find.
{
    page_line "二年 雪" "|雪|ゆき|がふった。" "妹が|大声|おおごえ|で泣いた。" "雪だるまを|作|つく|る。"
    page_line "一年" "|大|おお|きい。" "|赤|あか|い。"
} | to_cp932 >"$WORK/book.mojx"

# --- text: one Japanese line a finding; exit 3 ---
"$BIN" check "$WORK/book.mojx" >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 3 ] || fail "text: exit $rc ($(cat "$WORK/err"))"
cat >"$WORK/want" <<'TXT'
1ページ 1行目: 答えの「雪」が3行目の文にも出ています
1ページ 2行目: 未習漢字 泣（4年）
TXT
cmp -s "$WORK/out" "$WORK/want" || fail "text: got: $(cat "$WORK/out")"

# --- tsv ---
"$BIN" check "$WORK/book.mojx" --format tsv >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 3 ] || fail "tsv: exit $rc"
printf '1\t1\tleak\t雪\t\t3\n1\t2\tunlearned\t泣\t4\t\n' >"$WORK/want"
cmp -s "$WORK/out" "$WORK/want" || fail "tsv: got: $(cat -A "$WORK/out")"

# --- --grade 4: 泣 is learned; the leak stays ---
"$BIN" check "$WORK/book.mojx" --grade 4 --format tsv >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 3 ] || fail "grade 4: exit $rc"
printf '1\t1\tleak\t雪\t\t3\n' >"$WORK/want"
cmp -s "$WORK/out" "$WORK/want" || fail "grade 4: got: $(cat "$WORK/out")"

# --- --grade 1: the answers 雪, 声 and 作 are above grade 1 too ---
"$BIN" check "$WORK/book.mojx" --grade 1 --page 1 --format tsv >"$WORK/out" 2>"$WORK/err"
printf '1\t1\tunlearned\t雪\t2\t\n1\t1\tleak\t雪\t\t3\n1\t2\tunlearned\t妹\t2\t\n1\t2\tunlearned\t声\t2\t\n1\t2\tunlearned\t泣\t4\t\n1\t3\tunlearned\t雪\t2\t\n1\t3\tunlearned\t作\t2\t\n' >"$WORK/want"
cmp -s "$WORK/out" "$WORK/want" || fail "grade 1: got: $(cat "$WORK/out")"

# --- a clean page: nothing printed, exit 0 ---
"$BIN" check "$WORK/book.mojx" --page 2 >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 0 ] || fail "page 2: exit $rc"
[ -s "$WORK/out" ] && fail "page 2: printed $(cat "$WORK/out")"

# --- a company's tables: 東京書籍 (泣 is grade 4 there as well) ---
"$BIN" check "$WORK/book.mojx" --company 東京書籍 --format tsv >"$WORK/out" 2>"$WORK/err"
rc=$?
[ $rc -eq 3 ] || fail "company: exit $rc ($(cat "$WORK/err"))"
grep -q "$(printf '1\t2\tunlearned\t泣\t4\t')" "$WORK/out" || fail "company: $(cat "$WORK/out")"

# --- errors: a message in Japanese, exit 1, nothing on standard output ---
expect_error() {
    local what=$1 pattern=$2; shift 2
    "$BIN" check "$@" >"$WORK/out" 2>"$WORK/err"
    local rc=$?
    [ $rc -eq 1 ] || fail "$what: exit $rc"
    grep -q "$pattern" "$WORK/err" || fail "$what: message: $(cat "$WORK/err")"
    [ -s "$WORK/out" ] && fail "$what: printed $(cat "$WORK/out")"
}
expect_error "grade 7" "1〜6の学年" "$WORK/book.mojx" --grade 7
expect_error "grade x" "1〜6の学年" "$WORK/book.mojx" --grade x
expect_error "format" "text か tsv" "$WORK/book.mojx" --format csv
expect_error "company" "教科書会社はありません" "$WORK/book.mojx" --company 出版社
expect_error "page 3" "3ページ目はありません" "$WORK/book.mojx" --page 3
expect_error "missing file" "." "$WORK/none.mojx"
expect_error "no workbook" "引数が足りません"
printf 'abc' >"$WORK/utf8.mojx"
printf '\xef\xbb\xbf雪,,\r\n' >"$WORK/utf8.mojx"
expect_error "not code page 932" "." "$WORK/utf8.mojx"

"$BIN" check --help >"$WORK/out" || fail "help: exit $?"
grep -q -- "--format" "$WORK/out" || fail "help: no --format"

[ $failures -eq 0 ] && echo "cli_check: all passed"
exit $((failures > 0))
