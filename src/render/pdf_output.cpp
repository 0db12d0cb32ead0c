#include "pdf_output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

#include "data/problem_files.h"
#include "data/workbook.h"
#include "printing/printable_area.h"
#include "printing/recording_surface.h"
#include "printing/tracing_sheet.h"
#include "qt_print_surface.h"
#include "quiet_platform.h"

namespace {

QString cannotWrite(const QString& path, const QSaveFile& file) {
    return QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString());
}

}  // namespace

void useCommonPrinterArea(QPagedPaintDevice& device) {
    const double mm = kUnprintableMm;
    device.setPageMargins(QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter);
}

std::optional<QString> readWorkbookToPrint(const QString& path, Workbook& wb) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("%1: no such file").arg(path);
    if (!info.isFile()) return QStringLiteral("%1: not a file").arg(path);
    const QString abs = info.absoluteFilePath();
    if (!abs.endsWith(QLatin1String(".mojx")) && !abs.endsWith(QLatin1String(".moj")))
        return QStringLiteral("%1: not a problem file (.mojx or .moj)").arg(path);
    if (isExampleFile(abs, QString(), QCoreApplication::applicationDirPath()))
        return QStringLiteral("%1: base.moj holds example sentences, not a workbook").arg(path);
    const TextFile probe = readCp932File(abs);
    if (probe.error != FileError::None) return probe.message;

    QuietPlatform quiet;
    wb.currentFilePath = abs;
    const ReadReport report = readProblemFile(wb, quiet);
    if (!report.errorMessage.isEmpty()) return report.errorMessage;
    if (report.fileNotFound) return QStringLiteral("%1: could not be read").arg(path);
    wb.pageCount = report.pagesRead;
    if (wb.pageCount == 0) return QStringLiteral("%1: the workbook has no pages").arg(path);
    // A print reads the pages only: the rest of the tables (some 6 MB) goes.
    wb.pageTable.resize(static_cast<size_t>(wb.pageCount));
    wb.pageTable.shrink_to_fit();
    std::vector<ExampleRecord>().swap(wb.exampleTable);
    return std::nullopt;
}

PdfResult printWorkbookToPdf(const Workbook& wb, SheetKind kind, const SheetOptions& options,
                             PageSelection pages, const QString& outputPath, const QString& tracePath) {
    PdfResult result;
    if (wb.pageCount <= 0) {
        result.error = QStringLiteral("the workbook has no pages");
        return result;
    }
    if (!pages.allPages && (pages.pageIndex < 0 || pages.pageIndex >= wb.pageCount)) {
        result.error = QStringLiteral("the workbook has %1 page(s); there is no page %2")
                           .arg(wb.pageCount)
                           .arg(pages.pageIndex + 1);
        return result;
    }

    // A tracing sheet refuses a page with a kanji word over ten characters; a file should not
    // come out with that page's sheet missing, so the whole job is refused.
    if (kind == SheetKind::Tracing || kind == SheetKind::ThreeSheets) {
        const int first = pages.allPages ? 0 : pages.pageIndex;
        const int last = pages.allPages ? wb.pageCount - 1 : pages.pageIndex;
        for (int p = first; p <= last; ++p) {
            if (const int row = firstTooLongRow(printPageFromRecord(wb, p))) {
                result.error = QStringLiteral(
                                   "page %1, row %2: %3 (the tracing sheet takes kanji words of up "
                                   "to ten characters)")
                                   .arg(p + 1)
                                   .arg(row)
                                   .arg(kTooLongMessage);
                return result;
            }
        }
    }

    QSaveFile pdf(outputPath);
    if (!pdf.open(QIODevice::WriteOnly)) {
        result.error = cannotWrite(outputPath, pdf);
        return result;
    }
    std::unique_ptr<QSaveFile> trace;
    if (!tracePath.isEmpty()) {
        trace = std::make_unique<QSaveFile>(tracePath);
        if (!trace->open(QIODevice::WriteOnly)) {
            pdf.cancelWriting();
            result.error = cannotWrite(tracePath, *trace);
            return result;
        }
    }

    QuietPlatform platform;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("jirakubo"));
        writer.setTitle(QFileInfo(wb.currentFilePath).completeBaseName());
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        useCommonPrinterArea(writer);
        QtPrintSurface device(writer);
        RecordingSurface recorder(&device);
        recorder.setKeepRecords(false);
        recorder.setTrace(trace.get());
        PrintSurface& surface = trace ? static_cast<PrintSurface&>(recorder) : device;

        if (pages.allPages) {
            printAllPages(surface, wb, kind, options, platform);
        } else {
            // The page on its own, with its own rows; no page break after it.
            const PrintPage page = printPageFromRecord(wb, pages.pageIndex);
            drawSheets(surface, kind, SheetInput{page, options, RowStates::fromPage(page)}, platform);
            surface.endDocument();
        }
        result.pages = device.pageCount();
    }
    if (result.pages == 0) {
        pdf.cancelWriting();
        if (trace) trace->cancelWriting();
        result.error = QStringLiteral("nothing to print");
        return result;
    }
    if (trace && !trace->commit()) {
        pdf.cancelWriting();
        result.error = cannotWrite(tracePath, *trace);
        return result;
    }
    if (!pdf.commit()) {
        result.error = cannotWrite(outputPath, pdf);
        return result;
    }

    const int first = pages.allPages ? 0 : pages.pageIndex;
    const int last = pages.allPages ? wb.pageCount - 1 : pages.pageIndex;
    for (int p = first; p <= last; ++p) {
        const PrintPage page = printPageFromRecord(wb, p);
        for (const OverlongRow& row :
             rowsRunningOffTheSheet(kind, SheetInput{page, options, RowStates::fromPage(page)}))
            result.overlong.push_back({p, row});
    }
    return result;
}
