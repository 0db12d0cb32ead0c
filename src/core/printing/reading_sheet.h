// The reading sheet "読み方": the ten problems as vertical lines with the readings left out;
// the pupil writes the readings beside the words.
#pragma once

#include "core/printing/sheet_common.h"

class PrintSurface;

inline const QString kReadingTitle = QStringLiteral("読み方");

// Circled number n, then before, kanji and after of row r, then kanji2 and after2 when the
// row shows its second word.
QString problemLine(const SheetInput& in, int row, int number);

// One sheet, or with the two-sheet set two sheets with a page break between them. No page
// break after the last sheet.
void printReadingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in);

// The heading strip, name label, title and the ten-column grid the reading and the
// sentence sheets share. titleStep is the distance between the title's characters in the
// character-placed layout.
void drawReadingFrame(PrintSurface& s, SheetLayout layout, const QString& heading, const QString& title,
                      double titleStep);
