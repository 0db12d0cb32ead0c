#!/bin/bash
# jirakubo-cli on a real print system: a CUPS daemon of the test's own (its own configuration,
# spool and socket under a temporary folder; a system one is never touched) with the virtual
# PDF printer of cups-pdf. Jobs of print, book, list and paper go to it with --printer and
# --default-printer; the PDFs the print system wrote are checked (pages, embedded fonts, the
# texts), and so are the job names in the queue and the documents as jirakubo-cli sent them.
# Failures: no default printer, an unknown queue, a queue that refuses jobs, no print system.
# A paused queue takes the job, which waits there; jirakubo-cli says so and exits 0.
#
# cups-pdf reads its settings (where the PDFs go) only from /etc/cups/cups-pdf.conf. The
# daemon runs in a mount namespace of its own in which the test's cups-pdf.conf is mounted
# over that file, so the system's file is neither changed nor seen changed by anyone else.
# Where no mount namespace can be made, the queue is a cups-pdf instance whose settings file
# /etc/cups/cups-pdf-<instance>.conf the test adds and removes again.
#
# cupsd runs backends as root only when started as root: without root the test is skipped.
# Usage: bash cups_print.sh BIN_DIR SOURCE_DIR
set -u
BIN="$1/jirakubo-cli"
SAMPLE="$2/tests/fixtures/print_sample.mojx"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: cups_print needs root (cupsd must run the cups-pdf backend as root); nothing tested"
    exit 0
