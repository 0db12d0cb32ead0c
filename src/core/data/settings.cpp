#include "data/settings.h"

#include "data/field_stream.h"
#include "data/problem_files.h"

SettingsReadResult readSettings(const QString& path) {
    SettingsReadResult r;
    TextFile f = readCp932File(path);
    if (f.error != FileError::None) {
        r.fileNotFound = f.error == FileError::NotFound;
        return r;
    }
    FieldStream in(f.text);
    bool ok = false;
    QString v = in.next(&ok);
    if (!ok) return r;
    r.settings.fontLine = v;
    r.linesRead = 1;
    double* offsets[] = {&r.settings.kanaOffset1, &r.settings.kanaOffset2};
    for (double* o : offsets) {
        v = in.next(&ok);
        if (!ok) return r;
        *o = v.trimmed().toDouble();
        ++r.linesRead;
    }
    v = in.next(&ok);
    if (!ok) return r;
    r.settings.companyLine = v;
    ++r.linesRead;
    v = in.next(&ok);
    if (!ok) return r;
    r.settings.tracingLine = v;
    ++r.linesRead;
    return r;
}

QString settingsNumber(double value) {
    const QString n = QString::number(value, 'g', 7);
    return (value < 0 ? QString() : QStringLiteral(" ")) + n + u' ';
}

bool writeSettings(const QString& path, const Settings& s, bool full) {
    QStringList lines{encodeField(s.fontLine), settingsNumber(s.kanaOffset1),
                      settingsNumber(s.kanaOffset2), encodeField(s.companyLine)};
    if (full) lines << encodeField(s.tracingLine);
    return writeCp932Lines(path, lines, nullptr);
}
