#include "render/print_target.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPageLayout>
#include <QPdfWriter>
#include <memory>

#include "core/data/atomic_file.h"
#include "core/printing/job_title.h"
#include "core/printing/recording_surface.h"
#include "render/pdf_output.h"
#include "render/printer_module.h"
#include "render/qt_print_surface.h"

namespace {

using Draw = std::function<void(PrintSurface&)>;

QString cannotWrite(const QString& path, const AtomicFile& file) {
    return QStringLiteral("%1: 書き込めません。").arg(path) + file.errorString();
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
        file_ = std::make_unique<AtomicFile>(path);
        if (file_->open(QIODevice::WriteOnly)) return std::nullopt;
        const QString message = cannotWrite(path, *file_);
        file_.reset();
        return message;
    }
    QIODevice* device() const { return file_.get(); }
    void cancel() {
        if (file_) file_->cancel();
    }
    std::optional<QString> finish() {
        if (!file_ || file_->finishWriting()) return std::nullopt;
        return cannotWrite(file_->fileName(), *file_);
    }
    std::optional<QString> commit() {
        if (!file_ || file_->commit()) return std::nullopt;
        return cannotWrite(file_->fileName(), *file_);
    }

private:
    std::unique_ptr<AtomicFile> file_;
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

// The writer of every PDF file: the program as its creator, the job's name as its title, at
// 1200 dpi.
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice* file, const QString& title) {
    auto writer = std::make_unique<QPdfWriter>(file);
    writer->setCreator(QStringLiteral("jirakubo"));
    writer->setTitle(title);
    writer->setResolution(1200);
    return writer;
}

// A print surface that owns its device: the device is made first and outlives the surface.
struct PdfDeviceHolder {
    std::unique_ptr<AtomicFile> file;  // outlives the writer and the painter writing into it
    std::unique_ptr<QPdfWriter> writer;
};

// A PDF file behind a surface: written aside and put in place when the job ends well.
class PdfFileSurface : private PdfDeviceHolder, public QtPrintSurface {
public:
    PdfFileSurface(std::unique_ptr<AtomicFile> f, std::unique_ptr<QPdfWriter> w)
        : PdfDeviceHolder{std::move(f), std::move(w)}, QtPrintSurface(*this->writer) {}
    // A job never ended leaves the file that was there: the temporary file is dropped.
    void endDocument() override {
        QtPrintSurface::endDocument();
        if (ended_) return;
        ended_ = true;
        // The commit checks every write and the sync: a full disk keeps the old file.
        committed_ = !QtPrintSurface::failed() && pageCount() > 0 && file->commit();
        if (!committed_) file->cancel();
    }
    bool failed() const override { return QtPrintSurface::failed() || (ended_ && !committed_); }

private:
    bool ended_ = false, committed_ = false;
};

PrintOutcome writePdf(const QString& output, const QString& tracePath, const QString& title,
                      const Draw& draw) {
    AtomicFile pdf(output);
    if (!pdf.open(QIODevice::WriteOnly)) return failed(cannotWrite(output, pdf));
    TraceFile trace;
    if (const auto error = trace.open(tracePath)) {
        pdf.cancel();
        return failed(*error);
    }
    PrintOutcome outcome;
    outcome.pages = drawOn(*pdfWriter(&pdf, title), trace.device(), draw);
    if (outcome.pages == 0) {
        pdf.cancel();
        trace.cancel();
        return failed(QStringLiteral("印刷するものがありません"));
    }
    // Both files whole on the disk before either replaces anything.
    if (!pdf.finishWriting()) {
        trace.cancel();
        return failed(cannotWrite(output, pdf));
    }
    if (const auto error = trace.finish()) {
        pdf.cancel();
        return failed(*error);
    }
    if (!pdf.commit()) {
        trace.cancel();
        return failed(cannotWrite(output, pdf));
    }
    if (const auto error = trace.commit()) return failed(*error);
    return outcome;
}

