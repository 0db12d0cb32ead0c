#!/usr/bin/env python3
"""Checks data/onkun.txt and the five company files (<company>_onkun.txt).

For each file: it decodes as code page 932; every line ends in CR LF; there are
exactly 1026 records of five comma-separated fields (grade, kanji, on readings,
kun readings, stroke count); the grades hold 80/160/200/202/193/191 kanji and come
in order 1..6; each kanji appears once and has the grade KANJIDIC2 gives it; the
on readings are hiragana and the kun readings hiragana with okurigana in brackets,
several readings joined by "・"; every kanji has at least one reading; the stroke
count is a number (and agrees with KANJIDIC2); and the file is byte for byte what
scripts/gen_onkun.py generates now from data/onkun_curation.tsv.

Usage: check_onkun.py [--data-dir DIR] [--kanjidic PATH]
       check_onkun.py --self-test   (damages copies of onkun.txt in many ways and
                                     makes sure each fault is reported)
Exit status 0 when every check passes, 1 otherwise (with one message per problem).
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

from jirakubo_data import (DATA, GRADE_COUNTS, HERE, KANJIDIC, KUN_RE, ON_RE, ONKUN, ONKUN_FILES, TOTAL,
                           DataError, SelfTest, encode_crlf, first_difference, load_kanjidic, split_crlf)

GENERATOR = os.path.join(HERE, "gen_onkun.py")
FIELD_CHARS = re.compile(r"^[ぁ-ゖ・()]*$")
MAX_ERRORS_PER_FILE = 40


def check_readings(where, kind, field, pattern):
    errors = []
    if not FIELD_CHARS.match(field):
        bad = "".join(sorted(set(c for c in field if not FIELD_CHARS.match(c))))
        errors.append(f"{where}: {kind} readings {field!r} contain {bad!r}; only hiragana, "
                      "'・' and okurigana brackets '(' ')' are allowed")
        return errors
    if not field:
        return errors
    readings = field.split("・")
    for r in readings:
        if not pattern.match(r):
            if kind == "on":
                errors.append(f"{where}: on reading {r!r} must be plain hiragana (no brackets, "
                              "no empty reading between '・')")
            else:
                errors.append(f"{where}: kun reading {r!r} must be hiragana, optionally followed "
                              "by okurigana in one pair of brackets, e.g. まな(ぶ)")
    if len(set(readings)) != len(readings):
        errors.append(f"{where}: {kind} readings {field} list a reading twice")
    return errors


def check_content(name, data, kd):
    """Checks one file's bytes; returns a list of messages (empty when fine)."""
    try:
        lines, errors = split_crlf(data, name)
    except DataError as e:
        return [str(e)]
    if lines is None:
        return errors
    if not lines:
        return [f"{name}: file is empty"]
    if len(lines) != TOTAL:
        errors.append(f"{name}: {len(lines)} records, expected {TOTAL}")
    seen = {}
    counts = {}
    last_grade = 0
    for n, line in enumerate(lines, 1):
        where = f"{name}:{n}"
        if len(errors) > MAX_ERRORS_PER_FILE:
            errors.append(f"{name}: more problems not shown")
            break
        fields = line.split(",")
        if len(fields) != 5:
            errors.append(f"{where}: {len(fields)} fields, expected 5 (grade,kanji,on,kun,strokes): {line!r}")
            continue
        g, k, on, kun, strokes = fields
        if g not in ("1", "2", "3", "4", "5", "6"):
            errors.append(f"{where}: grade {g!r} is not 1..6")
            continue
        g = int(g)
        counts[g] = counts.get(g, 0) + 1
        if g < last_grade:
            errors.append(f"{where}: grade {g} after grade {last_grade}; records must be grouped by grade 1..6")
        last_grade = max(last_grade, g)
        if len(k) != 1:
            errors.append(f"{where}: kanji field {k!r} is not a single character")
            continue
        if k in seen:
            errors.append(f"{where}: {k} appears again (first on line {seen[k]})")
        seen.setdefault(k, n)
        if k not in kd:
            errors.append(f"{where}: {k} is not a grade 1-6 kanji in KANJIDIC2")
        elif kd[k].grade != g:
            errors.append(f"{where}: {k} is marked grade {g}, KANJIDIC2 says grade {kd[k].grade}")
        errors += check_readings(where, "on", on, ON_RE)
        errors += check_readings(where, "kun", kun, KUN_RE)
        if not on and not kun:
            errors.append(f"{where}: {k} has neither an on nor a kun reading")
        if not strokes.isascii() or not strokes.isdigit():
            errors.append(f"{where}: stroke count {strokes!r} is not a number")
        elif k in kd and int(strokes) != kd[k].strokes:
            errors.append(f"{where}: {k} has stroke count {strokes}, KANJIDIC2 says {kd[k].strokes}")
    if counts != GRADE_COUNTS and len(lines) > 0:
        errors.append(f"{name}: kanji per grade {dict(sorted(counts.items()))}, "
                      f"expected {GRADE_COUNTS}")
    missing = [k for k in kd if k not in seen]
    if missing and len(missing) <= 20:
        errors.append(f"{name}: grade kanji missing: {''.join(missing)}")
    elif missing:
        errors.append(f"{name}: {len(missing)} grade kanji missing, e.g. {''.join(missing[:20])}")
    return errors


