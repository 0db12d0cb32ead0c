#include "qt_print_dialogs.h"

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

std::unique_ptr<PrintSurface> makePrinterSurface(QPrinter& printer) {
    return std::make_unique<QtPrintSurface>(printer);
}

void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw,
                      QWidget* parent) {
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* p) {
        QtPrintSurface surface(*p);
        draw(surface);
        surface.endDocument();
    });
    dialog.exec();
}
