#include "paper/manuscript_options.h"

#include <QStringList>
#include <cmath>

#include "data/field_stream.h"
#include "data/problem_files.h"

namespace {

// A number as the settings files write it: " 1 ", "-30 ", " 16711680 ".
QString optionsNumber(double v) {
    const QString n = std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15
                          ? QString::number(static_cast<long long>(v))
                          : QString::number(v, 'g', 7);
    return (v < 0 ? QString() : QStringLiteral(" ")) + n + u' ';
}

double toNumber(const QString& field) {
    return field.trimmed().toDouble();
}

}  // namespace

ManuscriptOptionsReadResult readManuscriptOptions(const QString& path) {
    ManuscriptOptionsReadResult r;
    const TextFile f = readCp932File(path);
    if (f.error != FileError::None) return r;
    FieldStream in(f.text);
    QStringList fields;
    for (int i = 0; i < 9; ++i) {
        bool ok = false;
        const QString v = in.next(&ok);
        if (!ok) break;
        fields << v;
    }
    if (fields.size() >= 1) r.options.carriedText = fields[0];
    if (fields.size() >= 2) r.options.carriedNumber1 = toNumber(fields[1]);
    if (fields.size() >= 3) r.options.carriedNumber2 = toNumber(fields[2]);
    if (fields.size() < 9) return r;
    r.options.cross = toNumber(fields[3]) == 1;
    r.options.b4 = toNumber(fields[4]) == 1;
    r.options.readings = toNumber(fields[5]) != 1;
    r.options.otherColor = toNumber(fields[6]) == 1;
    r.options.title = fields[7];
    const double color = toNumber(fields[8]);
    r.options.color = color >= 0 && color <= 0xFFFFFF ? static_cast<int>(color) : 0;
    r.complete = true;
    return r;
}

bool writeManuscriptOptions(const QString& path, const ManuscriptFileOptions& o, QString* message) {
    const QStringList lines{encodeField(o.carriedText),
                            optionsNumber(o.carriedNumber1),
                            optionsNumber(o.carriedNumber2),
                            optionsNumber(o.cross ? 1 : 0),
                            optionsNumber(o.b4 ? 1 : 0),
                            optionsNumber(o.readings ? 0 : 1),
                            optionsNumber(o.otherColor ? 1 : 0),
                            encodeField(o.title),
                            optionsNumber(o.color)};
    return writeCp932Lines(path, lines, message);
}
