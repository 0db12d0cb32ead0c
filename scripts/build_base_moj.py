#!/usr/bin/env python3
"""Builds data/base.moj, the built-in problem collection, from the example sentences.

Input: data/sentences/grade1.tsv .. grade6.tsv (UTF-8; '#' lines are comments; each
other non-empty line has five tab-separated columns: practised kanji, before, word,
reading, after). A missing grade file is skipped (with a note); the practised kanji
must be a kanji of that grade in data/onkun.txt.

Output format: code page 932, CR LF line ends, one record per line, 43
comma-separated fields, no quotes:
  field 0      heading, e.g. "1年 一・右・雨" (the grade and the practised kanji covered)
  field 1      empty
  fields 2-41  ten problems of four fields each: before, kanji word, reading, after
  field 42     the font name "ＭＳ Ｐ明朝"
Each record holds ten sentences, grouped by grade and by practised kanji in the
order of data/onkun.txt (the sentences of one kanji keep their order in the file).
The last record of a grade may hold fewer than ten problems; its unused problem
fields are empty. At most 2001 records.

Usage: build_base_moj.py [--sentences DIR] [--onkun PATH] [--out PATH] [--skip-bad]
       build_base_moj.py --check      exit 1 with a message when data/base.moj is not
                                      what would be built now, or is malformed
       build_base_moj.py --self-test  builds from made-up sentences and checks the result
--skip-bad leaves out sentences with a fault (with a warning) instead of stopping.
Exit status 0 on success.
"""
import argparse
import os
import re
import sys
import tempfile

from jirakubo_data import (DATA, GRADES, ONKUN, SENTENCE_COLUMNS, SENTENCES, DataError, SelfTest, encode_crlf,
                           first_difference, read_onkun, read_tsv, split_crlf)

FONT = "ＭＳ Ｐ明朝"
PER_RECORD = 10
FIELDS = 2 + 4 * PER_RECORD + 1  # 43
MAX_RECORDS = 2001


def text_problem(value):
    """Why a sentence text cannot go into base.moj, or None."""
    for c, name in ((",", "a comma"), ('"', "a double quote"), ("\t", "a tab")):
        if c in value:
            return f"contains {name}"
    if value != value.strip(" "):
        return "starts or ends with a blank (the program drops leading blanks of a field)"
    try:
        value.encode("cp932")
    except UnicodeEncodeError as e:
        return f"has {value[e.start]!r}, which code page 932 cannot hold"
    return None


def read_sentences(sentence_dir, order, skip_bad=False, log=print):
    """{kanji: [(before, word, reading, after)]}; raises DataError on a bad line
    unless skip_bad, which leaves such lines out with a warning."""
    if not os.path.isdir(sentence_dir):
        raise DataError(f"{sentence_dir}: sentence directory not found")
    grade_of = {k: g for g, k in order}
    problems = {}
    errors = []
    for g in GRADES:
        path = os.path.join(sentence_dir, f"grade{g}.tsv")
        if not os.path.exists(path):
            log(f"note: {path} does not exist yet; grade {g} has no problems")
            continue
        fname = os.path.basename(path)
        try:
            lines, column_errors = read_tsv(path, SENTENCE_COLUMNS, name=fname)
        except DataError as e:
            errors.append(str(e))
            continue
        errors += column_errors
        seen = set()
        for n, cols in lines:
            where = f"{fname}:{n}"
            k, before, word, reading, after = cols
            bad = []
            if k not in grade_of:
                bad.append(f"practised kanji {k!r} is not in onkun.txt")
            elif grade_of[k] != g:
                bad.append(f"{k} is a grade {grade_of[k]} kanji, not grade {g}")
            if not word:
                bad.append("the word column is empty")
            if not reading:
                bad.append("the reading column is empty")
            for label, value in (("before", before), ("word", word), ("reading", reading), ("after", after)):
                p = text_problem(value)
                if p:
                    bad.append(f"{label} text {value!r} {p}")
            if bad:
                errors.append(f"{where}: " + "; ".join(bad))
                continue
            problem = (before, word, reading, after)
            if (k, problem) in seen:
                log(f"note: {where}: same sentence again, left out: {before}{word}{after}")
                continue
            seen.add((k, problem))
            problems.setdefault(k, []).append(problem)
    if errors:
        if not skip_bad:
            raise DataError("\n".join(errors) + f"\n{len(errors)} bad sentence line(s); fix them "
                            "(or build with --skip-bad to leave them out)")
        for e in errors:
            log(f"warning: left out: {e}")
    return problems


