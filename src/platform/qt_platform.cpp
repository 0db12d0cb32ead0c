#include "qt_platform.h"

#include "font_chooser.h"
#include "printing/print_surface.h"
#include "qt_print_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QPrinter>
#include <QUrl>

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

QString findProgramDataDirectory(const QString& executableDirectory) {
    const auto holdsData = [](const QString& dir) {
        for (const char* probe : {"onkun.txt", "base.moj"})
            if (QFileInfo::exists(QDir(dir).filePath(QString::fromLatin1(probe)))) return true;
        return false;
    };
    if (holdsData(executableDirectory)) return executableDirectory;
    // An installed tree keeps its data at the same place relative to its programs, wherever it
    // was installed or unpacked (another prefix, a package staging folder).
    const QString installed =
        QDir::cleanPath(QDir(executableDirectory).filePath(QStringLiteral(JIRAKUBO_DATA_FROM_BIN_DIR)));
    if (holdsData(installed)) return installed;
    return QStringLiteral(JIRAKUBO_DATA_INSTALL_DIR);
}

QString findProgramDataDirectory() {
    return findProgramDataDirectory(QCoreApplication::applicationDirPath());
}

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
    case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    }
    const int r = box.exec();
    switch (buttons) {
    case MessageButtons::YesNo: return r == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    case MessageButtons::YesNoCancel:
        return r == QMessageBox::Save      ? MessageAnswer::Yes
               : r == QMessageBox::Discard ? MessageAnswer::No
                                           : MessageAnswer::Cancelled;
    case MessageButtons::Ok: break;
    }
    return r == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancelled;
}

std::optional<QString> QtPlatform::showOpen(const QString& filter, int, const QString& initialPath) {
    const QString dir = initialPath.isEmpty() ? QDir::currentPath() : QFileInfo(initialPath).absolutePath();
    const QString path = QFileDialog::getOpenFileName(parent_, QStringLiteral("開く"), dir, toQtNameFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path;
}

std::optional<QString> QtPlatform::showSave(const QString& filter, int, const QString& proposedPath) {
    QFileDialog dlg(parent_, QStringLiteral("名前を付けて保存"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setNameFilter(toQtNameFilter(filter));
    dlg.setDefaultSuffix(QStringLiteral("mojx"));
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

std::optional<int> QtPlatform::showColor(const QString& title, int initialBgr) {
    const QColor start(initialBgr & 0xFF, (initialBgr >> 8) & 0xFF, (initialBgr >> 16) & 0xFF);
    const QColor c = QColorDialog::getColor(start, parent_, title);
    if (!c.isValid()) return std::nullopt;
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

bool QtPlatform::showPrinter(bool setupForm) {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return showPrinterDialog(*printer_, setupForm, parent_);
}

std::unique_ptr<PrintSurface> QtPlatform::printerSurface() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return makePrinterSurface(*printer_);
}

void QtPlatform::previewPrint(const std::function<void(PrintSurface&)>& draw) {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    showPrintPreview(*printer_, draw, parent_);
}

void QtPlatform::setClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::openUrl(const QString& url) { QDesktopServices::openUrl(QUrl(url)); }

QString QtPlatform::currentDirectory() { return QDir::currentPath(); }

QString QtPlatform::programDirectory() { return findProgramDataDirectory(); }