def compare(name, data, expected):
    """Messages when data differs from the generator's output."""
    d = first_difference(data, expected)
    if d is None:
        return []
    if d.line:
        return [f"{name}:{d.line}: differs from what gen_onkun.py generates now: "
                f"file has {d.got!r}, generator gives {d.want!r} (edit data/onkun_curation.tsv "
                "and rerun scripts/gen_onkun.py, never the generated file)"]
    return [f"{name}: differs from what gen_onkun.py generates now in length "
            f"({d.got_lines} lines, generator gives {d.want_lines})"]


def generate(kanjidic):
    """Runs the generator into a temporary directory; returns (bytes of onkun.txt, error)."""
    with tempfile.TemporaryDirectory() as tmp:
        p = subprocess.run([sys.executable, GENERATOR, tmp, "--kanjidic", kanjidic],
                           capture_output=True, text=True)
        if p.returncode != 0:
            return None, f"gen_onkun.py failed: {p.stderr.strip() or p.stdout.strip()}"
        outputs = {}
        for name in ONKUN_FILES:
            path = os.path.join(tmp, name)
            if not os.path.exists(path):
                return None, f"gen_onkun.py did not write {name}"
            with open(path, "rb") as f:
                outputs[name] = f.read()
        return outputs, None


def run_checks(data_dir, kanjidic):
    kd = load_kanjidic(kanjidic)
    errors = []
    if len(kd) != TOTAL:
        errors.append(f"{kanjidic}: has {len(kd)} grade 1-6 kanji, expected {TOTAL}")
    expected, gen_error = generate(kanjidic)
    if gen_error:
        errors.append(gen_error)
    for name in ONKUN_FILES:
        path = os.path.join(data_dir, name)
        if not os.path.exists(path):
            errors.append(f"{path}: missing (run scripts/gen_onkun.py)")
            continue
        with open(path, "rb") as f:
            data = f.read()
        errors += check_content(name, data, kd)
        if expected:
            errors += compare(name, data, expected[name])
    return errors