def build_records(order, problems):
    """[[43 fields]] from the sentences, grouped by grade and kanji in onkun.txt order."""
    records = []
    for g in GRADES:
        items = [(k, p) for gg, k in order if gg == g for p in problems.get(k, [])]
        for start in range(0, len(items), PER_RECORD):
            chunk = items[start:start + PER_RECORD]
            kanji = list(dict.fromkeys(k for k, _ in chunk))
            fields = [f"{g}年 " + "・".join(kanji), ""]
            for _, p in chunk:
                fields += list(p)
            fields += [""] * (4 * (PER_RECORD - len(chunk)))
            fields.append(FONT)
            records.append(fields)
    if len(records) > MAX_RECORDS:
        raise DataError(f"{len(records)} records; base.moj may hold at most {MAX_RECORDS}")
    return records


def render(records):
    return encode_crlf(",".join(r) for r in records)


def validate_file(name, data):
    """Messages for a malformed base.moj (empty list when well-formed)."""
    try:
        lines, errors = split_crlf(data, name)
    except DataError as e:
        return [str(e)]
    if lines is None:
        return errors
    if len(lines) > MAX_RECORDS:
        errors.append(f"{name}: {len(lines)} records, at most {MAX_RECORDS} allowed")
    for n, line in enumerate(lines, 1):
        where = f"{name}:{n}"
        if '"' in line:
            errors.append(f"{where}: contains a double quote")
        fields = line.split(",")
        if len(fields) != FIELDS:
            errors.append(f"{where}: {len(fields)} fields, expected {FIELDS} "
                          "(a text with a comma in it, or a missing field)")
            continue
        if not re.match(r"^[1-6]年 \S", fields[0]):
            errors.append(f"{where}: heading {fields[0]!r} does not start with the grade, e.g. '1年 一・右'")
        if fields[1]:
            errors.append(f"{where}: field 1 should be empty, has {fields[1]!r}")
        if fields[42] != FONT:
            errors.append(f"{where}: field 42 should be the font name {FONT}, has {fields[42]!r}")
        for i in range(PER_RECORD):
            before, word, reading, after = fields[2 + 4 * i: 6 + 4 * i]
            if bool(word) != bool(reading) or (not word and (before or after)):
                errors.append(f"{where}: problem {i + 1} is incomplete (word {word!r}, reading {reading!r})")
        if len(errors) > 40:
            errors.append(f"{name}: more problems not shown")
            break
    return errors


def compare(name, data, expected):
    d = first_difference(data, expected)
    if d is None:
        return []
    if d.line:
        return [f"{name}:{d.line}: differs from what would be built now from data/sentences:\n"
                f"  file has:   {d.got}\n  would build: {d.want}\n"
                "run scripts/build_base_moj.py to rebuild it"]
    return [f"{name}: has {d.got_lines - 1} records, the sentences now give {d.want_lines - 1}; "
            "run scripts/build_base_moj.py to rebuild it"]


def build_bytes(sentence_dir, onkun, skip_bad, log):
    order = read_onkun(onkun)
    problems = read_sentences(sentence_dir, order, skip_bad, log)
    records = build_records(order, problems)
    return render(records), records, problems


