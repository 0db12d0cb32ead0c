#include "sheet_pdf.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

#include "printing/recording_surface.h"
#include "qt_print_surface.h"

std::optional<QString> writeSheetPdf(const QString& output, const QString& trace, const QString& title,
                                     const std::function<void(PrintSurface&)>& draw) {
    QSaveFile pdf(output);
    if (!pdf.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: cannot write (%2)").arg(output, pdf.errorString());
    std::unique_ptr<QSaveFile> traceFile;
    if (!trace.isEmpty()) {
        traceFile = std::make_unique<QSaveFile>(trace);
        if (!traceFile->open(QIODevice::WriteOnly)) {
            pdf.cancelWriting();
            return QStringLiteral("%1: cannot write (%2)").arg(trace, traceFile->errorString());
        }
    }
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("jirakubo"));
        writer.setTitle(title);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter));
        QtPrintSurface device(writer);
        RecordingSurface recorder(&device);
        recorder.setKeepRecords(false);
        recorder.setTrace(traceFile.get());
        draw(traceFile ? static_cast<PrintSurface&>(recorder) : device);
        if (device.pageCount() == 0) {
            pdf.cancelWriting();
            if (traceFile) traceFile->cancelWriting();
            return QStringLiteral("nothing to print");
        }
    }
    if (traceFile && !traceFile->commit()) {
        pdf.cancelWriting();
        return QStringLiteral("%1: cannot write (%2)").arg(trace, traceFile->errorString());
    }
    if (!pdf.commit()) return QStringLiteral("%1: cannot write (%2)").arg(output, pdf.errorString());
    return std::nullopt;
}
