#include "core/platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "core/printing/print_surface.h"

std::unique_ptr<PrintSurface> Platform::defaultPrinterSurface(const QString&) {
    return nullptr;
}

std::unique_ptr<PrintSurface> Platform::pdfFileSurface(const QString&, const QString&) {
    return nullptr;
}

QString settingsFileToRead(Platform& platform, const QString& name) {
    const QString shared = QDir(platform.currentDirectory()).filePath(name);
    if (QFileInfo::exists(shared)) return shared;
    return QDir(platform.configDirectory()).filePath(name);
}

QString settingsFileToWrite(Platform& platform, const QString& name) {
    const QString folder = platform.configDirectory();
    QDir().mkpath(folder);
    return QDir(folder).filePath(name);
}

#ifndef JIRAKUBO_DATA_FROM_BIN_DIR
#define JIRAKUBO_DATA_FROM_BIN_DIR "../share/jirakubo"
#endif

QString findProgramDataDirectory(const QString& executableDirectory) {
    const auto holdsData = [](const QString& dir) {
        for (const char* probe : {"onkun.txt", "base.moj"})
            if (QFileInfo::exists(QDir(dir).filePath(QString::fromLatin1(probe)))) return true;
        return false;
    };
    if (holdsData(executableDirectory)) return executableDirectory;
    // Where an installed tree keeps it; named even when missing, so that a message says where
    // the data was looked for.
    return QDir::cleanPath(QDir(executableDirectory).filePath(QStringLiteral(JIRAKUBO_DATA_FROM_BIN_DIR)));
}

QString programDataDirectory() {
    return findProgramDataDirectory(QCoreApplication::applicationDirPath());
}
