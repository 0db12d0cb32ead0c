#include "data/problem_files.h"

#include "data/field_stream.h"
#include "data/text_codec.h"
#include "platform.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

TextFile readCp932File(const QString& path) {
    TextFile result;
    QFile f(path);
    if (!QFileInfo(path).isFile()) {
        result.error = FileError::NotFound;
        result.message = path + QStringLiteral(" が見つかりません。");
        return result;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        result.error = FileError::Unreadable;
        result.message = path + QStringLiteral(" を読み込めません。") + f.errorString();
        return result;
    }
    const QByteArray bytes = f.readAll();
    qsizetype bad = 0;
    auto text = textcodec::decodeCp932(bytes, &bad);
    if (!text) {
        result.error = FileError::BadEncoding;
        result.message = path +
                         QStringLiteral(" はShift-JIS（コードページ932）のテキストではないため、"
                                        "読み込めません（%1バイト目）。")
                             .arg(bad + 1);
        return result;
    }
    result.text = *text;
    return result;
}

QString unencodableInLines(const QStringList& lines) {
    return textcodec::unencodableCharacters(lines.join(QString()));
}

bool writeCp932Lines(const QString& path, const QStringList& lines, QString* message) {
    QByteArray bytes;
    for (const QString& line : lines) {
        auto encoded = textcodec::encodeCp932(line);
        if (!encoded) {
            if (message)
                *message = QStringLiteral("次の文字はファイルに保存できないため、保存しませんでした。\n") +
                           unencodableInLines(lines) +
                           QStringLiteral("\n別の文字に書き換えてから保存してください。");
            return false;
        }
        bytes += *encoded;
        bytes += "\r\n";
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (message)
            *message = path + QStringLiteral(" に保存できませんでした。") + f.errorString();
        return false;
    }
    return true;
}

namespace {

// Reads records of fieldCount fields from the stream into the first fields of each target.
template <typename Record, typename Sink>
int readRecords(FieldStream& in, int fieldCount, int maxRecords, Sink sink, int* leftOut) {
    int count = 0;
    *leftOut = 0;
    while (!in.atEnd()) {
        Record fields;
        for (int i = 0; i < fieldCount; ++i) fields[static_cast<size_t>(i)] = in.next();
        if (count < maxRecords) {
            sink(count, fields);
            ++count;
        } else {
            ++*leftOut;
        }
    }
    return count;
}

}  // namespace

ReadReport readProblemFile(Workbook& wb, Platform& platform) {
    ReadReport report;
    auto reportError = [&](const TextFile& f) {
        if (f.error == FileError::NotFound) {
            report.fileNotFound = true;
        } else {
            report.errorMessage = f.message;
            platform.messageBox(f.message, kErrorTitle, MessageButtons::Ok, MessageIcon::Error);
        }
    };

    if (wb.exampleFilePath.endsWith(QLatin1String("base.moj"))) {
        TextFile f = readCp932File(wb.exampleFilePath);
        if (f.error != FileError::None) {
            reportError(f);
        } else {
            FieldStream in(f.text);
            int leftOut = 0;
            wb.exampleCount = readRecords<ExampleRecord>(
                in, kMojFields, kExampleRows,
                [&](int r, const ExampleRecord& rec) {
                    ExampleRecord& row = wb.exampleTable[static_cast<size_t>(r)];
                    row = rec;
                    row[kExampleFields - 1].clear();
                },
                &leftOut);
            report.examplesRead = wb.exampleCount;
        }
    }

    const QString& path = wb.currentFilePath;
    const bool isMojx = path.endsWith(QLatin1String("mojx"));
    const bool isMoj = !isMojx && path.endsWith(QLatin1String("moj"));
    if (!path.endsWith(QLatin1String("base.moj")) && (isMojx || isMoj)) {
        TextFile f = readCp932File(path);
        if (f.error != FileError::None) {
            reportError(f);
        } else {
            FieldStream in(f.text);
            const int fieldCount = isMojx ? kMojxFields : kMojFields;
            report.pagesRead = readRecords<PageRecord>(
                in, fieldCount, kMaxPages,
                [&](int r, const PageRecord& rec) {
                    PageRecord& row = wb.page(r);
                    // A .moj page has no second words: nothing of an earlier file may
                    // linger in the fields it does not fill.
                    for (int i = 0; i < kPageRecordFields; ++i)
                        row[static_cast<size_t>(i)] = i < fieldCount ? rec[static_cast<size_t>(i)] : QString();
                    wb.headingList << row[kHeadingField];
                    wb.pageLines[static_cast<size_t>(r)] = pageLine(row, row[kFontField]);
                },
                &report.pagesLeftOut);
            if (report.pagesLeftOut > 0) {
                platform.messageBox(
                    QStringLiteral("%1 には%2ページありますが、読み込めるのは%3ページまでです。\n"
                                   "最初の%3ページを読み込みました（%4ページは読み込んでいません）。")
                        .arg(path)
                        .arg(report.pagesRead + report.pagesLeftOut)
                        .arg(kMaxPages)
                        .arg(report.pagesLeftOut),
                    kConfirmTitle, MessageButtons::Ok, MessageIcon::Warning);
            }
        }
    }

    if (report.fileNotFound)
        platform.messageBox(kBaseMissingMessage, kConfirmTitle, MessageButtons::Ok,
                            MessageIcon::Information);
    return report;
}

QString replaceProblemExtension(const QString& path, const QString& ending) {
    QString base = path.endsWith(QLatin1String(".moj")) ? path.chopped(4)
                                                        : path.left(qMax<qsizetype>(0, path.size() - 5));
    return base + ending;
}

QString proposedSaveName(const QString& panel1, const QString& dialogFileName,
                         const QString& currentDirectory, const QDateTime& now) {
    if (panel1 == QStringLiteral("ファイル")) {
        const QDate d = now.date();
        const QTime t = now.time();
        return currentDirectory + u'/' + QString::number(d.month()) + QString::number(d.day()) +
               QString::number(t.hour()) + QString::number(t.minute()) + QStringLiteral(".mojx");
    }
    return replaceProblemExtension(dialogFileName, QStringLiteral(".mojx"));
}

QString backupPathFor(const QString& savePath) {
    return replaceProblemExtension(savePath, QStringLiteral("BK.mojx"));
}

bool writeBackup(const QString& sourcePath, const QString& savePath, QString* message) {
    return writeBackupTo(sourcePath, backupPathFor(savePath), message);
}

bool writeBackupTo(const QString& sourcePath, const QString& backup, QString* message) {
    QByteArray bytes;
    QFile in(sourcePath);
    if (in.open(QIODevice::ReadOnly)) bytes = in.readAll();
    QSaveFile out(backup);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        if (message)
            *message = backup + QStringLiteral(" に控えを保存できませんでした。") + out.errorString();
        return false;
    }
    return true;
}

bool writeProblemFile(const QString& path, const Workbook& workbook, bool backup, QString* message) {
    QStringList lines;
    for (int p = 0; p < workbook.pageCount && p < kMaxPages; ++p) lines << workbook.pageLines[static_cast<size_t>(p)];
    if (!unencodableInLines(lines).isEmpty()) return writeCp932Lines(path, lines, message);  // words the message
    if (backup && QFileInfo::exists(path) && !writeBackup(path, path, message)) return false;
    return writeCp932Lines(path, lines, message);
}
