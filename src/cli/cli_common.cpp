#include "cli/cli_common.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

#include "core/data/atomic_file.h"
#include "core/data/reading_dictionary.h"

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& arguments, int minPositional,
                                    int maxPositional) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString usage = QStringLiteral("usage: jirakubo-cli %1 %2\n").arg(command, synopsis);
    if (!parser.parse(QStringList{QStringLiteral("jirakubo-cli")} + arguments)) {
        failCommand(command, japaneseParserError(parser.errorText()));
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
                                 ? QStringLiteral("引数が足りません")
                                 : QStringLiteral("引数が多すぎます: ") +
                                       parser.positionalArguments().mid(maxPositional).join(u' '));
        std::fputs(qPrintable(usage), stderr);
        return 1;
    }
    return std::nullopt;
}

QString japaneseParserError(const QString& error) {
    // The few errors QCommandLineParser gives, which its catalog words in English.
    static const struct {
        const char* pattern;
        const char* japanese;
    } errors[] = {
        {"^Unknown options?: (.*)\\.$", "知らないオプションです: %1"},
        {"^Unknown option '(.*)'\\.$", "知らないオプションです: %1"},
        {"^Missing value after '(.*)'\\.$", "%1 のあとに値がありません"},
        {"^Unexpected value after '(.*)'\\.$", "%1 は値をとりません"},
    };
    for (const auto& e : errors) {
        const QRegularExpressionMatch m = QRegularExpression(QString::fromLatin1(e.pattern)).match(error);
        if (m.hasMatch()) return QString::fromUtf8(e.japanese).arg(m.captured(1));
    }
    return error;
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
            "出力先がありません。-o OUT.pdf（PDFファイル）、--printer QUEUE（プリンター）、"
            "--default-printer（通常使うプリンター）のどれかを指定してください");
    if (given > 1)
        return QStringLiteral(
            "-o、--printer、--default-printer は一緒に指定できません。どれか一つにしてください");
    const QString tracePath = p.value(trace);
    if (p.isSet(trace) && tracePath.isEmpty()) return QStringLiteral("--trace にはファイル名が必要です");
    if (p.isSet(output)) {
        if (p.value(output).isEmpty()) return QStringLiteral("-o にはファイル名が必要です");
        target = PrintTarget::pdfFile(p.value(output), tracePath);
    } else if (p.isSet(printer)) {
        if (p.value(printer).isEmpty())
            return QStringLiteral(
                "--printer にはプリンターの名前が必要です（通常使うプリンターには --default-printer）");
        target = PrintTarget::printerQueue(p.value(printer), tracePath);
    } else {
        target = PrintTarget::defaultPrinter(tracePath);
    }

    for (const QString& input : inputs) {
        if (!target.pdfPath.isEmpty() && isSameFile(target.pdfPath, input))
            return QStringLiteral(
                       "%1: 出力先が入力ファイルと同じです（入力ファイルを消してしまうため、出力しません）")
                .arg(target.pdfPath);
        if (!tracePath.isEmpty() && isSameFile(tracePath, input))
            return QStringLiteral("%1: --trace のファイルが入力ファイルと同じです").arg(tracePath);
    }
    if (!target.pdfPath.isEmpty() && !tracePath.isEmpty() && isSameFile(target.pdfPath, tracePath))
        return QStringLiteral("%1: --trace とPDFには別々のファイルを指定してください").arg(tracePath);
    return std::nullopt;
}
