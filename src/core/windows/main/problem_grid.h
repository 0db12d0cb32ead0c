// The ten-row problem grid and the entry box, as data. The operations on them are members
// of MainWindow (problem_grid.cpp), since they reach the heading box, the status bar and
// the workbook.
#pragma once

#include <QString>
#include <array>
#include <utility>
#include <vector>

// Column codes: 2 before, 3 kanji, 4 reading, 5 after, 6 kanji2, 7 reading2, 8 after2.
enum ColumnCode { kColBefore = 2, kColKanji, kColReading, kColAfter, kColKanji2, kColReading2, kColAfter2 };

inline constexpr std::array<int, 9> kCellBaseColor{0,        0,        0xFFFF80, 0x80FFFF, 0xC0E0FF,
                                                   0xFFC0C0, 0x00FFFF, 0x80C0FF, 0xFF8080};
inline constexpr int kColorAlarm = 0x0000FF;
inline constexpr int kColorRowUsed = 0x00FF00;
inline constexpr int kColorRowEmpty = 0xC0C0FF;
inline constexpr int kColorNumberInitial = 0xC0FFC0;
inline constexpr int kColorCaptured = 0x8080FF;
inline constexpr int kColorProposed = 0xF0D8A8;  // a proposed reading: pale blue, not the input method's

// Logical geometry (twips) the behaviour depends on.
inline constexpr int kNumberLeft = 360;
inline constexpr int kNumberWidth = 420;
inline constexpr int kCellGap = 50;
inline constexpr int kCellCharWidth = 330;
inline constexpr int kRowHeight = 600;
constexpr int rowTop(int row) {
    return 600 * row + 600;
}
// A cell sizes itself to its text; an empty cell keeps the width of one character.
inline int cellWidthFor(const QString& text) {
    return (text.isEmpty() ? 1 : static_cast<int>(text.size())) * kCellCharWidth + 60;
}

struct GridCell {
    QString text;
    // A reading that is the proposer's (ふりがな自動): MeCab's proposal, or empty while the row
    // does not tell it; not one the input method or the teacher gave. Any other change of
    // the text clears it.
    bool proposed = false;
    int backColor = 0;
    bool visible = true;
    bool border = false;
    int left = 0;
    int width = 0;
    // The class's grade (grade_marks.cpp): the characters [index, index + length) of the text
    // to mark, unlearned kanji and answers that show in another row, and what the tooltip and
    // a screen reader say of them ("未習漢字: 泣（4年）"), a line each. Empty: nothing to mark.
    std::vector<std::pair<qsizetype, qsizetype>> unlearnedMarks, leakMarks;
    QString markNote;
};

struct GridRow {
    QString number;  // Label1(i)
    int numberColor = kColorNumberInitial;
    std::array<GridCell, 9> cells;  // [2..8] by column code
    bool check3 = false;
    bool check3Enabled = false;
    QString check3Tooltip;

    GridCell& cell(int col) { return cells[static_cast<size_t>(col)]; }
    const GridCell& cell(int col) const { return cells[static_cast<size_t>(col)]; }
};

struct ProblemGrid {
    std::array<GridRow, 11> rows;  // [1..10]
    int row = 1;
    int col = kColBefore;
    bool captureFlag = false;
    QString workNumber = QStringLiteral("作業№");  // Label6
    int workNumberColor = -1;

    GridRow& at(int r) { return rows[static_cast<size_t>(r)]; }
    const GridRow& at(int r) const { return rows[static_cast<size_t>(r)]; }
    // Characters counted against the limit: before, kanji, after, kanji2 and after2.
    int rowLength(int r) const;
    bool rowEmpty(int r) const { return rowLength(r) == 0; }
    bool showsSecondWord(int r) const { return at(r).check3; }
};

struct EntryBoxState {
    QString text;
    bool enabled = false;
    int backColor = 0xFFFFFF;
    int charCount = 0;      // Label13
    bool marker5 = false;   // Label16 "▲"
    bool marker10 = false;  // Label15 "▲"
    QString tooltip = QStringLiteral("文字を入力して編集");
};