def self_test():
    """Builds from made-up sentences in a temporary directory and checks the result."""
    t = SelfTest()

    order = [(1, "一"), (1, "右"), (1, "雨"), (2, "引"), (2, "羽")]
    quiet = lambda msg: None
    with tempfile.TemporaryDirectory() as tmp:
        onkun = os.path.join(tmp, "onkun.txt")
        with open(onkun, "wb") as f:
            f.write("".join(f"{g},{k},x,,1\r\n" for g, k in order).encode("cp932"))
        sdir = os.path.join(tmp, "sentences")
        os.mkdir(sdir)

        def write(g, lines):
            with open(os.path.join(sdir, f"grade{g}.tsv"), "w", encoding="utf-8") as f:
                f.write("# comment\n" + "".join(l + "\n" for l in lines))

        # 12 grade-1 sentences, written out of kanji order: 雨 first, then 一, then 右.
        g1 = ([f"雨\tきょうは\t雨\tあめ\tだ{i}。" for i in range(4)] +
              [f"一\t\t一\tひと\tつ{i}" for i in range(5)] +
              [f"右\t\t右\tみぎ\tを見る{i}" for i in range(3)])
        write(1, g1 + ["", "# trailing comment", "一\t\t一\tひと\tつ0"])  # last one repeats
        data, records, _ = build_bytes(sdir, onkun, False, quiet)
        t.expect(len(records) == 2, f"12 grade-1 sentences give 2 records, got {len(records)}")
        t.expect(all(len(r) == FIELDS for r in records), "every record has 43 fields")
        t.expect(records[0][0] == "1年 一・右・雨", f"heading of record 1: {records[0][0]!r}")
        t.expect(records[1][0] == "1年 雨", f"heading of record 2: {records[1][0]!r}")
        t.expect(records[0][2:6] == ["", "一", "ひと", "つ0"], f"first problem: {records[0][2:6]}")
        t.expect(records[0][6 + 4 * 4: 10 + 4 * 4] == ["", "右", "みぎ", "を見る0"],
                 "sentences of 一 come first (onkun order), then 右")
        t.expect(records[1][2:10] == ["きょうは", "雨", "あめ", "だ2。", "きょうは", "雨", "あめ", "だ3。"],
                 "sentences of one kanji keep their file order and carry over into the next record")
        t.expect(records[1][10:42] == [""] * 32 and records[1][42] == FONT, "a short last record is padded")
        t.expect(data.endswith(b"\r\n") and data.count(b"\r\n") == 2 and b"\n" not in data.replace(b"\r\n", b""),
                 "CR LF line ends")
        t.expect(validate_file("t", data) == [], f"built file is well-formed: {validate_file('t', data)[:2]}")
        t.expect(data.decode("cp932").split("\r\n")[0].split(",")[42] == FONT, "font field decodes back")

        # A grade file that does not exist is skipped; grade 2 gets its own records.
        write(2, ["羽\t鳥の\t羽\tはね\tがおちた。"])
        _, records, _ = build_bytes(sdir, onkun, False, quiet)
        t.expect([r[0] for r in records] == ["1年 一・右・雨", "1年 雨", "2年 羽"],
                 f"grades are separate records: {[r[0] for r in records]}")

        # Faults in the sentences are reported with file and line.
        for label, line, text in [
            ("comma in a text", "羽\t鳥の\t羽\tはね\tが,おちた。", "comma"),
            ("double quote in a text", '羽\t"鳥の\t羽\tはね\tがおちた。', "double quote"),
            ("four columns", "羽\t鳥の\t羽\tはね", "5 tab-separated columns"),
            ("kanji of another grade", "一\t\t一\tいち\tばん", "grade 1 kanji, not grade 2"),
            ("not a grade kanji", "鬱\t\t鬱\tうつ\tだ", "not in onkun.txt"),
            ("empty reading", "羽\t鳥の\t羽\t\tがおちた。", "reading column is empty"),
            ("leading blank", "羽\t鳥の\t羽\tはね\t がおちた。", "starts or ends with a blank"),
            ("not code page 932", "羽\t鳥の\t羽\tはね\tが🐦おちた。", "code page 932"),
        ]:
            write(2, ["羽\t鳥の\t羽\tはね\tがおちた。", line])
            t.raises(lambda: build_bytes(sdir, onkun, False, quiet), label, "grade2.tsv:3", text)
            _, records, _ = build_bytes(sdir, onkun, True, quiet)
            t.expect([r[0] for r in records][-1] == "2年 羽", f"{label}: --skip-bad leaves out only the bad line")

        # A sentence directory that does not exist is an error, not an empty collection.
        t.raises(lambda: build_bytes(os.path.join(tmp, "no-such-dir"), onkun, False, quiet),
                 "a missing sentence directory", "sentence directory not found")

        # The checks on a finished file.
        good = render(build_records(order, {"一": [("", "一", "ひと", "つ")]}))
        t.expect(validate_file("t", good.replace("ひと".encode("cp932"), "ひ,と".encode("cp932"))) != [],
               "a record with 44 fields is reported")
        t.expect(any("double quote" in m for m in validate_file("t", good.replace(b"\x82\xd0", b'"'))),
               "a double quote in the file is reported")
        t.expect(any("CR LF" in m for m in validate_file("t", good.replace(b"\r\n", b"\n"))),
               "LF line ends are reported")
        t.expect(compare("t", good, good) == [], "identical files compare equal")
        t.expect(compare("t", good[:-2] + b"x\r\n", good) != [], "a changed file is reported")
        t.expect(compare("t", b"", good) != [], "an empty file is reported when sentences exist")
        too_many = {"一": [("", "一", "ひと", "つ")] * (PER_RECORD * MAX_RECORDS + 1)}
        t.raises(lambda: build_records(order, too_many), "more than 2001 records", "at most 2001")
    return t.finish()


