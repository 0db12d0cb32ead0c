#include "render/pdf_output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <algorithm>

#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "core/platform.h"
#include "core/printing/job_title.h"
#include "core/printing/print_surface.h"
#include "core/printing/printable_area.h"
#include "core/printing/tracing_sheet.h"

void useCommonPrinterArea(QPagedPaintDevice& device) {
    QPageLayout layout = device.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF least = layout.minimumMargins();
    const double mm = kUnprintableMm;
    device.setPageMargins(QMarginsF(std::max(mm, least.left()), std::max(mm, least.top()),
                                    std::max(mm, least.right()), std::max(mm, least.bottom())),
                          QPageLayout::Millimeter);
}

std::optional<QString> readWorkbookToPrint(const QString& path, Workbook& wb, bool keepFirst201,
                                           int* pagesLeftOut) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("%1: ファイルが見つかりません").arg(path);
    if (!info.isFile()) return QStringLiteral("%1: ファイルではありません").arg(path);
    const QString abs = info.absoluteFilePath();
    if (!abs.endsWith(QLatin1String(".mojx")) && !abs.endsWith(QLatin1String(".moj")))
        return QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(path);
    if (isExampleFile(abs, QString(), programDataDirectory()))
        return QStringLiteral("%1: 例文ファイル base.moj です。問題ファイルではありません").arg(path);

    // The file is read and decoded once, by the reader, which refuses what it cannot read.
    wb.currentFilePath = abs;
    const ReadReport report = readProblemFile(wb, programDataDirectory());
    if (!report.errorMessage.isEmpty()) return report.errorMessage;
    if (report.fileNotFound) return QStringLiteral("%1: 読み込めませんでした").arg(path);
    if (report.pagesLeftOut > 0 && !keepFirst201)
        return QStringLiteral(
                   "%1: %2ページあり、問題ファイルに入る%3ページを超えるため、印刷しません"
                   "（--keep-first-201 を付けると最初の%3ページを印刷し、%4ページを除きます）")
            .arg(path)
            .arg(report.pagesRead + report.pagesLeftOut)
            .arg(kMaxPages)
            .arg(report.pagesLeftOut);
    if (pagesLeftOut) *pagesLeftOut = report.pagesLeftOut;
    wb.pageCount = report.pagesRead;
    if (wb.pageCount == 0) return QStringLiteral("%1: 問題ファイルにページがありません").arg(path);
    return std::nullopt;
}

QString workbookJobTitle(const Workbook& wb, SheetKind kind, PageSelection pages) {
    const QString sheet = kind == SheetKind::ThreeSheets ? sheetShortName(kind) : sheetTitle(kind);
    QString name = QFileInfo(wb.currentFilePath).completeBaseName();
    if (!pages.allPages) {
        const QString heading = printPageFromRecord(wb, pages.pageIndex).heading.trimmed();
        name = heading.isEmpty() ? QStringLiteral("%1頁").arg(pages.pageIndex + 1) : heading;
    }
    return sheetJobTitle(name, sheet);
}

WorkbookPrint printWorkbook(const Workbook& wb, SheetKind kind, const SheetOptions& options,
                            PageSelection pages, const PrintTarget& target) {
    WorkbookPrint result;
    if (wb.pageCount <= 0) {
        result.error = QStringLiteral("問題ファイルにページがありません");
        return result;
    }
    if (!pages.allPages && (pages.pageIndex < 0 || pages.pageIndex >= wb.pageCount)) {
        result.error = QStringLiteral("問題ファイルは%1ページです。%2ページ目はありません")
                           .arg(wb.pageCount)
                           .arg(pages.pageIndex + 1);
        return result;
    }
    const int first = pages.allPages ? 0 : pages.pageIndex;
    const int last = pages.allPages ? wb.pageCount - 1 : pages.pageIndex;

    // A tracing sheet refuses a page with a kanji word over ten characters; a job should not
    // come out with that page's sheet missing, so the whole job is refused.
    if (kind == SheetKind::Tracing || kind == SheetKind::ThreeSheets) {
        for (int p = first; p <= last; ++p) {
            if (const int row = firstTooLongRow(printPageFromRecord(wb, p))) {
                result.error = tracingRefusalOfPage(p, row);
                return result;
            }
        }
    }

    static_cast<PrintOutcome&>(result) =
        printToTarget(target, workbookJobTitle(wb, kind, pages), [&](PrintSurface& surface) {
            if (pages.allPages) {
                printAllPages(surface, wb, kind, options);
            } else {
                // The page on its own, with its own rows; no page break after it.
                const PrintPage page = printPageFromRecord(wb, pages.pageIndex);
                drawSheets(surface, kind, SheetInput{page, options, RowStates::fromPage(page)});
                surface.endDocument();
            }
        });
    if (!result.ok()) return result;

    for (int p = first; p <= last; ++p) {
        const PrintPage page = printPageFromRecord(wb, p);
        for (const OverlongRow& row :
             rowsRunningOffTheSheet(kind, SheetInput{page, options, RowStates::fromPage(page)}))
            result.overlong.push_back({p, row});
    }
    return result;
}
