#include "cli/test_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>
#include <memory>

#include "cli/cli_common.h"
#include "cli/results_access.h"
#include "core/data/problem_files.h"
#include "core/data/results_store.h"
#include "core/data/settings.h"
#include "core/data/test_builder.h"
#include "core/data/test_sources.h"
#include "core/platform.h"

namespace {

const QString kSynopsis = QStringLiteral(
    "-o OUT.mojx (--grade N [--kanji KANJI] | --from WORKBOOK [--pages LIST]) [--count N] [--seed S] "
    "[--company NAME] [--heading TEXT] [--review [--class NAME] [--db FILE] [--date YYYY-MM-DD]]");

const QStringList kCompanies{QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                             QStringLiteral("学校図書"), QStringLiteral("光村図書")};

int fail(const QString& message) {
    return failCommand(QStringLiteral("test"), message);
}

// "1,3-5" as page indexes 0, 2, 3, 4 of a workbook of pageCount pages.
std::optional<std::vector<int>> parsePages(const QString& text, int pageCount, QString* message) {
    std::vector<int> pages;
    const QString plain = text.normalized(QString::NormalizationForm_KC);
    for (const QString& part : plain.split(u',')) {
        const QStringList ends = part.trimmed().split(u'-');
        const auto first = parseWholeNumber(ends.value(0), 1, 100000);
        const auto last = ends.size() == 2 ? parseWholeNumber(ends[1], 1, 100000) : first;
        if (ends.size() > 2 || !first || !last || *last < *first) {
            *message =
                QStringLiteral("--pages は 1,3-5 のようにページ番号で書いてください（「%1」は読めません）")
                    .arg(part.trimmed());
            return std::nullopt;
        }
        if (*last > pageCount) {
            *message = QStringLiteral("%1ページはありません（このファイルは%2ページです）")
                           .arg(*last)
                           .arg(pageCount);
            return std::nullopt;
        }
        for (int p = *first; p <= *last; ++p)
            if (std::find(pages.begin(), pages.end(), p - 1) == pages.end()) pages.push_back(p - 1);
    }
    return pages;
}

}  // namespace

int runTestCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("The workbook to write (.mojx)."),
                                    QStringLiteral("OUT.mojx"));
    const QCommandLineOption grade(
        QStringLiteral("grade"),
        QStringLiteral("Problems for the kanji of grade N (1-6); no sentence holds a "
                       "kanji above it."),
        QStringLiteral("N"));
    const QCommandLineOption kanji(
        QStringLiteral("kanji"),
        QStringLiteral("Only these kanji (with --grade, which bounds the sentences)."),
        QStringLiteral("KANJI"));
    const QCommandLineOption from(QStringLiteral("from"),
                                  QStringLiteral("Problems drawn from this workbook."),
                                  QStringLiteral("WORKBOOK"));
    const QCommandLineOption pages(
        QStringLiteral("pages"),
        QStringLiteral("With --from: the pages to draw from, e.g. 1,3-5 (default: all)."),
        QStringLiteral("LIST"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("How many problems, 1-50 (default 10), ten a page."),
                                   QStringLiteral("N"));
    const QCommandLineOption seed(
        QStringLiteral("seed"),
        QStringLiteral("The seed the sentences are drawn with; the same seed makes the "
                       "same test (default: a new one, shown)."),
        QStringLiteral("S"));
    const QCommandLineOption company(
        QStringLiteral("company"),
        QStringLiteral("The textbook company whose grades count: %1 (default: none).")
            .arg(kCompanies.join(u", ")),
        QStringLiteral("NAME"));
    const QCommandLineOption heading(QStringLiteral("heading"),
                                     QStringLiteral("The heading (default: テスト M月D日 and the scope)."),
                                     QStringLiteral("TEXT"));
    const QCommandLineOption review(
        QStringLiteral("review"),
        QStringLiteral(
            "Order by the class's results: missed last time, due again, never asked, answered right. "
            "Without --grade or --from: every problem the class was asked."));
    const ResultsOptions results;
    parser.addOptions({output, grade, kanji, from, pages, count, seed, company, heading, review});
    parser.addOptions(results.all());
    if (auto done = parseCommandLine(parser, QStringLiteral("test"), kSynopsis, arguments, 0, 0))
        return *done;

    // The options, all read before anything is built or written.
    if (!parser.isSet(output)) return fail(QStringLiteral("出力ファイル（-o OUT.mojx）が指定されていません"));
    const QString outArg = parser.value(output);
    const QString out = QFileInfo(outArg).absoluteFilePath();
    if (!out.endsWith(QLatin1String(".mojx")))
        return fail(QStringLiteral("%1: 出力は .mojx ファイルにしてください").arg(outArg));
    const bool fromGrade = parser.isSet(grade), fromPages = parser.isSet(from);
    const bool isReview = parser.isSet(review);
    if (fromGrade && fromPages)
        return fail(QStringLiteral("--grade と --from は一緒に使えません。どちらかにしてください"));
    if (!fromGrade && !fromPages && !isReview)
        return fail(QStringLiteral("何からテストを作るか、--grade N か --from WORKBOOK で指定してください"));
    if (parser.isSet(kanji) && !fromGrade)
        return fail(QStringLiteral("--kanji は --grade と一緒に使います（文に使ってよい漢字の学年）"));
    if (parser.isSet(pages) && !fromPages) return fail(QStringLiteral("--pages は --from と一緒に使います"));
    if (!isReview)
        for (const QCommandLineOption* o : {&results.db, &results.className})
            if (parser.isSet(*o))
                return fail(QStringLiteral("--%1 は --review と一緒に使います").arg(o->names().first()));
    int gradeValue = 0;
    if (fromGrade) {
        gradeValue = parseWholeNumber(parser.value(grade), 1, 6).value_or(0);
        if (gradeValue == 0)
            return fail(QStringLiteral("「%1」は学年ではありません。1〜6の学年を指定してください")
                            .arg(parser.value(grade)));
    }
    const QString kanjiText = parser.value(kanji);
    if (parser.isSet(kanji) && distinctKanji(kanjiText).isEmpty())
        return fail(QStringLiteral("--kanji に漢字がありません（「%1」）").arg(kanjiText));
    const int countValue =
        parser.isSet(count) ? parseWholeNumber(parser.value(count), 1, kMaxTestProblems).value_or(0) : 10;
    if (countValue == 0)
        return fail(QStringLiteral("問題の数は 1〜%1 で指定してください（「%2」）")
                        .arg(kMaxTestProblems)
                        .arg(parser.value(count)));
    quint64 seedValue = newTestSeed();
    if (parser.isSet(seed)) {
        const auto s = parseWholeNumber(parser.value(seed), 0, 2147483647);
        if (!s)
            return fail(QStringLiteral("種（--seed）は 0 以上の整数で指定してください（「%1」）")
                            .arg(parser.value(seed)));
        seedValue = static_cast<quint64>(*s);
    }
    const QString companyName = parser.isSet(company) ? parser.value(company) : kNoCompany;
    if (companyName != kNoCompany && !kCompanies.contains(companyName))
        return fail(QStringLiteral("「%1」という教科書会社はありません（%2）")
                        .arg(companyName, kCompanies.join(u", ")));
    if (parser.isSet(heading) && parser.value(heading).trimmed().isEmpty())
        return fail(QStringLiteral("--heading に見出しを書いてください"));
    QString message;
    const auto className = results.readClass(parser, &message);
    if (!className) return fail(message);
    const auto day = results.readDate(parser, &message);
    if (!day) return fail(message);

    // What the test is drawn from.
    std::vector<TestProblem> pool;
    QString scope;
    QString fontName = kDefaultFontName;
    BuiltTest built;
    if (fromPages) {
        const QString in = QFileInfo(parser.value(from)).absoluteFilePath();
        if (isSameFile(out, in))
            return fail(
                QStringLiteral("%1: 出力先が入力ファイルと同じです。テストは新しいファイルに書いてください")
                    .arg(outArg));
        if (!in.endsWith(QLatin1String(".moj")) && !in.endsWith(QLatin1String(".mojx")))
            return fail(
                QStringLiteral("%1: 問題ファイル（.moj か .mojx）ではありません").arg(parser.value(from)));
        if (isExampleFile(in, QString(), programDataDirectory()))
            return fail(QStringLiteral("%1: 例文ファイル base.moj です。問題ファイルではありません")
                            .arg(parser.value(from)));
        const TextFile probe = readCp932File(in);
        if (probe.error != FileError::None) return fail(probe.message);
        auto wb = std::make_unique<Workbook>();
        wb->currentFilePath = in;
        const ReadReport report = readProblemFile(*wb, programDataDirectory());
        for (const ReadNotice& notice : readNotices(report, *wb))
            if (notice.kind != ReadNotice::Kind::PagesLeftOut) return fail(notice.text);
        std::vector<int> chosen;
        if (parser.isSet(pages)) {
            const auto p = parsePages(parser.value(pages), report.pagesRead, &message);
            if (!p) return fail(message);
            chosen = *p;
        } else {
            for (int p = 0; p < report.pagesRead; ++p) chosen.push_back(p);
        }
        pool = pageProblems(*wb, chosen);
        if (pool.empty())
            return fail(QStringLiteral("%1: 選んだページに問題がありません").arg(parser.value(from)));
        if (!chosen.empty() && !wb->page(chosen.front())[kFontField].isEmpty())
            fontName = wb->page(chosen.front())[kFontField];
        scope = wb->headingList.value(chosen.front());
        built = buildFromProblems(pool, isReview ? kMaxTestProblems * 1000 : countValue, seedValue);
    } else if (fromGrade) {
        TestSources sources;
        if (!loadTestSources(programDataDirectory(), companyName, &sources, &message)) return fail(message);
        if (parser.isSet(kanji)) {
            QString above;
            for (char32_t c : distinctKanji(kanjiText).toUcs4())
                if (sources.grades.gradeOf(c) > gradeValue) above += QString::fromUcs4(&c, 1);
            if (!above.isEmpty())
                return fail(QStringLiteral("「%1」は%2年より後に習う漢字です。--grade を上げてください")
                                .arg(above)
                                .arg(gradeValue));
        }
        built = isReview ? drawAllForKanji(sources.examples, sources.grades, gradeValue, kanjiText, seedValue)
                         : buildFromKanji(sources.examples, sources.grades, gradeValue, kanjiText, countValue,
                                          seedValue);
        scope = kanjiScopeText(gradeValue, kanjiText);
        if (built.problems.empty())
            return fail(
                QStringLiteral("%1年の漢字で、%1年までの漢字だけの例文が見つかりません").arg(gradeValue));
    }

    std::vector<TestProblem> problems = built.problems;
    if (isReview) {
        auto store = results.open(parser, &message);
        if (!store) return fail(message);
        std::vector<ProblemHistory> histories;
        if (!store->histories(*className, &histories, &message)) return fail(message);
        problems = reviewTest(built.problems, histories, *day, countValue);
        if (problems.empty())
            return fail(
                QStringLiteral(
                    "クラス「%1」には、まだ復習する問題がありません（score で結果を記録してください）")
                    .arg(*className));
        scope = scope.isEmpty() ? QStringLiteral("復習") : scope + QStringLiteral(" 復習");
    }

    auto wb = std::make_unique<Workbook>();
    const QString headingText =
        parser.isSet(heading) ? parser.value(heading).trimmed() : defaultTestHeading(*day, scope);
    if (!appendPages(*wb, testPages(problems, headingText, fontName)))
        return fail(QStringLiteral("内部エラー: テストのページが多すぎます"));
    if (!writeProblemFile(out, *wb, false, &message)) return fail(message);

    if (!built.kanjiWithoutSentence.isEmpty())
        std::fprintf(stderr, "jirakubo-cli test: 注意: 合う例文のない漢字があります: %s\n",
                     qPrintable(built.kanjiWithoutSentence));
    if (static_cast<int>(problems.size()) < countValue)
        std::fprintf(stderr, "jirakubo-cli test: 注意: 合う問題が%d問しかないため、%d問のテストです\n",
                     static_cast<int>(problems.size()), static_cast<int>(problems.size()));
    std::fprintf(stderr,
                 "jirakubo-cli test: %d問のテストを %s に書きました（%dページ）。種は %llu です（--seed %llu "
                 "で同じテストを作れます）\n",
                 static_cast<int>(problems.size()), qPrintable(outArg), wb->pageCount,
                 static_cast<unsigned long long>(seedValue), static_cast<unsigned long long>(seedValue));
    return 0;
}
