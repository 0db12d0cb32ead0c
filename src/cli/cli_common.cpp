#include "cli_common.h"

#include <QFileInfo>
#include <cstdio>

#include "data/atomic_file.h"
#include "data/reading_dictionary.h"

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& arguments, int minPositional,
                                    int maxPositional) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString usage = QStringLiteral("usage: jirakubo-cli %1 %2\n").arg(command, synopsis);
    if (!parser.parse(QStringList{QStringLiteral("jirakubo-cli")} + arguments)) {
        failCommand(command, parser.errorText());
        std::fputs(qPrintable(usage), stderr);
        return 1;
    }
    if (parser.isSet(help)) {
        QString text = usage;
        const QString options = parser.helpText();
        const qsizetype at = options.indexOf(QStringLiteral("Options:"));
        if (at >= 0) text += u'\n' + options.mid(at);
        std::fputs(qPrintable(text), stdout);
        return 0;
    }
    const qsizetype n = parser.positionalArguments().size();
    if (n < minPositional || n > maxPositional) {
        failCommand(command, n < minPositional
                                 ? QStringLiteral("missing arguments")
                                 : QStringLiteral("too many arguments: ") +
                                       parser.positionalArguments().mid(maxPositional).join(u' '));
        std::fputs(qPrintable(usage), stderr);
        return 1;
    }
    return std::nullopt;
}

int failCommand(const QString& command, const QString& message) {
    std::fprintf(stderr, "jirakubo-cli %s: %s\n", qPrintable(command), qPrintable(message));
    return 1;
}

int finishPrint(const QString& command, const PrintOutcome& outcome) {
    if (!outcome.ok()) return failCommand(command, outcome.error);
    if (!outcome.notice.isEmpty())
        std::fprintf(stderr, "jirakubo-cli %s: %s\n", qPrintable(command), qPrintable(outcome.notice));
    return 0;
}

QStringList OutputOptions::names() {
    return {QStringLiteral("output"), QStringLiteral("printer"), QStringLiteral("default-printer"),
            QStringLiteral("trace")};
}

std::optional<QString> OutputOptions::read(const QCommandLineParser& p, PrintTarget& target,
                                           const QStringList& inputs) const {
    const int given = int(p.isSet(output)) + int(p.isSet(printer)) + int(p.isSet(defaultPrinter));
    if (given == 0)
        return QStringLiteral(
            "no output file given (-o OUT.pdf), nor a printer (--printer QUEUE or "
            "--default-printer)");
    if (given > 1)
        return QStringLiteral("-o, --printer and --default-printer exclude each other: give one of them");
    const QString tracePath = p.value(trace);
    if (p.isSet(trace) && tracePath.isEmpty()) return QStringLiteral("--trace needs a file name");
    if (p.isSet(output)) {
        if (p.value(output).isEmpty()) return QStringLiteral("-o needs a file name");
        target = PrintTarget::pdfFile(p.value(output), tracePath);
    } else if (p.isSet(printer)) {
        if (p.value(printer).isEmpty())
            return QStringLiteral(
                "--printer needs a queue name (--default-printer prints on the default printer)");
        target = PrintTarget::printerQueue(p.value(printer), tracePath);
    } else {
        target = PrintTarget::defaultPrinter(tracePath);
    }

    for (const QString& input : inputs) {
        if (!target.pdfPath.isEmpty() && isSameFile(target.pdfPath, input))
            return QStringLiteral("%1: the output would replace the input").arg(target.pdfPath);
        if (!tracePath.isEmpty() && isSameFile(tracePath, input))
            return QStringLiteral("%1: the trace would replace the input").arg(tracePath);
    }
    if (!target.pdfPath.isEmpty() && !tracePath.isEmpty() && isSameFile(target.pdfPath, tracePath))
        return QStringLiteral("%1: the trace and the PDF need two files").arg(tracePath);
    return std::nullopt;
}
