#!/usr/bin/env bash
# cpack -G DEB builds the Debian package from the build folder: its control fields, its
# dependencies (computed from the programs' libraries, plus fonts, CUPS and the MeCab
# dictionary), and its contents, installed under /usr with the programs stripped.
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

# The unpacked programs: stripped, and jirakubo-cli runs from the unpacked tree.
dpkg-deb -x "$deb" "$work/x"
for p in jirakubo jirakubo-cli; do
  check "$p is a stripped ELF program" "file -b $work/x/usr/bin/$p | grep -q '^ELF .*, stripped'"
done
"$work/x/usr/bin/jirakubo-cli" --version > "$work/ver" 2> /dev/null
check "unpacked jirakubo-cli --version" "[ $? -eq 0 ] && [ \"\$(cat $work/ver)\" = 'jirakubo-cli $version' ]"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
