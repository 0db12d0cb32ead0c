#include "core/data/problem_files.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

#include "core/data/field_stream.h"
#include "core/data/text_codec.h"

namespace {

// Whether bytes are UTF-8 text that holds Japanese (or any character of three or four bytes),
// or begin with the UTF-8 byte order mark. Asked only of bytes that are not code page 932:
// a few kanji in code page 932 can make valid UTF-8 too.
bool looksLikeUtf8(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) return true;
    if (textcodec::firstBadUtf8Byte(bytes) >= 0) return false;
    // A lead byte of a character of three or four bytes.
    return std::any_of(bytes.cbegin(), bytes.cend(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

}  // namespace

Cp932Check checkCp932Text(const QByteArray& bytes) {
    Cp932Check r;
    if (bytes.size() >= 2 &&
        ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
        r.kind = Cp932Check::Kind::Utf16;
        r.badByte = 0;
        r.problem = QStringLiteral(
            "UTF-16で保存されたテキストのため、読み込めません。"
            "Shift-JIS（コードページ932）で保存し直してください。");
        return r;
    }
    if (const qsizetype nul = bytes.indexOf('\0'); nul >= 0) {
        r.kind = Cp932Check::Kind::Nul;
        r.badByte = nul;
        r.problem =
            QStringLiteral("NUL文字（%1バイト目）を含み、テキストファイルではないため、読み込めません。")
                .arg(nul + 1);
        return r;
    }
    qsizetype bad = 0;
    r.text = textcodec::decodeCp932(bytes, &bad);
    if (r.text) return r;
    // Text saved as UTF-8 seldom passes for code page 932; when it does not, say what it is.
    if (looksLikeUtf8(bytes)) {
        r.kind = Cp932Check::Kind::Utf8;
        r.badByte = 0;
        r.problem = QStringLiteral(
            "UTF-8で保存されたテキストのため、読み込めません。"
            "Shift-JIS（コードページ932）で保存し直してください。");
        return r;
    }
    r.kind = Cp932Check::Kind::NotCp932;
    r.badByte = bad;
    r.problem = QStringLiteral(
                    "Shift-JIS（コードページ932）のテキストではないため、"
                    "読み込めません（%1バイト目）。")
                    .arg(bad + 1);
    return r;
}

TextFile readCp932File(const QString& path) {
    TextFile result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.error = FileError::NotFound;
        result.message = path + QStringLiteral(" が見つかりません。");
        return result;
    }
    if (!info.isFile()) {
        result.error = FileError::NotAFile;
        result.message =
            path + (info.isDir() ? QStringLiteral(" はフォルダーです。ファイルではないため、読み込めません。")
                                 : QStringLiteral(" は普通のファイルではないため、読み込めません。"));
        return result;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.error = FileError::Unreadable;
        result.message =
            path + QStringLiteral(" を読み込めません。") + readFailureReason(path, f.errorString());
        return result;
    }
    // Told by its size; a file that grows while it is read is cut at the bound and refused.
    QByteArray bytes;
    if (f.size() <= kMaxTextFileBytes) bytes = f.read(kMaxTextFileBytes + 1);
    if (f.size() > kMaxTextFileBytes || bytes.size() > kMaxTextFileBytes) {
        result.error = FileError::TooLarge;
        result.message = fileTooLargeMessage(path, std::max<qint64>(f.size(), bytes.size()));
        return result;
    }
    Cp932Check check = checkCp932Text(bytes);
    if (!check.text) {
        result.error = FileError::BadEncoding;
        result.message = path + QStringLiteral(" は") + check.problem;
        return result;
    }
    result.text = std::move(*check.text);
    return result;
}

QString fileTooLargeMessage(const QString& path, qint64 size) {
    return path + QStringLiteral(
                      " は%1バイトあり、このプログラムのファイルとしては大きすぎるため、読み込めません"
                      "（201ページの問題ファイルでも%2バイトを超えません）。")
                      .arg(size)
                      .arg(kMaxTextFileBytes);
}

QString unencodableInLines(const QStringList& lines) {
    return textcodec::unencodableCharacters(lines.join(QString()));
}

QString readFailureReason(const QString& path, const QString& systemText) {
    // The reasons the system gives most often, as the file functions word them
    // (qt_error_string of the error number), and what the teacher reads instead.
    const struct {
        int number;
        QString reason;
    } reasons[] = {
        {EACCES, QStringLiteral("このファイルを読む権限がありません。")},
        {EPERM, QStringLiteral("このファイルを読む権限がありません。")},
        {ENOENT, QStringLiteral("ファイルが見つかりません。")},
        {ENOTDIR, QStringLiteral("ファイルが見つかりません。")},
        {EISDIR, QStringLiteral("ファイルではなくフォルダーです。")},
        {ENAMETOOLONG, QStringLiteral("ファイルの名前が長すぎます。")},
        {EIO, QStringLiteral(
                  "装置のエラーで読み込めませんでした（USBメモリーなどが外れていないか確かめてください）。")},
    };
    for (const auto& r : reasons) {
        const QString text = qt_error_string(r.number);
        if (!text.isEmpty() && systemText.contains(text, Qt::CaseInsensitive)) return r.reason;
    }
    if (!QFileInfo::exists(path)) return QStringLiteral("ファイルが見つかりません。");
    return QStringLiteral("読み込み中にエラーが起きました（%1）。").arg(systemText);
}

std::optional<QByteArray> encodeCp932Lines(const QStringList& lines) {
    QString text;
    qsizetype size = 0;
    for (const QString& line : lines) size += line.size() + 2;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return textcodec::encodeCp932(text);
}

bool writeCp932Lines(const QString& path, const QStringList& lines, QString* message) {
    const std::optional<QByteArray> bytes = encodeCp932Lines(lines);
    if (!bytes) {
        if (message)
            *message = QStringLiteral("次の文字はファイルに保存できないため、保存しませんでした。\n") +
                       unencodableInLines(lines) +
                       QStringLiteral("\n別の文字に書き換えてから保存してください。");
        return false;
    }
    QString error;
    if (!writeFileAtomically(path, *bytes, &error)) {
        if (message) *message = path + QStringLiteral(" に保存できませんでした。\n") + error;
        return false;
    }
    return true;
}

namespace {

// How one record lay in the text.
struct RecordSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
    bool asWritten = true;  // one line, every field exactly as the writer writes it
};

// Reads the next record of fieldCount fields into the first fields of *out (through the
// arena), or skips it when out is null. A field missing at the end of the text is empty.
template <size_t N>
RecordSpan readRecord(FieldStream& in, int fieldCount, std::array<QString, N>* out, TextArena& arena) {
    RecordSpan s;
    for (int i = 0; i < fieldCount; ++i) {
        bool ok = false;
        const QStringView v = in.nextView(&ok);
        const FieldStream::Span& sp = in.lastSpan();
        if (i == 0) s.begin = sp.begin;
        s.end = sp.end;
        // The page line leaves field 1 empty, whatever the file held.
        if (!ok || !sp.plain || (i + 1 < fieldCount && !sp.endedByComma) || (i == 1 && !v.isEmpty()))
            s.asWritten = false;
        if (out) (*out)[static_cast<size_t>(i)] = arena.add(v);
    }
    return s;
}

qsizetype arenaSizeFor(const QString& text) {
    return 2 * text.size() + 1024;
}

}  // namespace

