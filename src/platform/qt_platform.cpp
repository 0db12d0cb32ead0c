#include "platform/qt_platform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include "core/message_titles.h"
#include "core/printing/print_surface.h"
#include "core/windows/print_run.h"
#include "platform/font_chooser.h"
#include "platform/qt_print_dialogs.h"
#include "render/bgr_color.h"
#include "render/pdf_output.h"
#include "render/print_target.h"
#include "render/qt_print_surface.h"

QString toQtNameFilter(const QString& filter) {
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty() && parts[i + 1].isEmpty()) continue;
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << parts[i] + QStringLiteral(" (") + patterns + u')';
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

// A print surface that owns its device: the device is made first and outlives the surface.
template <typename Device>
struct DeviceHolder {
    explicit DeviceHolder(std::unique_ptr<Device> d) : device(std::move(d)) {}
    std::unique_ptr<Device> device;
};

template <typename Device>
class OwningPrintSurface : private DeviceHolder<Device>, public QtPrintSurface {
public:
    explicit OwningPrintSurface(std::unique_ptr<Device> d)
        : DeviceHolder<Device>(std::move(d)), QtPrintSurface(*this->device) {}
};

// The name a job carries in the printer queue: the program's name when it has none.
QString jobNameOrProgram(const QString& jobName) {
    return jobName.isEmpty() ? kProgramName : jobName;
}