fi
for tool in cupsd lpadmin lpstat cupsaccept cupsreject cupsenable cupsdisable unshare pdfinfo pdffonts pdftotext; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/install-deps.sh installs it)"; exit 1; }
done
PPD=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
if [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
    echo "FAIL: cups-pdf is missing (package printer-driver-cups-pdf, scripts/install-deps.sh)"
    exit 1
fi

WORK=$(mktemp -d)
chmod 755 "$WORK"  # the filters run as the user lp and read the spool below it
CUPSD_PID=""
INSTANCE_CONF=""
cleanup() {
    if [ -n "$CUPSD_PID" ]; then
        kill "$CUPSD_PID" 2>/dev/null
        wait "$CUPSD_PID" 2>/dev/null
    fi
    [ -n "$INSTANCE_CONF" ] && rm -f "$INSTANCE_CONF"
    rm -rf "$WORK"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$WORK/etc" "$WORK/spool/tmp" "$WORK/cache" "$WORK/state" "$WORK/log" "$WORK/pdf" \
    "$WORK/cups-pdf-spool" "$WORK/home" "$WORK/out"
cat >"$WORK/cups-files.conf" <<EOF
ServerRoot $WORK/etc
RequestRoot $WORK/spool
TempDir $WORK/spool/tmp
CacheDir $WORK/cache
StateDir $WORK/state
ErrorLog $WORK/log/error_log
AccessLog $WORK/log/access_log
PageLog $WORK/log/page_log
Printcap $WORK/printcap
SystemGroup root
User lp
Group lp
EOF
# Only the test's socket; no sharing, no browsing; the documents kept as they were sent.
cat >"$WORK/cupsd.conf" <<EOF
Listen $WORK/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultShared No
PreserveJobFiles Yes
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
# cups-pdf: the PDFs into the test's folder, named after the job title and "-job_N".
cat >"$WORK/cups-pdf.conf" <<EOF
Out $WORK/pdf
AnonDirName $WORK/pdf
Spool $WORK/cups-pdf-spool
Log $WORK/log
GSTmp $WORK/spool/tmp
Grp lp
Label 2
EOF

URI=cups-pdf:/
if unshare -m --propagation private true 2>/dev/null; then
    unshare -m --propagation private sh -c \
        "mount --bind '$WORK/cups-pdf.conf' /etc/cups/cups-pdf.conf && exec cupsd -f -c '$WORK/cupsd.conf' -s '$WORK/cups-files.conf'" \
        >"$WORK/log/cupsd.out" 2>&1 &
    CUPSD_PID=$!
else
    instance="jirakubo-e2e-$$"
    INSTANCE_CONF="/etc/cups/cups-pdf-$instance.conf"
    echo "note: no mount namespace; adding $INSTANCE_CONF for the test's queue (removed at the end)"
    cp "$WORK/cups-pdf.conf" "$INSTANCE_CONF"
    URI="cups-pdf:/$instance"
    cupsd -f -c "$WORK/cupsd.conf" -s "$WORK/cups-files.conf" >"$WORK/log/cupsd.out" 2>&1 &
    CUPSD_PID=$!
fi

# The clients talk to the test's daemon only, with no user or environment default printer.
export CUPS_SERVER="$WORK/cups.sock"
export HOME="$WORK/home"
unset PRINTER LPDEST
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "is running" && break
    kill -0 "$CUPSD_PID" 2>/dev/null || break
    sleep 0.1
done
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    echo "FAIL: the test's cupsd did not start: $(cat "$WORK/log/cupsd.out" "$WORK/log/error_log" 2>/dev/null)"
    exit 1
fi
# Ghostscript turns the fonts of a PDF printed through PostScript into Type 3 glyph procedures
# without text; poppler's cairo renderer keeps them TrueType with their Unicode map.
lpadmin -p PDF -E -v "$URI" -m "$PPD" -o pdftops-renderer-default=pdftocairo 2>"$WORK/lpadmin.err" \
    || { echo "FAIL: lpadmin could not add the PDF printer: $(cat "$WORK/lpadmin.err")"; exit 1; }

# A printer that cannot print within 10 mm of the edge of A4 (its PPD says so).
sed 's|^\*ImageableArea A4/A4: .*|*ImageableArea A4/A4: "28.35 28.35 566.65 813.65"|' \
    /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$WORK/margins.ppd"
lpadmin -p Margins -E -v "$URI" -P "$WORK/margins.ppd" -o pdftops-renderer-default=pdftocairo 2>"$WORK/lpadmin.err" \
    || { echo "FAIL: lpadmin could not add the printer with margins: $(cat "$WORK/lpadmin.err")"; exit 1; }

# The number of the newest job, 0 before the first.
last_job() { lpstat -W all -o PDF 2>/dev/null | sed -n 's/^PDF-\([0-9]*\) .*/\1/p' | sort -n | tail -n 1 | grep . || echo 0; }
# Waits for job $1 to finish; prints the PDF cups-pdf wrote for it.
finished_pdf() {
    local job="$1" file=""
    for _ in $(seq 300); do
        file=$(ls "$WORK/pdf/"*"-job_$job.pdf" 2>/dev/null | head -n 1)
        if [ -n "$file" ] && ! lpstat -W not-completed -o PDF 2>/dev/null | grep -q "^PDF-$job "; then
            echo "$file"
            return 0
        fi
        sleep 0.1
    done
    return 1
}
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }
# Every font embedded, as TrueType (the print system's PDF) or CID TrueType (as sent).
fonts_embedded() {
    local name="$1" file="$2" kind="$3"
    pdffonts "$file" >"$WORK/fonts" 2>&1 || { fail "$name: pdffonts could not read $file"; return; }
    [ "$(wc -l <"$WORK/fonts")" -gt 2 ] || fail "$name: no font in $file"
    grep -q "$kind" "$WORK/fonts" || fail "$name: no $kind font: $(cat "$WORK/fonts")"
    grep -q "Type 3" "$WORK/fonts" && fail "$name: Type 3 fonts: $(cat "$WORK/fonts")"
    awk 'NR > 2 && $0 !~ / yes +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$/ { bad = 1 } END { exit bad }' "$WORK/fonts" \
        || fail "$name: a font is not embedded: $(cat "$WORK/fonts")"
}
# Runs jirakubo-cli with the given arguments and checks the job it printed:
# NAME JOB_NAME PAGES "TEXTS" -- ARGUMENTS...; the PDF lands in $printed.
printed=""
check_job() {
    local name="$1" jobname="$2" count="$3" texts="$4"
    shift 5
    local before job
    before=$(last_job)
    "$BIN" "$@" 2>"$WORK/err" || { fail "$name: exit $? ($(grep -v XDG_RUNTIME "$WORK/err"))"; return; }
    grep -v -q XDG_RUNTIME "$WORK/err" && fail "$name: said something: $(cat "$WORK/err")"
    job=$(last_job)
    [ "$job" -gt "$before" ] || { fail "$name: no job in the queue"; return; }
    printed=$(finished_pdf "$job") || { fail "$name: job $job did not finish: $(lpstat -W all -o PDF)"; return; }
    [ "$(pages "$printed")" = "$count" ] || fail "$name: $(pages "$printed") pages, not $count"
    fonts_embedded "$name" "$printed" "TrueType"
    pdftotext "$printed" "$WORK/text"
    local t
    for t in $texts; do grep -q -- "$t" "$WORK/text" || fail "$name: \"$t\" missing from the printed text"; done
    # The job carries its name in the queue (the page log names every job).
    grep -q "^PDF [a-z]* $job .* $jobname " "$WORK/log/page_log" \
        || fail "$name: job $job is not named \"$jobname\": $(grep "^PDF [a-z]* $job " "$WORK/log/page_log")"
    # The document as jirakubo-cli sent it: the IPA faces embedded as CID TrueType.
    local sent
    sent=$(printf '%s/spool/d%05d-001' "$WORK" "$job")
    fonts_embedded "$name (as sent)" "$sent" "CID TrueType"
    [ "$(pages "$sent")" = "$count" ] || fail "$name (as sent): $(pages "$sent") pages, not $count"
}
# A run that must fail: NAME "WORD THE MESSAGE HOLDS" -- ARGUMENTS...; no job, no trace file.
check_refused() {
    local name="$1" word="$2"
    shift 3
    local before
    before=$(last_job)
    rm -f "$WORK/out/refused.jsonl"
    "$BIN" "$@" 2>"$WORK/err" >/dev/null
    local rc=$?
    [ $rc = 1 ] || fail "$name: exit $rc, not 1"
    grep -q -- "$word" "$WORK/err" || fail "$name: the message does not say \"$word\": $(cat "$WORK/err")"
    [ "$(last_job)" = "$before" ] || fail "$name: a job went to the queue"
    [ -e "$WORK/out/refused.jsonl" ] && fail "$name: wrote the trace"
}

# --- no default printer yet ---
check_refused "no default printer" "通常使うプリンターが決められていません" -- book 学 --default-printer --trace "$WORK/out/refused.jsonl"
grep -q "PDF" "$WORK/err" || fail "no default printer: the queues are not listed: $(cat "$WORK/err")"

# --- the three sheets of page 1 on the queue named: three pages ---
check_job "print three" "2011字楽坊 - 三年一組　漢字テスト - ３票一括" 3 "三 組 テ 漢 練 習 読 方 ① ⑩" -- \
    print "$SAMPLE" --printer PDF --sheet three
# As sent, the landscape sheets keep their landscape pages; the printer turns them onto its A4.
pdfinfo -f 1 -l 3 "$(printf '%s/spool/d%05d-001' "$WORK" "$(last_job)")" >"$WORK/info"
[ "$(grep -c "size: *842 x 595 pts" "$WORK/info")" = 3 ] || fail "print three: not three landscape A4 pages as sent"

# --- the default printer: the practice book, then the grade table with a trace ---
lpadmin -d PDF || fail "lpadmin -d PDF"
check_job "book" "2011字楽坊 - 漢字練習帳 学" 1 "学 練 習 帳" -- book 学 --default-printer
check_job "list" "2011字楽坊 - 漢字一覧表 1年" 1 "一 右 雨" -- list 1 --default-printer --trace "$WORK/out/list.jsonl"
grep -q '"size":45' "$WORK/out/list.jsonl" || fail "list: the trace was not written"
[ "$(tail -n 1 "$WORK/out/list.jsonl")" = '{"op":"endDocument"}' ] || fail "list: the trace does not end the document"

# --- paper and every page of a workbook ---
check_job "paper" "2011字楽坊 - 罫線用紙" 1 "ナナホシ舎" -- paper ruled --printer PDF
check_job "print all pages" "2011字楽坊 - print_sample - テスト・漢字書き取り" 3 "① ⑩" -- \
    print "$SAMPLE" --printer PDF --all-pages

# --- the printable area: 5 mm on a printer that prints closer to the edge, the printer's own
# 10 mm where it cannot (landscape A4 less 2 x 5 mm or 2 x 10 mm, in twips) ---
"$BIN" print "$SAMPLE" --printer PDF --trace "$WORK/out/pdf.jsonl" 2>/dev/null || fail "area PDF: exit $?"
grep -q '{"op":"page","width":16271.0708661,"height":11339.0708661}' "$WORK/out/pdf.jsonl" \
    || fail "area PDF: not A4 less 5 mm: $(grep '"page"' "$WORK/out/pdf.jsonl")"
"$BIN" print "$SAMPLE" --printer Margins --trace "$WORK/out/margins.jsonl" 2>/dev/null || fail "area Margins: exit $?"
# 28.35 pt = 10.0012 mm = 566.99 twips a side
grep -q '{"op":"page","width":15704.1417323,"height":10772.1417323}' "$WORK/out/margins.jsonl" \
    || fail "area Margins: not A4 less 10 mm: $(grep '"page"' "$WORK/out/margins.jsonl")"

# --- failures: a message, exit 1, no job, no trace ---
check_refused "unknown queue" "「Kyoshitsu」というプリンターはありません" -- \
    print "$SAMPLE" --printer Kyoshitsu --trace "$WORK/out/refused.jsonl"
grep -q "使えるプリンターは Margins、PDF です" "$WORK/err" || fail "unknown queue: the queues are not listed: $(cat "$WORK/err")"
cupsreject PDF
check_refused "queue refusing jobs" "印刷を受け付けない設定になっています" -- \
    paper manuscript --printer PDF --trace "$WORK/out/refused.jsonl"
cupsaccept PDF
before=$(last_job)
rm -f "$WORK/out/refused.jsonl"
CUPS_SERVER="$WORK/none.sock" "$BIN" list 2 --printer PDF --trace "$WORK/out/refused.jsonl" 2>"$WORK/err"
rc=$?
[ $rc = 1 ] || fail "no print system: exit $rc, not 1"
grep -q "印刷システム（CUPS）が動いていないか" "$WORK/err" || fail "no print system: $(cat "$WORK/err")"
[ -e "$WORK/out/refused.jsonl" ] && fail "no print system: wrote the trace"
[ "$(last_job)" = "$before" ] || fail "no print system: a job went to the queue"
# --- a paused queue: the job is taken and waits, as with lp; the user hears so; it prints
# once the queue is resumed ---
cupsdisable -r "toner low" PDF || fail "cupsdisable PDF"
before=$(last_job)
"$BIN" book 学 --printer PDF 2>"$WORK/err"
rc=$?
[ $rc = 0 ] || fail "paused queue: exit $rc, not 0 ($(cat "$WORK/err"))"
grep -q 'printer queue "PDF" is paused: the job waits in the queue and prints when the queue is resumed (cupsenable PDF); the queue says: toner low' "$WORK/err" \
    || fail "paused queue: no word of the waiting job: $(cat "$WORK/err")"
job=$(last_job)
if [ "$job" -gt "$before" ]; then
    lpstat -W not-completed -o PDF 2>/dev/null | grep -q "^PDF-$job " || fail "paused queue: job $job did not wait"
    ls "$WORK/pdf/"*"-job_$job.pdf" >/dev/null 2>&1 && fail "paused queue: job $job printed while paused"
    cupsenable PDF || fail "cupsenable PDF"
    finished_pdf "$job" >/dev/null || fail "paused queue: job $job did not print once resumed: $(lpstat -W all -o PDF)"
else
    fail "paused queue: no job in the queue"
    cupsenable PDF
fi
# A queue that prints says nothing of waiting.
"$BIN" book 学 --printer PDF 2>"$WORK/err" || fail "resumed queue: exit $?"
grep -q "paused" "$WORK/err" && fail "resumed queue: says it is paused: $(cat "$WORK/err")"
finished_pdf "$(last_job)" >/dev/null || fail "resumed queue: the job did not print"

# The queue takes jobs again after all that.
check_job "accepting again" "2011字楽坊 - 原稿用紙" 1 "作 文" -- paper manuscript --printer PDF --title 作文

if [ $failures -gt 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "cups_print: all checks passed"