QString exampleFileMessage(const QString& path) {
    return path + QStringLiteral(" は例文ファイル（base.moj）です。問題ファイルではないため、開けません。");
}

bool isExampleFile(const QString& path, const QString& exampleFilePath, const QString& programDirectory) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty()) return false;  // no such file
    if (!exampleFilePath.isEmpty() && QFileInfo(exampleFilePath).canonicalFilePath() == canonical)
        return true;
    if (programDirectory.isEmpty()) return false;
    return QFileInfo(QDir(programDirectory).filePath(QStringLiteral("base.moj"))).canonicalFilePath() ==
           canonical;
}

ReadReport readProblemFile(Workbook& wb, const QString& programDirectory) {
    ReadReport report;
    auto fileError = [&](const TextFile& f) {
        if (f.error == FileError::NotFound)
            report.fileNotFound = true;
        else
            report.errorMessage = f.message;
    };

    if (QFileInfo(wb.exampleFilePath).fileName() == QLatin1String("base.moj")) {
        TextFile f = readCp932File(wb.exampleFilePath);
        if (f.error != FileError::None) {
            // Nothing further is read in this call.
            fileError(f);
            return report;
        }
        TextArena arena(arenaSizeFor(f.text));
        FieldStream in(std::move(f.text));
        int count = 0;
        while (!in.atEnd()) {
            ExampleRecord* row = count < kExampleRows ? &wb.example(count) : nullptr;
            readRecord(in, kMojFields, row, arena);
            if (row) {
                (*row)[kExampleFields - 1].clear();
                ++count;
            }
        }
        wb.exampleCount = count;
        report.examplesRead = count;
    }

    const QString& path = wb.currentFilePath;
    const bool isMojx = path.endsWith(QLatin1String("mojx"));
    const bool isMoj = !isMojx && path.endsWith(QLatin1String("moj"));
    if (!isMojx && !isMoj) return report;
    if (isExampleFile(path, wb.exampleFilePath, programDirectory)) {
        report.exampleFile = true;
        report.errorMessage = exampleFileMessage(path);
        return report;
    }
    TextFile f = readCp932File(path);
    if (f.error != FileError::None) {
        fileError(f);
        return report;
    }
    const PagesRead pages = readPagesFromText(wb, std::move(f.text), isMojx);
    report.pagesRead = pages.pagesRead;
    report.pagesLeftOut = pages.pagesLeftOut;
    return report;
}

