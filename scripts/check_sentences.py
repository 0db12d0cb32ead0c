#!/usr/bin/env python3
"""Checks the example sentences in data/sentences/*.tsv.

Each non-comment line: practised-kanji TAB before TAB word TAB reading TAB after.
Checks, per sentence: the practised kanji is a school-grade kanji and is the first or
second character of the word; every kanji of the sentence is of the practised kanji's
grade or an earlier one; the reading is hiragana; the sentence has 3..15 characters and
encodes in code page 932; the reading agrees with MeCab's reading of the word in context,
unless the sentence is listed in a reading_exceptions*.tsv file with a reason.
Across all files: every grade kanji is matched by at least four sentences.

Usage: check_sentences.py [--dir data/sentences] [--kanjidic PATH] [--only FILE...]
                          [--min-per-kanji 4] [--report]
                          [--coverage-grade N]
Exit status 0 when every check passes.
"""
import argparse, os, re, subprocess, sys
from collections import Counter, defaultdict

from jirakubo_data import (KANJIDIC, SENTENCE_COLUMNS, SENTENCES, DataError, kata_to_hira, load_kanjidic,
                           read_tsv)

def load_grades(path):
    return {k: v.grade for k, v in load_kanjidic(path).items()}

def is_kanji(ch):
    o = ord(ch)
    # The repeat mark 々 is no kanji of its own: it takes the grade of the one before it.
    return 0x4E00 <= o <= 0x9FFF or 0x3400 <= o <= 0x4DBF

HIRA = re.compile(r"^[ぁ-ゖー]+$")
KANA = re.compile(r"^[ぁ-ゖァ-ヺー]+$")

def mecab_tokens(sentences):
    """Runs MeCab once over all sentences; returns a list of token lists (surface, reading)."""
    text = "\n".join(sentences) + "\n"
    out = subprocess.run(["mecab"], input=text, capture_output=True, text=True, check=True).stdout
    result, cur = [], []
    for line in out.split("\n"):
        if line == "EOS":
            result.append(cur); cur = []
            continue
        if not line:
            continue
        surf, _, feat = line.partition("\t")
        f = feat.split(",")
        yomi = kata_to_hira(f[7]) if len(f) > 7 and f[7] != "*" else None
        if yomi is None and KANA.match(surf):
            yomi = kata_to_hira(surf)
        cur.append((surf, yomi))
    return result

def span_reading(tokens, s, e):
    """MeCab's reading of characters s..e of the sentence, or None when it cannot be cut out."""
    pos, parts = 0, []
    for surf, yomi in tokens:
        ts, te = pos, pos + len(surf)
        pos = te
        if te <= s or ts >= e:
            continue
        if yomi is None:
            return None
        head = surf[: max(0, s - ts)]
        tail = surf[len(surf) - max(0, te - e):] if te > e else ""
        y = yomi
        if head:
            h = kata_to_hira(head)
            if not KANA.match(head) or not y.startswith(h):
                return None
            y = y[len(h):]
        if tail:
            t = kata_to_hira(tail)
            if not KANA.match(tail) or not y.endswith(t):
                return None
            y = y[: len(y) - len(t)]
        parts.append(y)
    return "".join(parts)

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--dir", default=SENTENCES)
    ap.add_argument("--kanjidic", default=KANJIDIC)
    ap.add_argument("--only", nargs="*")
    ap.add_argument("--min-per-kanji", type=int, default=4)
    ap.add_argument("--report", action="store_true", help="print per-grade figures")
    ap.add_argument("--coverage-grade", type=int, action="append",
                    help="with --only: check the per-kanji count for this grade only")
    a = ap.parse_args()
    try:
        return check(a)
    except DataError as e:
        print(f"check_sentences.py: {e}")
        return 1

