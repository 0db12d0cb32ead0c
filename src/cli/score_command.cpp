#include "cli/score_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/cli_common.h"
#include "cli/results_access.h"
#include "core/data/problem_files.h"
#include "core/data/results_store.h"
#include "core/platform.h"

namespace {

const QString kSynopsis = QStringLiteral(
    "TEST.mojx --page N --wrong ROWS [--student NAME] [--class NAME] [--db FILE] [--date YYYY-MM-DD]");

int fail(const QString& message) {
    return failCommand(QStringLiteral("score"), message);
}

}  // namespace

int runScoreCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("TEST"),
                                 QStringLiteral("the test's workbook (.mojx or .moj)"),
                                 QStringLiteral("TEST.mojx"));
    const QCommandLineOption page(QStringLiteral("page"), QStringLiteral("The page of the test (1, 2, ...)."),
                                  QStringLiteral("N"));
    const QCommandLineOption wrong(
        QStringLiteral("wrong"),
        QStringLiteral("The rows answered wrong, e.g. 2,5 (\"\" for none); the page's "
                       "other problems count as right."),
        QStringLiteral("ROWS"));
    const QCommandLineOption student(
        QStringLiteral("student"),
        QStringLiteral("The student whose marks these are (default: the class as a whole)."),
        QStringLiteral("NAME"));
    const ResultsOptions results;
    parser.addOptions({page, wrong, student});
    parser.addOptions(results.all());
    if (auto done = parseCommandLine(parser, QStringLiteral("score"), kSynopsis, arguments, 0, 99))
        return *done;

    const QStringList inputs = parser.positionalArguments();
    if (inputs.size() != 1) return fail(QStringLiteral("テストの問題ファイルを一つ指定してください"));
    if (!parser.isSet(page)) return fail(QStringLiteral("ページ（--page N）が指定されていません"));
    if (!parser.isSet(wrong))
        return fail(
            QStringLiteral("間違えた行（--wrong 2,5。全部正しければ --wrong \"\"）が指定されていません"));
    const auto pageNumber = parseWholeNumber(parser.value(page), 1, kMaxPages);
    if (!pageNumber)
        return fail(QStringLiteral("「%1」はページ番号ではありません（1〜%2）")
                        .arg(parser.value(page))
                        .arg(kMaxPages));
    QString message;
    std::vector<int> wrongRows;
    if (!parseRowList(parser.value(wrong), &wrongRows, &message)) return fail(message);
    const auto className = results.readClass(parser, &message);
    if (!className) return fail(message);
    const auto day = results.readDate(parser, &message);
    if (!day) return fail(message);
    const QString studentName = parser.value(student).trimmed();
    if (parser.isSet(student) && studentName.isEmpty())
        return fail(QStringLiteral("--student に名前を書いてください"));

    const QString inArg = inputs.first();
    const QString in = QFileInfo(inArg).absoluteFilePath();
    if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(inArg));
    const TextFile probe = readCp932File(in);
    if (probe.error != FileError::None) return fail(probe.message);
    auto wb = std::make_unique<Workbook>();
    wb->currentFilePath = in;
    const ReadReport report = readProblemFile(*wb, programDataDirectory());
    for (const ReadNotice& notice : readNotices(report, *wb))
        if (notice.kind != ReadNotice::Kind::PagesLeftOut) return fail(notice.text);
    if (*pageNumber > report.pagesRead)
        return fail(QStringLiteral("%1 に%2ページはありません（%3ページです）")
                        .arg(inArg)
                        .arg(*pageNumber)
                        .arg(report.pagesRead));

    const PageRecord& record = wb->page(*pageNumber - 1);
    std::vector<ScoredProblem> answers;
    QStringList wrongText;
    for (int row = 1; row <= kTestPageRows; ++row) {
        TestProblem problem;
        const bool hasProblem = problemOfRow(record, row, &problem);
        const bool isWrong = std::find(wrongRows.begin(), wrongRows.end(), row) != wrongRows.end();
        if (!hasProblem) {
            if (isWrong)
                return fail(QStringLiteral("%1ページの%2行目には問題がありません").arg(*pageNumber).arg(row));
            continue;
        }
        answers.push_back({problem, !isWrong});
        if (isWrong) wrongText << QStringLiteral("%1行目（%2）").arg(row).arg(problem.word);
    }
    if (answers.empty()) return fail(QStringLiteral("%1ページには問題がありません").arg(*pageNumber));

    auto store = results.open(parser, &message);
    if (!store) return fail(message);
    if (!store->recordAnswers(*className, studentName, *day, answers, &message)) return fail(message);
    std::fprintf(stderr, "jirakubo-cli score: %s %d問を記録しました（×: %s）→ %s\n",
                 qPrintable(studentName.isEmpty()
                                ? QStringLiteral("クラス「%1」の").arg(*className)
                                : QStringLiteral("クラス「%1」%2さんの").arg(*className, studentName)),
                 static_cast<int>(answers.size()),
                 qPrintable(wrongText.isEmpty() ? QStringLiteral("なし") : wrongText.join(u'、')),
                 qPrintable(store->location().display()));
    return 0;
}
