// The dictation test "テスト・漢字書き取り": each problem with its kanji word left out as a
// boxed gap two cells per kanji, the reading printed beside the gap.
#pragma once

#include "core/printing/sheet_common.h"

class PrintSurface;

inline const QString kDictationTitle = QStringLiteral("テスト・漢字書き取り");

// The answer gap of a word of n characters: 2n full-width spaces. Words of five or more
// characters get their two cells per kanji as well, so the gap always matches its box.
QString answerGap(qsizetype n);

void printDictationSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
