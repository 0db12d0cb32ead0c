#include "cli/merge_command.h"

#include <QCommandLineParser>
#include <cstdio>
#include <optional>

#include "cli/cli_common.h"
#include "core/data/atomic_file.h"
#include "core/data/file_merge.h"
#include "core/data/problem_files.h"
#include "core/data/workbook.h"

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "jirakubo-cli merge: %s\n", qPrintable(message));
    return 1;
}

// ".mojx" or ".moj" by the name's ending, as the program's reader tells them apart.
std::optional<filemerge::Format> formatOf(const QString& path) {
    if (path.endsWith(QLatin1String(".mojx"))) return filemerge::Format::Mojx;
    if (path.endsWith(QLatin1String(".moj"))) return filemerge::Format::Moj;
    return std::nullopt;
}

}  // namespace

int runMergeCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Joins problem files of one format (.moj or .mojx) into one, pages in the order given.\n"
        "With --renumber the headings become full-width numbers, the first page highest, the\n"
        "last page 1, each followed by SUFFIX (１０級 ... １級)."));
    parser.addHelpOption();
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The merged file, of the inputs' format."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption renumber(
        QStringLiteral("renumber"), QStringLiteral("Renumber the headings, each number followed by SUFFIX."),
        QStringLiteral("SUFFIX"));
    parser.addOption(output);
    parser.addOption(renumber);
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("Problem files to join."),
                                 QStringLiteral("IN..."));
    const QString usage =
        QStringLiteral("usage: jirakubo-cli merge -o OUT.moj|OUT.mojx [--renumber SUFFIX] IN...");

    if (const auto error = parseArguments(parser, QStringLiteral("merge"), arguments))
        return fail(*error + u'\n' + usage);
    if (parser.isSet(QStringLiteral("help"))) {
        // Qt's own first line names the program without the command.
        const QString help = parser.helpText().section(u'\n', 1);
        std::fprintf(stdout, "%s\n%s", qPrintable(usage), qPrintable(help));
        return 0;
    }
    const QStringList inputs = parser.positionalArguments();
    if (!parser.isSet(output) || parser.value(output).isEmpty())
        return fail(QStringLiteral("出力ファイル（-o OUT）が指定されていません\n") + usage);
    if (inputs.isEmpty()) return fail(QStringLiteral("結合するファイルが指定されていません\n") + usage);

    std::optional<filemerge::Format> format;
    for (const QString& in : inputs) {
        const std::optional<filemerge::Format> f = formatOf(in);
        if (!f) return fail(QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(in));
        if (format && *f != *format)
            return fail(
                QStringLiteral(
                    "%1: .moj と .mojx のファイルが混ざっています。同じ形式のファイルだけを結合してください")
                    .arg(in));
        format = f;
    }
    const QString out = parser.value(output);
    if (formatOf(out) != format)
        return fail(QStringLiteral("%1: %2 ファイルを結合した出力は %2 ファイルにしてください")
                        .arg(out, filemerge::extension(*format)));

    if (parser.isSet(renumber)) {
        if (const std::optional<QChar> bad = filemerge::unusableSuffixCharacter(parser.value(renumber)))
            return fail(
                *bad == u'"'
                    ? QStringLiteral("--renumber: 見出しには二重引用符（\"）を使えません")
                    : QStringLiteral("--renumber: 見出しには改行などの制御文字（U+%1）を使えません")
                          .arg(QString::number(bad->unicode(), 16).toUpper().rightJustified(4, u'0')));
    }
    for (const QString& in : inputs)
        if (isSameFile(out, in))
            return fail(
                QStringLiteral("%1: 出力先が入力ファイル %2 と同じです。merge は新しいファイルに書き、"
                               "入力ファイルはそのまま残します")
                    .arg(out, in));

    QStringList lines;
    for (const QString& in : inputs) {
        const filemerge::PageLines read = filemerge::readPageLines(in);
        if (!read.error.isEmpty()) return fail(read.error);
        lines += read.lines;
        if (lines.size() > kMaxPages)
            return fail(
                QStringLiteral("%1: ここまでのファイルで%2ページになり、問題ファイルに入る%3ページを超えます")
                    .arg(in)
                    .arg(lines.size())
                    .arg(kMaxPages));
    }
    if (lines.isEmpty()) return fail(QStringLiteral("結合するファイルにページがありません"));
    if (parser.isSet(renumber)) lines = filemerge::renumberHeadings(lines, parser.value(renumber));
    QString message;
    if (!writeCp932Lines(out, lines, &message)) return fail(message);
    return 0;
}
