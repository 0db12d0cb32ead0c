// The tracing practice sheet "漢字練習": per problem a column of ten large squares with the
// word once in black as the model, then (tracing on) pale copies to trace, the reading beside.
#pragma once

#include "core/printing/sheet_common.h"

class PrintSurface;

inline const QString kTracingTitle = QStringLiteral("漢字練習");
inline const QString kTooLongMessage = QStringLiteral("１０文字を超えている箇所があります");

// How many copies of a word of n characters follow its model in ten squares: as many whole
// copies as fit (9 for one character, 1 for four or five, none from six on). A second word
// gets its copies by the same rule as a first word.
int tracingCopies(qsizetype n);

// The first row (1..10) whose kanji is longer than ten characters, 0 when there is none. The
// sheet refuses such a page.
int firstTooLongRow(const PrintPage& page);

// Draws the sheet; false (nothing drawn, not even a page) when a row's kanji is longer than
// ten characters. The caller tells the teacher (kTooLongMessage), before it prints.
bool printTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
// Draws the sheet without the length check.
void drawTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
