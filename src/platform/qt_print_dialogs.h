// The printer dialogs and the print preview, for the Qt platform.
#pragma once

#include <functional>
#include <memory>

class PrintSurface;
class QPrinter;
class QWidget;

// The print-setup form (printer, paper, orientation: QPageSetupDialog) or the print form
// (QPrintDialog). False when cancelled.
bool showPrinterDialog(QPrinter& printer, bool setupForm, QWidget* parent);
// A surface drawing on the printer.
std::unique_ptr<PrintSurface> makePrinterSurface(QPrinter& printer);
// A preview of what draw puts on a surface; printing from it runs draw on the printer.
void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw,
                      QWidget* parent);
