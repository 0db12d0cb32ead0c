#include "paper_command.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "data/problem_files.h"
#include "data/workbook.h"
#include "paper/manuscript_paper.h"
#include "paper/ruled_paper.h"
#include "printing/print_jobs.h"
#include "printing/recording_surface.h"
#include "printing/sheet_common.h"
#include "qt_print_surface.h"
#include "quiet_platform.h"

namespace {

const char* const kUsage =
    "usage: jirakubo-cli paper manuscript -o OUT.pdf [--squares 20|12|14|16] [--b4] [--cross]\n"
    "                                     [--title TEXT] [--font NAME] [--trace FILE]\n"
    "       jirakubo-cli paper practice WORKBOOK -o OUT.pdf [--page N] [--b4] [--cross]\n"
    "                                     [--no-readings] [--color BGR] [--title TEXT]\n"
    "                                     [--font NAME] [--trace FILE]\n"
    "       jirakubo-cli paper ruled -o OUT.pdf [--rows N] [--center-lines] [--title TEXT]\n"
    "                                     [--trace FILE]\n"
    "\n"
    "  manuscript    blank manuscript paper (原稿用紙), N x N squares, A4 or JIS B4\n"
    "  practice      the 10 x 10 practice sheet of a workbook page: its kanji words as models\n"
    "  ruled         one A4 sheet of ruled lines (横罫線)\n"
    "\n"
    "  -o, --output FILE   the PDF to write\n"
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
    std::fprintf(stderr, "jirakubo-cli paper: %s\n", qPrintable(message));
    return 1;
}

enum class Paper { Manuscript, Practice, Ruled };

struct Job {
    Paper paper = Paper::Manuscript;
    QString workbook, output, trace;
    ManuscriptOptions manuscript;
    PracticeOptions practice;
    int page = 1;
    bool fontGiven = false;
    RuledPaperOptions ruled;
};

// The options each paper takes; any other is refused.
const QStringList& optionsOf(Paper p) {
    static const QStringList manuscript{"output", "squares", "b4", "cross", "title", "font", "trace"};
    static const QStringList practice{"output", "page",  "b4",   "cross", "no-readings",
                                      "color",  "title", "font", "trace"};
    static const QStringList ruled{"output", "rows", "center-lines", "title", "trace"};
    return p == Paper::Manuscript ? manuscript : p == Paper::Practice ? practice : ruled;
}

// Reads the arguments into job; a message when they do not make sense.
std::optional<QString> parse(const QStringList& arguments, Job& job, bool& help) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QList<QCommandLineOption> options{{{"o", "output"}, "", "FILE"},
                                            {"squares", "", "N"},
                                            {"b4", ""},
                                            {"cross", ""},
                                            {"title", "", "TEXT"},
                                            {"font", "", "NAME"},
                                            {"trace", "", "FILE"},
                                            {"page", "", "N"},
                                            {"no-readings", ""},
                                            {"color", "", "BGR"},
                                            {"rows", "", "N"},
                                            {"center-lines", ""},
                                            {{"h", "help"}, ""}};
    parser.addOptions(options);
    if (!parser.parse(QStringList{QStringLiteral("jirakubo-cli paper")} + arguments))
        return parser.errorText();
    if (parser.isSet("help")) {
        help = true;
        return std::nullopt;
    }

    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) return QStringLiteral("which paper? manuscript, practice or ruled");
    const QString kind = positional.takeFirst();
    if (kind == u"manuscript") {
        job.paper = Paper::Manuscript;
    } else if (kind == u"practice") {
        job.paper = Paper::Practice;
    } else if (kind == u"ruled") {
        job.paper = Paper::Ruled;
    } else {
        return QStringLiteral("unknown paper \"%1\" (manuscript, practice or ruled)").arg(kind);
    }
    if (job.paper == Paper::Practice) {
        if (positional.isEmpty()) return QStringLiteral("practice: no workbook given");
        job.workbook = positional.takeFirst();
    }
    if (!positional.isEmpty())
        return QStringLiteral("%1: unexpected argument \"%2\"").arg(kind, positional.first());
    for (const QString& name : parser.optionNames()) {
        const QString canonical = name == u"o" ? QStringLiteral("output") : name;
        if (!optionsOf(job.paper).contains(canonical))
            return QStringLiteral("%1 does not take --%2").arg(kind, canonical);
    }

    job.output = parser.value("output");
    if (job.output.isEmpty()) return QStringLiteral("no output file given (-o OUT.pdf)");
    job.trace = parser.value("trace");

    if (parser.isSet("squares")) {
        bool ok = false;
        const int n = parser.value("squares").toInt(&ok);
        if (!ok || (n != 20 && n != 12 && n != 14 && n != 16))
            return QStringLiteral("--squares takes 20, 12, 14 or 16, not \"%1\"")
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
        bool ok = false;
        job.page = parser.value("page").toInt(&ok);
        if (!ok || job.page < 1)
            return QStringLiteral("--page takes a page number from 1, not \"%1\"").arg(parser.value("page"));
    }
    job.practice.readings = !parser.isSet("no-readings");
    if (parser.isSet("color")) {
        bool ok = false;
        const int c = parser.value("color").toInt(&ok, 0);
        if (!ok || c < 0 || c > 0xFFFFFF)
            return QStringLiteral("--color takes a colour 0xBBGGRR (0 to 16777215), not \"%1\"")
                .arg(parser.value("color"));
        job.practice.color = c;
    }
    if (parser.isSet("rows")) {
        const std::optional<int> rows = parseRuledRows(parser.value("rows"));
        if (!rows)
            return QStringLiteral("--rows takes a whole number from %1 to %2, not \"%3\"")
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

// The workbook of the practice sheet; a message when it cannot be read.
std::optional<QString> readWorkbook(const QString& path, Workbook& wb) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("%1: no such file").arg(path);
    if (!info.isFile()) return QStringLiteral("%1: not a file").arg(path);
    const QString abs = info.absoluteFilePath();
    if (!abs.endsWith(QLatin1String(".mojx")) && !abs.endsWith(QLatin1String(".moj")))
        return QStringLiteral("%1: not a problem file (.mojx or .moj)").arg(path);
    const TextFile probe = readCp932File(abs);
    if (probe.error != FileError::None) return probe.message;
    QuietPlatform quiet;
    wb.currentFilePath = abs;
    const ReadReport report = readProblemFile(wb, quiet);
    if (!report.errorMessage.isEmpty()) return report.errorMessage;
    if (report.fileNotFound) return QStringLiteral("%1: could not be read").arg(path);
    wb.pageCount = report.pagesRead;
    if (wb.pageCount == 0) return QStringLiteral("%1: the workbook has no pages").arg(path);
    return std::nullopt;
}

}  // namespace

