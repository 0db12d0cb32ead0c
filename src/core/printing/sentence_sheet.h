// The sentence-making sheet "文作り・意味調べ": per problem its number, its word in large
// characters with the reading beside it and a "▼"; the pupil writes a sentence or the
// meaning below.
#pragma once

#include "core/printing/sheet_common.h"

class PrintSurface;

inline const QString kSentenceTitle = QStringLiteral("文作り・意味調べ");

// Circled number r, then kanji2 when the row shows its second word, else kanji, then "▼"
// when there is a word.
QString wordLine(const SheetInput& in, int row);
// The reading printed beside the word: reading2 when the row shows its second word, else
// reading.
QString wordReading(const SheetInput& in, int row);

void printSentenceSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
