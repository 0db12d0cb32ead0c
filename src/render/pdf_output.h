// Worksheets of a workbook printed to a PDF file: the command line and the benchmarks print
// through here.
#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "printing/overlong_rows.h"
#include "printing/print_jobs.h"

class QPagedPaintDevice;
struct Workbook;

// Reads a problem file (.mojx or .moj, not base.moj) to print it, as opening it would; a
// message when it cannot be read or has no pages. The workbook keeps its pages and nothing
// else: no room for more pages and no example table, which printing does not use.
std::optional<QString> readWorkbookToPrint(const QString& path, Workbook& workbook);

// Every page of the workbook, or one page (index from 0).
struct PageSelection {
    bool allPages = false;
    int pageIndex = 0;

    static PageSelection all() { return {true, 0}; }
    static PageSelection page(int index) { return {false, index}; }
};

struct PdfResult {
    // A row of a page (index from 0) whose texts run past the frame of a sheet; it printed all
    // the same.
    struct Overlong {
        int pageIndex = 0;
        OverlongRow row;
    };

    QString error;  // empty when the file was written
    int pages = 0;  // pages in the file
    std::vector<Overlong> overlong;

    bool ok() const { return error.isEmpty(); }
};

// Draws the sheets of `kind` for the selected pages into a new A4 PDF file at outputPath, in
// the printable area of a common printer (below), every page with its own rows (a row shows
// its second word when the page has one), as the all-pages batch prints them, and lists the
// rows that run off their sheet. With a tracePath every surface call also goes there as one
// line of JSON. On failure the result carries the message and neither file is written: a
// file already at either path stays as it was. A tracing sheet (or three-sheet set) over a
// page with a kanji word of more than ten characters, which the tracing sheet refuses, fails
// the whole job.
PdfResult printWorkbookToPdf(const Workbook& workbook, SheetKind kind, const SheetOptions& options,
                             PageSelection pages, const QString& outputPath, const QString& tracePath = {});

// Gives a device without margins of its own (a PDF file, a printer printing to a PDF file) the
// printable area of a common printer: 5 mm it does not print on every side of the paper, the
// sheets' coordinates from its top-left corner.
void useCommonPrinterArea(QPagedPaintDevice& device);
