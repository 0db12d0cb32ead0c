#include "cli/paper_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

#include "cli/cli_common.h"
#include "core/data/workbook.h"
#include "core/paper/manuscript_paper.h"
#include "core/paper/ruled_paper.h"
#include "core/printing/job_title.h"
#include "core/printing/print_jobs.h"
#include "core/printing/print_surface.h"
#include "core/printing/sheet_common.h"
#include "render/pdf_output.h"
#include "render/print_target.h"

namespace {

const char* const kUsage =
    "usage: jirakubo-cli paper manuscript OUTPUT [--squares 20|12|14|16] [--b4] [--cross]\n"
    "                                     [--title TEXT] [--font NAME] [--trace FILE]\n"
    "       jirakubo-cli paper practice WORKBOOK OUTPUT [--page N] [--b4] [--cross]\n"
    "                                     [--no-readings] [--color BGR] [--title TEXT]\n"
    "                                     [--font NAME] [--trace FILE]\n"
    "       jirakubo-cli paper ruled OUTPUT [--rows N] [--center-lines] [--title TEXT]\n"
    "                                     [--trace FILE]\n"
    "  OUTPUT: -o OUT.pdf, --printer QUEUE or --default-printer\n"
    "\n"
    "  manuscript    blank manuscript paper (原稿用紙), N x N squares, A4 or JIS B4\n"
    "  practice      the 10 x 10 practice sheet of a workbook page: its kanji words as models\n"
    "  ruled         one A4 sheet of ruled lines (横罫線)\n"
    "\n"
    "  -o, --output FILE   the PDF to write\n"
    "  --printer QUEUE     print on this printer queue (CUPS) instead\n"
    "  --default-printer   print on the default printer instead\n"
    "  --squares N         squares a row and column: 20 (default), 12, 14 or 16\n"
    "  --b4                JIS B4 instead of A4, every length scaled by 1.22\n"
    "  --cross             a dotted cross in every square\n"
    "  --title TEXT        the title on the sheet (manuscript: empty; ruled: ナナホシ舎)\n"
    "  --font NAME         face of the title and the models (ＭＳ Ｐ明朝; practice: the page's)\n"
    "  --page N            the workbook page of the practice sheet, from 1 (default 1)\n"
    "  --no-readings       the practice sheet without the readings above the models\n"
    "  --color BGR         colour of the models, 0xBBGGRR, decimal or 0x hex (default 0, black)\n"
    "  --rows N            writing rows of the ruled paper, 1 to 60 (default 20)\n"
    "  --center-lines      a dotted centre line in every writing row\n"
    "  --trace FILE        every drawing call as JSON Lines, in twips\n";

int fail(const QString& message) {
    return failCommand(QStringLiteral("paper"), message);
}

enum class PaperKind { Manuscript, Practice, Ruled };

struct Job {
    PaperKind paper = PaperKind::Manuscript;
    QString workbook;
    PrintTarget target;
    ManuscriptOptions manuscript;
    PracticeOptions practice;
    int page = 1;
    bool fontGiven = false;
    RuledPaperOptions ruled;
};

// The options each paper takes besides those of the output; any other is refused.
const QStringList& optionsOf(PaperKind p) {
    static const QStringList manuscript{"squares", "b4", "cross", "title", "font"};
    static const QStringList practice{"page", "b4", "cross", "no-readings", "color", "title", "font"};
    static const QStringList ruled{"rows", "center-lines", "title"};
    return p == PaperKind::Manuscript ? manuscript : p == PaperKind::Practice ? practice : ruled;
}

// Reads the arguments into job; a message when they do not make sense.
std::optional<QString> parse(const QStringList& arguments, Job& job, bool& help) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const OutputOptions output;
    parser.addOptions(output.all());
    const QList<QCommandLineOption> options{{"squares", "", "N"},  {"b4", ""},           {"cross", ""},
                                            {"title", "", "TEXT"}, {"font", "", "NAME"}, {"page", "", "N"},
                                            {"no-readings", ""},   {"color", "", "BGR"}, {"rows", "", "N"},
                                            {"center-lines", ""},  {{"h", "help"}, ""}};
    parser.addOptions(options);
    // An empty --title is a sheet without a title.
    if (const auto error =
            parseArguments(parser, QStringLiteral("paper"), arguments, {QStringLiteral("title")}))
        return error;
    if (parser.isSet("help")) {
        help = true;
        return std::nullopt;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return QStringLiteral(
            "用紙を指定してください: manuscript（原稿用紙）、practice（練習用紙）、ruled（罫線用紙）");
    const QString kind = positional.takeFirst();
    if (kind == u"manuscript") {
        job.paper = PaperKind::Manuscript;
    } else if (kind == u"practice") {
        job.paper = PaperKind::Practice;
    } else if (kind == u"ruled") {
        job.paper = PaperKind::Ruled;
    } else {
        return QStringLiteral("「%1」という用紙はありません（manuscript、practice、ruled）").arg(kind);
    }
    if (job.paper == PaperKind::Practice) {
        if (positional.isEmpty()) return QStringLiteral("practice: 問題ファイルが指定されていません");
        job.workbook = positional.takeFirst();
    }
    if (!positional.isEmpty())
        return QStringLiteral("%1: 余分な引数があります: %2").arg(kind, positional.first());
    for (const QString& name : parser.optionNames()) {
        const QString canonical = name == u"o" ? QStringLiteral("output") : name;
        if (!optionsOf(job.paper).contains(canonical) && !OutputOptions::names().contains(canonical))
            return QStringLiteral("%1 に --%2 は使えません").arg(kind, canonical);
    }
    const QStringList inputs = job.workbook.isEmpty() ? QStringList() : QStringList{job.workbook};
    if (const auto error = output.read(parser, job.target, inputs)) return error;

    if (parser.isSet("squares")) {
        const int n = parseWholeNumber(parser.value("squares"), 12, 20).value_or(0);
        if (n != 20 && n != 12 && n != 14 && n != 16)
            return QStringLiteral("--squares は 20、12、14、16 のどれかです（「%1」は使えません）")
                .arg(parser.value("squares"));
        job.manuscript.squares = n;
    }
    job.manuscript.b4 = parser.isSet("b4");
    job.manuscript.cross = parser.isSet("cross");
    if (parser.isSet("font")) {
        job.manuscript.fontName = parser.value("font");
        job.fontGiven = true;
    }
    if (parser.isSet("page")) {
        job.page = parseWholeNumber(parser.value("page"), 1, std::numeric_limits<int>::max()).value_or(0);
        if (job.page < 1)
            return QStringLiteral("--page には1からのページ番号を指定してください（「%1」は使えません）")
                .arg(parser.value("page"));
    }
    job.practice.readings = !parser.isSet("no-readings");
    if (parser.isSet("color")) {
        const std::optional<int> c = parseColor(parser.value("color"));
        if (!c)
            return QStringLiteral(
                       "--color には色 0xBBGGRR（0〜16777215）を指定してください（「%1」は使えません）")
                .arg(parser.value("color"));
        job.practice.color = *c;
    }
    if (parser.isSet("rows")) {
        const std::optional<int> rows = parseRuledRows(parser.value("rows"));
        if (!rows)
            return QStringLiteral("--rows には%1から%2までの整数を指定してください（「%3」は使えません）")
                .arg(kMinRuledRows)
                .arg(kMaxRuledRows)
                .arg(parser.value("rows"));
        job.ruled.rows = *rows;
    }
    job.ruled.centerLines = parser.isSet("center-lines");
    if (parser.isSet("title")) {
        job.manuscript.title = parser.value("title");
        job.ruled.title = parser.value("title");
    }
    return std::nullopt;
}

}  // namespace

