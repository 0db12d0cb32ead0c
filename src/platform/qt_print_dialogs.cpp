#include "qt_print_dialogs.h"

#include "pdf_output.h"
#include "qt_print_surface.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

bool showPrinterDialog(QPrinter& printer, bool setupForm, QWidget* parent) {
    if (setupForm) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

namespace {

// Printing to a PDF file: the sheets' pitches fit a printer's printable area, so the file
// gets one.
void givePdfAPrintableArea(QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) useCommonPrinterArea(printer);
}

}  // namespace

std::unique_ptr<PrintSurface> makePrinterSurface(QPrinter& printer) {
    givePdfAPrintableArea(printer);
    return std::make_unique<QtPrintSurface>(printer);
}

void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw,
                      QWidget* parent) {
    givePdfAPrintableArea(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* p) {
        QtPrintSurface surface(*p);
        draw(surface);
        surface.endDocument();
    });
    dialog.exec();
}