// The first pattern of a "description|pattern|" filter, as a default suffix ("*.pdf": pdf).
QString defaultSuffixOf(const QString& filter) {
    const QString pattern = filter.section(u'|', 1, 1).section(u';', 0, 0);
    return pattern.startsWith(QLatin1String("*.")) ? pattern.mid(2) : QStringLiteral("mojx");
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

MessageAnswer QtPlatform::messageBox(const QString& text, const QString& title, MessageButtons buttons,
                                     MessageIcon icon) {
    QMessageBox box(parent_);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MessageIcon::Warning: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Error: box.setIcon(QMessageBox::Critical); break;
    case MessageIcon::None: break;
    }
    switch (buttons) {
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Save);
        box.setEscapeButton(QMessageBox::Cancel);
        box.button(QMessageBox::Save)->setText(QStringLiteral("保存する(&S)"));
        box.button(QMessageBox::Discard)->setText(QStringLiteral("保存しない(&N)"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        break;
    case MessageButtons::SaveAsOverwriteCancel:
        box.setStandardButtons(QMessageBox::SaveAll | QMessageBox::Save | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::SaveAll);
        box.setEscapeButton(QMessageBox::Cancel);
        box.button(QMessageBox::SaveAll)->setText(QStringLiteral("別の名前で保存(&A)"));
        box.button(QMessageBox::Save)->setText(QStringLiteral("上書き保存(&O)"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
        break;
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    }
    const int r = box.exec();
    switch (buttons) {
    case MessageButtons::YesNo: return r == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return r == QMessageBox::Save      ? MessageAnswer::Yes
               : r == QMessageBox::Discard ? MessageAnswer::No
                                           : MessageAnswer::Cancelled;
    case MessageButtons::SaveAsOverwriteCancel:
        return r == QMessageBox::SaveAll ? MessageAnswer::Yes
               : r == QMessageBox::Save  ? MessageAnswer::No
                                         : MessageAnswer::Cancelled;
    case MessageButtons::Ok: break;
    }
    return r == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancelled;
}

std::optional<QString> QtPlatform::showOpen(const QString& filter, int, const QString& initialPath) {
    const QString dir = initialPath.isEmpty() ? QDir::currentPath() : QFileInfo(initialPath).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(parent_, QStringLiteral("開く"), dir, toQtNameFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtPlatform::showSave(const QString& filter, int, const QString& proposedPath) {
    QFileDialog dlg(parent_, QStringLiteral("名前を付けて保存"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilter(toQtNameFilter(filter));
    dlg.setDefaultSuffix(defaultSuffixOf(filter));
    // The caller asks its own overwrite question.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.setOption(QFileDialog::ReadOnly, false);
    const QFileInfo proposed(proposedPath);
    dlg.setDirectory(proposed.absolutePath());
    dlg.selectFile(proposed.fileName());
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().first();
}

std::optional<FontChoice> QtPlatform::showFont(const FontChoice& initial) {
    return chooseFont(initial, parent_);
}

std::optional<QString> QtPlatform::showFolder(const QString& title, const QString& startFolder) {
    const QString dir = QFileDialog::getExistingDirectory(
        parent_, title, startFolder.isEmpty() ? QDir::currentPath() : startFolder, QFileDialog::ShowDirsOnly);
    if (dir.isEmpty()) return std::nullopt;
    return dir;
}

std::optional<int> QtPlatform::showColor(const QString& title, int initialBgr) {
    const QColor c = QColorDialog::getColor(colorFromBgr(initialBgr), parent_, title);
    if (!c.isValid()) return std::nullopt;
    return bgrFromColor(c);
}

QPrinter& QtPlatform::printer() {
    // After a job whose QPainter::begin() failed the printer stays "active" and refuses every
    // change (another queue, another file); no job is running between two commands.
    if (printer_ && printer_->printerState() != QPrinter::Idle) {
        auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
        copyDeviceChoice(*printer_, *fresh);
        printer_ = std::move(fresh);
    }
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool QtPlatform::showPrinter(bool setupForm, const QString& jobName) {
    QPrinter& p = printer();
    // The dialog proposes the job's name for a PDF file.
    p.setDocName(jobNameOrProgram(jobName));
    return showPrinterDialog(p, setupForm, parent_);
}

std::unique_ptr<PrintSurface> QtPlatform::printerSurface(const QString& jobName) {
    QPrinter& p = printer();
    // A PDF file chosen in the printer dialog is written as every PDF is (print_target): aside,
    // and put in place whole, so a full disk keeps the file that was there. The paper chosen
    // stays.
    if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty()) {
        QPageLayout page = p.pageLayout();
        page.setMargins(QMarginsF());
        return makePdfFileSurface(p.outputFileName(), jobNameOrProgram(jobName), page);
    }
    p.setDocName(jobNameOrProgram(jobName));
    return makePrinterSurface(p);
}

std::unique_ptr<PrintSurface> QtPlatform::defaultPrinterSurface(const QString& jobName) {
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        const QStringList names = QPrinterInfo::availablePrinterNames();
        if (names.isEmpty()) return nullptr;
        info = QPrinterInfo::printerInfo(names.first());
    }
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setDocName(jobNameOrProgram(jobName));
    useCommonPrinterArea(*printer);
    return std::make_unique<OwningPrintSurface<QPrinter>>(std::move(printer));
}

std::unique_ptr<PrintSurface> QtPlatform::pdfFileSurface(const QString& path, const QString& jobName) {
    return makePdfFileSurface(path, jobNameOrProgram(jobName),
                              QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
}

void QtPlatform::previewPrint(const QString& jobName, const std::function<void(PrintSurface&)>& draw) {
    const QString job = jobNameOrProgram(jobName);
    QPrinter& p = printer();
    p.setDocName(job);
    showPrintPreview(p, draw, parent_, [this, &draw, job](QWidget* preview) {
        // The print dialog comes once, from the preview; its choice is the printer's for the
        // prints to come, as the print commands' dialog is.
        QPrinter& chosen = printer();
        chosen.setDocName(job);
        if (!showPrinterDialog(chosen, false, preview)) return false;
        if (std::unique_ptr<PrintSurface> surface = printerSurface(job)) {
            draw(*surface);
            return true;
        }
        messageBox(kPrintFailedMessage, kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
        return false;
    });
}

void QtPlatform::setClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void QtPlatform::beep() {
    QApplication::beep();
}

void QtPlatform::openUrl(const QString& url) {
    if (QDesktopServices::openUrl(QUrl(url))) return;
    messageBox(QStringLiteral("ホームページを開けませんでした。\n"
                              "Webブラウザーが見つからないか、起動できませんでした。\n"
                              "ブラウザーで次のアドレスを開いてください。\n") +
                   url,
               kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
}

QString QtPlatform::currentDirectory() {
    return QDir::currentPath();
}

QString QtPlatform::configDirectory() {
    // ~/.config/jirakubo, or where XDG_CONFIG_HOME points.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("jirakubo"));
}

QString QtPlatform::programDirectory() {
    return programDataDirectory();
}

bool installJapaneseTranslations(QApplication& app) {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    // "qt" gathers the Qt modules' catalogs; "qtbase" alone holds the dialogs' texts.
    for (const char* catalog : {"qt", "qtbase"}) {
        auto* translator = new QTranslator(&app);
        if (translator->load(japanese, QString::fromLatin1(catalog), QStringLiteral("_"), dir) &&
            QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}
