// jirakubo_printer.so: printer queues through QPrinterInfo, jobs through QPrinter, and the
// print system's answer to the job from the CUPS library.
#include "printer_module.h"

#include <cups/cups.h>

#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString queueList() {
    return QStringLiteral("the queues are: %1")
        .arg(QPrinterInfo::availablePrinterNames().join(QStringLiteral(", ")));
}

QStringList queues() {
    return QPrinterInfo::availablePrinterNames();
}

QPagedPaintDevice* open(const QString& queue, const QString& jobName, QString* error) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        *error = QStringLiteral("no printer: the print system (CUPS) is not running or has no printer queue");
        return nullptr;
    }
    QPrinterInfo info;
    if (queue.isEmpty()) {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) *error = QStringLiteral("no default printer is set; %1").arg(queueList());
    } else {
        info = QPrinterInfo::printerInfo(queue);
        if (info.isNull()) *error = QStringLiteral("no printer queue \"%1\"; %2").arg(queue, queueList());
    }
    if (info.isNull()) return nullptr;
    auto* printer = new QPrinter(info, QPrinter::HighResolution);
    printer->setDocName(jobName);
    printer->setCreator(QStringLiteral("jirakubo"));
    return printer;
}

// Qt hands the job to CUPS when the painting ends and does not say whether CUPS took it; the
// CUPS library keeps its answer to that last request.
bool jobTaken(const QPagedPaintDevice* device, QString* error) {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return true;
    const auto* printer = static_cast<const QPrinter*>(device);
    *error = QStringLiteral("%1 did not take the job: %2")
                 .arg(printer->printerName(), QString::fromUtf8(cupsLastErrorString()));
    return false;
}

void close(QPagedPaintDevice* device) {
    delete static_cast<QPrinter*>(device);
}

const PrinterModuleApi kApi{kPrinterModuleVersion, queues, open, jobTaken, close};

}  // namespace

extern "C" Q_DECL_EXPORT const PrinterModuleApi* jirakubo_printer_module() {
    return &kApi;
}
