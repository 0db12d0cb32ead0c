#!/bin/bash
# Every command of jirakubo-cli that writes a file, on a full disk: exit 1, a message that
# says the disk is full, the old file at the output byte for byte as it was, and nothing
# else left on the disk. The disk is a tmpfs of 64 KB filled to the last byte, the files on
# it small (a few hundred bytes), as a real full disk meets them. Mounting takes root.
# Usage: bash cli_full_disk.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SRC="$2"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: cli_full_disk mounts a tmpfs and needs root"
    exit 0
fi
WORK=$(mktemp -d)
DISK="$WORK/disk"
mkdir "$DISK"
cleanup() {
    umount "$DISK" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
mount -t tmpfs -o size=64k tmpfs "$DISK" || { echo "FAIL: cannot mount a tmpfs"; exit 1; }
failures=0 passes=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The inputs, off the full disk.
cp "$SRC/tests/fixtures/print_sample.mojx" "$WORK/wb.mojx"
printf '\x88\xea\x82\xcc\x8a\xaa,,a%s,\x82l\x82r \x82o\x96\xbe\x92\xa9\r\n' "$(printf ',%.0s' $(seq 39))" >"$WORK/a.moj"

# The old outputs on the disk, then the disk filled.
head -c 300 /dev/urandom >"$WORK/old.bin"
for f in out.mojx out.moj out.pdf out.jsonl; do cp "$WORK/old.bin" "$DISK/$f"; done
dd if=/dev/zero of="$DISK/filler" bs=1k 2>/dev/null
dd if=/dev/zero of="$DISK/filler" bs=1 oflag=append conv=notrunc 2>/dev/null
if head -c 1 /dev/zero >"$DISK/probe" 2>/dev/null && [ -s "$DISK/probe" ]; then
    echo "FAIL: the disk is not full"
    exit 1
fi
rm -f "$DISK/probe"
listing=$(cd "$DISK" && ls -A | sort)

# name | arguments (@ the work folder, + the disk) | the file on the disk that must stay
while IFS='|' read -r name args kept; do
    [ -z "$name" ] && continue
    # shellcheck disable=SC2086
    set -- ${args//@/$WORK}
    set -- "${@//+/$DISK}"
    "$BIN" "$@" >/dev/null 2>"$WORK/err"
    rc=$?
    ok=1
    [ $rc = 1 ] || { fail "$name: exit $rc, not 1 ($(cat "$WORK/err"))"; ok=0; }
    grep -q "保存先の空き容量が足りません" "$WORK/err" \
        || { fail "$name: the message does not say the disk is full: $(cat "$WORK/err")"; ok=0; }
    cmp -s "$DISK/$kept" "$WORK/old.bin" || { fail "$name: $kept lost its bytes ($(stat -c %s "$DISK/$kept"))"; ok=0; }
    now=$(cd "$DISK" && ls -A | sort)
    [ "$now" = "$listing" ] || { fail "$name: the disk holds $(echo $now)"; ok=0; }
    [ $ok = 1 ] && passes=$((passes + 1))
done <<'TABLE'
convert|convert @/wb.mojx +/out.mojx|out.mojx
furigana|furigana @/wb.mojx -o +/out.mojx|out.mojx
merge|merge -o +/out.moj @/a.moj @/a.moj|out.moj
merge with numbers|merge -o +/out.moj --renumber 級 @/a.moj|out.moj
print|print @/wb.mojx -o +/out.pdf|out.pdf
print's trace|print @/wb.mojx -o @/elsewhere.pdf --trace +/out.jsonl|out.jsonl
book|book 学 -o +/out.pdf|out.pdf
list|list 1 -o +/out.pdf|out.pdf
manuscript paper|paper manuscript -o +/out.pdf|out.pdf
practice sheet|paper practice @/wb.mojx -o +/out.pdf|out.pdf
ruled paper|paper ruled -o +/out.pdf|out.pdf
TABLE
# A PDF whose trace could not be written is not left behind either.
[ -e "$WORK/elsewhere.pdf" ] && fail "print's trace: the PDF was written although its trace was not"

echo "$passes passed, $failures failed"
[ $failures -eq 0 ]
