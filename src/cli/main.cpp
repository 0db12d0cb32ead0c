// jirakubo-cli: the program's reader, writer and printer from the command line.
//   jirakubo-cli convert IN.moj|IN.mojx OUT.mojx
//   jirakubo-cli print WORKBOOK -o OUT.pdf [options]
#include "quiet_platform.h"
#include "data/convert_file.h"
#include "data/problem_files.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "print_command.h"

namespace {

void usage() {
    std::fprintf(stderr,
                 "usage: jirakubo-cli convert IN.moj|IN.mojx OUT.mojx\n"
                 "       jirakubo-cli print WORKBOOK -o OUT.pdf [--sheet dictation|tracing|reading|three|sentence]\n"
                 "                    [--page N | --all-pages] [--font NAME] [--font-size PT] [--no-boxes]\n"
                 "                    [--tracing] [--tracing-color RGB] [--narrow] [--two-sheet] [--trace FILE]\n");
}

int fail(const QString& message) {
    std::fprintf(stderr, "jirakubo-cli: %s\n", qPrintable(message));
    return 1;
}

// Reads the file as opening it would and writes it as saving it would (no backup).
int convert(const QStringList& args) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads a problem file as opening it would and writes it as saving it would (no backup)."));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("the problem file to read (.moj or .mojx)"));
    parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("the .mojx file to write (not IN itself)"));
    const QCommandLineOption keep(QStringLiteral("keep-first-201"),
                                  QStringLiteral("write the first 201 pages of a file that holds more "
                                                 "(without it such a file is refused)"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("show this help"));
    parser.addOption(keep);
    parser.addOption(help);
    if (!parser.parse(QStringList{QStringLiteral("jirakubo-cli convert")} + args)) return fail(parser.errorText());
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.positionalArguments().size() != 2) {
        usage();
        return 1;
    }
    ConvertOptions options;
    options.keepFirst201 = parser.isSet(keep);
    const ConvertResult r = convertProblemFile(parser.positionalArguments()[0], parser.positionalArguments()[1],
                                               options, QCoreApplication::applicationDirPath());
    if (!r.written) return fail(r.message);
    if (r.pagesLeftOut > 0)
        std::fprintf(stderr, "jirakubo-cli: wrote the first %d pages; %d pages left out\n", r.pagesWritten,
                     r.pagesLeftOut);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) {
        usage();
        return 1;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("convert")) return convert(args);
    if (command == QLatin1String("print")) return runPrintCommand(args);
    usage();
    return 1;
}
