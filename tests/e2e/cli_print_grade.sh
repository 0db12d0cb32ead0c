#!/bin/bash
# jirakubo-cli print with the grade options: --ruby-unlearned puts な beside 泣 and nothing
# else moves; --leak-kana prints row 1's answer 雪 in kana in row 3; --answer-key draws the
# answers in red in their boxes (dictation) and the readings beside the words (reading) and is
# refused for the other sheets; --grade 4 leaves 泣 without furigana.
# Usage: bash cli_print_grade.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
. "$(dirname "$0")/lib/cli_test.sh"
page_line "二年 雪" "|雪|ゆき|がふった。" "妹が|大声|おおごえ|で泣いた。" "雪だるまを|作|つく|る。" \
    | iconv -f UTF-8 -t CP932 >"$WORK/book.mojx"

print() { "$BIN" print "$WORK/book.mojx" "$@" 2>>"$WORK/err"; }

# --- furigana: exactly one more text, な at 10 pt beside 泣 (row 2: 500 + 1481.2 x 8 + 440;
# the ninth cell of the column, 600 + 500 x 8 + 100) ---
print -o "$WORK/plain.pdf" --trace "$WORK/plain.trace" || fail "plain: exit $?"
print -o "$WORK/ruby.pdf" --trace "$WORK/ruby.trace" --ruby-unlearned || fail "ruby: exit $?"
diff "$WORK/plain.trace" "$WORK/ruby.trace" | grep '^[<>]' >"$WORK/diff"
[ "$(wc -l <"$WORK/diff")" -eq 1 ] || fail "ruby: more than one change: $(cat "$WORK/diff")"
grep -q '^> {"op":"text","x":12789.6,"y":4700,"text":"な",.*"size":10,' "$WORK/diff" \
    || fail "ruby: な: $(cat "$WORK/diff")"
# Both layouts, and the reading sheet.
print -o "$WORK/rot.pdf" --trace "$WORK/rot.trace" --ruby-unlearned --font "@IPAmincho" || fail "rotated: exit $?"
grep -q '"text":"な".*"size":10,' "$WORK/rot.trace" || fail "rotated: no な"
print -o "$WORK/reading.pdf" --trace "$WORK/reading.trace" --ruby-unlearned --sheet reading || fail "reading: exit $?"
grep -q '"text":"な".*"size":12.5,' "$WORK/reading.trace" || fail "reading: no な at 12.5 pt"
# For a grade-4 class 泣 is learned.
print -o "$WORK/g4.pdf" --trace "$WORK/g4.trace" --ruby-unlearned --grade 4 || fail "grade 4: exit $?"
cmp -s "$WORK/plain.trace" "$WORK/g4.trace" || fail "grade 4: the sheet changed"

# --- kana for the leaking answer ---
print -o "$WORK/kana.pdf" --trace "$WORK/kana.trace" --leak-kana || fail "kana: exit $?"
# Row 3's column (500 + 1481.2 x 7), top to bottom.
column3() { grep '"x":10868.4,' "$1" | grep '"size":20,' | grep -o '"text":"[^"]*"' | sed 's/"text":"\(.*\)"/\1/' | tr -d '\n'; }
[ "$(column3 "$WORK/kana.trace")" = "③ゆきだるまを　　る。" ] || fail "kana: row 3: $(column3 "$WORK/kana.trace")"
[ "$(column3 "$WORK/plain.trace")" = "③雪だるまを　　る。" ] || fail "plain: row 3: $(column3 "$WORK/plain.trace")"

# --- answer keys ---
print -o "$WORK/key.pdf" --trace "$WORK/key.trace" --answer-key || fail "key: exit $?"
grep '"color":255' "$WORK/key.trace" | grep -o '"text":"[^"]*"' | tr -d '\n' >"$WORK/red"
[ "$(cat "$WORK/red")" = '"text":"雪""text":"大""text":"声""text":"作"' ] || fail "key: red texts: $(cat "$WORK/red")"
grep -q '"x":13720.8,"y":1240,"text":"雪".*"size":36,' "$WORK/key.trace" || fail "key: 雪 not in its box"
print -o "$WORK/rkey.pdf" --trace "$WORK/rkey.trace" --answer-key --sheet reading || fail "reading key: exit $?"
grep '"color":255' "$WORK/rkey.trace" | grep -o '"text":"[^"]*"' | tr -d '\n"' >"$WORK/red"
[ "$(cat "$WORK/red")" = 'text:ゆtext:きtext:おtext:おtext:ごtext:えtext:つtext:く' ] || fail "reading key: $(cat "$WORK/red")"
for sheet in tracing three sentence; do
    "$BIN" print "$WORK/book.mojx" -o "$WORK/$sheet.pdf" --sheet $sheet --answer-key 2>"$WORK/err"
    rc=$?
    [ $rc -eq 1 ] || fail "key on $sheet: exit $rc"
    grep -q "answer-key は書き取り（dictation）と読み方（reading）の用紙だけです" "$WORK/err" || fail "key on $sheet: $(cat "$WORK/err")"
    [ -e "$WORK/$sheet.pdf" ] && fail "key on $sheet: wrote a file"
done
"$BIN" print "$WORK/book.mojx" -o "$WORK/bad.pdf" --grade 0 --ruby-unlearned 2>"$WORK/err"
[ $? -eq 1 ] && grep -q "1〜6の学年" "$WORK/err" || fail "grade 0: $(cat "$WORK/err")"
[ -e "$WORK/bad.pdf" ] && fail "grade 0: wrote a file"

[ $failures -eq 0 ] && echo "cli_print_grade: all passed"
exit $((failures > 0))
