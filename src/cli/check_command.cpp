#include "cli/check_command.h"

#include <QCommandLineParser>
#include <cstdio>
#include <limits>
#include <memory>

#include "cli/cli_common.h"
#include "core/data/grade_check.h"
#include "core/data/reading_dictionary.h"
#include "core/data/settings.h"
#include "core/data/workbook.h"
#include "core/platform.h"
#include "render/pdf_output.h"

namespace {

constexpr int kFound = 3;

int fail(const QString& message) {
    return failCommand(QStringLiteral("check"), message);
}

const QStringList kCompanies{QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                             QStringLiteral("学校図書"), QStringLiteral("光村図書")};

QString tsvLine(int page, const Finding& f) {
    const bool leak = f.kind == FindingKind::Leak;
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
        .arg(page)
        .arg(f.row)
        .arg(leak ? QStringLiteral("leak") : QStringLiteral("unlearned"), f.kanji,
             leak ? QString() : QString::number(f.grade), leak ? QString::number(f.otherRow) : QString());
}

QString textLine(int page, const Finding& f) {
    return QStringLiteral("%1ページ %2行目: %3\n").arg(page).arg(f.row).arg(findingText(f));
}

}  // namespace

int runCheckCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Lists the kanji above each page's grade and the answers that stand in another row's sentence."));
    parser.addPositionalArgument(QStringLiteral("WORKBOOK"),
                                 QStringLiteral("the problem file (.mojx or .moj)"));
    const QCommandLineOption gradeOption(
        QStringLiteral("grade"),
        QStringLiteral("The class's grade, 1 to 6 (default: each page's highest answer grade)."),
        QStringLiteral("N"));
    const QCommandLineOption companyOption(
        QStringLiteral("company"),
        QStringLiteral("The textbook company whose grade tables count: %1 (default: none, onkun.txt).")
            .arg(kCompanies.join(u", ")),
        QStringLiteral("NAME"));
    const QCommandLineOption pageOption(QStringLiteral("page"),
                                        QStringLiteral("Only this page, from 1 (default: every page)."),
                                        QStringLiteral("N"));
    const QCommandLineOption formatOption(
        QStringLiteral("format"),
        QStringLiteral("text (one Japanese line a finding, the default) or tsv (page, row, kind, kanji, "
                       "grade, other_row)."),
        QStringLiteral("FORMAT"));
    parser.addOptions({gradeOption, companyOption, pageOption, formatOption});
    if (auto done = parseCommandLine(
            parser, QStringLiteral("check"),
            QStringLiteral("WORKBOOK [--grade N] [--company NAME] [--page N] [--format text|tsv]"), arguments,
            1, 1))
        return *done;

    int chosenGrade = 0;
    if (parser.isSet(gradeOption)) {
        const auto g = parseWholeNumber(parser.value(gradeOption), 1, 6);
        if (!g)
            return fail(QStringLiteral("--grade には1〜6の学年を指定してください（「%1」は使えません）")
                            .arg(parser.value(gradeOption)));
        chosenGrade = *g;
    }
    const QString company = parser.isSet(companyOption) ? parser.value(companyOption) : kNoCompany;
    if (company != kNoCompany && !kCompanies.contains(company))
        return fail(
            QStringLiteral("「%1」という教科書会社はありません（%2）").arg(company, kCompanies.join(u", ")));
    const QString format = parser.isSet(formatOption) ? parser.value(formatOption) : QStringLiteral("text");
    if (format != u"text" && format != u"tsv")
        return fail(QStringLiteral("--format は text か tsv です（「%1」は使えません）").arg(format));
    std::optional<int> onlyPage;
    if (parser.isSet(pageOption)) {
        onlyPage = parseWholeNumber(parser.value(pageOption), 1, std::numeric_limits<int>::max());
        if (!onlyPage)
            return fail(QStringLiteral("--page には1からのページ番号を指定してください（「%1」は使えません）")
                            .arg(parser.value(pageOption)));
    }

    const QString path = parser.positionalArguments().front();
    auto wb = std::make_unique<Workbook>();
    if (const auto error = readWorkbookToPrint(path, *wb)) return fail(*error);
    if (onlyPage && *onlyPage > wb->pageCount)
        return fail(QStringLiteral("%1 は%2ページです。%3ページ目はありません")
                        .arg(path)
                        .arg(wb->pageCount)
                        .arg(*onlyPage));

    ReadingDictionary dictionary;
    if (const auto notice = loadReadingDictionary(dictionary, company, programDataDirectory()))
        return fail(notice->text);
    const KanjiGrades grades = KanjiGrades::fromTable(dictionary.table);
    if (grades.isEmpty())
        return fail(QStringLiteral("%1 に漢字の学年がありません")
                        .arg(dictionaryPath(programDataDirectory(), company)));

    int found = 0;
    const int first = onlyPage ? *onlyPage - 1 : 0;
    const int last = onlyPage ? *onlyPage - 1 : wb->pageCount - 1;
    for (int p = first; p <= last; ++p) {
        const PageCheck check = checkPage(problemPageOf(wb->page(p)), grades, chosenGrade);
        for (const Finding& f : check.findings) {
            const QString line = format == u"tsv" ? tsvLine(p + 1, f) : textLine(p + 1, f);
            std::fputs(line.toUtf8().constData(), stdout);
            ++found;
        }
    }
    return found > 0 ? kFound : 0;
}
