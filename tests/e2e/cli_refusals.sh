#!/bin/bash
# jirakubo-cli refuses what it would otherwise take without a word: a print of a file of more
# pages than a workbook holds, a single-value option given twice, an empty value, a file name
# that reads as an option; it cuts a heading of any length in the job's title, and does not
# write through another user's link in a shared folder.
# Usage: bash cli_refusals.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SAMPLE="$2/tests/fixtures/print_sample.mojx"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
# A .mojx page line of 74 fields: heading, an empty field, one problem, the rest empty.
line() { cp932 "$1,,きのう,学校,がっこう,へ行った。"; head -c 68 /dev/zero | tr '\0' ','; printf '\r\n'; }

# expect NAME EXIT PATTERN -- command...: the exit status and a message on standard error.
expect() {
    local name=$1 want=$2 pattern=$3; shift 4
    "$@" >"$WORK/out" 2>"$WORK/err"
    local rc=$?
    [ "$rc" -eq "$want" ] || { fail "$name: exit $rc, wanted $want ($(cat "$WORK/err"))"; return 1; }
    [ -z "$pattern" ] || grep -qE -- "$pattern" "$WORK/err" || { fail "$name: '$(cat "$WORK/err")' does not say /$pattern/"; return 1; }
    return 0
}

# --- print of a file of 1000 pages: refused, unless --keep-first-201 ---
for i in $(seq 1 1000); do line "第${i}頁"; done >"$WORK/big.mojx"
expect "print 1000 pages" 1 "1000ページあり.*201ページを超えるため、印刷しません.*--keep-first-201" -- \
    "$BIN" print big.mojx -o big.pdf --all-pages
[ -e big.pdf ] && fail "print 1000 pages: wrote big.pdf"
expect "print one page of 1000" 1 "印刷しません" -- "$BIN" print big.mojx -o big.pdf --page 3
expect "print --keep-first-201" 0 "big.mojxの最初の201ページだけを読みました（799ページは除きました）" -- \
    "$BIN" print big.mojx -o big.pdf --all-pages --keep-first-201
[ "$(pdfinfo big.pdf 2>/dev/null | awk '/^Pages:/ { print $2 }')" = 201 ] || fail "--keep-first-201: not 201 pages"

# --- a single-value option twice, an empty value ---
expect "--page twice" 1 "--page は一度だけ指定してください（1、2 の2つが指定されています）" -- \
    "$BIN" print "$SAMPLE" -o p.pdf --page 1 --page 2
expect "--font empty" 1 "--font の値が空です" -- "$BIN" print "$SAMPLE" -o p.pdf --font ''
expect "-o twice (two spellings)" 1 "一度だけ" -- "$BIN" print "$SAMPLE" -o a.pdf --output b.pdf
expect "--sheet= empty" 1 "--sheet の値が空です" -- "$BIN" print "$SAMPLE" -o p.pdf --sheet=
expect "book --font twice" 1 "--font は一度だけ" -- "$BIN" book 学 -o p.pdf --font A --font B
expect "list --company empty" 1 "--company の値が空です" -- "$BIN" list 1 -o p.pdf --company ''
expect "merge --renumber twice" 1 "--renumber は一度だけ" -- "$BIN" merge -o m.mojx --renumber 級 --renumber 段 "$SAMPLE"
expect "furigana -o empty" 1 "-o の値が空です" -- "$BIN" furigana "$SAMPLE" -o ''
expect "paper --squares twice" 1 "--squares は一度だけ" -- "$BIN" paper manuscript -o p.pdf --squares 12 --squares 14
# An empty title is a sheet without one.
expect "paper --title empty" 0 "" -- "$BIN" paper ruled -o ruled.pdf --title ''
ls p.pdf a.pdf b.pdf m.mojx 2>/dev/null && fail "a refused command wrote a file"

# --- an output whose name begins with "-" ---
expect "convert -dash.mojx" 1 "知らないオプションです: dash.mojx（ファイル -dash.mojx のことなら、./-dash.mojx と書くか、-- のあとに置いてください）" -- \
    "$BIN" convert "$SAMPLE" -dash.mojx
expect "convert ./-dash.mojx" 0 "" -- "$BIN" convert "$SAMPLE" ./-dash.mojx
cmp -s ./-dash.mojx "$SAMPLE" || fail "./-dash.mojx is not the sample"
expect "convert -- -dash2.mojx" 0 "" -- "$BIN" convert -- "$SAMPLE" -dash2.mojx
[ -f ./-dash2.mojx ] || fail "-- -dash2.mojx was not written"
expect "an unknown option gets no file hint" 1 "知らないオプションです: pgae$" -- "$BIN" print "$SAMPLE" -o p.pdf --pgae 1

# --- a heading of a million characters: the PDF's title is cut ---
{ cp932 "$(head -c 1000000 /dev/zero | tr '\0' 'a')見出し,,きのう,学校,がっこう,へ行った。"; head -c 68 /dev/zero | tr '\0' ','; printf '\r\n'; } >long.mojx
expect "million-character heading" 0 "" -- "$BIN" print long.mojx -o long.pdf
title=$(pdfinfo long.pdf | sed -n 's/^Title: *//p')
[ "$title" = "$(head -c 99 /dev/zero | tr '\0' 'a')… - テスト・漢字書き取り" ] || fail "title of the long heading: '${title:0:200}'"
size=$(stat -c %s long.pdf)
[ "$size" -lt 200000 ] || fail "long.pdf is $size bytes"

# --- run as root: another user's link in a shared folder is not written through ---
if [ "$(id -u)" = 0 ]; then
    mkdir -m 1777 shared
    printf 'secret\n' >secret
    ln -s "$WORK/secret" shared/evil.mojx
    chown -h nobody shared/evil.mojx
    expect "convert through another user's link" 1 "ほかのユーザーが置いたシンボリックリンク" -- \
        "$BIN" convert "$SAMPLE" shared/evil.mojx
    ln -s "$WORK/secret" shared/evil.pdf
    chown -h nobody shared/evil.pdf
    expect "print through another user's link" 1 "ほかのユーザーが置いたシンボリックリンク" -- \
        "$BIN" print "$SAMPLE" -o shared/evil.pdf
    [ "$(cat secret)" = secret ] || fail "the link's target was replaced"
    # The user's own link in the same folder is followed.
    ln -s "$WORK/mine.mojx" shared/own.mojx
    expect "convert through one's own link" 0 "" -- "$BIN" convert "$SAMPLE" shared/own.mojx
    cmp -s mine.mojx "$SAMPLE" || fail "own link: mine.mojx not written"
else
    echo "SKIP (links part): only root can give a link to another user"
fi

[ "$failures" -eq 0 ] && echo "PASS" || { echo "$failures failure(s)"; exit 1; }
