// jirakubo-cli: the program's reader, writer and printer from the command line. One file
// per command; `jirakubo-cli COMMAND --help` tells a command's options.
#include <QGuiApplication>
#include <cstdio>

#include "cli/book_command.h"
#include "cli/check_command.h"
#include "cli/cli_common.h"
#include "cli/convert_command.h"
#include "cli/csv_command.h"
#include "cli/furigana_command.h"
#include "cli/list_command.h"
#include "cli/merge_command.h"
#include "cli/paper_command.h"
#include "cli/print_command.h"
#include "cli/score_command.h"
#include "cli/test_command.h"

namespace {

struct CliCommand {
    const char* name;
    const char* synopsis;
    int (*run)(const QStringList& arguments);
};

const CliCommand kCommands[] = {
    {"convert", "IN.moj|IN.mojx OUT.mojx [--keep-first-201]", runConvertCommand},
    {"print", "WORKBOOK OUTPUT [options]", runPrintCommand},
    {"furigana", "IN.mojx|IN.moj -o OUT.mojx [--overwrite]", runFuriganaCommand},
    {"book", "KANJI OUTPUT [--font NAME] [--stroke-order] [--trace FILE]", runBookCommand},
    {"list", "GRADE OUTPUT [--company NAME] [--font NAME] [--trace FILE]", runListCommand},
    {"paper", "manuscript|practice|ruled ... OUTPUT [options]", runPaperCommand},
    {"merge", "-o OUT.moj|OUT.mojx [--renumber SUFFIX] IN...", runMergeCommand},
    {"check", "WORKBOOK [--grade N] [--company NAME] [--page N] [--format text|tsv]", runCheckCommand},
    {"csv", "export WORKBOOK OUT.csv | import IN.csv -o OUT.mojx", runCsvCommand},
    {"test", "-o OUT.mojx (--grade N [--kanji KANJI] | --from WORKBOOK [--pages LIST]) [options]",
     runTestCommand},
    {"score", "TEST.mojx --page N --wrong ROWS [--class NAME] [--db FILE]", runScoreCommand},
};

QString usage() {
    QString text = QStringLiteral(
        "usage: jirakubo-cli COMMAND ARGUMENTS\n       jirakubo-cli --help | --version\n\ncommands:\n");
    for (const CliCommand& c : kCommands)
        text += QStringLiteral("  %1 %2\n").arg(QLatin1String(c.name), QLatin1String(c.synopsis));
    text += QStringLiteral(
        "\nOUTPUT is -o OUT.pdf, --printer QUEUE or --default-printer.\n"
        "'jirakubo-cli COMMAND --help' shows a command's options.\n");
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("jirakubo-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(JIRAKUBO_VERSION));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        std::fputs(qPrintable(usage()), stderr);
        return 1;
    }
    const QString command = args.takeFirst();
    if (command == u"--help" || command == u"-h" || command == u"help") {
        std::fputs(qPrintable(usage()), stdout);
        return 0;
    }
    if (command == u"--version" || command == u"-v") {
        std::printf("jirakubo-cli %s\n", JIRAKUBO_VERSION);
        return 0;
    }
    for (const CliCommand& c : kCommands)
        if (command == QLatin1String(c.name)) return c.run(args);
    std::fprintf(stderr, "jirakubo-cli: 知らないコマンドです: %s\n", qPrintable(command));
    std::fputs(qPrintable(usage()), stderr);
    return 1;
}
