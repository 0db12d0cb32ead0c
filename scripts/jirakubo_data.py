#!/usr/bin/env python3
"""What the data scripts share: where the data lives, the facts about the grade kanji,
and the readers and writers of the data files.

  * KANJIDIC2 (/usr/share/edict/kanjidic2.xml.gz, Debian package kanjidic-xml), the
    source of the grade, stroke count and readings of each kanji: load_kanjidic.
  * The grade reading dictionary onkun.txt and the five company files
    <company>_onkun.txt: code page 932, CR LF line ends (split_crlf, encode_crlf,
    read_onkun); 80/160/200/202/193/191 kanji in grades 1..6.
  * The tables kept by hand (data/onkun_curation.tsv, data/sentences/*.tsv): UTF-8,
    tab-separated, '#' comment lines and blank lines skipped (read_tsv).
  * SelfTest, the counter behind each script's --self-test.

Usage: jirakubo_data.py --self-test   tests the readers and writers on made-up files
Exit status 0 when every check passes, 1 otherwise.
"""
import argparse
import collections
import gzip
import os
import re
import sys
import tempfile
import xml.etree.ElementTree as ET

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.normpath(os.path.join(HERE, "..", "data"))
SENTENCES = os.path.join(DATA, "sentences")
# The columns of the example sentence tables data/sentences/grade<N>.tsv.
SENTENCE_COLUMNS = ("practised kanji", "before", "word", "reading", "after")
KANJIDIC = "/usr/share/edict/kanjidic2.xml.gz"

ONKUN = "onkun.txt"
COMPANIES = ("東京書籍", "三省堂", "教育出版", "学校図書", "光村図書")


def company_file(company):
    """The name of a textbook company's reading dictionary, e.g. 光村図書_onkun.txt."""
    return company + "_onkun.txt"


ONKUN_FILES = [ONKUN] + [company_file(c) for c in COMPANIES]

# The national grade allotment (2020): how many kanji each grade learns.
GRADE_COUNTS = {1: 80, 2: 160, 3: 200, 4: 202, 5: 193, 6: 191}
GRADES = tuple(GRADE_COUNTS)
TOTAL = sum(GRADE_COUNTS.values())

# One on reading (hiragana) and one kun reading (hiragana, okurigana in brackets).
ON_RE = re.compile(r"^[ぁ-ゖ]+$")
KUN_RE = re.compile(r"^[ぁ-ゖ]+(\([ぁ-ゖ]+\))?$")


class DataError(Exception):
    """A data file that is missing or malformed; the message names the file (and line)."""


Kanji = collections.namedtuple("Kanji", "grade strokes on kun")


def kata_to_hira(s):
    return "".join(chr(ord(c) - 0x60) if "ァ" <= c <= "ヶ" else c for c in s)


def kanjidic_kun(r):
    """KANJIDIC2 kun reading (まな.ぶ, -おお.いに) in the notation of onkun.txt (まな(ぶ))."""
    r = r.strip("-")
    if "." in r:
        stem, oku = r.split(".", 1)
        return f"{stem}({oku})"
    return r


def load_kanjidic(path):
    """{kanji: Kanji(grade, strokes, [on...], [kun...])} for the grade 1..6 kanji.

    Readings are converted to the notation of onkun.txt (on readings in hiragana);
    KANJIDIC2's affix marks "-" are removed. Only <grade> and the first
    <stroke_count> are used."""
    if not os.path.exists(path):
        raise DataError(f"{path}: KANJIDIC2 not found (install the Debian package kanjidic-xml)")
    result = {}
    with gzip.open(path) as f:
        for _, el in ET.iterparse(f):
            if el.tag != "character":
                continue
            lit = el.findtext("literal")
            g = el.findtext("misc/grade")
            if lit and g and g.isdigit() and 1 <= int(g) <= 6:
                strokes = int(el.find("misc/stroke_count").text)
                on, kun = [], []
                for r in el.iter("reading"):
                    if r.get("r_type") == "ja_on":
                        on.append(kata_to_hira(r.text.strip("-")))
                    elif r.get("r_type") == "ja_kun":
                        kun.append(kanjidic_kun(r.text))
                result[lit] = Kanji(int(g), strokes, on, kun)
            el.clear()
    return result


