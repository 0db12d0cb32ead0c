#!/usr/bin/env bash
# jirakubo-cli csv export / import: a 201-page workbook comes back byte for byte through a
# CSV file; the dictation-sheet program's Shift_JIS list imports with the rows it cannot take
# listed; bad input exits 1, writes nothing and leaves existing files as they were.
# Usage: bash cli_csv.sh BIN_DIR SOURCE_DIR
set -u
BIN=$1
SRC=$2
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }
cli() { "$BIN/jirakubo-cli" "$@"; }

# A 201-page workbook, every field different, with commas, blanks at either end and second
# words, written by the program itself (convert) so that it is as saving writes it.
python3 - "$work/src.mojx" <<'EOF'
import sys
lines = []
for p in range(201):
    f = [f"見出し{p},その{p}", ""]
    for i in range(2, 74):
        k = (p + i) % 6
        f.append([f"文{p}-{i}", f" 前{i}", f"後{i} ", f"コンマ,{p},{i}", "", f"漢字{p*100+i}"][k])
    f[42] = "@ＭＳ 明朝" if p % 2 else "ＭＳ Ｐ明朝"
    enc = ['"' + x + '"' if ("," in x or x[:1] == " " or x[-1:] == " ") else x for x in f]
    lines.append(",".join(enc))
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode("cp932"))
EOF
cli convert "$work/src.mojx" "$work/book.mojx"
check "fixture workbook written" "[ -s $work/book.mojx ]"

cli csv export "$work/book.mojx" "$work/book.csv" 2> "$work/err"
check "export exits 0" "[ $? -eq 0 ]"
check "export starts with the UTF-8 mark and the header" \
    "head -c 26 $work/book.csv | cmp -s - <(printf '\xef\xbb\xbf%s' 'ページ,行,見出し')"
check "one row a problem" "[ \$(wc -l < $work/book.csv) -eq 2011 ]"
check "a comma inside a text is quoted" "grep -q '^1,1,\"見出し0,その0\",' $work/book.csv"
check "export says what it wrote" "grep -q '201ページ' $work/err"

cli csv import "$work/book.csv" -o "$work/back.mojx" 2> "$work/err"
check "import exits 0" "[ $? -eq 0 ]"
check "201 pages come back byte for byte" "cmp -s $work/book.mojx $work/back.mojx"
check "import says what it read" "grep -q '2010問（201ページ）を読み込みました' $work/err"

# The dictation-sheet program's list, in Shift_JIS.
cli csv import "$SRC/tests/fixtures/peer_list_sjis.csv" -o "$work/peer.mojx" 2> "$work/err"
check "peer list imports" "[ $? -eq 0 ]"
check "three pages" "[ \$(wc -l < $work/peer.mojx) -eq 3 ]"
check "the answer in its place" \
    "iconv -f CP932 -t UTF-8 $work/peer.mojx | head -1 | grep -q '^３年 １,,きのう,病院,びょういん,へいった。,'"
check "rows left out are listed by line" "grep -q '^6行目: 答えがありません' $work/err && grep -q '^7行目: ' $work/err"
check "the UTF-8 list gives the same workbook" \
    "cli csv import $SRC/tests/fixtures/peer_list_utf8.csv -o $work/peer8.mojx 2>/dev/null && cmp -s $work/peer.mojx $work/peer8.mojx"

# Bad input: exit 1, a message, nothing written, an existing output as it was.
printf 'old' > "$work/kept.mojx"
printf 'a,b,c\r\n1,2,3\r\n' > "$work/nohead.csv"
printf '\xff\xfeh\x00' > "$work/utf16.csv"
printf '学年,問題文,答え\r\n3,やま,山\r\n' > "$work/norows.csv"
mkdir "$work/folder.csv"
for case in nohead:列の名前の行ではありません utf16:UTF-16 norows:読み込める行がありません \
            folder:フォルダーです missing:見つかりません; do
    bad=${case%%:*} word=${case#*:}
    cli csv import "$work/$bad.csv" -o "$work/kept.mojx" 2> "$work/err"
    check "$bad: exit 1" "[ $? -eq 1 ]"
    check "$bad: old output kept" "[ \"\$(cat $work/kept.mojx)\" = old ]"
    check "$bad: the message says why" "grep -q 'jirakubo-cli csv: .*$word' $work/err"
    cli csv import "$work/$bad.csv" -o "$work/new.mojx" 2>/dev/null
    check "$bad: no output" "[ ! -e $work/new.mojx ]"
done
check "rows refused are listed too" \
    "cli csv import $work/norows.csv -o $work/new.mojx 2>&1 | grep -q '^2行目: 問題文に答えの枠'"

# A file over 8 MiB is refused by its size.
head -c 8388609 /dev/zero | tr '\0' 'a' > "$work/big.csv"
cli csv import "$work/big.csv" -o "$work/new.mojx" 2> "$work/err"
check "over 8 MiB refused" "[ $? -eq 1 ] && grep -q '8388609バイト' $work/err && [ ! -e $work/new.mojx ]"

# No output over an input: a link or another name of the input is refused.
cp "$work/book.mojx" "$work/orig.mojx"
ln -s orig.mojx "$work/link.csv"
cli csv export "$work/orig.mojx" "$work/link.csv" 2> "$work/err"
check "export over its input through a link refused" \
    "[ $? -eq 1 ] && cmp -s $work/orig.mojx $work/book.mojx && [ -L $work/link.csv ] && grep -q '入力ファイルと同じ' $work/err"
cp "$work/book.csv" "$work/in.csv"
ln "$work/in.csv" "$work/hard.mojx"
cli csv import "$work/in.csv" -o "$work/hard.mojx" 2> "$work/err"
check "import over its input through a hard link refused" \
    "[ $? -eq 1 ] && cmp -s $work/in.csv $work/book.csv && grep -q '入力ファイルと同じ' $work/err"
cli csv export "$work/orig.mojx" "$work/out.mojx" 2> "$work/err"
check "export to a non-CSV name refused" "[ $? -eq 1 ] && [ ! -e $work/out.mojx ]"
cli csv import "$work/in.csv" -o "$work/out.txt" 2> "$work/err"
check "import to a non-mojx name refused" "[ $? -eq 1 ] && [ ! -e $work/out.txt ]"
cli csv export "$work/none.mojx" "$work/x.csv" 2> "$work/err"
check "export of a missing workbook refused" "[ $? -eq 1 ] && [ ! -e $work/x.csv ]"

# Usage.
for args in "" "frob" "import $work/in.csv" "export $work/orig.mojx" "import $work/in.csv -o" \
            "import $work/in.csv -o $work/a.mojx -o $work/b.mojx"; do
    # shellcheck disable=SC2086
    cli csv $args > /dev/null 2>&1
    check "usage error '$args' exits 1" "[ $? -eq 1 ]"
done
check "nothing written by the usage errors" "[ ! -e $work/a.mojx ] && [ ! -e $work/b.mojx ]"
cli csv --help > "$work/help"
check "help" "[ $? -eq 0 ] && grep -q 'export WORKBOOK OUT.csv' $work/help"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