PagesRead readPagesFromText(Workbook& wb, QString text, bool mojx) {
    PagesRead result;
    TextArena arena(arenaSizeFor(text));
    FieldStream in(std::move(text));
    const int fieldCount = mojx ? kMojxFields : kMojFields;
    int r = 0;
    while (!in.atEnd()) {
        if (r >= kMaxPages) {
            readRecord<kPageRecordFields>(in, fieldCount, nullptr, arena);
            ++result.pagesLeftOut;
            continue;
        }
        PageRecord& row = wb.page(r);
        const RecordSpan span = readRecord(in, fieldCount, &row, arena);
        // A .moj page has no second words: nothing of an earlier file may linger in the
        // fields it does not fill.
        for (int i = fieldCount; i < kPageRecordFields; ++i) row[static_cast<size_t>(i)].clear();
        wb.headingList << row[kHeadingField];
        // A line written as the writer writes it is its own page line.
        wb.pageLines[static_cast<size_t>(r)] = (span.asWritten && mojx)
                                                   ? arena.add(in.view(span.begin, span.end))
                                                   : pageLine(row, row[kFontField]);
        ++r;
    }
    result.pagesRead = r;
    return result;
}

std::vector<ReadNotice> readNotices(const ReadReport& report, const Workbook& wb) {
    std::vector<ReadNotice> notices;
    if (!report.errorMessage.isEmpty())
        notices.push_back({ReadNotice::Kind::Unreadable, report.errorMessage});
    if (report.pagesLeftOut > 0)
        notices.push_back({ReadNotice::Kind::PagesLeftOut,
                           QStringLiteral("%1 には%2ページありますが、読み込めるのは%3ページまでです。\n"
                                          "最初の%3ページを読み込みました（%4ページは読み込んでいません）。")
                               .arg(wb.currentFilePath)
                               .arg(report.pagesRead + report.pagesLeftOut)
                               .arg(kMaxPages)
                               .arg(report.pagesLeftOut)});
    if (report.fileNotFound) notices.push_back({ReadNotice::Kind::ExampleFileMissing, kBaseMissingMessage});
    return notices;
}

QString replaceProblemExtension(const QString& path, const QString& ending) {
    // Only the file's own name changes: a name without a problem file's ending keeps its
    // folder and loses its last extension ("sub/a.b" gives "sub/a"), never characters of the
    // folder.
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = path.left(slash + 1);
    QString name = path.mid(slash + 1);
    if (name.endsWith(QLatin1String(".mojx")))
        name.chop(5);
    else if (name.endsWith(QLatin1String(".moj")))
        name.chop(4);
    else if (const qsizetype dot = name.lastIndexOf(u'.'); dot > 0)
        name.truncate(dot);  // a dot that begins the name (".a") starts no extension
    return folder + name + ending;
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
    // Beside the file it keeps, named from its whole name: "a.mojx" gives "aBK.mojx", "a.moj"
    // "aBK.mojx", and any other name its own backup ("a.b" gives "a.bBK.mojx"), so the backups
    // of two files never share a name.
    const qsizetype slash = savePath.lastIndexOf(u'/');
    QString name = savePath.mid(slash + 1);
    if (name.endsWith(QLatin1String(".mojx")))
        name.chop(5);
    else if (name.endsWith(QLatin1String(".moj")))
        name.chop(4);
    return savePath.left(slash + 1) + name + QStringLiteral("BK.mojx");
}

bool writeBackup(const QString& sourcePath, const QString& savePath, QString* message) {
    return writeBackupTo(sourcePath, backupPathFor(savePath), message);
}

bool writeBackupTo(const QString& sourcePath, const QString& backup, QString* message) {
    QByteArray bytes;
    QFile in(sourcePath);
    if (in.open(QIODevice::ReadOnly)) {
        bytes = in.readAll();
    } else if (QFileInfo::exists(sourcePath)) {
        // An empty backup of a file that is there would stand for a copy it is not.
        if (message) *message = sourcePath + QStringLiteral(" を読めないため、控えを作れませんでした。");
        return false;
    }
    // The copy is as private as the file it keeps (a 0600 workbook gives a 0600 backup); it
    // stays writable by its owner, so that the next backup can replace it.
    struct stat st;
    std::optional<unsigned> mode;
    if (::stat(QFile::encodeName(sourcePath).constData(), &st) == 0) mode = (st.st_mode & 07777) | S_IWUSR;
    QString error;
    if (!writeFileAtomically(backup, bytes, &error, mode)) {
        if (message) *message = backup + QStringLiteral(" に控えを保存できませんでした。\n") + error;
        return false;
    }
    return true;
}

bool writeProblemFile(const QString& path, const Workbook& workbook, bool backup, QString* message) {
    QStringList lines;
    for (int p = 0; p < workbook.pageCount && p < kMaxPages; ++p)
        lines << workbook.pageLines[static_cast<size_t>(p)];
    if (!unencodableInLines(lines).isEmpty())
        return writeCp932Lines(path, lines, message);  // words the message
    if (backup && QFileInfo::exists(path) && !writeBackup(path, path, message)) return false;
    return writeCp932Lines(path, lines, message);
}
