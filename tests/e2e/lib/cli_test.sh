# What the command-line tests share: a work folder removed at the end, a failure count, and
# problem-file lines built from row specs. Sourced after BIN is set.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A .mojx page line from row specs "before|kanji|reading|after[|kanji2|reading2|after2]".
page_line() {
    local heading=$1; shift
    local first=() second=() row f
    for row in "$@"; do
        IFS='|' read -r -a f <<<"$row|||||||"
        first+=("${f[0]}" "${f[1]}" "${f[2]}" "${f[3]}")
        second+=("${f[4]}" "${f[5]}" "${f[6]}")
    done
    while [ ${#first[@]} -lt 40 ]; do first+=(""); done
    while [ ${#second[@]} -lt 30 ]; do second+=(""); done
    local IFS=,
    printf '%s\r\n' "$heading,,${first[*]},ＭＳ Ｐ明朝,,${second[*]}"
}
to_cp932() { iconv -f UTF-8 -t CP932; }