def read_tsv(path, columns=None, optional=(), name=None):
    """Reads a UTF-8 table with tab-separated columns, skipping blank lines and lines
    that start with '#'. CR LF, LF and a lone CR all end a line.

    Returns (rows, problems): rows is [(line number, [column texts])]. When columns
    (the names of the columns every line has) is given, optional names the columns a
    line may add after them; a line with another number of columns is left out of
    rows with a message in problems. Messages start with name (default: path) and the
    line number. Raises DataError when the file cannot be read or is not UTF-8."""
    name = name or path
    try:
        with open(path, "rb") as f:
            raw = f.read()
    except OSError as e:
        raise DataError(f"{path}: cannot be read ({e.strerror})")
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        line = len(_split_lines(raw[: e.start].decode("utf-8")))
        raise DataError(f"{name}:{line}: not UTF-8 (byte {e.start} of the file: {e.reason})")
    counts = None
    if columns is not None:
        counts = range(len(columns), len(columns) + len(optional) + 1)
        wanted = str(len(columns)) if not optional else f"{counts[0]} to {counts[-1]}"
        if len(optional) == 1:
            wanted = f"{counts[0]} or {counts[-1]}"
        names = ", ".join(list(columns) + [f"{c} (optional)" for c in optional])
    rows, problems = [], []
    for n, line in enumerate(_split_lines(text), 1):
        if not line.strip() or line.startswith("#"):
            continue
        cols = line.split("\t")
        if counts is not None and len(cols) not in counts:
            problems.append(f"{name}:{n}: expected {wanted} tab-separated columns ({names}), got {len(cols)}")
            continue
        rows.append((n, cols))
    return rows, problems


def _split_lines(text):
    return text.replace("\r\n", "\n").replace("\r", "\n").split("\n")


def decode_cp932(data, name):
    """The text of a code page 932 file; DataError names the line that does not decode."""
    try:
        return data.decode("cp932")
    except UnicodeDecodeError as e:
        line = data[: e.start].count(b"\n") + 1
        raise DataError(f"{name}: does not decode as code page 932 (cp932): "
                        f"byte {e.start} on line {line}: {e.reason}")


def split_crlf(data, name):
    """Splits the bytes of a code page 932 file whose lines end in CR LF.

    Returns (lines, problems): the decoded lines without their line ends, and a message
    for each fault in the line ends. The last line without CR LF is a fault, but its
    text is still in lines; a lone CR or LF makes lines None, since the lines cannot be
    told apart then. An empty file gives no lines. Raises DataError when the bytes do
    not decode."""
    text = decode_cp932(data, name)
    if not text:
        return [], []
    problems = []
    if text.endswith("\r\n"):
        text = text[:-2]
    else:
        problems.append(f"{name}: the last line does not end in CR LF")
    lines = text.split("\r\n")
    for n, line in enumerate(lines, 1):
        if "\r" in line or "\n" in line:
            problems.append(f"{name}:{n}: line ends are not CR LF (a lone CR or LF is in the line)")
            return None, problems
    return lines, problems


def encode_crlf(lines):
    """The bytes of a code page 932 file with these lines, each ending in CR LF."""
    try:
        return "".join(line + "\r\n" for line in lines).encode("cp932")
    except UnicodeEncodeError as e:
        raise DataError(f"a record cannot be written in code page 932: {e}")


def read_onkun(path):
    """[(grade, kanji)] in the order of a reading dictionary (onkun.txt or a company file).

    Only the shape of each record is checked (five fields, a grade number, one kanji);
    blank lines and a last line without CR LF are accepted."""
    if not os.path.exists(path):
        raise DataError(f"{path}: not found (run scripts/gen_onkun.py)")
    with open(path, "rb") as f:
        lines, problems = split_crlf(f.read(), path)
    if lines is None:
        raise DataError("\n".join(problems))
    order = []
    for n, line in enumerate(lines, 1):
        if not line:
            continue
        fields = line.split(",")
        if len(fields) != 5 or not fields[0].isdigit() or len(fields[1]) != 1:
            raise DataError(f"{path}:{n}: not a grade,kanji,on,kun,strokes record: {line!r}")
        order.append((int(fields[0]), fields[1]))
    if not order:
        raise DataError(f"{path}: no records")
    return order


Difference = collections.namedtuple("Difference", "line got want got_lines want_lines")


def first_difference(data, expected):
    """Where the bytes of a CR LF file differ from the expected bytes: None when they are
    the same; else the first line number that differs with both texts of that line, and
    both numbers of lines. line is None when the shorter file is where the other begins."""
    if data == expected:
        return None
    got = data.decode("cp932", "replace").split("\r\n")
    want = expected.decode("cp932", "replace").split("\r\n")
    for n, (a, b) in enumerate(zip(got, want), 1):
        if a != b:
            return Difference(n, a, b, len(got), len(want))
    return Difference(None, None, None, len(got), len(want))


