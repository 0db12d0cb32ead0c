// What every worksheet layout shares: the options it reads, the per-row states of the
// problem grid, the two layout variants and the drawing helpers of the heading strip.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/printing/print_page.h"

class PrintSurface;
class KanjiGrades;
struct SheetNotes;

// characterPlacedLayout: a landscape page, every character placed down its column.
// rotatedFontLayout: a portrait page printed in rows with an "@" face, read after a quarter
// turn clockwise.
enum class SheetLayout { CharacterPlaced, RotatedFont };

inline constexpr double kGridUnit = 1058.0;
inline constexpr double kProblemPitch = 1.4 * kGridUnit;  // 1481.2

// How far the teacher moved the large model characters in かな印字位置調整 (kanaOffset1 and
// kanaOffset2, twips), for faces that place their glyphs off the centre of the cell. With an
// ordinary face offset1 is the move to the right and offset2 the move down; with an "@" face
// offset1 is the move down and offset2 the move to the right, as the sheet is read.
struct ModelShift {
    double offset1 = 0, offset2 = 0;

    // The move on the page of a layout. A rotated-font sheet is read after a quarter turn
    // clockwise: down as read is to the right on the page, right as read is up the page.
    double dx(SheetLayout) const { return offset1; }
    double dy(SheetLayout layout) const { return layout == SheetLayout::RotatedFont ? -offset2 : offset2; }
};

// The print options the sheets read while drawing.
struct SheetOptions {
    bool answerBoxes = true;  // "あり（ふりがなと枠）"
    bool tracingOn = false;   // "あり（手本となぞり書き）"
    int tracingColor = 14737632;
    double readingSpacing = 20.0 / 35.0;  // "普通"; 15/35 "狭い"
    bool twoSheetSet = false;             // "読み方２枚１組"
    int problemFontSize = 25;
    QString statusFontName;  // status-bar panel 2
    ModelShift modelShift;   // the tracing sheet's models

    // The class's grade: 1..6, or 0 for each page's own (the highest grade of its answers).
    int grade = 0;
    bool rubyUnlearned = false;  // "未習漢字にふりがな": furigana beside kanji above the grade
    bool leakKana = false;       // "答えを文中でかなにする" (dictation sheet)
    bool answerKey = false;      // "解答": answers in red (dictation and reading sheets)
    // The grade of each kanji, from the chosen company's dictionary (grade_check.h).
    std::shared_ptr<const KanjiGrades> kanjiGrades;
    // The reading of a word in its sentence (grade_notes.h); empty: MeCab.
    std::function<std::optional<QString>(const QString&, const QString&, const QString&)> readWord;
};

// The two per-row states some sheets take from the problem grid, rows [1..10].
struct RowStates {
    std::array<bool, 11> kanjiFilled{};      // the row's kanji cell is not empty
    std::array<bool, 11> secondWordShown{};  // the row shows its second word

    // The states of a page on its own: a row shows its second word when it has one.
    static RowStates fromPage(const PrintPage& page);
};

// Everything a sheet draws from.
struct SheetInput {
    const PrintPage& page;
    SheetOptions options;
    RowStates rows;
    // The furigana the grade options give, placed over page's texts; none when null.
    const SheetNotes* notes = nullptr;
};

// The face of the sheet: the status-bar font unless it is empty (or still the "フォント"
// placeholder), else the page's font, else ＭＳ Ｐ明朝.
QString sheetFontName(const QString& statusFontName, const QString& pageFontName);
// "@" faces take the rotated layouts.
SheetLayout layoutForFont(const QString& fontName);

// "①" .. "⑩".
QString circledNumber(int n);

// How a heading of `length` characters fills `room` twips of the heading strip: at 20 pt,
// 500 apart, when that fits; else closer together, down to touching (400); else smaller, each
// character as large as room / length allows.
struct HeadingFit {
    double pitch = 500;
    double size = 20;
};
HeadingFit fitHeading(qsizetype length, double room);

namespace sheet {
// Font size 20, A4, the face, the orientation of the layout, solid lines, black, and the
// column forms of the characters in the character-placed layout.
void setUp(PrintSurface& s, SheetLayout layout, const QString& fontName);
// Back to horizontal forms once a sheet is done.
void finish(PrintSurface& s);
// Four lines forming the rectangle with corners (x1, y1) and (x2, y2).
void rectangleOfLines(PrintSurface& s, double x1, double y1, double x2, double y2);
// One character at (x, y).
void putChar(PrintSurface& s, double x, double y, const QString& ch);
// Every character of text, the k-th (from 0) at (x + dx·k, y + dy·k).
void putChars(PrintSurface& s, const QString& text, double x, double y, double dx, double dy);
// The heading in the strip, its first character's 20-pt cell at (x, y), running down the
// strip (the character-placed layouts) or across it (the rotated ones) and ending a full-width
// space before the name label "名" at nameAt (y when down, x when across). Smaller characters
// stay centred on the line of the 20-pt ones. Leaves the font at 20 pt.
void putHeading(PrintSurface& s, const QString& heading, double x, double y, bool down, double nameAt);
// One line of text at `size` points at (x, y), moved left as far as it takes to end inside
// the page width; smaller when it is wider than the page.
void putLineInsidePage(PrintSurface& s, const QString& text, double x, double y, double size);
}  // namespace sheet
