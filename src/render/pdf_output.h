// Worksheets of a workbook printed to a PDF file or a printer: the command line and the
// benchmarks print through here.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "core/printing/overlong_rows.h"
#include "core/printing/print_jobs.h"
#include "render/print_target.h"

class QPagedPaintDevice;
struct Workbook;

// Reads a problem file (.mojx or .moj, not base.moj) to print it, as opening it would; a
// message when it cannot be read or has no pages. A file of more pages than a workbook holds
// is refused unless keepFirst201, which keeps the first 201 (*pagesLeftOut says how many
// pages were left out). The workbook holds the pages read and nothing else.
std::optional<QString> readWorkbookToPrint(const QString& path, Workbook& workbook, bool keepFirst201 = false,
                                           int* pagesLeftOut = nullptr);

// Every page of the workbook, or one page (index from 0).
struct PageSelection {
    bool allPages = false;
    int pageIndex = 0;

    static PageSelection all() { return {true, 0}; }
    static PageSelection page(int index) { return {false, index}; }
};

struct WorkbookPrint : PrintOutcome {
    // A row of a page (index from 0) whose texts run past the frame of a sheet; it printed all
    // the same.
    struct Overlong {
        int pageIndex = 0;
        OverlongRow row;
    };
    std::vector<Overlong> overlong;
};

// Draws the sheets of `kind` for the selected pages on the target (printToTarget: A4 in the
// printable area of a common printer), every page with its own rows (a row shows its second
// word when the page has one), as the all-pages batch prints them, and lists the rows that
// run off their sheet. On failure the result carries the message, nothing is printed and no
// file is written. A tracing sheet (or three-sheet set) over a page with a kanji word of
// more than ten characters, which the tracing sheet refuses, fails the whole job.
WorkbookPrint printWorkbook(const Workbook& workbook, SheetKind kind, const SheetOptions& options,
                            PageSelection pages, const PrintTarget& target);

// The title of such a job: the page's heading (the workbook's file name for every page) and
// the sheet, "三年一組　漢字テスト - テスト・漢字書き取り".
QString workbookJobTitle(const Workbook& workbook, SheetKind kind, PageSelection pages);

// Gives a device the printable area of a common printer: 5 mm it does not print on every side
// of the paper, or more where the device itself cannot print that close to the edge; the
// sheets' coordinates from its top-left corner. A device without margins of its own (a PDF
// file) gets exactly the 5 mm.
void useCommonPrinterArea(QPagedPaintDevice& device);
