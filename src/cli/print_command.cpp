#include "cli/print_command.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <memory>
#include <optional>

#include "cli/cli_common.h"
#include "core/data/grade_check.h"
#include "core/data/reading_dictionary.h"
#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "core/data/workbook.h"
#include "core/platform.h"
#include "core/printing/grade_notes.h"
#include "core/printing/job_title.h"
#include "core/printing/overlong_rows.h"
#include "core/printing/print_jobs.h"
#include "render/pdf_output.h"

namespace {

constexpr int kMinFontSize = 6;  // the range of the font dialog's size box
constexpr int kMaxFontSize = 96;

struct Request {
    QString workbook;
    PrintTarget target;
    SheetKind sheet = SheetKind::Dictation;
    std::optional<int> page;  // 1-based; page 1 when neither --page nor --all-pages is given
    bool allPages = false;
    bool keepFirst201 = false;
    SheetOptions sheetOptions;
    QString company = kNoCompany;
};

const QStringList kCompanies{QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                             QStringLiteral("学校図書"), QStringLiteral("光村図書")};

int fail(const QString& message) {
    return failCommand(QStringLiteral("print"), message);
}

struct Parser {
    QCommandLineParser p;
    OutputOptions out;
    QCommandLineOption sheet{QStringLiteral("sheet"),
                             QStringLiteral("dictation (default), tracing, reading, three (tracing, "
                                            "dictation and reading) or sentence."),
                             QStringLiteral("SHEET")};
    QCommandLineOption page{QStringLiteral("page"), QStringLiteral("The page to print, from 1 (default 1)."),
                            QStringLiteral("N")};
    QCommandLineOption allPages{QStringLiteral("all-pages"),
                                QStringLiteral("Every page, each with its own rows.")};
    QCommandLineOption font{QStringLiteral("font"),
                            QStringLiteral("The face of the sheets instead of the page's own; a name "
                                           "beginning with \"@\" prints the portrait layouts."),
                            QStringLiteral("NAME")};
    QCommandLineOption fontSize{QStringLiteral("font-size"),
                                QStringLiteral("Size of the problem lines in points, %1 to %2 (default 25).")
                                    .arg(kMinFontSize)
                                    .arg(kMaxFontSize),
                                QStringLiteral("PT")};
    QCommandLineOption noBoxes{QStringLiteral("no-boxes"),
                               QStringLiteral("Dictation sheet without answer boxes.")};
    QCommandLineOption tracing{QStringLiteral("tracing"),
                               QStringLiteral("Tracing sheet with copies of the words to trace.")};
    QCommandLineOption tracingColor{QStringLiteral("tracing-color"),
                                    QStringLiteral("Colour of the copies, 0xBBGGRR as a decimal number or "
                                                   "in hex with 0x (default 14737632)."),
                                    QStringLiteral("RGB")};
    QCommandLineOption narrow{QStringLiteral("narrow"),
                              QStringLiteral("Narrow character spacing on the reading and sentence sheets.")};
    QCommandLineOption twoSheet{QStringLiteral("two-sheet"),
                                QStringLiteral("Reading sheet as a set of two.")};
    QCommandLineOption keepFirst201{QStringLiteral("keep-first-201"),
                                    QStringLiteral("Print the first 201 pages of a file that holds more "
                                                   "(without it such a file is refused).")};
    QCommandLineOption grade{QStringLiteral("grade"),
                             QStringLiteral("The class's grade, 1 to 6, for --ruby-unlearned (default: each "
                                            "page's highest answer grade)."),
                             QStringLiteral("N")};
    QCommandLineOption company{
        QStringLiteral("company"),
        QStringLiteral("The textbook company whose grade tables count: %1 (default: none, onkun.txt).")
            .arg(kCompanies.join(u", ")),
        QStringLiteral("NAME")};
    QCommandLineOption rubyUnlearned{
        QStringLiteral("ruby-unlearned"),
        QStringLiteral("Furigana beside the kanji above the grade in the sentences (dictation, reading).")};
    QCommandLineOption leakKana{
        QStringLiteral("leak-kana"),
        QStringLiteral("Dictation sheet: an answer's kanji standing in another row's sentence in kana.")};
    QCommandLineOption answerKey{
        QStringLiteral("answer-key"),
        QStringLiteral("The answer key: answers in red in the boxes (dictation), readings in red beside the "
                       "words (reading).")};

