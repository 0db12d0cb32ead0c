// A Platform with no one to ask, for the benchmarks: messages go
// to standard error, dialogs are cancelled, questions are answered No.
#pragma once

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "core/platform.h"
#include "core/printing/print_surface.h"

class QuietPlatform : public Platform {
public:
    QStringList messages;

    MessageAnswer messageBox(const QString& text, const QString&, MessageButtons buttons,
                             MessageIcon) override {
        messages << text;
        std::fprintf(stderr, "jirakubo-cli: %s\n", qPrintable(text));
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    std::optional<QString> showOpen(const QString&, int, const QString&) override { return std::nullopt; }
    std::optional<QString> showSave(const QString&, int, const QString&) override { return std::nullopt; }
    std::optional<FontChoice> showFont(const FontChoice&) override { return std::nullopt; }
    std::optional<int> showColor(const QString&, int) override { return std::nullopt; }
    std::optional<QString> showFolder(const QString&, const QString&) override { return std::nullopt; }
    bool showPrinter(bool, const QString&) override { return true; }  // the device is chosen by the caller
    std::unique_ptr<PrintSurface> printerSurface(const QString&) override { return nullptr; }
    void previewPrint(const QString&, const std::function<void(PrintSurface&)>&) override {}
    void setClipboardText(const QString&) override {}
    void beep() override {}
    void openUrl(const QString&) override {}
    QString lastCommitReading() override { return {}; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    QString currentDirectory() override { return QDir::currentPath(); }
    QString configDirectory() override { return QDir::currentPath(); }
    QString programDirectory() override { return programDataDirectory(); }
};
