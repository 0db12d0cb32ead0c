// The kanji practice book "漢字練習帳": one A4 sheet for one kanji, the model very large in
// light grey (or in the stroke-order face), boxes labelled for its readings, radical and
// stroke count, 22 squares with dashed guides and a column for a sentence. Read in vertical
// writing: the character-placed variant is a portrait page, the rotated-font variant ("@"
// faces) a landscape page read after a quarter turn clockwise.
#pragma once

#include <QString>
#include <optional>

#include "core/printing/sheet_common.h"

class PrintSurface;

inline constexpr int kPracticeModelColor = 12632256;  // light grey
inline constexpr double kPracticeModelSize = 160;
// The face that draws every stroke of a kanji numbered in writing order (Debian
// fonts-kanjistrokeorders).
inline const QString kStrokeOrderFace = QStringLiteral("KanjiStrokeOrders");
inline const QString kPracticeInstruction = QStringLiteral("　を使った文章を書きましょう");

struct PracticeBookInput {
    // The text of the lookup cell that carries the selection border; nullopt when no cell
    // carries it (no cell clicked since the start).
    std::optional<QString> selectedCell;
    // The practice kanji as the last print left it.
    QString practiceKanji;
    QString statusFontName;  // status-bar panel 2
    QString pageFontName;    // the print page's font, when panel 2 is empty
    // The model in the stroke-order face, in black, instead of light grey.
    bool strokeOrder = false;
    // Where the teacher moved the model in its box.
    ModelShift modelShift;
};

// Draws the sheet, without ending the document. Returns the practice kanji after the print:
// the selected cell's text, or the one given when no cell is selected.
QString drawPracticeBook(PrintSurface& s, const PracticeBookInput& in);
