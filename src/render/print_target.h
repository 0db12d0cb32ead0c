// Where a job goes: a PDF file or a printer queue of the print system (CUPS). The command line
// and the benchmarks print through printToTarget, whatever they draw; every PDF file, the
// desktop's too (makePdfFileSurface), is written here.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "core/printing/job_title.h"

class PrintSurface;
class QPageLayout;

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

// A PDF file as a print surface, for a print the caller draws and ends (the desktop's PDF file
// standing in for a printer, or chosen in the printer dialog): the page as given, in the
// printable area of a common printer, with `title` (the whole job name) as the file's title.
// nullptr when the file cannot be written, found out now, not after the drawing. The file is
// made whole beside the path and takes the place of the one there as the document ends; a
// job that fails or is never ended leaves the old file.
std::unique_ptr<PrintSurface> makePdfFileSurface(const QString& path, const QString& title,
                                                 const QPageLayout& page);

// The queues of the print system (none without the printer module, printer_module.h).
QStringList printerQueues();
