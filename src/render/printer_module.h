// The printer support that jirakubo_render loads only when a job goes to a printer queue.
// QPrinter and the CUPS library bring in QtPrintSupport, QtWidgets, QtDBus and libcups (some
// 6 MB resident and a few milliseconds at every start) that a PDF job never needs, so they
// live in the module jirakubo_printer.so, next to the programs in the build tree and in
// LIBDIR/jirakubo when installed.
#pragma once

#include <QString>
#include <QStringList>

class QPagedPaintDevice;

struct PrinterModuleApi {
    int version;
    // The queues of the print system.
    QStringList (*queues)();
    // A printer for the queue (empty: the default printer) whose job carries jobName; nullptr
    // and a message when the print system has no such queue.
    QPagedPaintDevice* (*open)(const QString& queue, const QString& jobName, QString* error);
    // Once the painting on the printer has ended: false and a message when the print system
    // did not take the job.
    bool (*jobTaken)(const QPagedPaintDevice* printer, QString* error);
    void (*close)(QPagedPaintDevice* printer);
    // After the job was taken: a sentence when the queue holds it instead of printing it (the
    // queue is paused), else nothing.
    QString (*jobWaits)(const QPagedPaintDevice* printer);
};

inline constexpr int kPrinterModuleVersion = 2;
inline constexpr char kPrinterModuleEntry[] = "jirakubo_printer_module";
using PrinterModuleEntry = const PrinterModuleApi* (*)();
