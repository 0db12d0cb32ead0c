// jirakubo-cli: the program's reader, writer and printer from the command line.
//   jirakubo-cli convert IN.moj|IN.mojx OUT.mojx
//   jirakubo-cli print WORKBOOK -o OUT.pdf [options]
#include "quiet_platform.h"
#include "data/problem_files.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "paper_command.h"
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
    if (args.size() != 2) {
        usage();
        return 1;
    }
    const QString in = QFileInfo(args[0]).absoluteFilePath();
    const QString out = QFileInfo(args[1]).absoluteFilePath();
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: not a problem file (.moj or .mojx)").arg(args[0]));
    if (!out.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: the output must be a .mojx file").arg(args[1]));
    const TextFile probe = readCp932File(in);
    if (probe.error != FileError::None) return fail(probe.message);

    QuietPlatform platform;
    Workbook wb;
    wb.currentFilePath = in;
    const ReadReport report = readProblemFile(wb, platform);
    if (!report.errorMessage.isEmpty() || report.fileNotFound) return 1;
    QStringList lines;
    for (int p = 0; p < report.pagesRead; ++p) lines << wb.pageLines[static_cast<size_t>(p)];
    QString message;
    if (!writeCp932Lines(out, lines, &message)) return fail(message);
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
    if (command == QLatin1String("paper")) return runPaperCommand(args);
    usage();
    return 1;
}
