#include "cli/cli_common.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>

#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "core/data/reading_dictionary.h"

std::optional<int> parseCommandLine(QCommandLineParser& parser, const QString& command,
                                    const QString& synopsis, const QStringList& arguments, int minPositional,
                                    int maxPositional) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QString usage = QStringLiteral("usage: jirakubo-cli %1 %2\n").arg(command, synopsis);
    if (const std::optional<QString> error = parseArguments(parser, command, arguments)) {
        failCommand(command, *error);
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

QString japaneseParserError(const QString& error, const QStringList& arguments) {
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
        if (!m.hasMatch()) continue;
        QString text = QString::fromUtf8(e.japanese).arg(m.captured(1));
        if (error.startsWith(QLatin1String("Unknown option"))) {
            // A file whose name begins with "-" reads as an option: say how to name it.
            for (const QString& a : arguments) {
                if (!a.startsWith(u'-') || a == QLatin1String("--")) continue;
                QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
                name = name.section(u'=', 0, 0);
                if (!m.captured(1).split(QStringLiteral(", ")).contains(name)) continue;
                if (!a.contains(u'.') && !a.contains(u'/')) continue;
                text += QStringLiteral("（ファイル %1 のことなら、./%1 と書くか、-- のあとに置いてください）")
                            .arg(a);
                break;
            }
        }
        return text;
    }
    return error;
}

std::optional<QString> parseArguments(QCommandLineParser& parser, const QString& command,
                                      const QStringList& arguments, const QStringList& emptyAllowed) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(QStringList{QStringLiteral("jirakubo-cli ") + command} + arguments))
        return japaneseParserError(parser.errorText(), arguments);
    QStringList seen;
    for (const QString& name : parser.optionNames()) {
        if (seen.contains(name)) continue;
        seen << name;
        const QStringList values = parser.values(name);  // none for an option without a value
        const QString dashed = (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        if (values.size() > 1)
            return QStringLiteral("%1 は一度だけ指定してください（%2 の%3つが指定されています）")
                .arg(dashed, values.join(QStringLiteral("、")))
                .arg(values.size());
        if (values.size() == 1 && values[0].isEmpty() && !emptyAllowed.contains(name))
            return QStringLiteral("%1 の値が空です。値を指定してください").arg(dashed) +
                   (name == QLatin1String("printer")
                        ? QStringLiteral("（通常使うプリンターには --default-printer）")
                        : QString());
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

    // Refused before any work: a link another user put in a shared folder such as /tmp.
    for (const QString& written : {target.pdfPath, tracePath})
        if (const QString link = untrustedLinkOnPath(written); !link.isEmpty())
            return untrustedLinkMessage(link);
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

std::unique_ptr<Workbook> readWholeProblemFile(const QString& in, const QString& inArg, QString* message) {
    auto wb = std::make_unique<Workbook>();
    wb->currentFilePath = in;
    const ReadReport report = readProblemFile(*wb, programDataDirectory());
    for (const ReadNotice& notice : readNotices(report, *wb))
        if (notice.kind != ReadNotice::Kind::PagesLeftOut) {
            *message = notice.text;
            return nullptr;
        }
    if (report.pagesLeftOut > 0) {
        *message =
            QStringLiteral("%1: %2ページあり、問題ファイルに入る%3ページを超えるため、何も書き出していません")
                .arg(inArg)
                .arg(report.pagesRead + report.pagesLeftOut)
                .arg(kMaxPages);
        return nullptr;
    }
    wb->pageCount = report.pagesRead;
    return wb;
}
