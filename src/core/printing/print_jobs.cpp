#include "core/printing/print_jobs.h"

#include "core/data/workbook.h"
#include "core/printing/dictation_sheet.h"
#include "core/printing/grade_notes.h"
#include "core/printing/print_surface.h"
#include "core/printing/reading_sheet.h"
#include "core/printing/sentence_sheet.h"
#include "core/printing/tracing_sheet.h"

namespace {

// No sheet shows more of one text than a few dozen characters (a column holds some twenty, a
// heading is shrunk into its strip until a thousand characters are dots): what lies further
// runs off the paper. A text far longer is drawn as its first kMaxDrawnText characters, so a
// line of millions of characters prints as fast, and in as little memory, as a short one.
constexpr qsizetype kMaxDrawnText = 1024;

template <typename F>
void forEachText(PrintPage& page, F f) {
    f(page.heading);
    f(page.fontName);
    for (auto* texts :
         {&page.before, &page.kanji, &page.reading, &page.after, &page.kanji2, &page.reading2, &page.after2})
        for (QString& t : *texts) f(t);
}

bool holdsTextTooLongToDraw(const PrintPage& page) {
    bool found = false;
    forEachText(const_cast<PrintPage&>(page),
                [&](const QString& t) { found = found || t.size() > kMaxDrawnText; });
    return found;
}

}  // namespace

std::vector<SheetKind> sheetsOf(SheetKind kind, SheetLayout layout) {
    if (kind != SheetKind::ThreeSheets) return {kind};
    if (layout == SheetLayout::CharacterPlaced)
        return {SheetKind::Tracing, SheetKind::Dictation, SheetKind::Reading};
    return {SheetKind::Dictation, SheetKind::Tracing, SheetKind::Reading};
}

void drawSheet(PrintSurface& s, SheetKind sheet, SheetLayout layout, const SheetInput& in) {
    if (holdsTextTooLongToDraw(in.page)) {
        PrintPage drawn = in.page;
        forEachText(drawn, [](QString& t) { t.truncate(kMaxDrawnText); });
        drawSheet(s, sheet, layout, SheetInput{drawn, in.options, in.rows, in.notes});
        return;
    }
    // The grade options: furigana, kana in place of a leaking answer, the key's readings.
    if (!in.notes && needsGradeNotes(sheet, in.options)) {
        PrintPage printed;
        SheetNotes notes;
        prepareGradeNotes(sheet, in.page, in.rows, in.options, printed, notes);
        drawSheet(s, sheet, layout, SheetInput{printed, in.options, in.rows, &notes});
        return;
    }
    switch (sheet) {
    case SheetKind::Dictation: printDictationSheet(s, layout, in); break;
    case SheetKind::Tracing: drawTracingSheet(s, layout, in); break;
    case SheetKind::Reading: printReadingSheet(s, layout, in); break;
    case SheetKind::Sentence: printSentenceSheet(s, layout, in); break;
    case SheetKind::ThreeSheets: break;  // a set, not a sheet: drawSheets
    }
}

bool drawSheets(PrintSurface& s, SheetKind kind, const SheetInput& in) {
    const SheetLayout layout = layoutForFont(sheetFontName(in.options.statusFontName, in.page.fontName));
    bool drawn = false;
    for (SheetKind sheet : sheetsOf(kind, layout)) {
        // A refused tracing sheet leaves no page behind; the other sheets go on.
        if (sheet == SheetKind::Tracing && firstTooLongRow(in.page) != 0) continue;
        if (drawn) s.newPage();
        drawSheet(s, sheet, layout, in);
        drawn = true;
    }
    return drawn;
}

PrintPage printPageFromRecord(const Workbook& wb, int pageIndex) {
    PrintPage pg;
    if (pageIndex < 0 || static_cast<size_t>(pageIndex) >= wb.pageTable.size()) return pg;
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

void drawAllPages(PrintSurface& s, const Workbook& wb, SheetKind kind, const SheetOptions& options,
                  PrintPage& page) {
    for (int p = 0; p < wb.pageCount; ++p) {
        page = printPageFromRecord(wb, p);
        if (drawSheets(s, kind, SheetInput{page, options, RowStates::fromPage(page)})) s.newPage();
    }
}

void printAllPages(PrintSurface& s, const Workbook& wb, SheetKind kind, const SheetOptions& options) {
    PrintPage page;
    drawAllPages(s, wb, kind, options, page);
    s.endDocument();
}
