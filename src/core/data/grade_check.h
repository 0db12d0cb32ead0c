// What a page asks of its class: the grade the page is written for, the kanji in it that class
// has not learned yet, and the answers that give themselves away by standing in another row's
// sentence. Computed from the page texts alone (no MeCab), cheap enough for every key press.
#pragma once

#include <QHash>
#include <QString>
#include <array>
#include <vector>

#include "core/data/kanji_grades.h"
#include "core/data/workbook.h"

struct DictionaryTable;

// "4年"; "配当外" for a kanji in no grade table.
QString gradeLabel(int grade);

// The texts of one problem row a check reads.
enum class ProblemText { Before, Kanji, After, Kanji2, After2 };

struct ProblemRow {
    QString before, kanji, after, kanji2, after2;
    const QString& text(ProblemText t) const;
};
// Rows 1..10 at [0..9].
using ProblemPage = std::array<ProblemRow, 10>;

ProblemPage problemPageOf(const PageRecord& record);

// The highest grade of the page's answer words' kanji (kanji and kanji2 of every row); 0 when
// the page has no answer kanji.
int automaticGrade(const ProblemPage& page, const KanjiGrades& grades);
// The grade the page is written for: the chosen grade (1..6) when there is one, else the
// automatic grade, else (no answer kanji yet) 6.
int pageGrade(const ProblemPage& page, const KanjiGrades& grades, int chosenGrade);

// One character of a row's text: rows 1..10, index and length in UTF-16 units (2 for a
// character beyond the BMP).
struct TextPlace {
    int row = 0;
    ProblemText text = ProblemText::Before;
    qsizetype index = 0;
    qsizetype length = 1;

    bool operator==(const TextPlace&) const = default;
};

enum class FindingKind { Unlearned, Leak };

struct Finding {
    FindingKind kind = FindingKind::Unlearned;
    // Unlearned: the row the kanji stands in. Leak: the row whose answer it is.
    int row = 0;
    QString kanji;  // one character
    // Unlearned: the kanji's grade (kBeyondGradeTables above 6). Leak: 0.
    int grade = 0;
    // Leak: the row whose sentence shows the answer's kanji. Unlearned: 0.
    int otherRow = 0;
    // Every place the kanji stands: unlearned, in the row (texts and answer words); leak, in
    // the other row's texts (before, after, after2).
    std::vector<TextPlace> places;
    // Leak: where the kanji stands in the answer word(s) of `row`.
    std::vector<TextPlace> answerPlaces;

    bool operator==(const Finding&) const = default;
};

struct PageCheck {
    int grade = 0;  // the page's grade, as pageGrade
    // By row; in a row unlearned kanji (in the order they first appear) before leaks (by the
    // order their kanji appear in the answer, then by other row).
    std::vector<Finding> findings;
};

// Unlearned kanji: every kanji in a row's texts and answer words whose grade is above the
// page's. Leaks: every kanji of a row's answer word that stands in another row's texts.
PageCheck checkPage(const ProblemPage& page, const KanjiGrades& grades, int chosenGrade);

// The finding as one line for the teacher, without page and row: "未習漢字 泣（4年）",
// "答えの「雪」が3行目の文にも出ています".
QString findingText(const Finding& f);