def check(a):
    grades = load_grades(a.kanjidic)
    files = a.only or sorted(os.path.join(a.dir, f) for f in os.listdir(a.dir)
                             if re.match(r"grade\d\.tsv$", f))
    exceptions = {}
    for exc_name in sorted(f for f in os.listdir(a.dir) if re.match(r"reading_exceptions.*\.tsv$", f)):
        for n, cols in read_tsv(os.path.join(a.dir, exc_name))[0]:
            if len(cols) < 5 or not cols[4].strip():
                print(f"{exc_name}:{n}: needs before, word, reading, after and a reason")
                continue
            exceptions[tuple(cols[:4])] = cols[4]

    rows = []
    errors = []
    for p in files:
        fname = os.path.basename(p)
        lines, problems = read_tsv(p, SENTENCE_COLUMNS, name=fname)
        rows += [(f"{fname}:{n}", cols) for n, cols in lines]
        errors += problems
    good = []
    seen = Counter()
    for where, cols in rows:
        k, before, word, reading, after = cols
        g = grades.get(k)
        if g is None:
            errors.append(f"{where}: {k} is not a grade 1-6 kanji"); continue
        if not word or (word[0] != k and (len(word) < 2 or word[1] != k)):
            errors.append(f"{where}: word {word} does not start with {k} in its first two characters")
        sentence = before + word + after
        for ch in sentence:
            if is_kanji(ch):
                cg = grades.get(ch)
                if cg is None or cg > g:
                    errors.append(f"{where}: {ch} in {sentence} is grade {cg or 'none'}, above {g}")
        if not HIRA.match(reading):
            errors.append(f"{where}: reading {reading} is not hiragana")
        if not 3 <= len(sentence) <= 15:
            errors.append(f"{where}: {sentence} has {len(sentence)} characters (3..15)")
        if any(c in sentence + reading for c in ',"\t'):
            errors.append(f"{where}: comma, quote or tab in {sentence}")
        try:
            (sentence + reading).encode("cp932")
        except UnicodeEncodeError:
            errors.append(f"{where}: not encodable in code page 932: {sentence}")
        seen[(before, word, after)] += 1
        if seen[(before, word, after)] == 2:
            errors.append(f"{where}: duplicate sentence {sentence}")
        good.append((where, k, g, before, word, reading, after))

    toks = mecab_tokens([b + w + af for _, _, _, b, w, _, af in good]) if good else []
    agree = disagree = excused = 0
    used_exc = set()
    for (where, k, g, b, w, r, af), t in zip(good, toks):
        m = span_reading(t, len(b), len(b) + len(w))
        if m == r:
            agree += 1
            continue
        key = (b, w, r, af)
        if key in exceptions:
            excused += 1; used_exc.add(key)
            continue
        disagree += 1
        errors.append(f"{where}: reading {r} of {w} in {b}{w}{af}: MeCab reads {m}")
    for key in exceptions:
        if key not in used_exc:
            print(f"note: exception not used: {'/'.join(key)}")

    if not a.only or a.coverage_grade:
        count = Counter()
        for _, k, _, b, w, r, af in good:
            for ch in set(w[:2]):
                count[ch] += 1
        for k, g in sorted(grades.items(), key=lambda x: (x[1], x[0])):
            if a.only and g not in a.coverage_grade:
                continue
            if count[k] < a.min_per_kanji:
                errors.append(f"grade {g} kanji {k}: {count[k]} sentences, needs {a.min_per_kanji}")

    for e in errors:
        print(e)
    total = agree + disagree + excused
    print(f"{len(good)} sentences; MeCab agrees on {agree} of {total}"
          f" ({(100.0 * agree / total) if total else 0:.1f}%), {excused} listed exceptions,"
          f" {disagree} disagreements; {len(errors)} problems")
    if a.report:
        per = Counter(g for _, _, g, *_ in good)
        for g in sorted(per):
            print(f"grade {g}: {per[g]} sentences")
    return 1 if errors else 0

if __name__ == "__main__":
    sys.exit(main())