// The printer module, loaded on first use and kept; nullptr and a message when it cannot be.
const PrinterModuleApi* printerModule(QString* error) {
    static const PrinterModuleApi* api = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        // Next to the program (build tree), then where it is installed relative to the program.
        const QDir programDir(QCoreApplication::applicationDirPath());
        const QStringList places{programDir.filePath(QStringLiteral("jirakubo_printer.so")),
                                 QDir::cleanPath(programDir.filePath(QStringLiteral(
                                     JIRAKUBO_PRINTER_MODULE_FROM_BINDIR "/jirakubo_printer.so")))};
        QStringList problems;
        for (const QString& place : places) {
            if (!QFileInfo::exists(place)) continue;
            QLibrary library(place);
            const auto entry = reinterpret_cast<PrinterModuleEntry>(library.resolve(kPrinterModuleEntry));
            const PrinterModuleApi* candidate = entry ? entry() : nullptr;
            if (candidate && candidate->version == kPrinterModuleVersion) {
                api = candidate;
                break;
            }
            problems << (entry ? QStringLiteral("%1: 版が違います").arg(library.fileName())
                               : library.errorString());
        }
        if (!api)
            failure =
                QStringLiteral("プリンターに印刷するには jirakubo_printer.so が必要ですが、%1")
                    .arg(problems.isEmpty()
                             ? QStringLiteral("このプログラムと一緒にインストールされていません（%1）")
                                   .arg(places.join(QStringLiteral("、")))
                             : QStringLiteral("読み込めません: ") + problems.join(QStringLiteral("; ")));
    }
    if (!api && error) *error = failure;
    return api;
}

PrintOutcome printOnPrinter(const QString& queue, const QString& tracePath, const QString& title,
                            const Draw& draw) {
    QString error;
    const PrinterModuleApi* printers = printerModule(&error);
    if (!printers) return failed(error);
    const std::unique_ptr<QPagedPaintDevice, void (*)(QPagedPaintDevice*)> printer(
        printers->open(queue, kJobNamePrefix + title, &error), printers->close);
    if (!printer) return failed(error);
    TraceFile trace;
    if (const auto traceError = trace.open(tracePath)) return failed(*traceError);

    // The print system takes the job when the drawing ends the document.
    PrintOutcome outcome;
    outcome.pages = drawOn(*printer, trace.device(), draw);
    if (outcome.pages == 0) {
        trace.cancel();
        return failed(QStringLiteral("印刷するものがありません"));
    }
    if (!printers->jobTaken(printer.get(), &error)) {
        trace.cancel();
        return failed(error);
    }
    outcome.notice = printers->jobWaits(printer.get());
    // The job is printing; a trace that cannot be written does not call it back.
    if (const auto traceError = trace.commit()) return failed(*traceError);
    return outcome;
}

}  // namespace

PrintOutcome printToTarget(const PrintTarget& target, const QString& title, const Draw& draw) {
    const QString shortTitle = shortJobTitle(title, kJobTitleChars);
    if (target.toPrinter()) return printOnPrinter(*target.printer, target.tracePath, shortTitle, draw);
    return writePdf(target.pdfPath, target.tracePath, shortTitle, draw);
}

std::unique_ptr<PrintSurface> makePdfFileSurface(const QString& path, const QString& title,
                                                 const QPageLayout& page) {
    auto file = std::make_unique<AtomicFile>(path);
    if (!file->open(QIODevice::WriteOnly)) return nullptr;
    std::unique_ptr<QPdfWriter> writer = pdfWriter(file.get(), title);
    writer->setPageLayout(page);
    useCommonPrinterArea(*writer);
    return std::make_unique<PdfFileSurface>(std::move(file), std::move(writer));
}

QStringList printerQueues() {
    const PrinterModuleApi* printers = printerModule(nullptr);
    return printers ? printers->queues() : QStringList();
}
