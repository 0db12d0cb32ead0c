#include "printing/print_jobs.h"

#include "data/workbook.h"
#include "printing/dictation_sheet.h"
#include "printing/print_surface.h"
#include "printing/reading_sheet.h"
#include "printing/sentence_sheet.h"
#include "printing/tracing_sheet.h"

void drawSheets(PrintSurface& s, SheetKind kind, const SheetInput& in, Platform& platform) {
    const SheetLayout layout =
        layoutForFont(sheetFontName(in.options.statusFontName, in.page.fontName));
    switch (kind) {
    case SheetKind::Dictation: printDictationSheet(s, layout, in); break;
    case SheetKind::Tracing: printTracingSheet(s, layout, in, platform); break;
    case SheetKind::Reading: printReadingSheet(s, layout, in); break;
    case SheetKind::Sentence: printSentenceSheet(s, layout, in); break;
    case SheetKind::ThreeSheets:
        if (layout == SheetLayout::CharacterPlaced) {
            printTracingSheet(s, layout, in, platform);
            s.newPage();
            printDictationSheet(s, layout, in);
        } else {
            printDictationSheet(s, layout, in);
            s.newPage();
            printTracingSheet(s, layout, in, platform);
        }
        s.newPage();
        printReadingSheet(s, layout, in);
        break;
    }
}

PrintPage printPageFromRecord(const Workbook& wb, int pageIndex) {
    PrintPage pg;
    if (pageIndex < 0 || pageIndex >= kPageTableRows) return pg;
    const PageRecord& rec = wb.page(pageIndex);
    const auto field = [&](int r, SlotField f) { return rec[static_cast<size_t>(slotFieldIndex(r, f))]; };
    pg.heading = rec[kHeadingField];
    pg.fontName = rec[kFontField];
    for (int r = 1; r <= 10; ++r) {
        const size_t i = static_cast<size_t>(r);
        pg.before[i] = field(r, SlotField::Before);
        pg.kanji[i] = field(r, SlotField::Kanji);
        pg.reading[i] = field(r, SlotField::Reading);
        pg.after[i] = field(r, SlotField::After);
        pg.kanji2[i] = field(r, SlotField::Kanji2);
        pg.reading2[i] = field(r, SlotField::Reading2);
        pg.after2[i] = field(r, SlotField::After2);
    }
    return pg;
}

void printAllPages(PrintSurface& s, const Workbook& wb, SheetKind kind, const SheetOptions& options,
                   Platform& platform) {
    for (int p = 0; p < wb.pageCount; ++p) {
        const PrintPage page = printPageFromRecord(wb, p);
        drawSheets(s, kind, SheetInput{page, options, RowStates::fromPage(page)}, platform);
        s.newPage();
    }
    s.endDocument();
}
