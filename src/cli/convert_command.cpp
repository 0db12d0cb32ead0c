#include "cli/convert_command.h"

#include <QCoreApplication>
#include <cstdio>

#include "cli/cli_common.h"
#include "core/data/convert_file.h"
#include "core/platform.h"

int runConvertCommand(const QStringList& arguments) {
    const QString command = QStringLiteral("convert");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads a problem file as opening it would and writes it as saving it would (no backup)."));
    parser.addPositionalArgument(QStringLiteral("IN"),
                                 QStringLiteral("the problem file to read (.moj or .mojx)"));
    parser.addPositionalArgument(QStringLiteral("OUT"),
                                 QStringLiteral("the .mojx file to write (not IN itself)"));
    const QCommandLineOption keep(QStringLiteral("keep-first-201"),
                                  QStringLiteral("write the first 201 pages of a file that holds more "
                                                 "(without it such a file is refused)"));
    parser.addOption(keep);
    if (auto done = parseCommandLine(
            parser, command, QStringLiteral("IN.moj|IN.mojx OUT.mojx [--keep-first-201]"), arguments, 2, 2))
        return *done;
    ConvertOptions options;
    options.keepFirst201 = parser.isSet(keep);
    const ConvertResult r = convertProblemFile(
        parser.positionalArguments()[0], parser.positionalArguments()[1], options, programDataDirectory());
    if (!r.written) return failCommand(command, r.message);
    if (r.pagesLeftOut > 0)
        std::fprintf(stderr, "jirakubo-cli convert: 最初の%dページを書き出しました（%dページは除きました）\n",
                     r.pagesWritten, r.pagesLeftOut);
    return 0;
}
