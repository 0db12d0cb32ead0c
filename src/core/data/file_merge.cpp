#include "core/data/file_merge.h"

#include <QFileInfo>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"

namespace filemerge {

std::optional<Format> formatOfName(const QString& fileName) {
    if (fileName.endsWith(QLatin1String("ojx"))) return Format::Mojx;
    if (fileName.endsWith(QLatin1String("moj"))) return Format::Moj;
    return std::nullopt;
}

PageLines readPageLines(const QString& path) {
    PageLines result;
    const TextFile f = readCp932File(path);
    if (f.error != FileError::None) {
        result.error = f.message;
        return result;
    }
    QString line;
    auto take = [&] {
        if (!line.trimmed().isEmpty()) result.lines << line;
        line.clear();
    };
    for (qsizetype i = 0; i < f.text.size(); ++i) {
        const QChar c = f.text.at(i);
        if (c == u'\r' || c == u'\n') {
            take();
            if (c == u'\r' && i + 1 < f.text.size() && f.text.at(i + 1) == u'\n') ++i;
        } else {
            line += c;
        }
    }
    take();
    return result;
}

QString fullWidthNumber(int n) {
    return textcodec::widenToHiragana(QString::number(n));
}

QStringList renumberHeadings(const QStringList& lines, const QString& suffix) {
    QStringList out;
    out.reserve(lines.size());
    const int n = static_cast<int>(lines.size());
    for (int i = 0; i < n; ++i) {
        const QString& line = lines[i];
        // The heading field ends where the reader ends it: a comma inside a quoted heading
        // is part of the heading.
        FieldStream in(line);
        in.nextView();
        const FieldStream::Span heading = in.lastSpan();
        out << encodeField(fullWidthNumber(n - i) + suffix) +
                   (heading.endedByComma ? line.mid(heading.end) : line);
    }
    return out;
}

std::optional<QChar> unusableSuffixCharacter(const QString& suffix) {
    for (QChar c : suffix)
        if (c == u'"' || c.unicode() < 0x20 || c.unicode() == 0x7F) return c;
    return std::nullopt;
}

QString checkOutputName(const QString& text, QString* name) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return QStringLiteral("結合したファイルの名前を入力してください。");
    for (QChar c : trimmed)
        if (c == u'/' || c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral(
                       "ファイル名「%1」は使えません。フォルダーの区切り（/ \\）や制御文字を含まない、"
                       "ファイル名だけを入力してください。")
                .arg(trimmed);
    if (trimmed.contains(QLatin1String("..")))
        return QStringLiteral(
                   "ファイル名「%1」は使えません。「..」を含まない、ファイル名だけを入力してください。")
            .arg(trimmed);
    if (name) *name = trimmed;
    return {};
}

QString tooManyPagesMessage(const QString& fileName, int pagesWithIt) {
    return QStringLiteral("%1 を加えると%2ページになり、結合できる%3ページを超えるため、加えませんでした。")
        .arg(fileName)
        .arg(pagesWithIt)
        .arg(kMaxPages);
}

}  // namespace filemerge
