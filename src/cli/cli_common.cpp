#include "cli_common.h"

#include <cstdio>

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command, const QString& synopsis,
                                    const QStringList& arguments, int minPositional, int maxPositional) {
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
        failCommand(command, n < minPositional ? QStringLiteral("missing arguments")
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

std::optional<int> parseWholeNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < low || v > high) return std::nullopt;
    return v;
}
