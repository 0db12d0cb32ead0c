// Tests that build themselves: problems drawn from the example sentences (base.moj) for the
// kanji of a grade or kanji the teacher names, or from pages of a workbook, laid out as
// pages of ten. Plain functions: no files, no database; the same seed gives the same test.
#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "core/data/kanji_grades.h"
#include "core/data/reading_dictionary.h"
#include "core/data/workbook.h"

inline constexpr int kMaxTestProblems = 50;
inline constexpr int kTestPageRows = 10;

// One problem of a test: the first word's four texts and, when the row has one, the second
// word's three.
struct TestProblem {
    QString before, word, reading, after;
    QString word2, reading2, after2;
};

// What makes two problems the same problem, in any workbook and under any heading: the
// four texts before, word, reading and after.
QString problemKey(const TestProblem& problem);

// The kanji of a text, each once, in the order they first appear.
QString distinctKanji(const QString& text);

// The problems of the example table, in file order, without repeats (a row without a word is
// no problem).
std::vector<TestProblem> exampleProblems(const Workbook& examples);
// The problems of the given pages (indexes into the page table), in page and row order,
// without repeats; both words of a row travel together.
std::vector<TestProblem> pageProblems(const Workbook& workbook, const std::vector<int>& pageIndexes);
// The problem of row 1..10 of a page, or none when its word is empty.
bool problemOfRow(const PageRecord& page, int row, TestProblem* problem);

// A small generator of its own, so that a seed gives the same test on every machine and
// with every compiler (the standard library's distributions differ between them).
class SeededDraw {
public:
    explicit SeededDraw(quint64 seed) : state_(seed) {}
    quint64 next();
    // A number 0 .. n-1; n > 0.
    int below(int n);
    template <typename T>
    void shuffle(std::vector<T>& items) {
        for (int i = static_cast<int>(items.size()) - 1; i > 0; --i) std::swap(items[i], items[below(i + 1)]);
    }

private:
    quint64 state_;
};

// A seed to show, when the teacher gives none: 1 .. 999999.
quint64 newTestSeed();

struct BuiltTest {
    std::vector<TestProblem> problems;
    QString kanjiWithoutSentence;  // asked-for kanji no fitting sentence holds
    int available = 0;             // how many fitting problems there were
};

// Problems for the kanji `kanji` (every kanji of the text; none given: every kanji of
// `grade`) from `pool`: those whose word holds one of the kanji and whose texts (before,
// word, after, second word) hold no kanji above `grade`. Every kanji is asked once before
// any kanji is asked twice; which sentence and in what order come from the seed. At most
// `count` problems.
BuiltTest buildFromKanji(const std::vector<TestProblem>& pool, const KanjiGrades& grades, int grade,
                         const QString& kanji, int count, quint64 seed);
// Up to `count` problems of `pool` in a new order drawn from the seed.
BuiltTest buildFromProblems(const std::vector<TestProblem>& pool, int count, quint64 seed);
// The whole pool in the order a kanji test draws it: every kanji once, then twice ... (the
// order a review starts from before it puts the results first).
BuiltTest drawAllForKanji(const std::vector<TestProblem>& pool, const KanjiGrades& grades, int grade,
                          const QString& kanji, quint64 seed);

// "テスト 12月11日" followed by the scope ("テスト 12月11日 3年").
QString defaultTestHeading(const QDate& date, const QString& scope);
// The scope's words for a grade and the kanji given: "3年", "3年 山・川".
QString kanjiScopeText(int grade, const QString& kanji);

// The pages of a test: ten problems a page, the heading on each (with "（1）", "（2）" ...
// when there are several pages), the font given.
std::vector<PageRecord> testPages(const std::vector<TestProblem>& problems, const QString& heading,
                                  const QString& fontName);
// Appends pages at the end of the workbook (heading list, page lines, page count); false,
// with nothing changed, when the workbook has no room for them all.
bool appendPages(Workbook& workbook, const std::vector<PageRecord>& pages);
