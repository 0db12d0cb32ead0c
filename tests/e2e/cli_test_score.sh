#!/bin/bash
# jirakubo-cli test and score: a grade's test made again by its seed, pages of ten, no kanji
# above the grade, the marks of a page into the results file and a review that brings the
# misses back; bad input refused with nothing written.
# Usage: bash cli_test_score.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SRC="$2"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export XDG_DATA_HOME="$WORK/data" XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
. "$(dirname "$0")/lib/test_problems.sh"
cd "$WORK" || exit 1

words() { problems "$1" | cut -f4 | tr '\n' ' '; }

# --- the same seed, the same test; another seed, another ---
"$BIN" test -o a.mojx --grade 3 --count 10 --seed 7 2>err.txt || fail "test --seed 7: $(cat err.txt)"
grep -q "種は 7 です" err.txt || fail "the seed is not shown: $(cat err.txt)"
"$BIN" test -o b.mojx --grade 3 --count 10 --seed 7 2>/dev/null || fail "test --seed 7 again"
"$BIN" test -o c.mojx --grade 3 --count 10 --seed 8 2>/dev/null || fail "test --seed 8"
[ "$(problems a.mojx | wc -l)" = 10 ] || fail "seed 7 gave $(problems a.mojx | wc -l) problems, not 10"
[ "$(problems a.mojx)" = "$(problems b.mojx)" ] || fail "seed 7 twice gave two tests"
[ "$(words a.mojx)" != "$(words c.mojx)" ] || fail "seeds 7 and 8 gave the same problems: $(words a.mojx)"
heading=$(iconv -f CP932 -t UTF-8 a.mojx | head -1 | cut -d, -f1)
[[ $heading == "テスト $(date +%-m)月$(date +%-d)日 3年" ]] || fail "heading: $heading"

# --- no kanji above grade 3 in any text, the answer word holds a grade-3 kanji ---
"$BIN" test -o fifty.mojx --grade 3 --count 50 --seed 1 2>/dev/null || fail "test --count 50"
python3 - "$SRC/data/onkun.txt" fifty.mojx a.mojx c.mojx <<'PY' || fail "kanji above grade 3"
import sys
grade = {}
for line in open(sys.argv[1], encoding="cp932"):
    f = line.strip().split(",")
    if len(f) > 1 and f[0].isdigit():
        grade.setdefault(f[1], int(f[0]))
def is_kanji(c):
    return 0x3400 <= ord(c) <= 0x9FFF or 0xF900 <= ord(c) <= 0xFAFF or ord(c) >= 0x20000
bad = 0
for path in sys.argv[2:]:
    for line in open(path, encoding="cp932", newline="").read().split("\r\n"):
        if not line:
            continue
        f = line.split(",")
        for row in range(10):
            b = 2 + 4 * row
            if not f[b + 1]:
                continue
            text = f[b] + f[b + 1] + f[b + 3]
            above = [c for c in text if is_kanji(c) and grade.get(c, 7) > 3]
            if above or not any(grade.get(c) == 3 for c in f[b + 1]):
                print(path, "row", row + 1, text, above)
                bad += 1
sys.exit(1 if bad else 0)
PY
[ "$(problems fifty.mojx | cut -f4 | sort -u | wc -l)" -ge 40 ] || fail "fifty problems, few words"

# --- 25 problems: pages of 10, 10 and 5 ---
"$BIN" test -o t25.mojx --grade 3 --count 25 --seed 3 2>/dev/null || fail "test --count 25"
per_page=$(problems t25.mojx | cut -f1 | uniq -c | awk '{print $1}' | tr '\n' ' ')
[ "$per_page" = "10 10 5 " ] || fail "25 problems on pages of: $per_page"
today="テスト $(date +%-m)月$(date +%-d)日 3年"
headings=$(iconv -f CP932 -t UTF-8 t25.mojx | cut -d, -f1 | tr -d '\r' | paste -sd'|')
[ "$headings" = "$today（1）|$today（2）|$today（3）" ] || fail "headings of three pages: $headings"

# --- from pages: drawn from pages 1 and 3 only, in a new order ---
"$BIN" test -o p.mojx --from t25.mojx --pages 1,3 --count 50 --seed 5 2>/dev/null || fail "test --from --pages"
[ "$(problems p.mojx | cut -f3-6 | sort)" = "$(problems t25.mojx | awk -F'\t' '$1 != 2' | cut -f3-6 | sort)" ] ||
    fail "--from --pages 1,3 did not draw pages 1 and 3"
[ "$(problems p.mojx | cut -f3-6)" != "$(problems t25.mojx | awk -F'\t' '$1 != 2' | cut -f3-6)" ] ||
    fail "--from kept the old order"

