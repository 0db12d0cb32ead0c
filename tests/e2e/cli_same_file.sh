#!/bin/bash
# Every command of jirakubo-cli refuses an output that is one of its inputs: the same path,
# another path to it, a symbolic link or a hard link to it. Each case exits 1 with a message,
# leaves the input byte for byte as it was (a link stays a link) and writes nothing.
# The commands run from a copy of the program with its data files, since list and book are
# pointed at the dictionary they read.
# Usage: bash cli_same_file.sh BIN_DIR SOURCE_DIR
set -u
SRC="$2"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0 passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir "$WORK/app" "$WORK/w" "$WORK/w/sub"
cp "$1/jirakubo-cli" "$WORK/app/"
find "$1" -maxdepth 1 -type f ! -perm -u+x -exec cp {} "$WORK/app/" \;
BIN="$WORK/app/jirakubo-cli"
W="$WORK/w"

# The inputs, and the ways to reach them.
cp "$SRC/tests/fixtures/print_sample.mojx" "$W/wb.mojx"
printf '\x88\xea\x82\xcc\x8a\xaa,,a%s,\x82l\x82r \x82o\x96\xbe\x92\xa9\r\n' "$(printf ',%.0s' $(seq 39))" >"$W/a.moj"
cp "$W/a.moj" "$W/b.moj"
ln -s wb.mojx "$W/out.pdf"                 # a link beside the input
ln -s ../wb.mojx "$W/sub/rel.mojx"         # a relative link from another folder
ln "$W/wb.mojx" "$W/hard.mojx"             # a hard link: another name, the same file
ln -s a.moj "$W/link.moj"
ln "$W/a.moj" "$W/hard.moj"
ln -s "$WORK/app/onkun.txt" "$W/onkun.pdf"
ln -s wb.mojx "$W/trace.jsonl"
ln -s fresh.pdf "$W/fresh-link.jsonl"      # a link to a PDF not written yet
for f in wb.mojx a.moj b.moj; do cp "$W/$f" "$WORK/$f.before"; done
cp "$WORK/app/onkun.txt" "$WORK/onkun.before"

# name | arguments (words split on blanks; @ stands for the folder) | a word the message holds
while IFS='|' read -r name args word; do
    [ -z "$name" ] && continue
    # shellcheck disable=SC2086
    set -- ${args//@/$W}
    (cd "$W/sub" && "$BIN" "$@") >/dev/null 2>"$WORK/err"
    rc=$?
    ok=1
    [ $rc = 1 ] || { fail "$name: exit $rc, not 1"; ok=0; }
    grep -q -- "$word" "$WORK/err" || { fail "$name: the message does not say \"$word\": $(cat "$WORK/err")"; ok=0; }
    for f in wb.mojx a.moj b.moj; do
        cmp -s "$W/$f" "$WORK/$f.before" || { fail "$name: $f changed"; ok=0; }
    done
    cmp -s "$WORK/app/onkun.txt" "$WORK/onkun.before" || { fail "$name: onkun.txt changed"; ok=0; }
    for l in out.pdf sub/rel.mojx link.moj onkun.pdf trace.jsonl fresh-link.jsonl; do
        [ -L "$W/$l" ] || { fail "$name: $l is no longer a link"; ok=0; }
    done
    [ -e "$W/fresh.pdf" ] && { fail "$name: wrote fresh.pdf"; rm -f "$W/fresh.pdf"; ok=0; }
    # Nothing else appeared in the folders (no temporary files either).
    [ "$(find "$W" "$WORK/app" -newer "$WORK/onkun.before" ! -type d | wc -l)" = 0 ] \
        || { fail "$name: new files: $(find "$W" "$WORK/app" -newer "$WORK/onkun.before" ! -type d)"; ok=0; }
    [ $ok = 1 ] && passes=$((passes + 1))
done <<'TABLE'
print to a link to the workbook|print @/wb.mojx -o @/out.pdf|出力先が入力ファイルと同じです
print to the workbook itself|print @/wb.mojx -o @/wb.mojx|出力先が入力ファイルと同じです
print to a relative path of it|print ../wb.mojx -o @/sub/../wb.mojx|出力先が入力ファイルと同じです
print to a hard link|print @/wb.mojx -o @/hard.mojx|出力先が入力ファイルと同じです
print from the link to the workbook|print @/sub/rel.mojx -o @/wb.mojx|出力先が入力ファイルと同じです
print's trace to a link to the workbook|print @/wb.mojx -o @/fresh.pdf --trace @/trace.jsonl|--trace のファイルが入力ファイルと同じです
print's trace to a link to its PDF|print @/wb.mojx -o @/fresh.pdf --trace @/fresh-link.jsonl|--trace とPDFには別々のファイルを指定してください
print to a printer, trace over the workbook|print @/wb.mojx --printer NONE --trace @/sub/rel.mojx|--trace のファイルが入力ファイルと同じです
practice sheet to a link to the workbook|paper practice @/wb.mojx -o @/out.pdf|出力先が入力ファイルと同じです
practice sheet's trace to a hard link|paper practice @/wb.mojx -o @/fresh.pdf --trace @/hard.mojx|--trace のファイルが入力ファイルと同じです
merge over its second input|merge -o @/a.moj @/b.moj @/a.moj|出力先が入力ファイル
merge over a link to an input|merge -o @/link.moj @/b.moj @/a.moj|出力先が入力ファイル
merge over a hard link to an input|merge -o @/hard.moj --renumber 級 @/a.moj @/b.moj|出力先が入力ファイル
merge over an input by another path|merge -o ../a.moj @/b.moj @/a.moj|出力先が入力ファイル
furigana over its input|furigana @/wb.mojx -o @/wb.mojx|出力先が入力ファイル
furigana over a link to its input|furigana @/wb.mojx -o @/sub/rel.mojx|出力先が入力ファイル
furigana over a hard link|furigana @/hard.mojx -o ../wb.mojx|出力先が入力ファイル
convert over a link to its input|convert @/wb.mojx @/sub/rel.mojx|出力先が入力ファイル
convert over a hard link|convert @/wb.mojx @/hard.mojx|出力先が入力ファイル
list over the dictionary it reads|list 1 -o @/onkun.pdf|出力先が入力ファイルと同じです
list's trace over the dictionary|list 1 -o @/fresh.pdf --trace @/onkun.pdf|--trace のファイルが入力ファイルと同じです
book over the dictionary it reads|book 学 -o @/onkun.pdf|出力先が入力ファイルと同じです
csv import over a hard link to its input|csv import @/wb.mojx -o @/hard.mojx|出力先が入力ファイル
csv import over a link to its input|csv import @/wb.mojx -o @/sub/rel.mojx|出力先が入力ファイル
TABLE

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
