#include "core/data/test_builder.h"

#include <QRandomGenerator>
#include <QSet>
#include <algorithm>

QString problemKey(const TestProblem& p) {
    // U+001F (unit separator) never appears in a problem's text.
    return p.before + QChar(0x1f) + p.word + QChar(0x1f) + p.reading + QChar(0x1f) + p.after;
}

QString distinctKanji(const QString& text) {
    QString out;
    QSet<char32_t> seen;
    for (char32_t c : text.toUcs4())
        if (isKanjiCharacter(c) && !seen.contains(c)) {
            seen.insert(c);
            out += QString::fromUcs4(&c, 1);
        }
    return out;
}

namespace {

void addOnce(std::vector<TestProblem>& out, QSet<QString>& seen, const TestProblem& p) {
    if (p.word.isEmpty()) return;
    const QString key = problemKey(p);
    if (seen.contains(key)) return;
    seen.insert(key);
    out.push_back(p);
}

// The texts of a problem a pupil reads: everything but the readings.
QString shownTexts(const TestProblem& p) {
    return p.before + p.word + p.after + p.word2 + p.after2;
}

}  // namespace

std::vector<TestProblem> exampleProblems(const Workbook& examples) {
    std::vector<TestProblem> out;
    out.reserve(static_cast<size_t>(examples.exampleCount) * 10);
    QSet<QString> seen;
    seen.reserve(examples.exampleCount * 10);
    for (int r = 0; r < examples.exampleCount && r < kExampleRows; ++r) {
        const ExampleRecord& rec = examples.exampleTable[static_cast<size_t>(r)];
        for (int row = 1; row <= 10; ++row) {
            TestProblem p;
            p.before = rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Before))];
            p.word = rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Kanji))];
            p.reading = rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Reading))];
            p.after = rec[static_cast<size_t>(slotFieldIndex(row, SlotField::After))];
            addOnce(out, seen, p);
        }
    }
    return out;
}

bool problemOfRow(const PageRecord& page, int row, TestProblem* problem) {
    auto f = [&](SlotField field) { return page[static_cast<size_t>(slotFieldIndex(row, field))]; };
    TestProblem p{f(SlotField::Before), f(SlotField::Kanji),    f(SlotField::Reading), f(SlotField::After),
                  f(SlotField::Kanji2), f(SlotField::Reading2), f(SlotField::After2)};
    if (p.word.isEmpty()) return false;
    *problem = p;
    return true;
}

std::vector<TestProblem> pageProblems(const Workbook& workbook, const std::vector<int>& pageIndexes) {
    std::vector<TestProblem> out;
    QSet<QString> seen;
    for (int index : pageIndexes) {
        if (index < 0 || index >= kPageTableRows) continue;
        for (int row = 1; row <= 10; ++row) {
            TestProblem p;
            if (problemOfRow(workbook.page(index), row, &p)) addOnce(out, seen, p);
        }
    }
    return out;
}