# --- score rows 2 and 5 wrong; the next day's review of two brings them ---
"$BIN" score a.mojx --page 1 --wrong 2,5 --date 2026-12-11 2>err.txt || fail "score: $(cat err.txt)"
[ -f "$XDG_DATA_HOME/jirakubo/results.sqlite" ] || fail "no results file in the data folder"
missed=$(problems a.mojx | awk -F'\t' '$2 == 2 || $2 == 5' | cut -f3-6)
"$BIN" test -o review.mojx --review --count 2 --date 2026-12-12 2>err.txt || fail "review: $(cat err.txt)"
[ "$(problems review.mojx | cut -f3-6)" = "$missed" ] || fail "review brought $(words review.mojx), not rows 2 and 5"
# The same review drawn from the grade: the misses first, then problems never asked.
"$BIN" test -o review3.mojx --grade 3 --review --count 5 --seed 9 --date 2026-12-12 2>/dev/null ||
    fail "review from grade 3"
[ "$(problems review3.mojx | head -2 | cut -f3-6)" = "$missed" ] || fail "review --grade 3 did not start with the misses"
[ "$(iconv -f CP932 -t UTF-8 review3.mojx | head -1 | cut -d, -f1)" = "テスト 12月12日 3年 復習" ] ||
    fail "review heading: $(iconv -f CP932 -t UTF-8 review3.mojx | head -1 | cut -d, -f1)"
# Another class has no results yet.
"$BIN" test -o none.mojx --review --class 2組 --db "$XDG_DATA_HOME/jirakubo/results.sqlite" 2>err.txt &&
    fail "review of a class without results succeeded"
grep -q "クラス「2組」には、まだ復習する問題がありません" err.txt || fail "empty review: $(cat err.txt)"
[ -e none.mojx ] && fail "an empty review wrote a file"

# --- bad input: exit 1, a Japanese message, nothing written ---
printf 'keep' >keep.mojx
refuse() {
    local expect=$1; shift
    if "$@" 2>err.txt; then fail "accepted: $*"; return; fi
    grep -q -- "$expect" err.txt || fail "$*: message $(cat err.txt), expected $expect"
    [ "$(cat keep.mojx)" = keep ] || fail "$*: wrote over keep.mojx"
}
refuse "問題の数は 1〜50" "$BIN" test -o keep.mojx --grade 3 --count 51
refuse "問題の数は 1〜50" "$BIN" test -o keep.mojx --grade 3 --count 0
refuse "「7」は学年ではありません" "$BIN" test -o keep.mojx --grade 7
refuse "--grade と --from は一緒に使えません" "$BIN" test -o keep.mojx --grade 3 --from a.mojx
refuse "何からテストを作るか" "$BIN" test -o keep.mojx
refuse "出力ファイル（-o OUT.mojx）" "$BIN" test --grade 3
refuse "出力は .mojx" "$BIN" test -o keep.pdf --grade 3
refuse "「泣」は3年より後に習う漢字です" "$BIN" test -o keep.mojx --grade 3 --kanji 泣
refuse "出力先が入力ファイルと同じです" "$BIN" test -o keep.mojx --from keep.mojx
refuse "9ページはありません" "$BIN" test -o keep.mojx --from t25.mojx --pages 1,9
refuse "「教科書」という教科書会社はありません" "$BIN" test -o keep.mojx --grade 3 --company 教科書
refuse "--db は --review と一緒に使います" "$BIN" test -o keep.mojx --grade 3 --db x.sqlite
before=$(sha256sum "$XDG_DATA_HOME/jirakubo/results.sqlite")
refuse "行番号は 1 から 10" "$BIN" score a.mojx --page 1 --wrong 2,11
refuse "2ページはありません" "$BIN" score a.mojx --page 2 --wrong 1
refuse "6行目には問題がありません" "$BIN" score t25.mojx --page 3 --wrong 6
refuse "日付ではありません" "$BIN" score a.mojx --page 1 --wrong 1 --date 12/11
[ "$before" = "$(sha256sum "$XDG_DATA_HOME/jirakubo/results.sqlite")" ] || fail "a refused score changed the results"
# A damaged database is reported and left as it was.
head -c 8192 /dev/urandom >broken.sqlite
sum=$(sha256sum <broken.sqlite)
refuse "壊れているか、記録のファイルではありません" "$BIN" score a.mojx --page 1 --wrong 1 --db broken.sqlite
[ "$sum" = "$(sha256sum <broken.sqlite)" ] || fail "the damaged database was changed"

if [ $failures -ne 0 ]; then echo "$failures failure(s)"; exit 1; fi
echo "test and score: all checks passed"
