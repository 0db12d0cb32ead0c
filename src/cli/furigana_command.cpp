#include "cli/furigana_command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/cli_common.h"
#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/data/workbook.h"
#include "core/platform.h"

namespace {

int fail(const QString& message) {
    return failCommand(QStringLiteral("furigana"), message);
}

}  // namespace

int runFuriganaCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fills the empty readings of a workbook with the readings MeCab proposes."));
    parser.addPositionalArgument(QStringLiteral("IN"), QStringLiteral("the workbook to read (.mojx or .moj)"),
                                 QStringLiteral("IN.mojx|IN.moj"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
                                          QStringLiteral("the workbook to write (.mojx)"),
                                          QStringLiteral("OUT.mojx"));
    const QCommandLineOption overwriteOption(
        QStringLiteral("overwrite"), QStringLiteral("also replace readings that differ from the proposal"));
    parser.addOptions({outputOption, overwriteOption});
    if (auto done =
            parseCommandLine(parser, QStringLiteral("furigana"),
                             QStringLiteral("IN.mojx|IN.moj -o OUT.mojx [--overwrite]"), arguments, 0, 99))
        return *done;

    const QStringList inputs = parser.positionalArguments();
    if (inputs.isEmpty())
        return fail(QStringLiteral("問題ファイル（IN.mojx か IN.moj）が指定されていません"));
    if (inputs.size() > 1)
        return fail(QStringLiteral("問題ファイルは一つだけ指定してください（%1）").arg(inputs.join(u", ")));
    if (!parser.isSet(outputOption))
        return fail(QStringLiteral("出力ファイル（-o OUT.mojx）が指定されていません"));
    const QString inArg = inputs.first();
    const QString outArg = parser.value(outputOption);
    const QString in = QFileInfo(inArg).absoluteFilePath();
    const QString out = QFileInfo(outArg).absoluteFilePath();
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(inArg));
    if (isExampleFile(in, QString(), programDataDirectory()))
        return fail(QStringLiteral("%1: 例文ファイル base.moj です。問題ファイルではありません").arg(inArg));
    if (!out.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 出力は .mojx ファイルにしてください").arg(outArg));
    if (isSameFile(out, in))
        return fail(QStringLiteral("%1: 出力先が入力ファイルと同じです。furigana は新しいファイルに書き、"
                                   "入力ファイルはそのまま残します")
                        .arg(outArg));
    const TextFile probe = readCp932File(in);
    if (probe.error != FileError::None) return fail(probe.message);

    const ReadingProposer& proposer = ReadingProposer::shared();
    if (!proposer.isAvailable()) return fail(proposer.unavailableMessage());

    QString readError;
    const std::unique_ptr<Workbook> wb = readWholeProblemFile(in, inArg, &readError);
    if (!wb) return fail(readError);

    const bool overwrite = parser.isSet(overwriteOption);
    int filled = 0, noProposal = 0;
    std::vector<ReadingChange> replaced;
    for (int p = 0; p < wb->pageCount; ++p) {
        PageRecord& page = wb->page(p);
        const ReadingFillReport r = fillPageReadings(page, p, proposer, overwrite);
        filled += r.filled;
        noProposal += r.noProposal;
        for (const ReadingChange& c : r.changes)
            if (!c.oldReading.isEmpty()) replaced.push_back(c);
        wb->pageLines[static_cast<size_t>(p)] = pageLine(page, page[kFontField]);
    }
    QString message;
    if (!writeProblemFile(out, *wb, false, &message)) return fail(message);

    std::fprintf(
        stderr,
        "jirakubo-cli furigana: 読みがなを%d個入れました（読みがなを決められなかった言葉が%d個あります）\n",
        filled, noProposal);
    if (overwrite) {
        std::fprintf(stderr, "jirakubo-cli furigana: 読みがなを%d個置き換えました\n",
                     static_cast<int>(replaced.size()));
        for (const ReadingChange& c : replaced) {
            const QString kanji = wb->page(c.pageIndex)[static_cast<size_t>(
                slotFieldIndex(c.row, c.word == 1 ? SlotField::Kanji : SlotField::Kanji2))];
            std::fprintf(stderr, "  %dページ %d行目 %d語目（%s）: %s → %s\n", c.pageIndex + 1, c.row, c.word,
                         qPrintable(kanji), qPrintable(c.oldReading), qPrintable(c.newReading));
        }
    }
    return 0;
}
