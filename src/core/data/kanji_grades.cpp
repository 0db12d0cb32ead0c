#include "core/data/kanji_grades.h"

#include <algorithm>

#include "core/data/reading_dictionary.h"

bool isKanjiCharacter(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

KanjiGrades::KanjiGrades(const DictionaryTable& table) {
    std::vector<char32_t> order;
    for (int r = 1; r <= table.count; ++r) {
        const DictionaryRecord& rec = table.row(r);
        bool ok = false;
        const int grade = rec[kGradeField].trimmed().toInt(&ok);
        const QList<uint> kanji = rec[kKanjiField].trimmed().toUcs4();
        if (!ok || grade < 1 || grade > 6 || kanji.size() != 1) continue;
        const char32_t c = kanji.front();
        // A kanji listed twice keeps the lower grade: it is learned by then.
        const auto it = grades_.find(c);
        if (it == grades_.end()) {
            grades_.insert(c, grade);
            order.push_back(c);
        } else if (*it > grade) {
            *it = grade;
        }
    }
    for (char32_t c : order) byGrade_[static_cast<size_t>(grades_.value(c))] += QString::fromUcs4(&c, 1);
}

int KanjiGrades::gradeOf(char32_t c) const {
    if (!isKanjiCharacter(c)) return 0;
    return grades_.value(c, kBeyondGradeTables);
}

int KanjiGrades::highestGrade(const QString& text) const {
    int highest = 0;
    for (char32_t c : text.toUcs4()) highest = std::max(highest, gradeOf(c));
    return highest;
}

QString KanjiGrades::kanjiOfGrade(int grade) const {
    if (grade < 1 || grade > 6) return {};
    return byGrade_[static_cast<size_t>(grade)];
}