int runPaperCommand(const QStringList& arguments) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("内部エラー: QGuiApplication がありません"));
    Job job;
    bool help = false;
    if (const auto error = parse(arguments, job, help)) return fail(*error);
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    // What the sheet draws, decided before any file is touched.
    std::function<void(PrintSurface&)> draw;
    QString title;
    if (job.paper == PaperKind::Manuscript) {
        title = kManuscriptPaperJobTitle;
        draw = [&job](PrintSurface& s) { drawManuscriptPaper(s, job.manuscript); };
    } else if (job.paper == PaperKind::Ruled) {
        title = kRuledPaperJobTitle;
        draw = [&job](PrintSurface& s) { drawRuledPaper(s, job.ruled); };
    } else {
        auto wb = std::make_shared<Workbook>();
        // One page is printed: a file of more pages than a workbook holds serves for its first 201.
        int pagesLeftOut = 0;
        if (const auto error = readWorkbookToPrint(job.workbook, *wb, true, &pagesLeftOut))
            return fail(*error);
        if (job.page > wb->pageCount)
            return fail(pagesLeftOut > 0
                            ? QStringLiteral("%1 は%2ページありますが、読めるのは最初の%3ページまでです。"
                                             "%4ページ目は印刷できません")
                                  .arg(job.workbook)
                                  .arg(wb->pageCount + pagesLeftOut)
                                  .arg(kMaxPages)
                                  .arg(job.page)
                            : QStringLiteral("%1 は%2ページです。%3ページ目はありません")
                                  .arg(job.workbook)
                                  .arg(wb->pageCount)
                                  .arg(job.page));
        const PrintPage page = printPageFromRecord(*wb, job.page - 1);
        PracticeRows rows;
        rows.kanji = page.kanji;
        rows.reading = page.reading;
        if (!job.fontGiven) job.manuscript.fontName = sheetFontName(QString(), page.fontName);
        title = practiceSheetJobTitle(job.workbook);
        draw = [&job, rows](PrintSurface& s) { drawPracticeSheet(s, job.manuscript, rows, job.practice); };
    }

    const PrintOutcome outcome = printToTarget(job.target, title, [&draw](PrintSurface& s) {
        draw(s);
        s.endDocument();
    });
    return finishPrint(QStringLiteral("paper"), outcome);
}
