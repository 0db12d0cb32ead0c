// A scripted Platform for the model tests: answers are queued by the test, every call is
// recorded.
#pragma once

#include <QDir>
#include <QStringList>
#include <deque>

#include "core/platform.h"
#include "core/printing/print_surface.h"
#include "scripted_answers.h"

class FakePlatform : public Platform, public ScriptedAnswers {
public:
    // Scripted answers, taken in order; when a queue is empty the defaults below apply.
    std::deque<std::optional<QString>> openPaths;  // default: cancelled
    std::deque<std::optional<QString>> savePaths;  // default: cancelled
    std::deque<std::optional<FontChoice>> fonts;   // default: cancelled
    std::deque<std::optional<int>> colors;
    std::deque<std::optional<QString>> folders;  // default: cancelled
    std::deque<bool> printerAnswers;             // default: proceed
    QString reading;                             // lastCommitReading()
    QDateTime clock = QDateTime(QDate(2026, 12, 8), QTime(15, 5));
    QString cwd = QDir::currentPath();
    QString programDir = QDir::currentPath();
    // The surface handed to print jobs; a test may keep a pointer to inspect it.
    std::function<std::unique_ptr<PrintSurface>()> makeSurface;
    // The system's default printer (false: the system has none) and the PDF files the
    // print devices may write (false: a PDF file cannot be written).
    bool hasDefaultPrinter = true;
    bool pdfWritable = true;

    QStringList proposedSaveNames;
    QStringList folderDialogs;  // "title|start folder", each time
    QStringList openedUrls;
    QString clipboard;
    int beeps = 0;
    int printerDialogs = 0;
    std::vector<bool> printerDialogForms;  // showPrinter's setupForm, each time
    QStringList printerDialogJobNames;     // the job name the printer dialog proposed, each time
    QStringList printJobNames;             // the job name of each device asked for (a preview once)
    int previews = 0;
    int printerSurfaceRequests = 0;
    int defaultPrinterRequests = 0;
    QStringList pdfFiles;  // paths asked for as PDF devices
    std::vector<FontChoice> fontDialogStarts;

    MessageAnswer messageBox(const QString& text, const QString& title, MessageButtons buttons,
                             MessageIcon icon) override {
        return answer(text, title, buttons, icon);
    }
    std::optional<QString> showOpen(const QString&, int, const QString&) override { return take(openPaths); }
    std::optional<QString> showSave(const QString&, int, const QString& proposed) override {
        proposedSaveNames << proposed;
        return take(savePaths);
    }
    std::optional<FontChoice> showFont(const FontChoice& initial) override {
        fontDialogStarts.push_back(initial);
        return take(fonts);
    }
    std::optional<int> showColor(const QString&, int) override { return take(colors); }
    std::optional<QString> showFolder(const QString& title, const QString& start) override {
        folderDialogs << title + u'|' + start;
        return take(folders);
    }
    bool showPrinter(bool setupForm, const QString& jobName) override {
        ++printerDialogs;
        printerDialogForms.push_back(setupForm);
        printerDialogJobNames << jobName;
        if (printerAnswers.empty()) return true;
        bool a = printerAnswers.front();
        printerAnswers.pop_front();
        return a;
    }
    std::unique_ptr<PrintSurface> printerSurface(const QString& jobName) override {
        printJobNames << jobName;
        return chosenPrinter();
    }
    std::unique_ptr<PrintSurface> defaultPrinterSurface(const QString& jobName) override {
        printJobNames << jobName;
        ++defaultPrinterRequests;
        return hasDefaultPrinter && makeSurface ? makeSurface() : nullptr;
    }
    std::unique_ptr<PrintSurface> pdfFileSurface(const QString& path, const QString& jobName) override {
        printJobNames << jobName;
        pdfFiles << path;
        return pdfWritable && makeSurface ? makeSurface() : nullptr;
    }
    // The job is printed from the preview on the printer chosen last.
    void previewPrint(const QString& jobName, const std::function<void(PrintSurface&)>& draw) override {
        printJobNames << jobName;
        ++previews;
        if (auto s = chosenPrinter()) draw(*s);
    }
    void setClipboardText(const QString& text) override { clipboard = text; }
    void beep() override { ++beeps; }
    void openUrl(const QString& url) override { openedUrls << url; }
    QString lastCommitReading() override { return reading; }
    QDateTime now() override { return clock; }
    QString currentDirectory() override { return cwd; }
    // Empty: the current folder, as the tests written before the configuration folder expect.
    QString configDir;
    QString configDirectory() override { return configDir.isEmpty() ? cwd : configDir; }
    QString programDirectory() override { return programDir; }

private:
    std::unique_ptr<PrintSurface> chosenPrinter() {
        ++printerSurfaceRequests;
        return makeSurface ? makeSurface() : nullptr;
    }

    template <typename T>
    static T take(std::deque<T>& q) {
        if (q.empty()) return T{};
        T v = q.front();
        q.pop_front();
        return v;
    }
};
