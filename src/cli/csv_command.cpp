#include "cli/csv_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/cli_common.h"
#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "core/data/workbook_csv.h"
#include "core/platform.h"

namespace {

const QString kCommand = QStringLiteral("csv");
const QString kSynopsis = QStringLiteral("export WORKBOOK OUT.csv | import IN.csv -o OUT.mojx");

int fail(const QString& message) {
    return failCommand(kCommand, message);
}

int exportCsv(const QString& inArg, const QString& outArg) {
    const QString in = QFileInfo(inArg).absoluteFilePath();
    const QString out = QFileInfo(outArg).absoluteFilePath();
    if (!QFileInfo::exists(in)) return fail(QStringLiteral("%1: ファイルが見つかりません").arg(inArg));
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(inArg));
    if (isExampleFile(in, QString(), programDataDirectory()))
        return fail(QStringLiteral("%1: 例文ファイル base.moj です。問題ファイルではありません").arg(inArg));
    if (!out.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return fail(QStringLiteral("%1: 出力は .csv ファイルにしてください").arg(outArg));
    if (QFileInfo(out).isDir())
        return fail(QStringLiteral("%1: フォルダーです。ファイルではありません").arg(outArg));
    if (isSameFile(out, in))
        return fail(
            QStringLiteral("%1: 出力先が入力ファイルと同じです。csv export は新しいファイルに書き出し、"
                           "入力ファイルはそのまま残します")
                .arg(outArg));

    QString readError;
    const std::unique_ptr<Workbook> wb = readWholeProblemFile(in, inArg, &readError);
    if (!wb) return fail(readError);
    QStringList lines;
    for (int p = 0; p < wb->pageCount; ++p) lines << wb->pageLines[static_cast<size_t>(p)];
    QString message;
    if (!workbookcsv::writeCsvFile(out, lines, &message)) return fail(message);
    std::fprintf(stderr, "jirakubo-cli csv: %dページ（%d行）を書き出しました\n", wb->pageCount,
                 wb->pageCount * 10);
    return 0;
}

int importCsv(const QString& inArg, const QString& outArg) {
    const QString in = QFileInfo(inArg).absoluteFilePath();
    const QString out = QFileInfo(outArg).absoluteFilePath();
    if (!out.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 出力は .mojx ファイルにしてください").arg(outArg));
    if (QFileInfo(out).isDir())
        return fail(QStringLiteral("%1: フォルダーです。ファイルではありません").arg(outArg));
    if (QFileInfo::exists(in) && isSameFile(out, in))
        return fail(
            QStringLiteral("%1: 出力先が入力ファイルと同じです。csv import は新しいファイルに書き出し、"
                           "入力ファイルはそのまま残します")
                .arg(outArg));

    auto wb = std::make_unique<Workbook>();
    const workbookcsv::CsvImport r = workbookcsv::readCsvFile(inArg, *wb);
    if (!r.ok()) {
        const QString rows = workbookcsv::rejectedRowsText(r);
        return fail(r.error + (rows.isEmpty() ? QString() : u'\n' + rows));
    }
    QString message;
    if (!writeProblemFile(out, *wb, false, &message)) return fail(message);
    std::fprintf(stderr, "jirakubo-cli csv: %s\n", qPrintable(workbookcsv::importSummary(r)));
    if (r.rejectedCount > 0) std::fprintf(stderr, "%s\n", qPrintable(workbookcsv::rejectedRowsText(r)));
    return 0;
}

}  // namespace

int runCsvCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("export: writes a workbook as CSV (UTF-8 with BOM, one row per problem).\n"
                       "import: reads a CSV written by export, or a dictation-sheet problem list\n"
                       "(学年,問題文,答え,...; UTF-8 or Shift_JIS), into a workbook."));
    parser.addPositionalArgument(QStringLiteral("export|import"), QStringLiteral("what to do"));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("import: the workbook to write (.mojx)"),
                                    QStringLiteral("OUT.mojx"));
    parser.addOption(output);
    if (auto done = parseCommandLine(parser, kCommand, kSynopsis, arguments, 1, 3)) return *done;
    const QStringList args = parser.positionalArguments();
    const QString action = args.first();
    if (action == u"export") {
        if (parser.isSet(output))
            return fail(QStringLiteral("export は -o をとりません: csv export WORKBOOK OUT.csv"));
        if (args.size() != 3)
            return fail(QStringLiteral(
                "export には問題ファイルと出力ファイルが必要です: csv export WORKBOOK OUT.csv"));
        return exportCsv(args[1], args[2]);
    }
    if (action == u"import") {
        if (args.size() != 2)
            return fail(QStringLiteral(
                "import には読み込むCSVファイルを一つ指定してください: csv import IN.csv -o OUT.mojx"));
        if (!parser.isSet(output) || parser.value(output).isEmpty())
            return fail(QStringLiteral("出力ファイル（-o OUT.mojx）が指定されていません"));
        if (parser.values(output).size() > 1) return fail(QStringLiteral("-o は一つだけ指定してください"));
        return importCsv(args[1], parser.value(output));
    }
    return fail(QStringLiteral("export か import を指定してください（%1）").arg(action));
}