    Parser() {
        p.setApplicationDescription(
            QStringLiteral("Prints worksheets of a workbook (.mojx or .moj) to a PDF file or a printer."));
        p.addOptions(out.all());
        p.addOptions({sheet, page, allPages, font, fontSize, noBoxes, tracing, tracingColor, narrow, twoSheet,
                      keepFirst201, grade, company, rubyUnlearned, leakKana, answerKey});
        p.addPositionalArgument(QStringLiteral("WORKBOOK"), QStringLiteral("The problem file to print."));
    }
};

// The name --sheet takes.
QString sheetName(SheetKind sheet) {
    switch (sheet) {
    case SheetKind::Dictation: return QStringLiteral("dictation");
    case SheetKind::Tracing: return QStringLiteral("tracing");
    case SheetKind::Reading: return QStringLiteral("reading");
    case SheetKind::Sentence: return QStringLiteral("sentence");
    case SheetKind::ThreeSheets: return QStringLiteral("three");
    }
    return {};
}

// The request the arguments make; a message when they do not make sense.
std::optional<QString> parse(const Parser& cl, Request& r) {
    const QCommandLineParser& p = cl.p;
    const QStringList workbooks = p.positionalArguments();
    if (workbooks.isEmpty()) return QStringLiteral("問題ファイルが指定されていません");
    if (workbooks.size() > 1)
        return QStringLiteral("問題ファイルは一度に一つだけです（%1）")
            .arg(workbooks.join(QStringLiteral(", ")));
    r.workbook = workbooks[0];
    if (auto error = cl.out.read(p, r.target, {r.workbook})) return error;

    if (p.isSet(cl.sheet)) {
        static const QHash<QString, SheetKind> sheets{{QStringLiteral("dictation"), SheetKind::Dictation},
                                                      {QStringLiteral("tracing"), SheetKind::Tracing},
                                                      {QStringLiteral("reading"), SheetKind::Reading},
                                                      {QStringLiteral("three"), SheetKind::ThreeSheets},
                                                      {QStringLiteral("sentence"), SheetKind::Sentence}};
        const QString name = p.value(cl.sheet);
        if (!sheets.contains(name))
            return QStringLiteral(
                       "「%1」という用紙はありません（dictation、tracing、reading、three、sentence）")
                .arg(name);
        r.sheet = sheets.value(name);
    }
    r.allPages = p.isSet(cl.allPages);
    if (p.isSet(cl.page)) {
        if (r.allPages) return QStringLiteral("--page と --all-pages は一緒に指定できません");
        const auto n = parseWholeNumber(p.value(cl.page), 1, std::numeric_limits<int>::max());
        if (!n)
            return QStringLiteral("--page には1からのページ番号を指定してください（「%1」は使えません）")
                .arg(p.value(cl.page));
        r.page = *n;
    }
    if (p.isSet(cl.font)) r.sheetOptions.statusFontName = p.value(cl.font);
    if (p.isSet(cl.fontSize)) {
        const QString v = p.value(cl.fontSize);
        const std::optional<int> n = parseWholeNumber(v, kMinFontSize, kMaxFontSize);
        if (!n)
            return QStringLiteral(
                       "--font-size "
                       "には%1から%2までの大きさ（ポイント）を指定してください（「%3」は使えません）")
                .arg(kMinFontSize)
                .arg(kMaxFontSize)
                .arg(v);
        r.sheetOptions.problemFontSize = *n;
    }
    r.sheetOptions.answerBoxes = !p.isSet(cl.noBoxes);
    r.sheetOptions.tracingOn = p.isSet(cl.tracing);
    if (p.isSet(cl.tracingColor)) {
        const auto c = parseColor(p.value(cl.tracingColor));
        if (!c)
            return QStringLiteral(
                       "--tracing-color には色 "
                       "0xBBGGRR（0〜16777215、0xFFFFFF）を指定してください（「%1」は使えません）")
                .arg(p.value(cl.tracingColor));
        r.sheetOptions.tracingColor = *c;
    }
    if (p.isSet(cl.narrow)) r.sheetOptions.readingSpacing = 15.0 / 35.0;
    r.sheetOptions.twoSheetSet = p.isSet(cl.twoSheet);
    r.keepFirst201 = p.isSet(cl.keepFirst201);
    if (p.isSet(cl.grade)) {
        const auto g = parseWholeNumber(p.value(cl.grade), 1, 6);
        if (!g)
            return QStringLiteral("--grade には1〜6の学年を指定してください（「%1」は使えません）")
                .arg(p.value(cl.grade));
        r.sheetOptions.grade = *g;
    }
    if (p.isSet(cl.company)) {
        r.company = p.value(cl.company);
        if (!kCompanies.contains(r.company) && r.company != kNoCompany)
            return QStringLiteral("「%1」という教科書会社はありません（%2）")
                .arg(r.company, kCompanies.join(u", "));
    }
    r.sheetOptions.rubyUnlearned = p.isSet(cl.rubyUnlearned);
    r.sheetOptions.leakKana = p.isSet(cl.leakKana);
    r.sheetOptions.answerKey = p.isSet(cl.answerKey);
    if (r.sheetOptions.answerKey && r.sheet != SheetKind::Dictation && r.sheet != SheetKind::Reading)
        return QStringLiteral(
                   "--answer-key は書き取り（dictation）と読み方（reading）の用紙だけです（%1 "
                   "には解答がありません）")
            .arg(sheetName(r.sheet));
    return std::nullopt;
}

}  // namespace

