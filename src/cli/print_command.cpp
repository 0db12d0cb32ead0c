#include "print_command.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <optional>

#include "data/problem_files.h"
#include "data/workbook.h"
#include "pdf_output.h"
#include "platform.h"
#include "printing/print_jobs.h"
#include "quiet_platform.h"

namespace {

struct Options {
    QString workbook, output, trace;
    SheetKind sheet = SheetKind::Dictation;
    int page = 1;  // 1-based
    bool allPages = false;
    SheetOptions sheetOptions;
};

int fail(const QString& message) {
    std::fprintf(stderr, "jirakubo-cli print: %s\n", qPrintable(message));
    return 1;
}

// Parses the arguments; a message when they do not make sense.
std::optional<QString> parse(const QStringList& args, Options& o) {
    const auto value = [&](qsizetype& i) -> std::optional<QString> {
        if (i + 1 >= args.size()) return std::nullopt;
        return args[++i];
    };
    const auto number = [](const QString& s, int lo, int hi) -> std::optional<int> {
        bool ok = false;
        const int v = s.toInt(&ok);
        if (!ok || v < lo || v > hi) return std::nullopt;
        return v;
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == u"-o" || a == u"--output" || a == u"--sheet" || a == u"--page" || a == u"--font" ||
            a == u"--font-size" || a == u"--tracing-color" || a == u"--trace") {
            const std::optional<QString> v = value(i);
            if (!v) return QStringLiteral("%1 needs a value").arg(a);
            if (a == u"-o" || a == u"--output") {
                o.output = *v;
            } else if (a == u"--trace") {
                o.trace = *v;
            } else if (a == u"--font") {
                o.sheetOptions.statusFontName = *v;
            } else if (a == u"--sheet") {
                static const QHash<QString, SheetKind> sheets{
                    {QStringLiteral("dictation"), SheetKind::Dictation},
                    {QStringLiteral("tracing"), SheetKind::Tracing},
                    {QStringLiteral("reading"), SheetKind::Reading},
                    {QStringLiteral("three"), SheetKind::ThreeSheets},
                    {QStringLiteral("sentence"), SheetKind::Sentence}};
                if (!sheets.contains(*v))
                    return QStringLiteral(
                               "unknown sheet \"%1\" (dictation, tracing, reading, three or sentence)")
                        .arg(*v);
                o.sheet = sheets.value(*v);
            } else if (a == u"--page") {
                const auto n = number(*v, 1, kMaxPages);
                if (!n)
                    return QStringLiteral("--page takes a page number from 1 to %1, not \"%2\"")
                        .arg(kMaxPages)
                        .arg(*v);
                o.page = *n;
            } else if (a == u"--font-size") {
                const auto n = number(*v, 1, 200);
                if (!n)
                    return QStringLiteral("--font-size takes a size in points from 1 to 200, not \"%1\"")
                        .arg(*v);
                o.sheetOptions.problemFontSize = *n;
            } else if (a == u"--tracing-color") {
                const auto n = number(*v, 0, 0xFFFFFF);
                if (!n)
                    return QStringLiteral(
                               "--tracing-color takes a colour 0xBBGGRR in decimal (0 to 16777215), not "
                               "\"%1\"")
                        .arg(*v);
                o.sheetOptions.tracingColor = *n;
            }
        } else if (a == u"--all-pages") {
            o.allPages = true;
        } else if (a == u"--no-boxes") {
            o.sheetOptions.answerBoxes = false;
        } else if (a == u"--tracing") {
            o.sheetOptions.tracingOn = true;
        } else if (a == u"--narrow") {
            o.sheetOptions.readingSpacing = 15.0 / 35.0;
        } else if (a == u"--two-sheet") {
            o.sheetOptions.twoSheetSet = true;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return QStringLiteral("unknown option %1").arg(a);
        } else if (o.workbook.isEmpty()) {
            o.workbook = a;
        } else {
            return QStringLiteral("more than one workbook given (%1, %2)").arg(o.workbook, a);
        }
    }
    if (o.workbook.isEmpty()) return QStringLiteral("no workbook given");
    if (o.output.isEmpty()) return QStringLiteral("no output file given (-o OUT.pdf)");
    return std::nullopt;
}

// Reads the workbook; a message when it cannot be read.
std::optional<QString> readWorkbook(const QString& path, Workbook& wb) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("%1: no such file").arg(path);
    if (!info.isFile()) return QStringLiteral("%1: not a file").arg(path);
    const QString abs = info.absoluteFilePath();
    if (!abs.endsWith(QLatin1String(".mojx")) && !abs.endsWith(QLatin1String(".moj")))
        return QStringLiteral("%1: not a problem file (.mojx or .moj)").arg(path);
    if (abs.endsWith(QLatin1String("base.moj")))
        return QStringLiteral("%1: base.moj holds example sentences, not a workbook").arg(path);
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

int runPrintCommand(const QStringList& args) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fail(QStringLiteral("needs a QGuiApplication"));
    Options o;
    if (const auto error = parse(args, o)) return fail(*error);

    auto wb = std::make_unique<Workbook>();
    if (const auto error = readWorkbook(o.workbook, *wb)) return fail(*error);
    if (!o.allPages && o.page > wb->pageCount)
        return fail(QStringLiteral("%1 has %2 page(s); there is no page %3")
                        .arg(o.workbook)
                        .arg(wb->pageCount)
                        .arg(o.page));

    const PdfResult result = printWorkbookToPdf(
        *wb, o.sheet, o.sheetOptions, o.allPages ? PageSelection::all() : PageSelection::page(o.page - 1),
        o.output, o.trace);
    if (!result.ok()) return fail(result.error);
    return 0;
}
