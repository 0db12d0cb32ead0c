#include "core/printing/grade_notes.h"

#include <algorithm>
#include <cmath>

#include "core/data/reading_proposer.h"

namespace {

QString& textOf(PrintPage& page, size_t row, ProblemText t) {
    switch (t) {
    case ProblemText::Before: return page.before[row];
    case ProblemText::Kanji: return page.kanji[row];
    case ProblemText::After: return page.after[row];
    case ProblemText::Kanji2: return page.kanji2[row];
    case ProblemText::After2: return page.after2[row];
    }
    return page.before[row];
}

const QString& textOf(const PrintPage& page, size_t row, ProblemText t) {
    return textOf(const_cast<PrintPage&>(page), row, t);
}

// The row's whole sentence, and where each of its texts starts in it.
struct Sentence {
    QString text;
    qsizetype offset(ProblemText t) const { return offsets[static_cast<size_t>(t)]; }
    std::array<qsizetype, 5> offsets{};
};

Sentence sentenceOf(const PrintPage& page, size_t row) {
    Sentence s;
    for (ProblemText t : {ProblemText::Before, ProblemText::Kanji, ProblemText::After, ProblemText::Kanji2,
                          ProblemText::After2}) {
        s.offsets[static_cast<size_t>(t)] = s.text.size();
        s.text += textOf(page, row, t);
    }
    return s;
}

bool isKanjiAt(const QString& text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size())
        return isKanjiCharacter(QChar::surrogateToUcs4(c, text[i + 1]));
    if (c.isLowSurrogate() && i > 0) return isKanjiCharacter(QChar::surrogateToUcs4(text[i - 1], c));
    return isKanjiCharacter(c.unicode());
}

// The run of kanji round [index, index + length) of text.
std::pair<qsizetype, qsizetype> kanjiRun(const QString& text, qsizetype index, qsizetype length) {
    qsizetype a = index, b = index + length;
    while (a > 0 && isKanjiAt(text, a - 1)) --a;
    while (b < text.size() && isKanjiAt(text, b)) ++b;
    return {a, b};
}

struct Reading {
    qsizetype from = 0, to = 0;
    QString kana;
};

// The readings of the characters at `places` (index, length) of one text of a row: each alone
// where the sentence reads it alone, else the run of kanji round it. In text order, never
// overlapping.
std::vector<Reading> readingsOf(const PrintPage& page, size_t row, ProblemText t,
                                const std::vector<std::pair<qsizetype, qsizetype>>& places,
                                const WordReader& read, std::vector<UnreadKanji>* unread) {
    const Sentence s = sentenceOf(page, row);
    const QString& text = textOf(page, row, t);
    const qsizetype off = s.offset(t);
    std::vector<Reading> found;
    const auto covered = [&](qsizetype i) {
        return std::any_of(found.begin(), found.end(),
                           [&](const Reading& r) { return i >= r.from && i < r.to; });
    };
    const auto readAt = [&](qsizetype a, qsizetype b) {
        return read(s.text.left(off + a), text.mid(a, b - a), s.text.mid(off + b));
    };
    for (const auto& [index, length] : places) {
        if (covered(index)) continue;
        if (const auto r = readAt(index, index + length)) {
            found.push_back({index, index + length, *r});
            continue;
        }
        // Plain names: clang 14 lets no lambda capture a structured binding.
        const auto run = kanjiRun(text, index, length);
        const auto a = run.first, b = run.second;
        const std::optional<QString> r = b - a > length ? readAt(a, b) : std::nullopt;
        if (!r) {
            if (unread) unread->push_back({static_cast<int>(row), text.mid(index, length)});
            continue;
        }
        std::erase_if(found, [&](const Reading& f) { return f.from >= a && f.to <= b; });
        found.push_back({a, b, *r});
    }
    std::sort(found.begin(), found.end(), [](const Reading& x, const Reading& y) { return x.from < y.from; });
    return found;
}

}  // namespace

ProblemPage problemPageOf(const PrintPage& page) {
    ProblemPage p;
    for (size_t r = 1; r <= 10; ++r)
        p[r - 1] = {page.before[r], page.kanji[r], page.after[r], page.kanji2[r], page.after2[r]};
    return p;
}

WordReader sentenceReader() {
    return [](const QString& before, const QString& word, const QString& after) {
        return proposeReading(before, word, after);
    };
}

PrintPage leaksInKana(const PrintPage& page, const WordReader& read, std::vector<UnreadKanji>* unread) {
    // Leaks do not depend on grades: every kanji counts as unlearned here, and only leaks are used.
    const PageCheck check = checkPage(problemPageOf(page), KanjiGrades(), kBeyondGradeTables);
    // The places to write in kana, per row and text.
    std::array<std::array<std::vector<std::pair<qsizetype, qsizetype>>, 5>, 11> places;
    for (const Finding& f : check.findings) {
        if (f.kind != FindingKind::Leak) continue;
        for (const TextPlace& p : f.places)
            places[static_cast<size_t>(p.row)][static_cast<size_t>(p.text)].push_back({p.index, p.length});
    }
    PrintPage printed = page;
    for (size_t r = 1; r <= 10; ++r) {
        for (ProblemText t : {ProblemText::Before, ProblemText::After, ProblemText::After2}) {
            auto& at = places[r][static_cast<size_t>(t)];
            if (at.empty()) continue;
            std::sort(at.begin(), at.end());
            const std::vector<Reading> readings = readingsOf(page, r, t, at, read, unread);
            QString& text = textOf(printed, r, t);
            for (auto it = readings.rbegin(); it != readings.rend(); ++it)
                text.replace(it->from, it->to - it->from, it->kana);
        }
    }
    return printed;
}