int runPrintCommand(const QStringList& arguments) {
    Parser cl;
    if (auto done = parseCommandLine(
            cl.p, QStringLiteral("print"),
            QStringLiteral("WORKBOOK -o OUT.pdf|--printer QUEUE|--default-printer [options]"), arguments, 0,
            99))
        return *done;
    Request r;
    if (const auto error = parse(cl, r)) return fail(*error);
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("内部エラー: QGuiApplication がありません"));

    auto wb = std::make_unique<Workbook>();
    int pagesLeftOut = 0;
    if (const auto error = readWorkbookToPrint(r.workbook, *wb, r.keepFirst201, &pagesLeftOut))
        return fail(*error);
    const int page = r.page.value_or(1);
    if (!r.allPages && page > wb->pageCount)
        return fail(QStringLiteral("%1 は%2ページです。%3ページ目はありません")
                        .arg(r.workbook)
                        .arg(wb->pageCount)
                        .arg(page));

    if (r.sheetOptions.rubyUnlearned) {
        ReadingDictionary dictionary;
        if (const auto notice = loadReadingDictionary(dictionary, r.company, programDataDirectory()))
            return fail(notice->text);
        r.sheetOptions.kanjiGrades =
            std::make_shared<const KanjiGrades>(KanjiGrades::fromTable(dictionary.table));
    }
    if ((r.sheetOptions.rubyUnlearned || r.sheetOptions.leakKana) && !ReadingProposer::shared().isAvailable())
        return fail(ReadingProposer::shared().unavailableMessage());

    const WorkbookPrint result =
        printWorkbook(*wb, r.sheet, r.sheetOptions,
                      r.allPages ? PageSelection::all() : PageSelection::page(page - 1), r.target);
    if (!result.ok()) return fail(result.error);
    finishPrint(QStringLiteral("print"), result);
    if (pagesLeftOut > 0)
        std::fprintf(stderr,
                     "jirakubo-cli print: %sの最初の%dページだけを読みました（%dページは除きました）\n",
                     qPrintable(r.workbook), wb->pageCount, pagesLeftOut);

    // Kanji the sentence gave no reading for print as they are; say which.
    if (r.sheetOptions.rubyUnlearned || r.sheetOptions.leakKana) {
        const int first = r.allPages ? 0 : page - 1, last = r.allPages ? wb->pageCount - 1 : page - 1;
        for (int p = first; p <= last; ++p) {
            const PrintPage pg = printPageFromRecord(*wb, p);
            std::vector<UnreadKanji> unread;
            PrintPage printed;
            SheetNotes notes;
            for (SheetKind sheet : {SheetKind::Dictation, SheetKind::Reading}) {
                if (r.sheet != sheet && r.sheet != SheetKind::ThreeSheets) continue;
                prepareGradeNotes(sheet, pg, RowStates::fromPage(pg), r.sheetOptions, printed, notes,
                                  &unread);
            }
            std::vector<UnreadKanji> told;
            for (const UnreadKanji& u : unread) {
                if (std::find(told.begin(), told.end(), u) != told.end()) continue;
                told.push_back(u);
                std::fprintf(stderr,
                             "jirakubo-cli print: 注意: %dページ "
                             "%d行目の「%s」は読みがわからないため、そのまま印刷しました\n",
                             p + 1, u.row, qPrintable(u.kanji));
            }
        }
    }

    // Lines longer than a sheet print all the same, past its frame; say where.
    for (const WorkbookPrint::Overlong& o : result.overlong)
        std::fprintf(stderr, "jirakubo-cli print: 注意: %dページ %d行目は用紙（%s、%s）からはみ出します\n",
                     o.pageIndex + 1, o.row.row, qPrintable(sheetTitle(o.row.sheet)),
                     qPrintable(sheetName(o.row.sheet)));
    return 0;
}
