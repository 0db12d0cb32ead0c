#include "core/data/grade_check.h"

#include <algorithm>

#include "core/data/reading_dictionary.h"

namespace {

constexpr std::array<ProblemText, 5> kAllTexts{ProblemText::Before, ProblemText::Kanji, ProblemText::After,
                                               ProblemText::Kanji2, ProblemText::After2};
constexpr std::array<ProblemText, 3> kSentenceTexts{ProblemText::Before, ProblemText::After,
                                                    ProblemText::After2};
constexpr std::array<ProblemText, 2> kAnswerTexts{ProblemText::Kanji, ProblemText::Kanji2};

// Calls f(codePoint, index, length) for every character of text.
template <typename F>
void forEachCharacter(const QString& text, F f) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            f(QChar::surrogateToUcs4(c, text[i + 1]), i, qsizetype{2});
            i += 2;
        } else {
            f(static_cast<char32_t>(c.unicode()), i, qsizetype{1});
            ++i;
        }
    }
}

QString characterText(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

}  // namespace

QString gradeLabel(int grade) {
    if (grade >= kBeyondGradeTables) return QStringLiteral("配当外");
    return QStringLiteral("%1年").arg(grade);
}

const QString& ProblemRow::text(ProblemText t) const {
    switch (t) {
    case ProblemText::Before: return before;
    case ProblemText::Kanji: return kanji;
    case ProblemText::After: return after;
    case ProblemText::Kanji2: return kanji2;
    case ProblemText::After2: return after2;
    }
    return before;
}

ProblemPage problemPageOf(const PageRecord& record) {
    ProblemPage page;
    for (int r = 1; r <= 10; ++r) {
        const auto field = [&](SlotField f) { return record[static_cast<size_t>(slotFieldIndex(r, f))]; };
        page[static_cast<size_t>(r - 1)] = {field(SlotField::Before), field(SlotField::Kanji),
                                            field(SlotField::After), field(SlotField::Kanji2),
                                            field(SlotField::After2)};
    }
    return page;
}

int automaticGrade(const ProblemPage& page, const KanjiGrades& grades) {
    int highest = 0;
    for (const ProblemRow& row : page)
        for (ProblemText t : kAnswerTexts)
            forEachCharacter(row.text(t), [&](char32_t c, qsizetype, qsizetype) {
                highest = std::max(highest, grades.gradeOf(c));
            });
    return highest;
}

int pageGrade(const ProblemPage& page, const KanjiGrades& grades, int chosenGrade) {
    if (chosenGrade >= 1 && chosenGrade <= 6) return chosenGrade;
    const int automatic = automaticGrade(page, grades);
    return automatic == 0 ? 6 : automatic;
}

PageCheck checkPage(const ProblemPage& page, const KanjiGrades& grades, int chosenGrade) {
    PageCheck check;
    check.grade = pageGrade(page, grades, chosenGrade);
    for (int r = 1; r <= 10; ++r) {
        const ProblemRow& row = page[static_cast<size_t>(r - 1)];
        // Unlearned kanji, one finding per kanji with all its places in the row.
        const size_t firstOfRow = check.findings.size();
        for (ProblemText t : kAllTexts) {
            forEachCharacter(row.text(t), [&](char32_t c, qsizetype index, qsizetype length) {
                const int grade = grades.gradeOf(c);
                if (grade <= check.grade) return;
                const QString kanji = characterText(c);
                const TextPlace place{r, t, index, length};
                const auto same =
                    std::find_if(check.findings.begin() + static_cast<qsizetype>(firstOfRow),
                                 check.findings.end(), [&](const Finding& f) { return f.kanji == kanji; });
                if (same != check.findings.end())
                    same->places.push_back(place);
                else
                    check.findings.push_back({FindingKind::Unlearned, r, kanji, grade, 0, {place}, {}});
            });
        }
        // Leaks: the answer's kanji in the sentences of the other rows.
        const size_t firstLeak = check.findings.size();
        for (ProblemText answer : kAnswerTexts) {
            forEachCharacter(row.text(answer), [&](char32_t c, qsizetype index, qsizetype length) {
                if (!isKanjiCharacter(c)) return;
                const QString kanji = characterText(c);
                const TextPlace answerPlace{r, answer, index, length};
                for (int o = 1; o <= 10; ++o) {
                    if (o == r) continue;
                    const ProblemRow& other = page[static_cast<size_t>(o - 1)];
                    std::vector<TextPlace> places;
                    for (ProblemText t : kSentenceTexts)
                        forEachCharacter(other.text(t), [&](char32_t d, qsizetype i, qsizetype n) {
                            if (d == c) places.push_back({o, t, i, n});
                        });
                    if (places.empty()) continue;
                    const auto same = std::find_if(
                        check.findings.begin() + static_cast<qsizetype>(firstLeak), check.findings.end(),
                        [&](const Finding& f) { return f.kanji == kanji && f.otherRow == o; });
                    if (same != check.findings.end()) {
                        same->answerPlaces.push_back(answerPlace);
                        continue;
                    }
                    check.findings.push_back(
                        {FindingKind::Leak, r, kanji, 0, o, std::move(places), {answerPlace}});
                }
            });
        }
    }
    return check;
}

QString findingText(const Finding& f) {
    if (f.kind == FindingKind::Unlearned)
        return QStringLiteral("未習漢字 %1（%2）").arg(f.kanji, gradeLabel(f.grade));
    return QStringLiteral("答えの「%1」が%2行目の文にも出ています").arg(f.kanji).arg(f.otherRow);
}
