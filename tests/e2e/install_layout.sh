#!/usr/bin/env bash
# cmake --install into a staging folder (DESTDIR, prefix /usr) puts every file where a Linux
# desktop looks for it, the desktop entry, the AppStream file and the file types validate,
# and the installed programs run from there.
# Arguments: the runtime folder of the build (build/bin) and the source folder.
set -u
BIN=$1
SRC=$2
BUILD=$(dirname "$BIN")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0; pass=0
check() { if eval "$2"; then pass=$((pass+1)); else echo "FAIL: $1"; fail=$((fail+1)); fi; }
have() { command -v "$1" > /dev/null; }

version=$(sed -n 's/^project(jirakubo VERSION \([0-9.]*\).*/\1/p' "$SRC/CMakeLists.txt")
check "project version read from CMakeLists.txt" "[ -n '$version' ]"

DESTDIR="$work/root" cmake --install "$BUILD" --prefix /usr > "$work/install.log" 2>&1
check "cmake --install exits 0" "[ $? -eq 0 ]"
usr="$work/root/usr"
appid=io.github.jirakubo.jirakubo

# Every installed file, and nothing else: no test programs, no caches in the staging folder.
(cd "$usr" && find . -type f | sed 's|^\./||' | LC_ALL=C sort) > "$work/files"
# The printer module lies in LIBDIR/<multiarch>/jirakubo, as the build was configured.
moduledir=$(sed -n 's/^JIRAKUBO_PRINTER_MODULE_DIR:INTERNAL=//p' "$BUILD/CMakeCache.txt")
check "the printer module's folder is private to the program" "echo '$moduledir' | grep -Eq '^lib/.+/jirakubo$'"
{
  printf '%s\n' bin/jirakubo bin/jirakubo-cli "$moduledir/jirakubo_printer.so" \
    share/applications/jirakubo.desktop share/doc/jirakubo/copyright share/doc/jirakubo/changelog.gz \
    share/lintian/overrides/jirakubo \
    share/icons/hicolor/scalable/apps/jirakubo.svg \
    share/man/man1/jirakubo.1.gz share/man/man1/jirakubo-cli.1.gz \
    "share/metainfo/$appid.metainfo.xml" share/mime/packages/jirakubo.xml
  for s in 16 32 48 64 128 256; do echo "share/icons/hicolor/${s}x${s}/apps/jirakubo.png"; done
  (cd "$SRC/data" && ls ./*.moj ./*.txt | sed 's|^\./|share/jirakubo/|' | grep -v CMakeLists.txt)
} | LC_ALL=C sort > "$work/expected"
diff "$work/expected" "$work/files" > "$work/files.diff"
check "installed files are exactly the expected ones" "[ ! -s $work/files.diff ]"
[ -s "$work/files.diff" ] && cat "$work/files.diff"
check "programs are executable" "[ -x $usr/bin/jirakubo ] && [ -x $usr/bin/jirakubo-cli ]"
check "the data sits where the programs look for it (../share/jirakubo)" \
  "[ -f $usr/bin/../share/jirakubo/onkun.txt ] && [ -f $usr/bin/../share/jirakubo/base.moj ]"

# Icons: PNGs of the size their folder names, an SVG.
for s in 16 32 48 64 128 256; do
  png="$usr/share/icons/hicolor/${s}x${s}/apps/jirakubo.png"
  check "icon ${s}x${s} is a ${s} x ${s} PNG" "file -b '$png' | grep -q '^PNG image data, $s x $s,'"
done
check "scalable icon is an SVG" "file -b $usr/share/icons/hicolor/scalable/apps/jirakubo.svg | grep -q 'SVG'"

# The desktop entry.
desktop="$usr/share/applications/jirakubo.desktop"
if have desktop-file-validate; then
  desktop-file-validate "$desktop" > "$work/dfv" 2>&1
  check "desktop-file-validate exits 0" "[ $? -eq 0 ]"
  check "desktop-file-validate: no error, warning or hint" "! grep -Eq 'error:|warning:|hint:' $work/dfv"
  grep -E 'error:|warning:|hint:' "$work/dfv"
else
  check "desktop-file-validate is installed" false
fi
key() { sed -n "s/^$1=//p" "$desktop"; }
check "Exec opens the file given" "[ \"\$(key Exec)\" = 'jirakubo %f' ]"
check "Icon is the installed icon" "[ \"\$(key Icon)\" = jirakubo ]"
check "Name" "[ \"\$(key Name)\" = 2011字楽坊 ] && [ -n \"\$(key 'Name\\[en\\]')\" ] && [ -n \"\$(key 'Name\\[ja\\]')\" ]"
check "Comment in Japanese and English" "[ -n \"\$(key 'Comment\\[ja\\]')\" ] && [ -n \"\$(key 'Comment\\[en\\]')\" ]"
# One main category, so the menu lists the program once.
check "Categories" "[ \"\$(key Categories)\" = 'Education;Languages;' ]"
check "MimeType names both problem-file types" \
  "[ \"\$(key MimeType)\" = 'application/x-jirakubo-mojx;application/x-jirakubo-moj;' ]"

# The file types: well-formed, accepted by update-mime-database, and a problem file in
# Shift_JIS is recognised by its name (also in capitals, as files from Windows often are).
mimexml="$usr/share/mime/packages/jirakubo.xml"
if have xmllint; then
  check "mime XML is well-formed" "xmllint --noout $mimexml"
fi
for t in application/x-jirakubo-mojx application/x-jirakubo-moj; do
  check "$t is defined" "grep -q 'mime-type type=\"$t\"' $mimexml"
done
if have update-mime-database; then
  XDG_DATA_DIRS="$usr/share:/usr/share" update-mime-database "$usr/share/mime" > "$work/umd" 2>&1
  check "update-mime-database accepts it without a word" "[ $? -eq 0 ] && [ ! -s $work/umd ]"
  cat "$work/umd"
  check "globs with raised weight" "grep -qx '60:application/x-jirakubo-mojx:\*.mojx' $usr/share/mime/globs2 &&
    grep -qx '60:application/x-jirakubo-moj:\*.moj' $usr/share/mime/globs2"
  check "both are text/plain underneath" "grep -qx 'application/x-jirakubo-mojx text/plain' $usr/share/mime/subclasses &&
    grep -qx 'application/x-jirakubo-moj text/plain' $usr/share/mime/subclasses"
  if have gio; then
    mkdir "$work/files-in"
    printf '\x88\xea\x82\xcc\x8a\xaa,,\x82\xa0\r\n' > "$work/files-in/a.mojx"
    cp "$work/files-in/a.mojx" "$work/files-in/B.MOJ"
    ctype() { XDG_DATA_HOME="$work/nohome" XDG_DATA_DIRS="$usr/share:/usr/share" gio info -a standard::content-type "$1" |
      sed -n 's/^ *standard::content-type: //p'; }
    check "a Shift_JIS .mojx is application/x-jirakubo-mojx" "[ \"\$(ctype $work/files-in/a.mojx)\" = application/x-jirakubo-mojx ]"
    check "a .MOJ is application/x-jirakubo-moj" "[ \"\$(ctype $work/files-in/B.MOJ)\" = application/x-jirakubo-moj ]"
  fi
else
  check "update-mime-database is installed" false
fi

# AppStream.
metainfo="$usr/share/metainfo/$appid.metainfo.xml"
if have appstreamcli; then
  appstreamcli validate --no-net "$metainfo" > "$work/asv" 2>&1
  check "appstreamcli validate --no-net" "[ $? -eq 0 ]"
  [ -s "$work/asv" ] && grep -v '^$' "$work/asv" | grep -v 'Validation was successful'
else
  check "appstreamcli is installed" false
fi
check "metainfo id matches its file name" "grep -q '<id>$appid</id>' $metainfo"
check "launchable is the installed desktop entry" \
  "grep -q '<launchable type=\"desktop-id\">jirakubo.desktop</launchable>' $metainfo"
check "newest release is the program's version" \
  "[ \"\$(sed -n 's/.*<release version=\"\([^\"]*\)\".*/\1/p' $metainfo | head -1)\" = '$version' ]"
check "content rating" "grep -q '<content_rating type=\"oars-1.1\"' $metainfo"
sed -n 's|.*<image>[^<]*/\(docs/images/[^<]*\)</image>.*|\1|p' "$metainfo" > "$work/shots"
all_in_source() { [ -s "$1" ] || return 1; while read -r p; do [ -f "$SRC/$p" ] || return 1; done < "$1"; }
check "screenshots are images of the source tree" "all_in_source $work/shots"
check "provided file types are the ones defined" \
  "[ \"\$(sed -n 's|.*<mediatype>\(.*\)</mediatype>.*|\1|p' $metainfo | sort | tr '\n' ' ')\" = 'application/x-jirakubo-moj application/x-jirakubo-mojx ' ]"

# Manual pages: render without warnings; jirakubo-cli's names every command and every
# option the README's command line lists.
for page in jirakubo jirakubo-cli; do
  zcat "$usr/share/man/man1/$page.1.gz" > "$work/$page.1"
  LC_ALL=C.UTF-8 groff -k -ww -man -Tutf8 -z "$work/$page.1" > "$work/groff" 2>&1
  check "$page.1 renders without warnings" "[ $? -eq 0 ] && [ ! -s $work/groff ]"
  cat "$work/groff"
done
man=$(sed 's/\\-/-/g' "$work/jirakubo-cli.1")
sed -n '/^jirakubo-cli /,/^```/p' "$SRC/README.md" | grep -o -- '--[a-z-]*' | sort -u > "$work/readme-options"
check "README's command line read" "[ \$(wc -l < $work/readme-options) -ge 10 ]"
while read -r opt; do
  check "man page covers $opt" "grep -q -- '$opt' <<< \"\$man\""
done < "$work/readme-options"
for c in convert print furigana; do
  check "man page has the command $c" "grep -q '^\.B $c ' <<< \"\$man\""
done
check "man page says every command has --help" "grep -q 'Every command has its own' <<< \"\$man\""

# The installed programs run from the staging folder.
cd "$work"
"$usr/bin/jirakubo-cli" --version > "$work/ver" 2> /dev/null
check "installed jirakubo-cli --version" "[ $? -eq 0 ] && [ \"\$(cat $work/ver)\" = 'jirakubo-cli $version' ]"
printf '\x88\xea\x82\xcc\x8a\xaa,,\x82\xa0,\x8eR,\x82\xe2\x82\xdc,\x82\xc9\x82\xcc\x82\xe9,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\x82l\x82r \x82o\x96\xbe\x92\xa9\r\n' > "$work/old.moj"
"$usr/bin/jirakubo-cli" convert "$work/old.moj" "$work/new.mojx" 2> "$work/err"
check "installed jirakubo-cli converts" "[ $? -eq 0 ] && [ \"\$(head -1 $work/new.mojx | tr -cd , | wc -c)\" -eq 73 ]"
check "converted text kept" "head -c 6 $work/new.mojx | cmp -s - <(printf '\x88\xea\x82\xcc\x8a\xaa')"
# The installed jirakubo-cli finds its printer module: with no print system to reach, it
# says so (and not that the module is missing).
CUPS_SERVER="$work/no-cups.sock" QT_QPA_PLATFORM=offscreen "$usr/bin/jirakubo-cli" paper ruled --printer PDF 2> "$work/err"
check "installed jirakubo-cli loads its printer module" \
  "[ $? -eq 1 ] && grep -q '印刷システム（CUPS）が動いていない' $work/err"
# The desktop program starts from the staging folder and keeps running (a crash or a missing
# library ends it at once); it is stopped after two seconds.
mkdir "$work/cwd" && cd "$work/cwd"
QT_QPA_PLATFORM=offscreen timeout 2 "$usr/bin/jirakubo" > "$work/gui.log" 2>&1
check "installed jirakubo starts and keeps running" "[ $? -eq 124 ]"
cd "$work"

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
