#!/usr/bin/env python3
"""Generates the grade reading dictionary data/onkun.txt and the five company files.

Sources:
  * KANJIDIC2 (/usr/share/edict/kanjidic2.xml.gz, Debian package kanjidic-xml):
    the school grade (1..6) and the stroke count of each kanji.
  * data/onkun_curation.tsv: the reviewed table of the school (jōyō) readings of
    each grade kanji, in the order they are shown. The readings are a selection from
    KANJIDIC2's readings; a reading KANJIDIC2 does not list must be explained in the
    note column of the table.

Output format (each file): code page 932, CR LF line ends, one record per line,
  grade,kanji,on readings,kun readings,stroke count
readings in hiragana joined by "・", okurigana of a kun reading in brackets
(まな(ぶ)). Records are grouped by grade; within a grade they are ordered by the
first on reading (else the first kun reading) in gojūon order, ties by stroke count
and then by code point.

Usage: gen_onkun.py [OUTDIR] [--kanjidic PATH] [--curation PATH] [--stats]
  OUTDIR defaults to the data directory next to this script.
  --stats prints how far the curated readings differ from KANJIDIC2's raw readings.
Exit status 0 on success; on bad input a message per problem and exit status 1.
"""
import argparse
import os
import sys

from jirakubo_data import (DATA, GRADE_COUNTS, KANJIDIC, KUN_RE, ON_RE, ONKUN_FILES, DataError,
                           encode_crlf, load_kanjidic, read_tsv)

CURATION = os.path.join(DATA, "onkun_curation.tsv")
CURATION_COLUMNS = ("grade", "kanji", "on", "kun")


def load_curation(path):
    """[(line number, grade, kanji, [on], [kun], note)] from the curation table."""
    if not os.path.exists(path):
        raise DataError(f"{path}: curation table not found")
    lines, problems = read_tsv(path, CURATION_COLUMNS, ("note",))
    rows = []
    for n, cols in lines:
        g, k, on, kun = cols[:4]
        note = cols[4] if len(cols) == 5 else ""
        if not g.isdigit():
            problems.append(f"{path}:{n}: grade {g!r} is not a number")
            continue
        rows.append((n, int(g), k, on.split("・") if on else [], kun.split("・") if kun else [], note))
    if problems:
        raise DataError("\n".join(problems))
    return rows


def gojuon_key(reading):
    """Sort key for a reading in gojūon order: first without voicing marks and with small
    kana as large kana (so かい < がく < き, しゅう < しゅつ), then unvoiced before voiced
    before half-voiced, then large before small kana."""
    reading = reading.replace("(", "").replace(")", "")
    base, voice, small = [], [], []
    for c in reading:
        v, s = 0, 0
        if c in "ぁぃぅぇぉっゃゅょゎゕゖ":
            c = chr(ord(c) + 1) if c not in "ゕゖ" else {"ゕ": "か", "ゖ": "け"}[c]
            s = 1
        elif c in "がぎぐげござじずぜぞだぢづでどばびぶべぼ":
            c = chr(ord(c) - 1)
            v = 1
        elif c in "ぱぴぷぺぽ":
            c = chr(ord(c) - 2)
            v = 2
        elif c == "ゔ":
            c, v = "う", 1
        base.append(c)
        voice.append(v)
        small.append(s)
    return ("".join(base), tuple(voice), tuple(small))


