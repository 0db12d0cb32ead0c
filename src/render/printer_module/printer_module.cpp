// jirakubo_printer.so: printer queues through QPrinterInfo, jobs through QPrinter, and the
// print system's answer to the job from the CUPS library.
#include "render/printer_module.h"

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

// A paused queue ("cupsdisable QUEUE", or stopped by an error of the printer) takes jobs and
// keeps them until it is resumed, as lp does; the user hears that the job is waiting, and why
// the queue was paused when it says.
QString jobWaits(const QPagedPaintDevice* device) {
    const auto* printer = static_cast<const QPrinter*>(device);
    const QString name = printer->printerName();
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     name.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response) return {};
    QString notice;
    ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
    if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED) {
        notice = QStringLiteral(
                     "printer queue \"%1\" is paused: the job waits in the queue and prints when the "
                     "queue is resumed (cupsenable %1)")
                     .arg(name);
        ipp_attribute_t* message = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
        const char* why = message ? ippGetString(message, 0, nullptr) : nullptr;
        if (why && *why) notice += QStringLiteral("; the queue says: %1").arg(QString::fromUtf8(why));
    }
    ippDelete(response);
    return notice;
}

void close(QPagedPaintDevice* device) {
    delete static_cast<QPrinter*>(device);
}

const PrinterModuleApi kApi{kPrinterModuleVersion, queues, open, jobTaken, close, jobWaits};

}  // namespace

extern "C" Q_DECL_EXPORT const PrinterModuleApi* jirakubo_printer_module() {
    return &kApi;
}
