#!/usr/bin/env bash
# jirakubo-cli convert on malformed and awkward input, one row each: every row gives the
# documented result or a clear message (exit 1, no output), and no existing file changes.
set -u
BIN=$1
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$BIN/jirakubo-cli" "$work/jirakubo-cli"   # a copy the user nobody can run
CLI=$work/jirakubo-cli
in=$work/in; out=$work/out
mkdir -p "$in" "$out"
export XDG_RUNTIME_DIR=$work/xdg; mkdir -m 700 "$XDG_RUNTIME_DIR"
fail=0; pass=0
ok() { pass=$((pass+1)); }
bad() { echo "FAIL: $1"; fail=$((fail+1)); }

# Every file under the work folder with its inode, size, time and mode: a file replaced,
# rewritten or touched shows (folders only by name and mode).
snapshot() { find "$in" "$out" \( -type d -printf '%p %m\n' \) -o -printf '%p %i %s %T@ %m\n' | sort; }

cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
commas() { head -c "$1" /dev/zero | tr '\0' ','; }
# A .mojx page line of 74 fields: the given first fields, then empty ones.
line() { local n; n=$(printf '%s' "$1" | tr -cd , | wc -c); cp932 "$1"; commas $((73 - n)); printf '\r\n'; }

# row NAME EXPECTED_EXIT MESSAGE_PATTERN EXPECTED_OUTPUT_FILE IN OUT [options...]
# EXPECTED_OUTPUT_FILE: "-" when no output may appear, else a file holding the exact bytes.
# RUNAS may name a user to run the command as.
row() {
    local name=$1 want=$2 pattern=$3 expect=$4 src=$5 dst=$6; shift 6
    local before after rc
    before=$(snapshot)
    if [ -n "${RUNAS:-}" ]; then
        setpriv --reuid="$RUNAS" --regid="$(id -g "$RUNAS")" --clear-groups \
            env XDG_RUNTIME_DIR="$work/xdg-$RUNAS" "$CLI" convert "$src" "$dst" "$@" >"$work/stdout" 2>"$work/stderr"
    else
        "$CLI" convert "$src" "$dst" "$@" >"$work/stdout" 2>"$work/stderr"
    fi
    rc=$?
    local msg; msg=$(grep -v '^QStandardPaths' "$work/stderr")
    [ "$rc" -eq "$want" ] || { bad "$name: exit $rc, wanted $want ($msg)"; return; }
    if [ -n "$pattern" ]; then
        grep -qE -- "$pattern" <<<"$msg" || { bad "$name: message '$msg' does not say /$pattern/"; return; }
    elif [ -n "$msg" ]; then
        bad "$name: unexpected message '$msg'"; return
    fi
    if [ "$expect" = "-" ]; then
        # A file that was there is checked by the snapshot; no new one may appear.
        case $dst in "$out"/*) if [ -e "$dst" ]; then bad "$name: wrote $dst"; return; fi ;; esac
    else
        cmp -s "$dst" "$expect" || { bad "$name: output differs from the expected bytes"; return; }
        rm -f "$dst"
    fi
    after=$(snapshot)
    [ "$before" = "$after" ] || { bad "$name: files changed"; diff <(echo "$before") <(echo "$after") | head -5; return; }
    ok
}

# The inputs.
: >"$in/empty.mojx"
printf '\r\n\r\n\r\n' >"$in/line-ends.mojx"
cp932 '見出し,,あし' >"$in/cut.mojx"                       # the record stops inside a field
printf '見出し,,あした,学校\r\n' >"$in/utf8.mojx"
printf '\xff\xfeh\x00,\x00\r\x00\n\x00' >"$in/utf16.mojx"
{ line '見出し'; printf '\x88'; } >"$in/lead.mojx"        # a lone lead byte at the end
{ line '見出し'; printf 'a\0b\r\n'; } >"$in/nul.mojx"
{ head -c 200000 /dev/zero | tr '\0' 'A'; commas 73; printf '\r\n'; } >"$in/long.mojx"
printf '"abc,def\r\nghi\r\n' >"$in/quote.mojx"              # the quote never closes
commas $((8 * 1024 * 1024)) >"$in/commas.mojx"           # the largest file read
commas $((8 * 1024 * 1024 + 1)) >"$in/larger.mojx"      # one byte more
truncate -s 100M "$in/huge.mojx"                         # 100 MB (sparse), never read
mkdir "$in/folder.mojx"
for i in $(seq 1 230); do line "頁$i"; done >"$in/p230.mojx"
line '古い頁' >"$in/existing.mojx"
cp "$in/existing.mojx" "$in/locked.mojx"

# The expected outputs.
exp=$work/expected; mkdir "$exp"
: >"$exp/empty"
line '見出し,,あし' >"$exp/cut"
cp "$in/long.mojx" "$exp/long"
{ printf '"abc,def  ghi  "'; commas 73; printf '\r\n'; } >"$exp/quote"
for i in $(seq 1 201); do commas 73; printf '\r\n'; done >"$exp/commas201"
head -n 201 "$in/p230.mojx" >"$exp/p201"

row "empty file" 0 "" "$exp/empty" "$in/empty.mojx" "$out/o.mojx"
row "only line ends" 0 "" "$exp/empty" "$in/line-ends.mojx" "$out/o.mojx"
row "record cut inside a field" 0 "" "$exp/cut" "$in/cut.mojx" "$out/o.mojx"
row "UTF-8" 1 "utf8.mojx は.*UTF-8で保存された" - "$in/utf8.mojx" "$out/o.mojx"
row "UTF-16 with BOM" 1 "utf16.mojx は.*UTF-16で保存された" - "$in/utf16.mojx" "$out/o.mojx"
row "lone lead byte at the end" 1 "lead.mojx は.*（$(($(stat -c %s "$in/lead.mojx")))バイト目）" - "$in/lead.mojx" "$out/o.mojx"
row "NUL bytes" 1 "nul.mojx は.*NUL文字" - "$in/nul.mojx" "$out/o.mojx"
row "a 200,000-character field" 0 "" "$exp/long" "$in/long.mojx" "$out/o.mojx"
row "unbalanced quote" 0 "" "$exp/quote" "$in/quote.mojx" "$out/o.mojx"
row "8 MiB of commas" 1 "113360ページあり、問題ファイルに入る201ページを超える" - "$in/commas.mojx" "$in/existing.mojx"
row "8 MiB of commas, first 201 kept" 0 "最初の201ページを書き出しました（113159ページは除きました）" "$exp/commas201" \
    "$in/commas.mojx" "$out/o.mojx" --keep-first-201
row "a byte over 8 MiB" 1 "larger.mojx は8388609バイトあり、このプログラムのファイルとしては大きすぎる" - "$in/larger.mojx" "$out/o.mojx"
row "100 MB" 1 "huge.mojx は104857600バイトあり" - "$in/huge.mojx" "$in/existing.mojx" --keep-first-201
row "230 pages" 1 "230ページあり.*何も書き出していません" - "$in/p230.mojx" "$in/existing.mojx"
row "230 pages over themselves" 1 "出力先が入力ファイルと同じです" - "$in/p230.mojx" "$in/p230.mojx"
row "230 pages, first 201 kept" 0 "29ページは除きました" "$exp/p201" "$in/p230.mojx" "$out/p.mojx" --keep-first-201
row "a folder as input" 1 "folder.mojx: フォルダーです。ファイルではありません" - "$in/folder.mojx" "$out/o.mojx"
row "a folder as output" 1 "folder.mojx: フォルダーです。ファイルではありません" - "$in/existing.mojx" "$in/folder.mojx"
row "output equal to input" 1 "出力先が入力ファイルと同じです" - "$in/existing.mojx" "$in/existing.mojx"
row "output equal to input by another path" 1 "出力先が入力ファイルと同じです" - "$in/existing.mojx" "$in/../in/existing.mojx"
row "missing input" 1 "missing.mojx: ファイルが見つかりません" - "$in/missing.mojx" "$out/o.mojx"
row "output folder missing" 1 "o.mojx に保存できませんでした" - "$in/existing.mojx" "$out/none/o.mojx"

# Permissions mean nothing to root: those rows run as nobody.
user=""
if [ "$(id -u)" -eq 0 ]; then
    if id nobody >/dev/null 2>&1; then user=nobody; fi
fi
if [ "$(id -u)" -eq 0 ] && [ -z "$user" ]; then
    echo "SKIP: unreadable file and unwritable folder: running as root and there is no user nobody"
else
    chmod 000 "$in/locked.mojx"
    mkdir "$out/readonly"; chmod 555 "$out/readonly"
    chmod 777 "$out"
    [ -n "$user" ] && mkdir -m 700 "$work/xdg-$user" && chown "$user" "$work/xdg-$user"
    RUNAS=$user row "unreadable file" 1 "locked.mojx を読み込めません" - "$in/locked.mojx" "$out/o.mojx"
    RUNAS=$user row "unwritable output folder" 1 "readonly/o.mojx に保存できませんでした" - "$in/existing.mojx" "$out/readonly/o.mojx"
    chmod 755 "$out"
fi

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
