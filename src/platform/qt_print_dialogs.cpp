#include "qt_print_dialogs.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

#include "pdf_output.h"
#include "qt_print_surface.h"

bool showPrinterDialog(QPrinter& printer, bool setupForm, QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    // The sheets always print whole: no page range, selection or current page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    // Qt proposes a PDF file named after the job only on X11; elsewhere (Wayland) it offers
    // a bare folder. Name the file after the job there too.
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
        file && printer.outputFileName().isEmpty() && file->text().endsWith(u'/')) {
        QString name = printer.docName();
        name.replace(u'/', u'・');
        file->setText(file->text() + name + QStringLiteral(".pdf"));
    }
    if (setupForm) {
        dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    } else {
        dialog.setWindowTitle(QStringLiteral("印刷"));
    }
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

void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw, QWidget* parent) {
    givePdfAPrintableArea(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* p) {
        QtPrintSurface surface(*p);
        draw(surface);
        surface.endDocument();
    });
    // Large enough to read a sheet, and wide enough for the toolbar to show its print button
    // rather than hide it behind the extension arrow.
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        int width = available.width() * 8 / 10;
        if (const auto* bar = dialog.findChild<QToolBar*>())
            width = std::max(width, std::min(available.width(), bar->sizeHint().width() + 24));
        dialog.resize(width, available.height() * 8 / 10);
        dialog.move(available.center() - dialog.rect().center());
    }
    dialog.exec();
}
