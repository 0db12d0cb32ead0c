#include "data/convert_file.h"

#include <QFileInfo>

#include "data/atomic_file.h"
#include "data/problem_files.h"
#include "data/workbook.h"

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
    if (!in.exists()) return refuse(QStringLiteral("%1: no such file").arg(input));
    if (in.isDir()) return refuse(QStringLiteral("%1: is a folder, not a file").arg(input));
    if (!in.isFile()) return refuse(QStringLiteral("%1: not a regular file").arg(input));
    const QString inPath = in.absoluteFilePath();
    if (!inPath.endsWith(QLatin1String(".moj")) && !inPath.endsWith(QLatin1String(".mojx")))
        return refuse(QStringLiteral("%1: not a problem file (.moj or .mojx)").arg(input));
    if (isExampleFile(inPath, QString(), programDirectory))
        return refuse(QStringLiteral("%1: the example file base.moj holds example sentences, not a workbook")
                          .arg(input));
    const QString outPath = out.absoluteFilePath();
    if (!outPath.endsWith(QLatin1String(".mojx")))
        return refuse(QStringLiteral("%1: the output must be a .mojx file").arg(output));
    if (out.isDir()) return refuse(QStringLiteral("%1: is a folder, not a file").arg(output));
    if (isSameFile(outPath, inPath))
        return refuse(QStringLiteral("%1: the output is the input file; convert writes a new file and "
                                     "leaves its input as it is")
                          .arg(output));

    Workbook wb;
    wb.currentFilePath = inPath;
    const ReadReport report = readProblemFileQuietly(wb, programDirectory);
    if (!report.errorMessage.isEmpty()) return refuse(report.errorMessage);
    if (report.fileNotFound) return refuse(QStringLiteral("%1: could not be read").arg(input));
    if (report.pagesLeftOut > 0 && !options.keepFirst201)
        return refuse(QStringLiteral("%1: holds %2 pages, more than the %3 a workbook holds; nothing written "
                                     "(--keep-first-201 writes the first %3 and leaves out %4)")
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
