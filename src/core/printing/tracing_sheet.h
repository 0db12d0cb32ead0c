// The tracing practice sheet "漢字練習": per problem a column of ten large squares with the
// word once in black as the model, then (tracing on) pale copies to trace, the reading beside.
#pragma once

#include <QStringList>

#include "core/printing/sheet_common.h"

class PrintSurface;

inline const QString kTracingTitle = QStringLiteral("漢字練習");

// The longest kanji word the sheet takes, in characters (UTF-16 units, as the sheets count):
// its column has ten squares. A page with a longer one gets no tracing sheet.
inline constexpr qsizetype kTracingMaxChars = 10;
inline const QString kTooLongMessage = QStringLiteral("１０文字を超えている箇所があります");

// How many copies of a word of n characters follow its model in ten squares: as many whole
// copies as fit (9 for one character, 1 for four or five, none from six on). A second word
// gets its copies by the same rule as a first word.
int tracingCopies(qsizetype n);

// Whether the sheet refuses a kanji word: longer than kTracingMaxChars.
bool tooLongForTracing(const QString& kanji);
// The first row (1..10) whose kanji is longer than ten characters, 0 when there is none. The
// sheet refuses such a page.
int firstTooLongRow(const PrintPage& page);

// The refusal as the windows say it before the printer dialog: kTooLongMessage, the rows
// (tracingRefusalRow), and that the tracing sheet of that page (or, printing every page, of
// those pages) is left out.
QString tracingRefusalMessage(const QStringList& rows, bool everyPage);
// One row of it: " 2頁 3行目（11文字）" (pageIndex from 0).
QString tracingRefusalRow(int pageIndex, int row, qsizetype chars);
// The refusal as the command line says it, refusing the whole job: "2ページ 3行目: ..." with
// the limit (pageIndex from 0).
QString tracingRefusalOfPage(int pageIndex, int row);

// Draws the sheet; false (nothing drawn, not even a page) when a row's kanji is longer than
// ten characters. The caller tells the teacher (kTooLongMessage), before it prints.
bool printTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
// Draws the sheet without the length check.
void drawTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);
