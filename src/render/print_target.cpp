#include "print_target.h"

#include <cups/cups.h>

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <memory>

#include "pdf_output.h"
#include "printing/recording_surface.h"
#include "qt_print_surface.h"

namespace {

using Draw = std::function<void(PrintSurface&)>;

QString cannotWrite(const QString& path, const QSaveFile& file) {
    return QStringLiteral("%1: cannot write (%2)").arg(path, file.errorString());
}

PrintOutcome failed(const QString& message) {
    return PrintOutcome{message, 0};
}

// The trace file of a job, replaced only when the job went well.
class TraceFile {
public:
    // A message when the file cannot be opened; nothing to do without a path.
    std::optional<QString> open(const QString& path) {
        if (path.isEmpty()) return std::nullopt;
        file_ = std::make_unique<QSaveFile>(path);
        if (file_->open(QIODevice::WriteOnly)) return std::nullopt;
        const QString message = cannotWrite(path, *file_);
        file_.reset();
        return message;
    }
    QIODevice* device() const { return file_.get(); }
    void cancel() {
        if (file_) file_->cancelWriting();
    }
    std::optional<QString> commit() {
        if (!file_ || file_->commit()) return std::nullopt;
        return cannotWrite(file_->fileName(), *file_);
    }

private:
    std::unique_ptr<QSaveFile> file_;
};

// A4 portrait in the common printable area, then the drawing; the pages begun. The drawing
// goes through a recorder that writes every call to the trace when there is one.
int drawOn(QPagedPaintDevice& device, QIODevice* trace, const Draw& draw) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    useCommonPrinterArea(device);
    QtPrintSurface surface(device);
    RecordingSurface recorder(&surface);
    recorder.setKeepRecords(false);
    recorder.setTrace(trace);
    draw(trace ? static_cast<PrintSurface&>(recorder) : surface);
    return surface.pageCount();
}

PrintOutcome writePdf(const QString& output, const QString& tracePath, const QString& title,
                      const Draw& draw) {
    QSaveFile pdf(output);
    if (!pdf.open(QIODevice::WriteOnly)) return failed(cannotWrite(output, pdf));
    TraceFile trace;
    if (const auto error = trace.open(tracePath)) {
        pdf.cancelWriting();
        return failed(*error);
    }
    PrintOutcome outcome;
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("jirakubo"));
        writer.setTitle(title);
        writer.setResolution(1200);
        outcome.pages = drawOn(writer, trace.device(), draw);
    }
    if (outcome.pages == 0) {
        pdf.cancelWriting();
        trace.cancel();
        return failed(QStringLiteral("nothing to print"));
    }
    if (const auto error = trace.commit()) {
        pdf.cancelWriting();
        return failed(*error);
    }
    if (!pdf.commit()) return failed(cannotWrite(output, pdf));
    return outcome;
}

QString queueList() {
    return QStringLiteral("the queues are: %1").arg(printerQueues().join(QStringLiteral(", ")));
}

// The printer of a queue name (empty: the default printer); a message when the print system
// has no such queue.
std::optional<QString> findPrinter(const QString& queue, QPrinterInfo& info) {
    if (printerQueues().isEmpty())
        return QStringLiteral("no printer: the print system (CUPS) is not running or has no printer queue");
    if (queue.isEmpty()) {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) return QStringLiteral("no default printer is set; %1").arg(queueList());
        return std::nullopt;
    }
    info = QPrinterInfo::printerInfo(queue);
    if (info.isNull()) return QStringLiteral("no printer queue \"%1\"; %2").arg(queue, queueList());
    return std::nullopt;
}

PrintOutcome printOnPrinter(const QString& queue, const QString& tracePath, const QString& title,
                            const Draw& draw) {
    QPrinterInfo info;
    if (const auto error = findPrinter(queue, info)) return failed(*error);
    TraceFile trace;
    if (const auto error = trace.open(tracePath)) return failed(*error);

    PrintOutcome outcome;
    {
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(kJobNamePrefix + title);
        printer.setCreator(QStringLiteral("jirakubo"));
        // The print system takes the job when the drawing ends the document. Qt does not say
        // whether it was taken: the print system's answer to the last request does.
        outcome.pages = drawOn(printer, trace.device(), draw);
        if (outcome.pages > 0 && cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
            trace.cancel();
            return failed(QStringLiteral("%1 did not take the job: %2")
                              .arg(info.printerName(), QString::fromUtf8(cupsLastErrorString())));
        }
    }
    if (outcome.pages == 0) {
        trace.cancel();
        return failed(QStringLiteral("nothing to print"));
    }
    // The job is printing; a trace that cannot be written does not call it back.
    if (const auto error = trace.commit()) return failed(*error);
    return outcome;
}

}  // namespace

PrintOutcome printToTarget(const PrintTarget& target, const QString& title, const Draw& draw) {
    if (target.toPrinter()) return printOnPrinter(*target.printer, target.tracePath, title, draw);
    return writePdf(target.pdfPath, target.tracePath, title, draw);
}

QStringList printerQueues() {
    return QPrinterInfo::availablePrinterNames();
}

QString defaultPrinterQueue() {
    return QPrinterInfo::defaultPrinterName();
}
