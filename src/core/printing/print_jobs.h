// The print jobs: the printer dialog step, which pages go out, the layout variant, the
// sheets of each command and the page breaks between them.
#pragma once

#include <functional>
#include <vector>

#include "core/printing/sheet_common.h"

class PrintSurface;
struct Workbook;

// The sheets of a print command (toolbar buttons 6 to 10).
enum class SheetKind { Dictation, Tracing, Reading, ThreeSheets, Sentence };

// The sheets a command draws for each page, in order: the three-sheet set is tracing,
// dictation and reading with an ordinary face, dictation, tracing and reading with an "@" face.
std::vector<SheetKind> sheetsOf(SheetKind kind, SheetLayout layout);

// One sheet (dictation, tracing, reading or sentence; a reading sheet as a two-sheet set takes
// two pages) in the given layout, without the tracing sheet's length check.
void drawSheet(PrintSurface& s, SheetKind sheet, SheetLayout layout, const SheetInput& in);

// Draws the command's sheets for one page, with page breaks between them and none after the
// last. A tracing sheet refused for a kanji word over ten characters leaves no page (the
// caller told the teacher before it began to print); the other sheets go on. False when no
// sheet was drawn, so the caller adds no page break for this page.
bool drawSheets(PrintSurface& s, SheetKind kind, const SheetInput& in);

// The print arrays of a stored page.
PrintPage printPageFromRecord(const Workbook& workbook, int pageIndex);

// Every page of the workbook in turn: loaded into the print arrays `page`, drawn with its own
// rows and followed by a page break (a page whose only sheet was refused has none). The
// document is not ended; `page` is left holding the last page.
void drawAllPages(PrintSurface& s, const Workbook& workbook, SheetKind kind, const SheetOptions& options,
                  PrintPage& page);

// drawAllPages, then the end of the document.
void printAllPages(PrintSurface& s, const Workbook& workbook, SheetKind kind, const SheetOptions& options);
