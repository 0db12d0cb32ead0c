#include "furigana_command.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli_common.h"
#include "data/atomic_file.h"
#include "data/problem_files.h"
#include "data/reading_proposer.h"
#include "data/workbook.h"
#include "quiet_platform.h"

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
    if (inputs.isEmpty()) return fail(QStringLiteral("no workbook given (IN.mojx or IN.moj)"));
    if (inputs.size() > 1)
        return fail(QStringLiteral("more than one workbook given (%1)").arg(inputs.join(u", ")));
    if (!parser.isSet(outputOption)) return fail(QStringLiteral("no output file given (-o OUT.mojx)"));
    const QString inArg = inputs.first();
    const QString outArg = parser.value(outputOption);
    const QString in = QFileInfo(inArg).absoluteFilePath();
    const QString out = QFileInfo(outArg).absoluteFilePath();
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: not a problem file (.moj or .mojx)").arg(inArg));
    if (isExampleFile(in, QString(), programDataDirectory()))
        return fail(QStringLiteral("%1: the example file base.moj holds example sentences, not a workbook")
                        .arg(inArg));
    if (!out.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: the output must be a .mojx file").arg(outArg));
    if (isSameFile(out, in))
        return fail(
            QStringLiteral("%1: the output is the input file; furigana writes a new file and leaves its "
                           "input as it is")
                .arg(outArg));
    const TextFile probe = readCp932File(in);
    if (probe.error != FileError::None) return fail(probe.message);

    const ReadingProposer& proposer = ReadingProposer::shared();
    if (!proposer.isAvailable()) return fail(proposer.unavailableMessage());

    QuietPlatform platform;
    auto wb = std::make_unique<Workbook>();
    wb->currentFilePath = in;
    const ReadReport report = readProblemFile(*wb, platform);
    if (!report.errorMessage.isEmpty() || report.fileNotFound) return 1;  // the platform said why
    if (report.pagesLeftOut > 0)
        return fail(QStringLiteral("%1 has %2 pages, more than the %3 a workbook holds; nothing written")
                        .arg(inArg)
                        .arg(report.pagesRead + report.pagesLeftOut)
                        .arg(kMaxPages));

    const bool overwrite = parser.isSet(overwriteOption);
    int filled = 0, noProposal = 0;
    std::vector<ReadingChange> replaced;
    for (int p = 0; p < report.pagesRead; ++p) {
        PageRecord& page = wb->page(p);
        const ReadingFillReport r = fillPageReadings(page, p, proposer, overwrite);
        filled += r.filled;
        noProposal += r.noProposal;
        for (const ReadingChange& c : r.changes)
            if (!c.oldReading.isEmpty()) replaced.push_back(c);
        wb->pageLines[static_cast<size_t>(p)] = pageLine(page, page[kFontField]);
    }
    wb->pageCount = report.pagesRead;
    QString message;
    if (!writeProblemFile(out, *wb, false, &message)) return fail(message);

    std::fprintf(stderr, "jirakubo-cli furigana: %d reading(s) filled, %d word(s) without a proposal\n",
                 filled, noProposal);
    if (overwrite) {
        std::fprintf(stderr, "jirakubo-cli furigana: %d reading(s) replaced\n",
                     static_cast<int>(replaced.size()));
        for (const ReadingChange& c : replaced) {
            const QString kanji = wb->page(c.pageIndex)[static_cast<size_t>(
                slotFieldIndex(c.row, c.word == 1 ? SlotField::Kanji : SlotField::Kanji2))];
            std::fprintf(stderr, "  page %d, row %d, word %d (%s): %s → %s\n", c.pageIndex + 1, c.row, c.word,
                         qPrintable(kanji), qPrintable(c.oldReading), qPrintable(c.newReading));
        }
    }
    return 0;
}
