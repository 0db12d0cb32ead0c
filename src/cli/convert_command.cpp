#include "convert_command.h"

#include "cli_common.h"
#include "data/problem_files.h"
#include "quiet_platform.h"

#include <QFileInfo>

int runConvertCommand(const QStringList& arguments) {
    const QString command = QStringLiteral("convert");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reads a problem file and writes it as the program saves it."));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("problem file, .moj or .mojx"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral(".mojx file to write"));
    if (auto done = parseCommandLine(parser, command, QStringLiteral("IN.moj|IN.mojx OUT.mojx"), arguments, 2, 2))
        return *done;
    const QStringList args = parser.positionalArguments();
    const QString in = QFileInfo(args[0]).absoluteFilePath();
    const QString out = QFileInfo(args[1]).absoluteFilePath();
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return failCommand(command, QStringLiteral("%1: not a problem file (.moj or .mojx)").arg(args[0]));
    if (!out.endsWith(QLatin1String(".mojx")))
        return failCommand(command, QStringLiteral("%1: the output must be a .mojx file").arg(args[1]));
    const TextFile probe = readCp932File(in);
    if (probe.error != FileError::None) return failCommand(command, probe.message);

    QuietPlatform platform;
    Workbook wb;
    wb.currentFilePath = in;
    const ReadReport report = readProblemFile(wb, platform);
    if (!report.errorMessage.isEmpty() || report.fileNotFound) return 1;
    wb.pageCount = report.pagesRead;
    QString message;
    if (!writeProblemFile(out, wb, false, &message)) return failCommand(command, message);
    return 0;
}