quint64 SeededDraw::next() {
    // splitmix64
    quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int SeededDraw::below(int n) {
    return static_cast<int>(next() % static_cast<quint64>(n));
}

quint64 newTestSeed() {
    return QRandomGenerator::global()->bounded(1, 1000000);
}

BuiltTest drawAllForKanji(const std::vector<TestProblem>& pool, const KanjiGrades& grades, int grade,
                          const QString& kanji, quint64 seed) {
    BuiltTest test;
    const QString asked = kanji.isEmpty() ? grades.kanjiOfGrade(grade) : distinctKanji(kanji);
    const QList<uint> targets = asked.toUcs4();
    // The fitting problems of each kanji asked.
    std::vector<std::vector<int>> candidates(static_cast<size_t>(targets.size()));
    QSet<int> fitting;
    for (int i = 0; i < static_cast<int>(pool.size()); ++i) {
        const TestProblem& p = pool[static_cast<size_t>(i)];
        if (p.word.isEmpty() || grades.highestGrade(shownTexts(p)) > grade) continue;
        const QList<uint> wordChars = p.word.toUcs4();
        for (int t = 0; t < targets.size(); ++t)
            if (wordChars.contains(targets[t])) {
                candidates[static_cast<size_t>(t)].push_back(i);
                fitting.insert(i);
            }
    }
    test.available = static_cast<int>(fitting.size());
    SeededDraw draw(seed);
    std::vector<int> order;
    for (int t = 0; t < targets.size(); ++t) {
        if (candidates[static_cast<size_t>(t)].empty()) {
            const char32_t c = targets[t];
            test.kanjiWithoutSentence += QString::fromUcs4(&c, 1);
        } else {
            order.push_back(t);
        }
    }
    draw.shuffle(order);
    for (int t : order) draw.shuffle(candidates[static_cast<size_t>(t)]);
    // Round after round, each kanji takes its next problem not yet taken.
    std::vector<size_t> next(candidates.size(), 0);
    QSet<int> taken;
    for (bool progress = true; progress;) {
        progress = false;
        for (int t : order) {
            std::vector<int>& list = candidates[static_cast<size_t>(t)];
            size_t& n = next[static_cast<size_t>(t)];
            while (n < list.size() && taken.contains(list[n])) ++n;
            if (n == list.size()) continue;
            taken.insert(list[n]);
            test.problems.push_back(pool[static_cast<size_t>(list[n])]);
            ++n;
            progress = true;
        }
    }
    return test;
}

BuiltTest buildFromKanji(const std::vector<TestProblem>& pool, const KanjiGrades& grades, int grade,
                         const QString& kanji, int count, quint64 seed) {
    BuiltTest test = drawAllForKanji(pool, grades, grade, kanji, seed);
    if (count < static_cast<int>(test.problems.size()))
        test.problems.resize(static_cast<size_t>(std::max(0, count)));
    // The kanji's turns decided which problems; the order on the sheet is drawn anew.
    SeededDraw draw(seed ^ 0x5DEECE66DULL);
    draw.shuffle(test.problems);
    return test;
}

BuiltTest buildFromProblems(const std::vector<TestProblem>& pool, int count, quint64 seed) {
    BuiltTest test;
    test.available = static_cast<int>(pool.size());
    test.problems = pool;
    SeededDraw draw(seed);
    draw.shuffle(test.problems);
    if (count < static_cast<int>(test.problems.size()))
        test.problems.resize(static_cast<size_t>(std::max(0, count)));
    return test;
}

QString defaultTestHeading(const QDate& date, const QString& scope) {
    QString heading = QStringLiteral("テスト %1月%2日").arg(date.month()).arg(date.day());
    if (!scope.isEmpty()) heading += u' ' + scope;
    return heading;
}

QString kanjiScopeText(int grade, const QString& kanji) {
    QString scope = QStringLiteral("%1年").arg(grade);
    if (!kanji.isEmpty()) {
        QStringList chars;
        for (char32_t c : distinctKanji(kanji).toUcs4()) chars << QString::fromUcs4(&c, 1);
        scope += u' ' + chars.join(u'・');
    }
    return scope;
}

std::vector<PageRecord> testPages(const std::vector<TestProblem>& problems, const QString& heading,
                                  const QString& fontName) {
    std::vector<PageRecord> pages;
    const int n = static_cast<int>(problems.size());
    const int pageCount = (n + kTestPageRows - 1) / kTestPageRows;
    for (int pg = 0; pg < pageCount; ++pg) {
        PageRecord page;
        page[kHeadingField] = pageCount > 1 ? heading + QStringLiteral("（%1）").arg(pg + 1) : heading;
        page[kFontField] = fontName;
        for (int row = 1; row <= kTestPageRows; ++row) {
            const int i = pg * kTestPageRows + row - 1;
            if (i >= n) break;
            const TestProblem& p = problems[static_cast<size_t>(i)];
            auto set = [&](SlotField f, const QString& v) {
                page[static_cast<size_t>(slotFieldIndex(row, f))] = v;
            };
            set(SlotField::Before, p.before);
            set(SlotField::Kanji, p.word);
            set(SlotField::Reading, p.reading);
            set(SlotField::After, p.after);
            set(SlotField::Kanji2, p.word2);
            set(SlotField::Reading2, p.reading2);
            set(SlotField::After2, p.after2);
        }
        pages.push_back(page);
    }
    return pages;
}

bool appendPages(Workbook& workbook, const std::vector<PageRecord>& pages) {
    const int start = static_cast<int>(workbook.headingList.size());
    if (start + static_cast<int>(pages.size()) > kMaxPages) return false;
    for (size_t i = 0; i < pages.size(); ++i) {
        const int index = start + static_cast<int>(i);
        workbook.page(index) = pages[i];
        workbook.headingList << pages[i][kHeadingField];
        workbook.pageLines[static_cast<size_t>(index)] = pageLine(pages[i], pages[i][kFontField]);
    }
    workbook.pageCount = static_cast<int>(workbook.headingList.size());
    return true;
}