class SelfTest:
    """Counts the checks of a --self-test; prints each failed one."""

    def __init__(self):
        self.passed = self.failed = 0

    def expect(self, cond, label):
        if cond:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {label}")
        return cond

    def raises(self, call, label, *texts):
        """Expects call() to raise DataError with every one of texts in its message."""
        try:
            call()
        except DataError as e:
            return self.expect(all(t in str(e) for t in texts),
                               f"{label}: message {str(e)[:200]!r} lacks one of {texts}")
        return self.expect(False, f"{label}: not reported")

    def finish(self):
        print(f"{self.passed} passed, {self.failed} failed")
        return self.failed == 0


KANJIDIC_FIXTURE = """<?xml version="1.0" encoding="UTF-8"?>
<kanjidic2>
<character><literal>学</literal>
  <misc><grade>1</grade><stroke_count>8</stroke_count><stroke_count>16</stroke_count></misc>
  <reading_meaning><rmgroup>
    <reading r_type="pinyin">xue2</reading>
    <reading r_type="ja_on">ガク</reading>
    <reading r_type="ja_kun">まな.ぶ</reading>
  </rmgroup></reading_meaning></character>
<character><literal>大</literal>
  <misc><grade>1</grade><stroke_count>3</stroke_count></misc>
  <reading_meaning><rmgroup>
    <reading r_type="ja_on">ダイ</reading><reading r_type="ja_on">タイ-</reading>
    <reading r_type="ja_kun">おお-</reading><reading r_type="ja_kun">-おお.いに</reading>
  </rmgroup></reading_meaning></character>
<character><literal>鬱</literal>
  <misc><grade>8</grade><stroke_count>29</stroke_count></misc></character>
<character><literal>丂</literal>
  <misc><stroke_count>2</stroke_count></misc></character>
</kanjidic2>
"""


