// jirakubo_printer.so: printer queues through QPrinterInfo, jobs through QPrinter, and the
// print system's answer to the job from the CUPS library.
#include "printer_module.h"

#include <cups/cups.h>

#include <QPrinter>
#include <QPrinterInfo>

namespace {

QString queueList() {
    return QStringLiteral("使えるプリンターは %1 です")
        .arg(QPrinterInfo::availablePrinterNames().join(QStringLiteral("、")));
}

QStringList queues() {
    return QPrinterInfo::availablePrinterNames();
}

QPagedPaintDevice* open(const QString& queue, const QString& jobName, QString* error) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        *error = QStringLiteral(
            "プリンターがありません。印刷システム（CUPS）が動いていないか、プリンターが登録されていません");
        return nullptr;
    }
    QPrinterInfo info;
    if (queue.isEmpty()) {
        info = QPrinterInfo::defaultPrinter();
        if (info.isNull())
            *error = QStringLiteral("通常使うプリンターが決められていません。%1").arg(queueList());
    } else {
        info = QPrinterInfo::printerInfo(queue);
        if (info.isNull())
            *error = QStringLiteral("「%1」というプリンターはありません。%2").arg(queue, queueList());
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
    QString reason;
    switch (cupsLastError()) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        reason = QStringLiteral("印刷を受け付けない設定になっています");
        break;
    case IPP_STATUS_ERROR_NOT_FOUND: reason = QStringLiteral("プリンターが見つかりません"); break;
    case IPP_STATUS_ERROR_NOT_AUTHORIZED:
    case IPP_STATUS_ERROR_FORBIDDEN:
        reason = QStringLiteral("このプリンターに印刷する権限がありません");
        break;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE: reason = QStringLiteral("印刷システムが応答しません"); break;
    default: reason = QString::fromUtf8(cupsLastErrorString()); break;
    }
    *error = QStringLiteral("%1 が印刷を受け付けませんでした: %2").arg(printer->printerName(), reason);
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
