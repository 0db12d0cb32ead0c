#include "core/windows/print_run.h"

#include <QDir>
#include <memory>

#include "core/platform.h"
#include "core/printing/job_title.h"
#include "core/printing/print_surface.h"

namespace {

const QString kPdfFilter = QStringLiteral("PDFファイル(*.pdf)|*.pdf|");

// The device of a print without a dialog: the system's default printer, else a PDF file the
// teacher names (nullptr when that is cancelled or cannot be written; `cancelled` tells which).
std::unique_ptr<PrintSurface> defaultDevice(Platform& p, const PrintRequest& request, const QString& job,
                                            bool& cancelled) {
    if (std::unique_ptr<PrintSurface> s = p.defaultPrinterSurface(job)) return s;
    const QString file = pdfFileNameOf(request.title.isEmpty() ? kProgramName : request.title);
    const std::optional<QString> path = p.showSave(kPdfFilter, 1, QDir(p.currentDirectory()).filePath(file));
    if (!path) {
        cancelled = true;
        return nullptr;
    }
    std::unique_ptr<PrintSurface> s = p.pdfFileSurface(*path, job);
    if (!s)
        p.messageBox(QStringLiteral("%1 に書き込めないため、印刷しませんでした。")
                         .arg(QDir::toNativeSeparators(*path)),
                     request.messageTitle, MessageButtons::Ok, MessageIcon::Warning);
    return s;
}

}  // namespace

PrintResult runPrint(Platform& platform, const PrintRequest& request,
                     const std::function<void(PrintSurface&)>& draw) {
    // The name goes with every request: the dialog proposes it for a PDF file.
    const QString job = printJobName(request.title);
    // A preview comes first; its print button asks for the printer.
    if (request.askPrinter && request.device != PrintDevice::Preview && !platform.showPrinter(false, job))
        return PrintResult::Cancelled;
    const auto reportFailure = [&] {
        platform.messageBox(kPrintFailedMessage, request.messageTitle, MessageButtons::Ok,
                            MessageIcon::Warning);
    };

    if (request.device == PrintDevice::Preview) {
        bool failed = false;
        platform.previewPrint(job, [&](PrintSurface& s) {
            draw(s);
            s.endDocument();
            // A print started from the preview that did not reach the printer.
            if (s.failed() && !failed) {
                failed = true;
                reportFailure();
            }
        });
        return failed ? PrintResult::Failed : PrintResult::Printed;
    }

    std::unique_ptr<PrintSurface> surface;
    if (request.device == PrintDevice::DefaultPrinter) {
        bool cancelled = false;
        surface = defaultDevice(platform, request, job, cancelled);
        if (cancelled) return PrintResult::Cancelled;
        // A PDF file that cannot be written has been reported already.
        if (!surface) return PrintResult::Failed;
    } else {
        surface = platform.printerSurface(job);
    }
    if (surface) {
        draw(*surface);
        surface->endDocument();
    }
    if (surface && !surface->failed()) return PrintResult::Printed;
    reportFailure();
    return PrintResult::Failed;
}