def self_test(data_dir, kanjidic):
    """Damages copies of the good file and makes sure each damage is reported."""
    kd = load_kanjidic(kanjidic)
    with open(os.path.join(data_dir, ONKUN), "rb") as f:
        good = f.read()
    text = good.decode("cp932")
    lines, _ = split_crlf(good, ONKUN)

    def edit(n, field, value):
        ls = list(lines)
        fs = ls[n].split(",")
        fs[field] = value
        ls[n] = ",".join(fs)
        return encode_crlf(ls)

    one = lines.index(next(l for l in lines if l.split(",")[1] == "一"))
    gaku = lines.index(next(l for l in lines if l.split(",")[1] == "学"))
    kai = lines.index(next(l for l in lines if l.split(",")[1] == "貝"))
    cases = [
        ("LF line ends", text.replace("\r\n", "\n").encode("cp932"), "CR LF"),
        ("no CR LF after the last line", good[:-2], "last line"),
        ("UTF-8 instead of cp932", good.decode("cp932").encode("utf-8"), "code page 932"),
        ("a record missing", encode_crlf(lines[:-1]), "records, expected"),
        ("a kanji twice", encode_crlf(lines[:5] + [lines[3]] + lines[6:]), "appears again"),
        ("six fields", edit(gaku, 4, "8,x"), "6 fields"),
        ("four fields", encode_crlf([",".join(lines[gaku].split(",")[:4]) if i == gaku else l
                                     for i, l in enumerate(lines)]), "4 fields"),
        ("katakana on reading", edit(gaku, 2, "ガク"), "only hiragana"),
        ("kun okurigana with a dot", edit(gaku, 3, "まな.ぶ"), "only hiragana"),
        ("bracket in an on reading", edit(gaku, 2, "が(く)"), "plain hiragana"),
        ("unbalanced bracket", edit(gaku, 3, "まな(ぶ"), "one pair of brackets"),
        ("empty reading between separators", edit(gaku, 3, "まな(ぶ)・・まな"), "must be hiragana"),
        ("no reading at all", edit(kai, 3, ""), "neither"),
        ("grade not KANJIDIC's", edit(gaku, 0, "2"), "KANJIDIC2 says grade"),
        ("grade out of range", edit(gaku, 0, "7"), "not 1..6"),
        ("stroke count not a number", edit(gaku, 4, "八"), "not a number"),
        ("stroke count wrong", edit(gaku, 4, "9"), "KANJIDIC2 says 8"),
        ("two kanji in the kanji field", edit(gaku, 1, "学校"), "single character"),
        ("non-grade kanji", edit(gaku, 1, "鬱"), "not a grade 1-6 kanji"),
        ("grades out of order", encode_crlf([lines[-1]] + lines[:-1]), "grouped by grade"),
    ]
    # Faults only the comparison with the generator can see.
    swapped = list(lines)
    swapped[one], swapped[one + 1] = swapped[one + 1], swapped[one]
    gen_cases = [
        ("two records swapped", encode_crlf(swapped)),
        ("a reading hand-edited", edit(gaku, 3, "まな(ぶ)・まな")),
    ]
    t = SelfTest()
    msgs = check_content(ONKUN, good, kd)
    t.expect(not msgs, f"the good file is reported as faulty: {msgs[:3]}")
    for label, data, expect in cases:
        msgs = check_content(ONKUN, data, kd)
        t.expect(any(expect in m for m in msgs), f"{label}: expected a message containing {expect!r}, got {msgs[:3]}")
    for label, data in gen_cases:
        msgs = compare(ONKUN, data, good)
        t.expect(msgs and "differs from what gen_onkun.py generates" in msgs[0],
                 f"{label}: the comparison with the generator did not report it")
    return t.finish()


def main():
    ap = argparse.ArgumentParser(description="Checks data/onkun.txt and the company files.")
    ap.add_argument("--data-dir", default=DATA)
    ap.add_argument("--kanjidic", default=KANJIDIC)
    ap.add_argument("--self-test", action="store_true",
                    help="check that the checks catch damaged copies of onkun.txt")
    a = ap.parse_args()
    try:
        if a.self_test:
            return 0 if self_test(a.data_dir, a.kanjidic) else 1
        errors = run_checks(a.data_dir, a.kanjidic)
    except DataError as e:
        print(f"check_onkun.py: {e}")
        return 1
    for e in errors:
        print(e)
    if errors:
        print(f"check_onkun.py: {len(errors)} problem(s) found")
        return 1
    print(f"check_onkun.py: {len(ONKUN_FILES)} files OK ({TOTAL} kanji each)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
