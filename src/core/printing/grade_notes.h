// What a sheet prints for the class's grade: furigana beside the kanji the class has not
// learned yet, an answer's kanji written in kana where it stands in another row's sentence
// (dictation sheet), and the readings of the answer key (reading sheet). The readings come
// from the row's whole sentence (MeCab, core/data/reading_proposer).
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "core/data/grade_check.h"
#include "core/printing/print_jobs.h"
#include "core/printing/sheet_common.h"

// Furigana over the characters [index, index + length) of one text of a row.
struct Ruby {
    ProblemText text = ProblemText::Before;
    qsizetype index = 0;
    qsizetype length = 1;
    QString reading;

    bool operator==(const Ruby&) const = default;
};

// The furigana of a sheet, rows [1..10], placed over the texts of the page the sheet prints.
struct SheetNotes {
    std::array<std::vector<Ruby>, 11> ruby;
};

// A kanji the sheet would have given furigana or kana but found no reading for.
struct UnreadKanji {
    int row = 0;
    QString kanji;

    bool operator==(const UnreadKanji&) const = default;
};

// The rows as a grade check reads them.
ProblemPage problemPageOf(const PrintPage& page);

// The reading of `word` in the sentence before + word + after, or nothing.
using WordReader = std::function<std::optional<QString>(const QString&, const QString&, const QString&)>;
// The reader the sheets use unless told otherwise: MeCab through the shared proposer.
WordReader sentenceReader();

// The page with every kanji of an answer that stands in another row's sentence (before, after,
// after2) written in kana: the kanji alone where the sentence reads it alone (雪だるま gives
// ゆきだるま), else the run of kanji it stands in.
PrintPage leaksInKana(const PrintPage& page, const WordReader& read,
                      std::vector<UnreadKanji>* unread = nullptr);

// Furigana for every kanji above `grade` in the sentences (before, after and, where the row
// shows its second word, after2) of the page: over the kanji alone where the sentence reads it
// alone, else over the run of kanji it stands in.
SheetNotes unlearnedRuby(const PrintPage& page, const RowStates& rows, const KanjiGrades& grades, int grade,
                         const WordReader& read, std::vector<UnreadKanji>* unread = nullptr);

// Whether a sheet needs the notes above for these options.
bool needsGradeNotes(SheetKind sheet, const SheetOptions& options);

// The page and notes a sheet prints with the options' furigana, kana and answer-key readings
// (an answer key's empty reading is read from the sentence). unread, when given, collects the
// kanji left without.
void prepareGradeNotes(SheetKind sheet, const PrintPage& page, const RowStates& rows,
                       const SheetOptions& options, PrintPage& printed, SheetNotes& notes,
                       std::vector<UnreadKanji>* unread = nullptr);

// Places strings of characters along a lane beside a line (the strip where a sheet prints a
// reading), clear of each other and of what the lane already holds.
class Lane {
public:
    Lane() = default;
    Lane(double from, double to) : from_(from), to_(to) {}
    // Marks [from, to) as taken.
    void occupy(double from, double to);

    struct Placement {
        double from = 0;   // where the first character's cell starts
        double step = 0;   // between characters
        double scale = 1;  // of the characters' size: below 1 when they had to move closer
    };
    // n characters `step` apart, centred on `centre`; moved along the lane (first within the
    // free stretch round the centre, else to the nearest free stretch with room) and closer
    // together (smaller) only where no stretch has room. Takes the place it gives.
    Placement place(double centre, qsizetype n, double step);

private:
    double from_ = 0, to_ = 0;
    std::vector<std::pair<double, double>> taken_;
};