SheetNotes unlearnedRuby(const PrintPage& page, const RowStates& rows, const KanjiGrades& grades, int grade,
                         const WordReader& read, std::vector<UnreadKanji>* unread) {
    SheetNotes notes;
    for (size_t r = 1; r <= 10; ++r) {
        for (ProblemText t : {ProblemText::Before, ProblemText::After, ProblemText::After2}) {
            if (t == ProblemText::After2 && !rows.secondWordShown[r]) continue;
            const QString& text = textOf(page, r, t);
            std::vector<std::pair<qsizetype, qsizetype>> at;
            for (qsizetype i = 0; i < text.size();) {
                const QChar c = text[i];
                const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
                const char32_t u = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
                const qsizetype n = pair ? 2 : 1;
                if (grades.gradeOf(u) > grade) at.push_back({i, n});
                i += n;
            }
            if (at.empty()) continue;
            for (const Reading& reading : readingsOf(page, r, t, at, read, unread))
                notes.ruby[r].push_back({t, reading.from, reading.to - reading.from, reading.kana});
        }
    }
    return notes;
}

bool needsGradeNotes(SheetKind sheet, const SheetOptions& o) {
    const bool texts = sheet == SheetKind::Dictation || sheet == SheetKind::Reading;
    return (o.rubyUnlearned && texts && o.kanjiGrades) || (o.leakKana && sheet == SheetKind::Dictation) ||
           (o.answerKey && sheet == SheetKind::Reading);
}

void prepareGradeNotes(SheetKind sheet, const PrintPage& page, const RowStates& rows, const SheetOptions& o,
                       PrintPage& printed, SheetNotes& notes, std::vector<UnreadKanji>* unread) {
    const WordReader read = o.readWord ? WordReader(o.readWord) : sentenceReader();
    printed = page;
    notes = SheetNotes{};
    if (sheet == SheetKind::Dictation && o.leakKana) printed = leaksInKana(page, read, unread);
    if (o.rubyUnlearned && o.kanjiGrades && (sheet == SheetKind::Dictation || sheet == SheetKind::Reading)) {
        const int grade = pageGrade(problemPageOf(page), *o.kanjiGrades, o.grade);
        notes = unlearnedRuby(printed, rows, *o.kanjiGrades, grade, read, unread);
    }
    if (sheet == SheetKind::Reading && o.answerKey) {
        for (size_t r = 1; r <= 10; ++r) {
            const Sentence s = sentenceOf(page, r);
            if (printed.reading[r].isEmpty() && !page.kanji[r].isEmpty())
                printed.reading[r] =
                    read(page.before[r], page.kanji[r], s.text.mid(s.offset(ProblemText::After)))
                        .value_or(QString());
            if (printed.reading2[r].isEmpty() && !page.kanji2[r].isEmpty())
                printed.reading2[r] =
                    read(s.text.left(s.offset(ProblemText::Kanji2)), page.kanji2[r], page.after2[r])
                        .value_or(QString());
        }
    }
}

void Lane::occupy(double from, double to) {
    if (to <= from) return;
    taken_.push_back({from, to});
    std::sort(taken_.begin(), taken_.end());
}

Lane::Placement Lane::place(double centre, qsizetype count, double step) {
    const double n = static_cast<double>(count);
    const double length = n * step;
    // The free stretches of the lane.
    std::vector<std::pair<double, double>> free;
    double at = from_;
    for (const auto& [a, b] : taken_) {
        if (a > at) free.push_back({at, std::min(a, to_)});
        at = std::max(at, b);
    }
    if (at < to_) free.push_back({at, to_});
    Placement p{centre - length / 2, step, 1};
    if (count == 0) return p;
    if (free.empty()) return p;  // nowhere clear: where it belongs
    const auto distance = [&](const std::pair<double, double>& f) {
        return centre < f.first ? f.first - centre : centre > f.second ? centre - f.second : 0.0;
    };
    const auto room = [](const std::pair<double, double>& f) { return f.second - f.first; };
    // The stretch round the centre when the string fits there, else the nearest one it fits
    // in, else the largest.
    const std::pair<double, double>* best = nullptr;
    for (const auto& f : free)
        if (room(f) >= length && (!best || distance(f) < distance(*best))) best = &f;
    if (!best)
        for (const auto& f : free)
            if (!best || room(f) > room(*best)) best = &f;
    if (room(*best) >= length) {
        p.from = std::clamp(centre - length / 2, best->first, best->second - length);
    } else {
        p.step = room(*best) / n;
        p.scale = p.step / step;
        p.from = best->first;
    }
    occupy(p.from, p.from + p.step * n);
    return p;
}