def build_records(kd, rows, curation_path):
    """Validates the curation table against KANJIDIC2; returns the sorted records
    [(grade, kanji, on, kun, strokes)]."""
    errors = []
    seen = {}
    records = []
    for n, g, k, on, kun, note in rows:
        where = f"{curation_path}:{n}"
        if len(k) != 1:
            errors.append(f"{where}: {k!r} is not a single kanji")
            continue
        if k in seen:
            errors.append(f"{where}: {k} is listed again (first on line {seen[k]})")
            continue
        seen[k] = n
        if k not in kd:
            errors.append(f"{where}: {k} is not a grade 1-6 kanji in KANJIDIC2")
            continue
        kg, strokes, kon, kkun = kd[k]
        if g != kg:
            errors.append(f"{where}: {k} is given grade {g}, KANJIDIC2 says grade {kg}")
        if not on and not kun:
            errors.append(f"{where}: {k} has no reading")
        for kind, readings, pattern, known in (("on", on, ON_RE, kon), ("kun", kun, KUN_RE, kkun)):
            if len(set(readings)) != len(readings):
                errors.append(f"{where}: {k} lists a {kind} reading twice: {'・'.join(readings)}")
            for r in readings:
                if not pattern.match(r):
                    shape = "hiragana" if kind == "on" else "hiragana with okurigana in brackets, e.g. まな(ぶ)"
                    errors.append(f"{where}: {k} {kind} reading {r!r} is not {shape}")
                elif r not in known and r not in note:
                    errors.append(f"{where}: {k} {kind} reading {r} is not in KANJIDIC2; "
                                  f"explain it in the note column (mention {r}) or correct it")
        records.append((kg, k, on, kun, strokes))
    for k, (g, _, _, _) in kd.items():
        if k not in seen:
            errors.append(f"{curation_path}: grade {g} kanji {k} is missing from the curation table")
    if errors:
        raise DataError("\n".join(errors))
    counts = {g: sum(1 for r in records if r[0] == g) for g in GRADE_COUNTS}
    if counts != GRADE_COUNTS:
        raise DataError(f"grade counts {counts} differ from the national allotment {GRADE_COUNTS}")

    def key(rec):
        g, k, on, kun, strokes = rec
        first = on[0] if on else kun[0]
        return (g, gojuon_key(first), strokes, ord(k))

    return sorted(records, key=key)


def render(records):
    return encode_crlf(f"{g},{k},{'・'.join(on)},{'・'.join(kun)},{strokes}" for g, k, on, kun, strokes in records)


def stats(kd, records):
    """How far the curated readings are from KANJIDIC2's raw readings (affixes removed)."""
    changed = reordered = same = 0
    dropped = 0
    for g, k, on, kun, strokes in records:
        _, _, kon, kkun = kd[k]
        raw_on = list(dict.fromkeys(kon))
        raw_kun = list(dict.fromkeys(kkun))
        dropped += len(set(raw_on) - set(on)) + len(set(raw_kun) - set(kun))
        if (on, kun) == (raw_on, raw_kun):
            same += 1
        elif set(on) == set(raw_on) and set(kun) == set(raw_kun):
            reordered += 1
        else:
            changed += 1
    print(f"{len(records)} kanji: {same} keep KANJIDIC2's readings as they are, "
          f"{reordered} only reordered, {changed} with readings dropped or added; "
          f"{dropped} KANJIDIC2 readings dropped in all")


def main(argv=None):
    ap = argparse.ArgumentParser(description="Generates data/onkun.txt and the company files.")
    ap.add_argument("outdir", nargs="?", default=DATA, help="output directory (default: data/)")
    ap.add_argument("--kanjidic", default=KANJIDIC)
    ap.add_argument("--curation", default=CURATION)
    ap.add_argument("--stats", action="store_true", help="also print how the readings differ from KANJIDIC2")
    a = ap.parse_args(argv)
    try:
        kd = load_kanjidic(a.kanjidic)
        rows = load_curation(a.curation)
        records = build_records(kd, rows, a.curation)
        data = render(records)
    except DataError as e:
        print(f"gen_onkun.py: {e}", file=sys.stderr)
        return 1
    os.makedirs(a.outdir, exist_ok=True)
    for name in ONKUN_FILES:
        with open(os.path.join(a.outdir, name), "wb") as f:
            f.write(data)
    if a.stats:
        stats(kd, records)
    return 0


if __name__ == "__main__":
    sys.exit(main())
