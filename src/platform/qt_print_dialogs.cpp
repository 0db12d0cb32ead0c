#include "platform/qt_print_dialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

#include "core/printing/job_title.h"
#include "render/pdf_output.h"
#include "render/qt_print_surface.h"

namespace {

// The printer's choice of device: a queue of the print system, or a PDF file.
struct DeviceChoice {
    bool toFile = false;
    QString queue, file;

    static DeviceChoice of(const QPrinter& p) {
        return {p.outputFormat() == QPrinter::PdfFormat, p.printerName(), p.outputFileName()};
    }
    void applyTo(QPrinter& p) const {
        if (toFile) {
            p.setOutputFormat(QPrinter::PdfFormat);
            if (!file.isEmpty()) p.setOutputFileName(file);
        } else if (!queue.isEmpty()) {
            p.setPrinterName(queue);
        }
    }
};

// Texts of Qt's print dialog that its Japanese catalog leaves in English (Qt 6.4).
void translateLeftovers(QPrintDialog& dialog) {
    if (auto* duplex = dialog.findChild<QGroupBox*>(QStringLiteral("duplex")))
        duplex->setTitle(QStringLiteral("両面印刷"));
    const struct {
        const char* name;
        const char* text;
    } buttons[] = {{"noDuplex", "しない"},
                   {"duplexLong", "長辺とじ"},
                   {"duplexShort", "短辺とじ"},
                   {"pagesRadioButton", "ページ指定"}};
    for (const auto& b : buttons)
        if (auto* w = dialog.findChild<QAbstractButton*>(QString::fromLatin1(b.name)))
            w->setText(QString::fromUtf8(b.text));
    if (auto* pages = dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit")))
        pages->setToolTip(
            QStringLiteral("印刷するページをカンマで区切って入力します。"
                           "範囲はハイフンでつなぎます（例: 3,5-7,9 で 3, 5, 6, 7, 9 ページ）。"));
}

}  // namespace

void copyDeviceChoice(const QPrinter& from, QPrinter& to) {
    DeviceChoice::of(from).applyTo(to);
}

bool showPrinterDialog(QPrinter& printer, bool setupForm, QWidget* parent) {
    // Qt's dialog points the printer at the system's default queue as it is made, which would
    // lose the queue or PDF file chosen earlier in the session (and change it even when the
    // dialog is cancelled): put the choice back and show it.
    const DeviceChoice before = DeviceChoice::of(printer);
    QPrintDialog dialog(&printer, parent);
    before.applyTo(printer);
    // The sheets always print whole: no page range, selection or current page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    translateLeftovers(dialog);
    if (auto* queues = dialog.findChild<QComboBox*>(QStringLiteral("printers")); queues && !before.toFile) {
        // The PDF entry comes last when the dialog shows, and is chosen then for a PDF printer.
        if (const int i = queues->findText(before.queue); i >= 0) queues->setCurrentIndex(i);
    }
    if (auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"))) {
        // Each job proposes its own name ("2011字楽坊 - 1年 一・右 - 書き取り.pdf"), in the
        // folder of the PDF file chosen last. Qt proposes a file named after the job only on
        // X11; elsewhere (Wayland) it offers a bare folder.
        const QString name = printer.docName();
        if (!before.file.isEmpty()) {
            file->setText(name.isEmpty() ? before.file
                                         : QFileInfo(before.file).dir().filePath(pdfFileNameOf(name)));
        } else if (file->text().endsWith(u'/')) {
            file->setText(file->text() + pdfFileNameOf(name));
        } else if (!name.isEmpty()) {
            file->setText(QFileInfo(file->text()).dir().filePath(pdfFileNameOf(name)));
        }
    }
    if (setupForm) {
        dialog.setWindowTitle(QStringLiteral("プリンターの設定"));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(QStringLiteral("OK"));
    } else {
        dialog.setWindowTitle(QStringLiteral("印刷"));
    }
    if (dialog.exec() == QDialog::Accepted) return true;
    before.applyTo(printer);  // a cancel changes nothing
    return false;
}

namespace {

// The surface on a printer also fails when the printer ends the job in its error state.
class PrinterSurface : public QtPrintSurface {
public:
    explicit PrinterSurface(QPrinter& printer) : QtPrintSurface(printer), printer_(printer) {}
    bool failed() const override {
        return QtPrintSurface::failed() || printer_.printerState() == QPrinter::Error;
    }

private:
    QPrinter& printer_;
};

}  // namespace

std::unique_ptr<PrintSurface> makePrinterSurface(QPrinter& printer) {
    // The sheets' pitches fit a printer's printable area: a PDF file gets the one of a common
    // printer, a printer the same one (or its own where it cannot print that close to the
    // edge), as the command line prints them.
    useCommonPrinterArea(printer);
    return std::make_unique<PrinterSurface>(printer);
}

void showPrintPreview(QPrinter& printer, const std::function<void(PrintSurface&)>& draw, QWidget* parent,
                      const std::function<bool(QWidget* preview)>& printFromPreview) {
    useCommonPrinterArea(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    // The print button shows the program's print dialog once (its PDF name, its choices kept
    // for the next print) instead of Qt's own, then prints and closes the preview.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        for (QAction* a : bar->actions()) {
            if (a->text() != print) continue;
            QObject::disconnect(a, &QAction::triggered, &dialog, nullptr);
            QObject::connect(a, &QAction::triggered, &dialog, [&dialog, printFromPreview] {
                if (printFromPreview(&dialog)) dialog.accept();
            });
        }
    }
    // The fields of the toolbar are named for a screen reader by what they hold.
    for (QComboBox* zoom : dialog.findChildren<QComboBox*>()) {
        zoom->setAccessibleName(QStringLiteral("倍率"));
        if (QLineEdit* edit = zoom->lineEdit()) edit->setAccessibleName(QStringLiteral("倍率"));
    }
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (!qobject_cast<QComboBox*>(edit->parentWidget()))
            edit->setAccessibleName(QStringLiteral("ページ番号"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&draw](QPrinter* p) {
        PrinterSurface surface(*p);
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
