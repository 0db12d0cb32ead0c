// Where a job drawn without widgets goes: a PDF file or a printer queue of the print system
// (CUPS). The command line and the benchmarks print through here, whatever they draw.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "core/message_titles.h"

class PrintSurface;

// The program's name in front of every job name in a printer queue.
inline const QString kJobNamePrefix = kProgramName + QStringLiteral(" - ");

struct PrintTarget {
    QString pdfPath;                 // the PDF file to write, or
    std::optional<QString> printer;  // the queue to print on; an empty name: the default printer
    QString tracePath;               // when set, every surface call also goes here as JSON

    static PrintTarget pdfFile(const QString& path, const QString& trace = {}) { return {path, {}, trace}; }
    static PrintTarget printerQueue(const QString& queue, const QString& trace = {}) {
        return {{}, queue, trace};
    }
    static PrintTarget defaultPrinter(const QString& trace = {}) { return {{}, QString(), trace}; }
    bool toPrinter() const { return printer.has_value(); }
};

struct PrintOutcome {
    QString error;   // empty when the job was written or taken by the print system
    int pages = 0;   // pages of the job
    QString notice;  // a job taken that will not print yet: the queue is paused

    bool ok() const { return error.isEmpty(); }
};

// Runs `draw` once on a surface for the target; draw ends the document itself. The job is
// A4 in the printable area of a common printer (useCommonPrinterArea).
//
// A PDF file gets `title` as its title and embedded fonts. A printer gets the job under the
// name kJobNamePrefix + title. With a tracePath every surface call also goes there as one
// line of JSON Lines.
//
// On failure (a file that cannot be written, no print system, an unknown queue, a queue that
// refuses the job, nothing drawn) the outcome carries a message, no job is printed and
// neither file is written: a file already at either path stays as it was. (A trace that
// cannot be saved after the print system took the job is reported; the job prints.) A queue
// that takes the job but holds it (paused) is no failure: the notice says the job waits.
PrintOutcome printToTarget(const PrintTarget& target, const QString& title,
                           const std::function<void(PrintSurface&)>& draw);

// The queues of the print system (none without the printer module, printer_module.h).
QStringList printerQueues();