int runPaperCommand(const QStringList& arguments) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("needs a QGuiApplication"));
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
    if (job.paper == Paper::Manuscript) {
        title = QStringLiteral("原稿用紙");
        draw = [&job](PrintSurface& s) { drawManuscriptPaper(s, job.manuscript); };
    } else if (job.paper == Paper::Ruled) {
        title = QStringLiteral("罫線用紙");
        draw = [&job](PrintSurface& s) { drawRuledPaper(s, job.ruled); };
    } else {
        auto wb = std::make_shared<Workbook>();
        if (const auto error = readWorkbook(job.workbook, *wb)) return fail(*error);
        if (job.page > wb->pageCount)
            return fail(QStringLiteral("%1 has %2 page(s); there is no page %3")
                            .arg(job.workbook)
                            .arg(wb->pageCount)
                            .arg(job.page));
        const PrintPage page = printPageFromRecord(*wb, job.page - 1);
        PracticeRows rows;
        rows.kanji = page.kanji;
        rows.reading = page.reading;
        if (!job.fontGiven) job.manuscript.fontName = sheetFontName(QString(), page.fontName);
        title = QFileInfo(job.workbook).completeBaseName();
        draw = [&job, rows](PrintSurface& s) { drawPracticeSheet(s, job.manuscript, rows, job.practice); };
    }

    QSaveFile pdf(job.output);
    if (!pdf.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("%1: cannot write (%2)").arg(job.output, pdf.errorString()));
    std::unique_ptr<QSaveFile> trace;
    if (!job.trace.isEmpty()) {
        trace = std::make_unique<QSaveFile>(job.trace);
        if (!trace->open(QIODevice::WriteOnly)) {
            pdf.cancelWriting();
            return fail(QStringLiteral("%1: cannot write (%2)").arg(job.trace, trace->errorString()));
        }
    }
    {
        QPdfWriter writer(&pdf);
        writer.setCreator(QStringLiteral("jirakubo"));
        writer.setTitle(title);
        writer.setResolution(1200);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QtPrintSurface device(writer);
        RecordingSurface recorder(&device);
        recorder.setKeepRecords(false);
        recorder.setTrace(trace.get());
        PrintSurface& surface = trace ? static_cast<PrintSurface&>(recorder) : device;
        draw(surface);
        surface.endDocument();
        if (device.pageCount() == 0) {
            pdf.cancelWriting();
            if (trace) trace->cancelWriting();
            return fail(QStringLiteral("nothing to print"));
        }
    }
    if (trace && !trace->commit()) {
        pdf.cancelWriting();
        return fail(QStringLiteral("%1: cannot write (%2)").arg(job.trace, trace->errorString()));
    }
    if (!pdf.commit())
        return fail(QStringLiteral("%1: cannot write (%2)").arg(job.output, pdf.errorString()));
    return 0;
}
