// How a print started in a window reaches the paper. Every sheet, book, list and paper the
// windows print goes this one way: the job is named (printJobName), the printer dialog asks
// (when the print has one), the device is asked for under the job's name, the drawing runs
// and the document ends, and a device that could not print is reported to the teacher.
#pragma once

#include <QString>
#include <functional>

#include "core/message_titles.h"
#include "core/printing/job_title.h"

class Platform;
class PrintSurface;

// The message shown when a print could not start or did not finish.
inline const QString kPrintFailedMessage = QStringLiteral(
    "印刷できませんでした。\n"
    "プリンターの電源と接続（PDFファイルに出力するときは保存先のフォルダー）を確かめて、"
    "もう一度印刷してください。");

enum class PrintDevice {
    Printer,         // the printer chosen in the printer dialog (the system's default at first)
    Preview,         // a print preview, printed from by the teacher
    DefaultPrinter,  // the system's default printer; without one, a PDF file the teacher names
};

struct PrintRequest {
    // The job as the command line names it ("漢字練習帳 学", "罫線用紙", "三年一組 - 書き取り",
    // job_title.h); in the queue and as the PDF title it is printJobName(title).
    QString title;
    // The printer dialog first; a cancel there prints nothing.
    bool askPrinter = true;
    PrintDevice device = PrintDevice::Printer;
    // The title of the message boxes of this print.
    QString messageTitle = kConfirmTitle;
};

enum class PrintResult { Printed, Cancelled, Failed };

// Runs the print: draw puts the job on the surface (it may add pages), then the document
// ends. Cancelled: the printer dialog (or the PDF file's name) was cancelled and nothing was
// drawn. Failed: the device could not start or finish the job; the teacher has been told.
PrintResult runPrint(Platform& platform, const PrintRequest& request,
                     const std::function<void(PrintSurface&)>& draw);
