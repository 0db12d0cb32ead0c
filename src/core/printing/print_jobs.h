// The print jobs: the printer dialog step, which pages go out, the layout variant, the
// sheets of each command and the page breaks between them.
#pragma once

#include "printing/sheet_common.h"

#include <functional>

class Platform;
class PrintSurface;
struct Workbook;

// The sheets of a print command (toolbar buttons 6 to 10).
enum class SheetKind { Dictation = 6, Tracing = 7, Reading = 8, ThreeSheets = 9, Sentence = 10 };

// Draws the command's sheets for one page. The three-sheet set draws tracing, dictation and
// reading with an ordinary face, dictation, tracing and reading with an "@" face, with page
// breaks between them; there is no page break after the last sheet.
void drawSheets(PrintSurface& s, SheetKind kind, const SheetInput& in, Platform& platform);

// The print arrays of a stored page.
PrintPage printPageFromRecord(const Workbook& workbook, int pageIndex);

// Every page of the workbook, each with its own rows, each followed by a page break, then
// the end of the document.
void printAllPages(PrintSurface& s, const Workbook& workbook, SheetKind kind,
                   const SheetOptions& options, Platform& platform);
