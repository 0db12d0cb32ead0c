// The grade in which each kanji is taught, from a reading dictionary's table (field 0 the
// grade, field 1 the kanji): what the grade checks, the sheets' furigana for unlearned kanji
// and the test builder all count by.
#pragma once

#include <QHash>
#include <QString>
#include <array>

struct DictionaryTable;

// The grade of a kanji found in no grade table (secondary-school kanji): above grade 6.
inline constexpr int kBeyondGradeTables = 7;

// A kanji character (CJK ideographs, their extensions and compatibility forms), not the
// iteration mark 々 or other signs.
bool isKanjiCharacter(char32_t c);

class KanjiGrades {
public:
    KanjiGrades() = default;
    explicit KanjiGrades(const DictionaryTable& table);
    static KanjiGrades fromTable(const DictionaryTable& table) { return KanjiGrades(table); }

    // 1..6; kBeyondGradeTables for a kanji in no table; 0 for a character that is no kanji.
    int gradeOf(char32_t c) const;
    // The highest grade among the kanji of a text, 0 when it holds none.
    int highestGrade(const QString& text) const;
    // The kanji of grade 1..6 in table order.
    QString kanjiOfGrade(int grade) const;
    bool isEmpty() const { return grades_.isEmpty(); }
    qsizetype size() const { return grades_.size(); }

private:
    QHash<char32_t, int> grades_;
    std::array<QString, 7> byGrade_;
};
