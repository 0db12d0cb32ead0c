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

QString findProgramDataDirectory() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    for (const char* probe : {"onkun.txt", "base.moj"})
        if (QFileInfo::exists(QDir(exeDir).filePath(QString::fromLatin1(probe)))) return exeDir;
    return QStringLiteral(JIRAKUBO_DATA_INSTALL_DIR);
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
    if (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel) {
        const bool cancel = buttons == MessageButtons::YesNoCancel;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                               (cancel ? QMessageBox::Cancel : QMessageBox::NoButton));
        box.setDefaultButton(QMessageBox::Yes);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("はい(&Y)"));
        box.button(QMessageBox::No)->setText(QStringLiteral("いいえ(&N)"));
        if (cancel) {
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
            box.setEscapeButton(QMessageBox::Cancel);
        }
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int r = box.exec();
    if (buttons == MessageButtons::YesNo)
        return r == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
    if (buttons == MessageButtons::YesNoCancel)
        return r == QMessageBox::Yes ? MessageAnswer::Yes
               : r == QMessageBox::No ? MessageAnswer::No
                                      : MessageAnswer::Cancelled;
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
