// The Platform of the desktop program: Qt message boxes and dialogs, the printer, the
// clipboard, the beep, the browser and the input method's reading.
#pragma once

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/platform.h"
#include "core/windows/main/reading_capture.h"

class QApplication;
class QPrinter;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    void setParentWidget(QWidget* w) { parent_ = w; }
    ReadingTracker& readingTracker() { return tracker_; }

    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override;
    std::optional<QString> showOpen(const QString& filter, int filterIndex,
                                    const QString& initialPath) override;
    std::optional<QString> showSave(const QString& filter, int filterIndex,
                                    const QString& proposedPath) override;
    std::optional<FontChoice> showFont(const FontChoice& initial) override;
    std::optional<int> showColor(const QString& title, int initialBgr) override;
    std::optional<QString> showFolder(const QString& title, const QString& startFolder) override;
    bool showPrinter(bool setupForm, const QString& jobName) override;
    std::unique_ptr<PrintSurface> printerSurface(const QString& jobName) override;
    std::unique_ptr<PrintSurface> defaultPrinterSurface(const QString& jobName) override;
    std::unique_ptr<PrintSurface> pdfFileSurface(const QString& path, const QString& jobName) override;
    void previewPrint(const QString& jobName, const std::function<void(PrintSurface&)>& draw) override;
    void setClipboardText(const QString& text) override;
    void beep() override;
    void openUrl(const QString& url) override;
    QString lastCommitReading() override { return tracker_.lastCommitReading(); }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    QString currentDirectory() override;
    QString configDirectory() override;
    QString programDirectory() override;

    // The printer of the print jobs, kept for the session with the choices of its dialog
    // (the queue, or the PDF file). A printer left unusable by a job that could not start is
    // replaced by a fresh one with the same choices.
    QPrinter& printer();

private:
    QPointer<QWidget> parent_;
    ReadingTracker tracker_;
    std::unique_ptr<QPrinter> printer_;
};

// Qt's own Japanese texts for its dialogs (file, print, page setup, preview, the standard
// buttons), from the translations installed with Qt. False when they are not installed.
bool installJapaneseTranslations(QApplication& app);

// "問題ファイル(*.moj)(*.mojx)|*.moj;*.mojx|" as a QFileDialog name filter.
QString toQtNameFilter(const QString& filter);