def main():
    ap = argparse.ArgumentParser(description="Builds data/base.moj from data/sentences/grade*.tsv.")
    ap.add_argument("--sentences", default=SENTENCES, help="sentence directory")
    ap.add_argument("--onkun", default=os.path.join(DATA, ONKUN), help="kanji order (onkun.txt)")
    ap.add_argument("--out", default=os.path.join(DATA, "base.moj"), help="file to write or check")
    ap.add_argument("--check", action="store_true", help="only check the existing file")
    ap.add_argument("--skip-bad", action="store_true", help="leave out faulty sentences with a warning")
    ap.add_argument("--self-test", action="store_true", help="test this script on made-up sentences")
    a = ap.parse_args()
    if a.self_test:
        return 0 if self_test() else 1
    log = lambda msg: print(msg, file=sys.stderr)
    try:
        data, records, problems = build_bytes(a.sentences, a.onkun, a.skip_bad, log)
    except DataError as e:
        print(f"build_base_moj.py: {e}", file=sys.stderr)
        return 1
    n_sent = sum(len(v) for v in problems.values())
    if a.check:
        if not os.path.exists(a.out):
            print(f"build_base_moj.py: {a.out} does not exist; run scripts/build_base_moj.py")
            return 1
        with open(a.out, "rb") as f:
            current = f.read()
        errors = validate_file(os.path.basename(a.out), current) + compare(os.path.basename(a.out), current, data)
        for e in errors:
            print(e)
        if errors:
            print(f"build_base_moj.py --check: {a.out} is not up to date or malformed")
            return 1
        print(f"build_base_moj.py --check: {a.out} OK ({len(records)} records, {n_sent} sentences)")
        return 0
    errors = validate_file("built data", data)
    if errors:  # cannot happen unless this script is wrong
        print("\n".join(errors), file=sys.stderr)
        return 1
    with open(a.out, "wb") as f:
        f.write(data)
    covered = sum(1 for v in problems.values() if v)
    print(f"wrote {a.out}: {len(records)} records, {n_sent} sentences for {covered} kanji")
    return 0


if __name__ == "__main__":
    sys.exit(main())
