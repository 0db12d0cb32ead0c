#include "core/paper/manuscript_options.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>
#include <cmath>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/settings.h"
#include "core/data/text_codec.h"

namespace {

constexpr int kLines = 9;

// A number as the settings files write it: " 1 ", "-30 ", " 16711680 ". A fraction is
// written in the fewest digits that read back as the same number: lines 2 and 3 are carried
// unchanged, whatever they hold.
QString optionsNumber(double v) {
    const QString n = std::isfinite(v) && v == std::floor(v) && std::fabs(v) < 1e15
                          ? QString::number(static_cast<long long>(v))
                          : QString::number(v, 'g', QLocale::FloatingPointShortest);
    return (v < 0 ? QString() : QStringLiteral(" ")) + n + u' ';
}

QStringList optionLines(const ManuscriptFileOptions& o) {
    return {encodeField(o.carriedText),
            optionsNumber(o.carriedNumber1),
            optionsNumber(o.carriedNumber2),
            optionsNumber(o.cross ? 1 : 0),
            optionsNumber(o.b4 ? 1 : 0),
            optionsNumber(o.readings ? 0 : 1),
            optionsNumber(o.otherColor ? 1 : 0),
            encodeField(o.title),
            optionsNumber(o.color)};
}

QString cannotReadProblem(const QString& path) {
    return QStringLiteral("原稿用紙の設定ファイル %1 を読めませんでした。初めの設定を使います。").arg(path);
}

}  // namespace

ManuscriptOptionsReadResult readManuscriptOptionsBytes(const QByteArray& bytes, const QString& path,
                                                       const QString& writePath) {
    ManuscriptOptionsReadResult r;
    QStringList problems;
    const std::optional<QString> text = settingsTextToRead(bytes, path, problems, writePath);
    if (!text) {
        r.readWhole = false;
        r.problem = problems.value(0);
        return r;
    }
    const bool cutShort = !problems.isEmpty();

    FieldStream in(*text);
    QStringList fields;
    for (int i = 0; i < kLines; ++i) {
        bool ok = false;
        const QString v = in.next(&ok);
        if (!ok) break;
        fields << v;
    }
    if (!cutShort && !in.atEnd()) problems << QStringLiteral("10個目から先の値は使いません。");
    r.complete = fields.size() == kLines;

    auto refuse = [&](int line, const QString& why) { problems << refusedValueProblem(line, why); };
    // Each line's value, or nothing (the default) when the line is missing or not a value.
    auto textAt = [&](int line) -> std::optional<QString> {
        if (line > fields.size()) return std::nullopt;
        const QString& v = fields[line - 1];
        if (holdsSettingsControlCharacter(v)) {
            refuse(line, QStringLiteral("制御文字を含む"));
            return std::nullopt;
        }
        return v;
    };
    auto numberAt = [&](int line) -> std::optional<double> {
        const std::optional<QString> v = textAt(line);
        if (!v || v->trimmed().isEmpty()) return std::nullopt;
        const std::optional<double> n = parseSettingsNumber(*v);
        if (!n || !std::isfinite(*n)) refuse(line, QStringLiteral("数ではない"));
        return n && std::isfinite(*n) ? n : std::nullopt;
    };
    auto switchAt = [&](int line) -> std::optional<bool> {
        const std::optional<double> n = numberAt(line);
        if (!n) return std::nullopt;
        if (*n != 0 && *n != 1) {
            refuse(line, QStringLiteral("0でも1でもない"));
            return std::nullopt;
        }
        return *n == 1;
    };

    ManuscriptFileOptions& o = r.options;
    o.carriedText = textAt(1).value_or(QString());
    o.carriedNumber1 = numberAt(2).value_or(0);
    o.carriedNumber2 = numberAt(3).value_or(0);
    // The options come from a file that has all nine lines, or one cut short by bytes that
    // are not text: there the lines before them are kept. A short file gives the defaults.
    if (r.complete || cutShort) {
        o.cross = switchAt(4).value_or(false);
        o.b4 = switchAt(5).value_or(false);
        o.readings = !switchAt(6).value_or(false);
        o.otherColor = switchAt(7).value_or(false);
        o.title = textAt(8).value_or(QString());
        if (const std::optional<double> color = numberAt(9)) {
            if (*color >= 0 && *color <= 0xFFFFFF && *color == std::floor(*color))
                o.color = static_cast<int>(*color);
            else
                refuse(9, QStringLiteral("色の値ではない"));
        }
    }

    if (!problems.isEmpty()) {
        r.readWhole = false;
        r.problem = partlyReadProblem(QStringLiteral("原稿用紙の設定ファイル"), path, problems, writePath);
    }
    return r;
}

ManuscriptOptionsReadResult readManuscriptOptions(const QString& path, const QString& writePath) {
    const SettingsFileBytes file = openSettingsFile(path, cannotReadProblem(path), writePath);
    if (file.found && file.problem.isEmpty()) return readManuscriptOptionsBytes(file.bytes, path, writePath);
    ManuscriptOptionsReadResult r;
    r.fileNotFound = !file.found;
    r.readWhole = !file.found;
    r.problem = file.problem;
    return r;
}

std::optional<QByteArray> manuscriptOptionsBytes(const ManuscriptFileOptions& o) {
    return encodeCp932Lines(optionLines(o));
}

bool writeManuscriptOptions(const QString& path, const ManuscriptFileOptions& o, QString* message) {
    const QStringList lines = optionLines(o);
    // A title the file cannot hold is said before anything on disk changes.
    if (!unencodableInLines(lines).isEmpty()) return writeCp932Lines(path, lines, message);
    const auto readsWhole = [&](const QByteArray& old) {
        return readManuscriptOptionsBytes(old, path).readWhole;
    };
    QString why;
    if (!keepSettingsFileBeforeReplacing(path, readsWhole, &why)) {
        if (message) *message = why;
        return false;
    }
    return writeCp932Lines(path, lines, message);
}
