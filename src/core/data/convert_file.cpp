#include "core/data/convert_file.h"

#include <QFileInfo>

#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "core/data/workbook.h"

namespace {
ConvertResult refuse(const QString& message) {
    ConvertResult r;
    r.message = message;
    return r;
}
}  // namespace

ConvertResult convertProblemFile(const QString& input, const QString& output, const ConvertOptions& options,
                                 const QString& programDirectory) {
    const QFileInfo in(input);
    const QFileInfo out(output);
    if (!in.exists()) return refuse(QStringLiteral("%1: ファイルが見つかりません").arg(input));
    if (in.isDir()) return refuse(QStringLiteral("%1: フォルダーです。ファイルではありません").arg(input));
    if (!in.isFile()) return refuse(QStringLiteral("%1: 普通のファイルではありません").arg(input));
    const QString inPath = in.absoluteFilePath();
    if (!inPath.endsWith(QLatin1String(".moj")) && !inPath.endsWith(QLatin1String(".mojx")))
        return refuse(QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(input));
    if (isExampleFile(inPath, QString(), programDirectory))
        return refuse(
            QStringLiteral("%1: 例文ファイル base.moj です。問題ファイルではありません").arg(input));
    const QString outPath = out.absoluteFilePath();
    if (!outPath.endsWith(QLatin1String(".mojx")))
        return refuse(QStringLiteral("%1: 出力は .mojx ファイルにしてください").arg(output));
    if (out.isDir()) return refuse(QStringLiteral("%1: フォルダーです。ファイルではありません").arg(output));
    if (const QString link = untrustedLinkOnPath(outPath); !link.isEmpty())
        return refuse(untrustedLinkMessage(link));
    if (isSameFile(outPath, inPath))
        return refuse(
            QStringLiteral("%1: 出力先が入力ファイルと同じです。convert は新しいファイルに書き出し、"
                           "入力ファイルはそのまま残します")
                .arg(output));

    Workbook wb;
    wb.currentFilePath = inPath;
    const ReadReport report = readProblemFile(wb, programDirectory);
    if (!report.errorMessage.isEmpty()) return refuse(report.errorMessage);
    if (report.fileNotFound) return refuse(QStringLiteral("%1: 読み込めませんでした").arg(input));
    if (report.pagesLeftOut > 0 && !options.keepFirst201)
        return refuse(
            QStringLiteral("%1: %2ページあり、問題ファイルに入る%3ページを超えるため、何も書き出していません"
                           "（--keep-first-201 を付けると最初の%3ページを書き出し、%4ページを除きます）")
                .arg(input)
                .arg(report.pagesRead + report.pagesLeftOut)
                .arg(kMaxPages)
                .arg(report.pagesLeftOut));

    wb.pageCount = report.pagesRead;
    QString message;
    if (!writeProblemFile(outPath, wb, false, &message)) return refuse(message);
    ConvertResult r;
    r.written = true;
    r.pagesWritten = report.pagesRead;
    r.pagesLeftOut = report.pagesLeftOut;
    return r;
}
