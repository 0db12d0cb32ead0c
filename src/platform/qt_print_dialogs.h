// The printer dialogs and the print preview, for the Qt platform.
#pragma once

#include <functional>
#include <memory>

class PrintSurface;
class QPrinter;
class QWidget;

// The print dialog (QPrintDialog): the printer (every queue of the print system, or a PDF
// file), and through its properties the paper and orientation. The print form says "印刷";
// the setup form ("設定変更": choosing the printer for the prints to come) is titled
// "プリンターの設定" and says "OK". False when cancelled.
bool showPrinterDialog(QPrinter& printer, bool setupForm, QWidget* parent);
// Points `to` at the queue or PDF file `from` prints to.
void copyDeviceChoice(const QPrinter& from, QPrinter& to);
// A surface drawing on the printer.
std::unique_ptr<PrintSurface> makePrinterSurface(QPrinter& printer);
// A preview of what draw puts on a surface, opened at 80% of the screen (wide enough for its
// whole toolbar where the screen allows). Its print button runs printFromPreview (which shows
// the print dialog once and prints), and the preview closes when that returns true.
void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw, QWidget* parent,
                      const std::function<bool(QWidget* preview)>& printFromPreview);
