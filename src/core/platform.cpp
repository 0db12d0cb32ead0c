#include "platform.h"

#include <QDir>
#include <QFileInfo>

#include "printing/print_surface.h"

std::unique_ptr<PrintSurface> Platform::defaultPrinterSurface() {
    return nullptr;
}

std::unique_ptr<PrintSurface> Platform::pdfFileSurface(const QString&) {
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