def self_test():
    """Tests the readers and writers on made-up files in a temporary directory."""
    t = SelfTest()
    with tempfile.TemporaryDirectory() as tmp:
        def write(name, data):
            path = os.path.join(tmp, name)
            with open(path, "wb") as f:
                f.write(data)
            return path

        # KANJIDIC2: grade 1..6 kanji only, the first stroke count, readings in onkun notation.
        path = os.path.join(tmp, "kanjidic2.xml.gz")
        with gzip.open(path, "wb") as f:
            f.write(KANJIDIC_FIXTURE.encode("utf-8"))
        kd = load_kanjidic(path)
        t.expect(kd == {"学": Kanji(1, 8, ["がく"], ["まな(ぶ)"]),
                        "大": Kanji(1, 3, ["だい", "たい"], ["おお", "おお(いに)"])},
                 f"the grade kanji of the made-up KANJIDIC2: {kd}")
        t.raises(lambda: load_kanjidic(os.path.join(tmp, "none.xml.gz")), "a missing KANJIDIC2",
                 "none.xml.gz", "kanjidic-xml")

        # Tables: comments, blank lines and every kind of line end; a bad line is left out.
        path = write("t.tsv", "# grade\tkanji\r\n\r\n1\t学\tがく\r\n  \n2\t引\t\tひ(く)\tnote\r"
                     "3\t暗\n# 1\t2\n4\t悪\tあく\t\t\textra\n".encode("utf-8"))
        rows, problems = read_tsv(path, ("grade", "kanji", "on"), ("kun", "note"), "t.tsv")
        t.expect(rows == [(3, ["1", "学", "がく"]), (5, ["2", "引", "", "ひ(く)", "note"])],
                 f"table rows with their line numbers: {rows}")
        t.expect(problems == ["t.tsv:6: expected 3 to 5 tab-separated columns (grade, kanji, on, "
                              "kun (optional), note (optional)), got 2",
                              "t.tsv:8: expected 3 to 5 tab-separated columns (grade, kanji, on, "
                              "kun (optional), note (optional)), got 6"],
                 f"a line with too few or too many columns: {problems}")
        rows, problems = read_tsv(path)
        t.expect([n for n, _ in rows] == [3, 5, 6, 8] and problems == [],
                 f"without column names every line is a row: {rows}, {problems}")
        rows, problems = read_tsv(path, ("a", "b", "c", "d", "e"))
        t.expect([n for n, _ in rows] == [5] and problems[0].startswith(f"{path}:3: expected 5 tab-separated "
                                                                         "columns (a, b, c, d, e), got 3"),
                 f"a fixed number of columns, messages named by path: {problems[:1]}")
        path = write("bad.tsv", "# ok\n1\t学\n".encode("utf-8") + b"2\t\xff\n")
        t.raises(lambda: read_tsv(path, name="bad.tsv"), "a table that is not UTF-8", "bad.tsv:3: not UTF-8")
        t.raises(lambda: read_tsv(os.path.join(tmp, "none.tsv")), "a missing table", "none.tsv: cannot be read")

        # Code page 932 with CR LF line ends.
        t.expect(encode_crlf(["1,学", "2,引"]) == b"1,\x8aw\r\n2,\x88\xf8\r\n", "written as cp932 with CR LF")
        t.raises(lambda: encode_crlf(["1,学", "鳥🐦"]), "a character cp932 cannot hold", "code page 932")
        good = encode_crlf(["1,学", "", "2,引"])
        t.expect(split_crlf(good, "f") == (["1,学", "", "2,引"], []), f"split back: {split_crlf(good, 'f')}")
        t.expect(split_crlf(b"", "f") == ([], []), "an empty file has no lines")
        t.expect(split_crlf(b"\r\n", "f") == ([""], []), "one empty line")
        t.expect(split_crlf(good[:-2], "f") == (["1,学", "", "2,引"], ["f: the last line does not end in CR LF"]),
                 f"the last line without CR LF: {split_crlf(good[:-2], 'f')}")
        lone = "line ends are not CR LF (a lone CR or LF is in the line)"
        for label, data, problems in (
                ("LF", good.replace(b"\r\n", b"\n"), ["f: the last line does not end in CR LF", f"f:1: {lone}"]),
                ("a lone CR", good.replace(b"\r\n\r\n", b"\r\r\n"), [f"f:1: {lone}"]),
                ("a lone LF", good.replace(b"\r\n2", b"\n2"), [f"f:2: {lone}"])):
            t.expect(split_crlf(data, "f") == (None, problems), f"{label} line ends: {split_crlf(data, 'f')}")
        t.raises(lambda: split_crlf(good + b"3,\x81\r\n", "f"), "a byte cp932 does not decode",
                 "f: does not decode as code page 932", "byte 16 on line 4")

        # The order of a reading dictionary.
        path = write("onkun.txt", encode_crlf(["1,学,がく,まな(ぶ),8", "", "2,引,いん,ひ(く),4"])[:-2])
        t.expect(read_onkun(path) == [(1, "学"), (2, "引")], f"the dictionary order: {read_onkun(path)}")
        for label, record in (("two kanji", "1,学校,がっこう,,18"), ("four fields", "1,学,がく,8"),
                              ("six fields", "1,学,がく,まな(ぶ),8,"), ("no grade", "一,学,がく,まな(ぶ),8")):
            path = write("bad.txt", encode_crlf(["1,学,がく,まな(ぶ),8", record]))
            t.raises(lambda: read_onkun(path), f"a record with {label}", "bad.txt:2: not a grade,kanji")
        path = write("lf.txt", b"1,a,,,1\n2,b,,,1\n")
        t.raises(lambda: read_onkun(path), "LF line ends", "lf.txt:1: line ends are not CR LF")
        t.raises(lambda: read_onkun(write("empty.txt", b"\r\n")), "no records", "empty.txt: no records")
        t.raises(lambda: read_onkun(os.path.join(tmp, "none.txt")), "a missing dictionary", "none.txt: not found")

        # Comparing a file with what it should be.
        t.expect(first_difference(good, good) is None, "the same bytes have no difference")
        d = first_difference(encode_crlf(["1,学", "x", "2,引"]), good)
        t.expect(d == Difference(2, "x", "", 4, 4), f"the first line that differs: {d}")
        d = first_difference(encode_crlf(["1,学"]), encode_crlf(["1,学", "2,引"]))
        t.expect(d == Difference(2, "", "2,引", 2, 3), f"a file that stops early: {d}")
        d = first_difference(encode_crlf(["1,学"]), good)
        t.expect(d == Difference(None, None, None, 2, 4), f"a file that stops at an empty line: {d}")
    return t.finish()


def main():
    ap = argparse.ArgumentParser(description="Shared facts and readers of the data scripts.")
    ap.add_argument("--self-test", action="store_true", help="test the readers and writers on made-up files")
    a = ap.parse_args()
    if a.self_test:
        return 0 if self_test() else 1
    ap.print_usage()
    return 0


if __name__ == "__main__":
    sys.exit(main())
