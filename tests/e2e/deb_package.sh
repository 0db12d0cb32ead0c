#!/usr/bin/env bash
# cpack -G DEB builds the Debian package from the build folder: its control fields, its
# dependencies (computed from the programs' libraries, plus fonts and the MeCab dictionary),
# its contents, installed under /usr with the programs stripped, and what lintian says of it.
# Every command of jirakubo-cli then runs from the package unpacked in a folder of its own,
# and from the package installed on this machine (as root; purged afterwards).
# Arguments: the runtime folder of the build (build/bin) and the source folder.
set -u
BIN=$1
SRC=$2
BUILD=$(dirname "$BIN")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }

version=$(sed -n 's/^project(jirakubo VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")
arch=$(dpkg --print-architecture)
(cd "$BUILD" && cpack -G DEB -B "$work/out") > "$work/cpack.log" 2>&1
check "cpack -G DEB exits 0" "[ $? -eq 0 ]"
deb="$work/out/jirakubo_${version}_${arch}.deb"
check "one package, named jirakubo_${version}_${arch}.deb" "[ -f $deb ] && [ \$(ls $work/out/*.deb | wc -l) -eq 1 ]"
if [ ! -f "$deb" ]; then
  tail -20 "$work/cpack.log"
  echo "$pass passed, $fail failed"
  exit 1
fi

field() { dpkg-deb -f "$deb" "$1"; }
check "Package" "[ \"\$(field Package)\" = jirakubo ]"
check "Version" "[ \"\$(field Version)\" = '$version' ]"
check "Architecture" "[ \"\$(field Architecture)\" = '$arch' ]"
check "Section" "[ \"\$(field Section)\" = education ]"
check "Maintainer is a name and an address" "field Maintainer | grep -Eq '^[^<]+ <[^@> ]+@[^> ]+>$'"
check "Description has a summary and a long text" \
  "[ -n \"\$(field Description | head -1)\" ] && [ \$(field Description | wc -l) -ge 3 ]"
# Depends as a list of package names, versions stripped.
field Depends | tr ',' '\n' | sed 's/([^)]*)//; s/^ *//; s/ *$//' | sort > "$work/depends"
for p in fonts-ipafont-mincho fonts-ipafont-gothic libcups2 mecab-ipadic-utf8; do
  check "Depends names $p" "grep -qx $p $work/depends"
done
# Found by dpkg-shlibdeps from the programs' libraries.
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libmecab2 libharfbuzz0b; do
  check "Depends names $p (library scan)" "grep -q '^$p' $work/depends"
done
check "library dependencies carry versions" "field Depends | grep -Eq 'libqt6core6 \\(>= [0-9]'"

# Contents: everything under /usr, owned by root, no caches (the triggers build those).
dpkg-deb -c "$deb" > "$work/contents"
paths() { awk '{print $6}' "$work/contents"; }
check "everything under ./usr/" "! paths | grep -v '^\./usr/'"
check "nothing under /usr/local" "! paths | grep -q '^\./usr/local'"
check "owned by root" "! awk '{print \$2}' $work/contents | grep -v '^root/root$'"
check "no MIME, desktop or icon caches" "! paths | grep -Eq 'mime\\.cache|mimeinfo\\.cache|icon-theme\\.cache|/share/mime/globs'"
has() { awk -v p="./usr/$2" -v m="$1" '$6 == p && $1 == m { found = 1 } END { exit !found }' "$work/contents"; }
for f in bin/jirakubo bin/jirakubo-cli; do
  check "$f, mode 755" "has -rwxr-xr-x $f"
done
for f in share/jirakubo/onkun.txt share/jirakubo/base.moj share/jirakubo/KANJIDIC2-LICENSE.txt \
  share/applications/jirakubo.desktop share/metainfo/io.github.jirakubo.jirakubo.metainfo.xml \
  share/mime/packages/jirakubo.xml share/icons/hicolor/scalable/apps/jirakubo.svg \
  share/icons/hicolor/16x16/apps/jirakubo.png share/icons/hicolor/256x256/apps/jirakubo.png \
  share/man/man1/jirakubo-cli.1.gz share/man/man1/jirakubo.1.gz share/doc/jirakubo/copyright; do
  check "$f, mode 644" "has -rw-r--r-- $f"
done
check "the five company dictionaries" "[ \$(paths | grep -c '^\./usr/share/jirakubo/.*_onkun\.txt$') -eq 5 ]"

check "no package named twice in Depends" "[ -z \"\$(uniq -d $work/depends)\" ]"
check "the changelog, compressed" "has -rw-r--r-- share/doc/jirakubo/changelog.gz"
check "no ldconfig in maintainer scripts" \
  "! dpkg-deb --ctrl-tarfile $deb | tar -xO 2>/dev/null | grep -q ldconfig"

# lintian: nothing but the overridden code page 932 data files.
if command -v lintian > /dev/null; then
  lintian --fail-on error,warning "$deb" > "$work/lintian" 2>&1
  check "lintian reports no error or warning" "[ $? -eq 0 ] && ! grep -Eq '^(E|W):' $work/lintian"
  grep -E '^(E|W):' "$work/lintian"
  check "lintian uses every override" "! grep -q 'unused-override' $work/lintian"
else
  check "lintian is installed (scripts/install-deps.sh)" false
fi

# The unpacked programs: stripped.
dpkg-deb -x "$deb" "$work/x"
for p in jirakubo jirakubo-cli; do
  check "$p is a stripped ELF program" "file -b $work/x/usr/bin/$p | grep -q '^ELF .*, stripped'"
done

# Every command of the programs installed under ROOT/usr, run from a folder that holds no
# data: they find theirs from where the programs are. LABEL names the run.
run_commands() {
  local root=$1 label=$2
  local cli="$root/usr/bin/jirakubo-cli" data="$root/usr/share/jirakubo"
  local w="$work/run-$label"
  mkdir -p "$w/home"
  # rc: the exit status of the last run (a check's message runs commands of its own first).
  run() {
    (cd "$w" && HOME="$w/home" XDG_CONFIG_HOME="$w/home/.config" QT_QPA_PLATFORM=offscreen "$cli" "$@")
    rc=$?
  }
  pages() { pdfinfo "$1" 2> /dev/null | awk '/^Pages:/ { print $2 }'; }

  run --version > "$w/ver" 2> /dev/null
  check "$label: jirakubo-cli --version" "[ $rc -eq 0 ] && [ \"\$(cat $w/ver)\" = 'jirakubo-cli $version' ]"

  # list: the grade table from the installed onkun.txt, and a company's dictionary.
  run list 1 -o "$w/list.pdf" 2> "$w/list.err"
  check "$label: list 1 exits 0 ($(head -c 300 "$w/list.err"))" "[ $rc -eq 0 ] && [ \"\$(pages $w/list.pdf)\" = 1 ]"
  check "$label: list 1 prints the grade 1 kanji" \
    "pdftotext $w/list.pdf - | tr -d ' \n\f' | grep -q '一' && pdftotext $w/list.pdf - | grep -q '右'"
  run list 2 --company 東京書籍 -o "$w/list2.pdf" 2> "$w/list2.err"
  check "$label: list 2 --company 東京書籍 exits 0 ($(head -c 300 "$w/list2.err"))" "[ $rc -eq 0 ] && [ -s $w/list2.pdf ]"

  # book: the practice book of one kanji.
  run book 学 -o "$w/book.pdf" 2> "$w/book.err"
  check "$label: book 学 exits 0 ($(head -c 300 "$w/book.err"))" "[ $rc -eq 0 ] && [ \"\$(pages $w/book.pdf)\" = 1 ]"
  check "$label: book 学 prints its model and headings" \
    "pdftotext $w/book.pdf - | tr -d '\n' | grep -q '学.*漢字練習帳'"

  # print: a workbook to PDF, every sheet of three pages.
  cp "$SRC/tests/fixtures/print_sample.mojx" "$w/sample.mojx"
  run print "$w/sample.mojx" -o "$w/print.pdf" --sheet three --all-pages 2> "$w/print.err"
  check "$label: print exits 0 ($(head -c 300 "$w/print.err"))" "[ $rc -eq 0 ] && [ \"\$(pages $w/print.pdf)\" = 9 ]"
  check "$label: print shows the heading" "pdftotext $w/print.pdf - | grep -q '漢字テスト'"

  # convert: a workbook read and written; the installed base.moj is the example file.
  run convert "$w/sample.mojx" "$w/converted.mojx" 2> "$w/convert.err"
  check "$label: convert exits 0 ($(head -c 300 "$w/convert.err"))" \
    "[ $rc -eq 0 ] && [ \$(wc -l < $w/converted.mojx) -eq 3 ]"
  run convert "$data/base.moj" "$w/base.mojx" 2> "$w/base.err"
  check "$label: convert refuses the installed base.moj as the example file" \
    "[ $rc -eq 1 ] && [ ! -e $w/base.mojx ] && grep -q '例文ファイル base.moj' $w/base.err"

  # furigana: an empty reading filled by MeCab through the installed dictionary.
  printf '%s\r\n' "一の巻,,学校へ,行,,った。$(printf ',%.0s' $(seq 36)),ＭＳ Ｐ明朝,$(printf ',%.0s' $(seq 29))" |
    iconv -f UTF-8 -t CP932 > "$w/blank.mojx"
  run furigana "$w/blank.mojx" -o "$w/filled.mojx" 2> "$w/furigana.err"
  check "$label: furigana exits 0 ($(head -c 300 "$w/furigana.err"))" \
    "[ $rc -eq 0 ] && iconv -f CP932 -t UTF-8 $w/filled.mojx | grep -q '^一の巻,,学校へ,行,い,った。'"

  # merge: two workbooks joined page by page.
  run merge -o "$w/merged.mojx" "$w/sample.mojx" "$w/converted.mojx" 2> "$w/merge.err"
  check "$label: merge exits 0 ($(head -c 300 "$w/merge.err"))" "[ $rc -eq 0 ] && [ \$(wc -l < $w/merged.mojx) -eq 6 ]"

  # csv: a workbook out to a CSV file and back.
  run csv export "$w/sample.mojx" "$w/sample.csv" 2> "$w/csv.err"
  check "$label: csv export exits 0 ($(head -c 300 "$w/csv.err"))" "[ $rc -eq 0 ] && [ \$(wc -l < $w/sample.csv) -eq 31 ]"
  run csv import "$w/sample.csv" -o "$w/fromcsv.mojx" 2> "$w/csv.err"
  check "$label: csv import gives the workbook back" "[ $rc -eq 0 ] && cmp -s $w/converted.mojx $w/fromcsv.mojx"

  # paper: manuscript paper, ruled paper and the practice sheet of a page.
  for kind in manuscript ruled; do
    run paper $kind -o "$w/$kind.pdf" 2> "$w/$kind.err"
    check "$label: paper $kind exits 0 ($(head -c 300 "$w/$kind.err"))" "[ $rc -eq 0 ] && [ \"\$(pages $w/$kind.pdf)\" = 1 ]"
  done
  run paper practice "$w/sample.mojx" -o "$w/practice.pdf" 2> "$w/practice.err"
  check "$label: paper practice exits 0 ($(head -c 300 "$w/practice.err"))" \
    "[ $rc -eq 0 ] && pdftotext $w/practice.pdf - | grep -q '学'"

  # No command looked anywhere but beside the programs' tree.
  check "$label: no message names /usr/local" "! cat $w/*.err | grep -q /usr/local"
}

# Unpacked under another folder: the tree is found from the programs, wherever it lies.
run_commands "$work/x" unpacked

# Installed on this machine (as root, when no jirakubo is installed already), run, and purged
# again.
if [ "$(id -u)" -eq 0 ] && ! dpkg-query -W -f='${Status}' jirakubo 2> /dev/null | grep -q "install ok"; then
  # apt waits for a package manager that another process is running (dpkg alone would fail);
  # every dependency is there already (scripts/install-deps.sh), so nothing is fetched.
  apt_quiet=(-y -q --no-install-recommends -o DPkg::Lock::Timeout=300)
  trap 'apt-get purge "${apt_quiet[@]}" jirakubo > /dev/null 2>&1; rm -rf "$work"' EXIT
  DEBIAN_FRONTEND=noninteractive apt-get install "${apt_quiet[@]}" "$deb" > "$work/dpkg.log" 2>&1
  rc=$?
  check "the package installs ($(tail -3 "$work/dpkg.log"))" "[ $rc -eq 0 ]"
  check "installed under /usr" "[ -x /usr/bin/jirakubo-cli ] && [ -f /usr/share/jirakubo/onkun.txt ]"
  run_commands "" installed
  DEBIAN_FRONTEND=noninteractive apt-get purge "${apt_quiet[@]}" jirakubo > "$work/purge.log" 2>&1
  rc=$?
  check "purging removes it ($(tail -3 "$work/purge.log"))" \
    "[ $rc -eq 0 ] && [ ! -e /usr/bin/jirakubo-cli ] && [ ! -e /usr/share/jirakubo ]"
else
  echo "SKIP: the installed package (needs root and no jirakubo installed on this machine)"
fi

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
