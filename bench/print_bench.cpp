// Printing a full workbook (201 pages) as the three-sheet set, every page, to PDF through
// the entry the command line prints with: 603 sheets; and one sheet of it (page 1's
// dictation sheet). Against it, the floor: a bare
// QPdfWriter program that replays the trace of the same job (every text, line and box as one
// QPainter call, no vertical forms, no layouts). Each runs in a process of its own, so its CPU
// time and peak memory are its own; the benchmark reports both and their ratios.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <QTemporaryDir>
#include <cstring>
#include <map>
#include <memory>

#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "render/font_mapping.h"
#include "render/pdf_output.h"

extern char** environ;

namespace {

QString fullWorkbook(const QString& dir) {
    const QString kanji = QStringLiteral("学校森林海空雲花夏冬春秋図書館勉強先生友達電車時間");
    QStringList lines;
    for (int p = 0; p < kMaxPages; ++p) {
        PageRecord rec;
        rec[kHeadingField] = QStringLiteral("第%1頁　漢字の練習").arg(p + 1);
        rec[kFontField] = QStringLiteral("ＭＳ 明朝");
        for (int r = 1; r <= 10; ++r) {
            const auto put = [&](SlotField f, const QString& t) {
                rec[static_cast<size_t>(slotFieldIndex(r, f))] = t;
            };
            put(SlotField::Before, QStringLiteral("きのう、"));
            put(SlotField::Kanji, kanji.mid((p + r) % 20, 1 + r % 3));
            put(SlotField::Reading, QStringLiteral("かんじ"));
            put(SlotField::After, QStringLiteral("へ行った。"));
            if (r % 4 == 0) {
                put(SlotField::Kanji2, kanji.mid(r, 2));
                put(SlotField::Reading2, QStringLiteral("よみ"));
                put(SlotField::After2, QStringLiteral("だ。"));
            }
        }
        lines << pageLine(rec, rec[kFontField]);
    }
    const QString path = QDir(dir).filePath(QStringLiteral("full.mojx"));
    QString message;
    writeCp932Lines(path, lines, &message);
    return path;
}

// The jobs: as jirakubo-cli print WORKBOOK -o OUT --sheet three --all-pages --tracing runs
// it (all), or as jirakubo-cli print WORKBOOK -o OUT prints one sheet, the dictation sheet of
// page 1 (one).
int printJob(const QString& workbook, const QString& out, const QString& trace, bool oneSheet) {
    auto wb = std::make_unique<Workbook>();
    if (const auto error = readWorkbookToPrint(workbook, *wb)) {
        std::fprintf(stderr, "%s\n", qPrintable(*error));
        return 1;
    }
    SheetOptions options;
    options.tracingOn = !oneSheet;
    const WorkbookPrint result = printWorkbook(
        *wb, oneSheet ? SheetKind::Dictation : SheetKind::ThreeSheets, options,
        oneSheet ? PageSelection::page(0) : PageSelection::all(), PrintTarget::pdfFile(out, trace));
    if (!result.ok()) std::fprintf(stderr, "%s\n", qPrintable(result.error));
    return result.ok() ? 0 : 1;
}

QColor colorOf(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// The trace as the floor reads it: one record per op, in a binary stream, so the floor spends
// nothing on JSON.
enum OpKind : quint8 { kOrientation, kText, kLine, kBox, kNewPage };

bool compileTrace(const QString& tracePath, const QString& opsPath) {
    QFile in(tracePath), out(opsPath);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly)) return false;
    QDataStream ops(&out);
    while (!in.atEnd()) {
        const QJsonObject op = QJsonDocument::fromJson(in.readLine()).object();
        const QString kind = op.value(QLatin1String("op")).toString();
        const auto num = [&](const char* key) { return op.value(QLatin1String(key)).toDouble(); };
        if (kind == QLatin1String("orientation")) {
            ops << quint8(kOrientation) << qint32(op.value(QLatin1String("value")).toInt());
        } else if (kind == QLatin1String("text")) {
            ops << quint8(kText) << num("x") << num("y") << op.value(QLatin1String("font")).toString()
                << num("size") << qint32(op.value(QLatin1String("color")).toInt())
                << op.value(QLatin1String("text")).toString();
        } else if (kind == QLatin1String("line") || kind == QLatin1String("box")) {
            ops << quint8(kind == QLatin1String("line") ? kLine : kBox) << num("x1") << num("y1") << num("x2")
                << num("y2");
        } else if (kind == QLatin1String("newPage")) {
            ops << quint8(kNewPage);
        }
    }
    return true;
}

// One face at one size: its raw font and the glyphs looked up so far.
struct FloorFont {
    QRawFont raw;
    double ascent = 0;
    QHash<char32_t, std::pair<quint32, double>> glyphs;  // glyph, advance

    std::pair<quint32, double> glyph(char32_t c) {
        auto it = glyphs.constFind(c);
        if (it != glyphs.constEnd()) return *it;
        const QList<quint32> ids = raw.glyphIndexesForString(QString::fromUcs4(&c, 1));
        const quint32 g = ids.isEmpty() ? 0 : ids[0];
        const QList<QPointF> adv = raw.advancesForGlyphIndexes(QList<quint32>{g});
        return *glyphs.insert(c, {g, adv.isEmpty() ? 0 : adv[0].x()});
    }
};

// The floor: the trace drawn op by op on a QPdfWriter with the same page layout, every text
// as one glyph run, every line and box as one QPainter call.
int replay(const QString& opsPath, const QString& out) {
    QFile file(opsPath);
    if (!file.open(QIODevice::ReadOnly)) return 1;
    QDataStream ops(&file);
    QPdfWriter writer(out);
    writer.setResolution(1200);
    const double mm = 5;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter));
    QPainter painter;
    bool pending = true;  // the next drawing opens a page
    int orientation = 1;
    std::map<std::pair<QString, int>, std::unique_ptr<FloorFont>> fonts;
    QPen pen(Qt::black);
    pen.setWidthF(10);
    const auto open = [&] {
        if (!pending) return;
        QPageLayout layout = writer.pageLayout();
        layout.setOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
        writer.setPageLayout(layout);
        if (!painter.isActive())
            painter.begin(&writer);
        else
            writer.newPage();
        painter.resetTransform();
        painter.scale(writer.logicalDpiX() / 1440.0, writer.logicalDpiY() / 1440.0);
        pending = false;
    };
    while (!ops.atEnd()) {
        quint8 kind = 0;
        ops >> kind;
        if (kind == kOrientation) {
            qint32 value = 0;
            ops >> value;
            orientation = value;
        } else if (kind == kText) {
            double x = 0, y = 0, size = 0;
            QString face, text;
            qint32 color = 0;
            ops >> x >> y >> face >> size >> color >> text;
            open();
            const int pixels = qRound(size * 20);
            std::unique_ptr<FloorFont>& font = fonts[{face, pixels}];
            if (!font) {
                font = std::make_unique<FloorFont>();
                QFont f(resolveFontFamily(face));
                f.setPixelSize(pixels);
                font->raw = QRawFont::fromFont(f);
                font->ascent = font->raw.ascent();
            }
            QList<quint32> glyphs;
            QList<QPointF> positions;
            double pen = 0;
            for (char32_t c : text.toUcs4()) {
                const auto [g, advance] = font->glyph(c);
                glyphs << g;
                positions << QPointF(pen, 0);
                pen += advance;
            }
            QGlyphRun run;
            run.setRawFont(font->raw);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.setPen(colorOf(color));
            painter.drawGlyphRun(QPointF(x, y + font->ascent), run);
        } else if (kind == kLine || kind == kBox) {
            double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
            ops >> x1 >> y1 >> x2 >> y2;
            open();
            painter.setPen(pen);
            if (kind == kLine)
                painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
            else
                painter.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
        } else if (kind == kNewPage) {
            open();
            pending = true;
        }
    }
    if (painter.isActive()) painter.end();
    return 0;
}

struct Cost {
    double cpuSeconds = 0;
    double peakMB = 0;
};

// Runs this program again with the arguments and measures the child.
Cost runChild(const QStringList& args) {
    const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
    std::vector<QByteArray> bytes{self};
    for (const QString& a : args) bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes) argv.push_back(b.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, self.constData(), nullptr, nullptr, argv.data(), environ) != 0) return {};
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// The job of `mode` ("--print" or "--print-one") against the floor replaying its trace,
// each in a process of its own, as many times as the benchmark runs.
void jobAgainstTheReplay(benchmark::State& state, const QString& mode, int sheets) {
    QTemporaryDir dir;
    // PRINT_BENCH_KEEP=1 keeps the workbook, the PDFs, the trace and the floor's ops to look at.
    if (qEnvironmentVariableIsSet("PRINT_BENCH_KEEP")) {
        dir.setAutoRemove(false);
        std::fprintf(stderr, "print_bench: files in %s\n", qPrintable(dir.path()));
    }
    const QString workbook = fullWorkbook(dir.path());
    const QString out = QDir(dir.path()).filePath(QStringLiteral("out.pdf"));
    const QString floorOut = QDir(dir.path()).filePath(QStringLiteral("floor.pdf"));
    const QString trace = QDir(dir.path()).filePath(QStringLiteral("out.jsonl"));
    const QString ops = QDir(dir.path()).filePath(QStringLiteral("out.ops"));
    if (runChild({mode, workbook, out, trace}).cpuSeconds == 0 || !compileTrace(trace, ops)) {
        state.SkipWithError("print failed");
        return;
    }
    Cost print, floor;
    for (auto _ : state) {
        const Cost p = runChild({mode, workbook, out});
        const Cost f = runChild({QStringLiteral("--replay"), ops, floorOut});
        if (p.cpuSeconds == 0 || f.cpuSeconds == 0) {
            state.SkipWithError("a child failed");
            return;
        }
        state.SetIterationTime(p.cpuSeconds);
        print.cpuSeconds += p.cpuSeconds;
        floor.cpuSeconds += f.cpuSeconds;
        print.peakMB = std::max(print.peakMB, p.peakMB);
        floor.peakMB = std::max(floor.peakMB, f.peakMB);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["cpu_s"] = print.cpuSeconds / n;
    state.counters["floor_cpu_s"] = floor.cpuSeconds / n;
    state.counters["cpu_ratio"] = print.cpuSeconds / floor.cpuSeconds;
    state.counters["peak_MB"] = print.peakMB;
    state.counters["floor_peak_MB"] = floor.peakMB;
    state.counters["peak_ratio"] = print.peakMB / floor.peakMB;
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(out).size()) / (1024.0 * 1024.0);
    state.counters["sheets"] = sheets;
}

void threeSheetsAllPagesAgainstTheReplay(benchmark::State& state) {
    jobAgainstTheReplay(state, QStringLiteral("--print"), 3 * kMaxPages);
}
BENCHMARK(threeSheetsAllPagesAgainstTheReplay)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

// One sheet, the commonest job: the dictation sheet of page 1 of the same 201-page workbook.
// What a job costs beyond its drawing (reading the file, the workbook's tables) shows here.
void oneSheetAgainstTheReplay(benchmark::State& state) {
    jobAgainstTheReplay(state, QStringLiteral("--print-one"), 1);
}
BENCHMARK(oneSheetAgainstTheReplay)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The children: print_bench --print|--print-one WORKBOOK OUT [TRACE] | --replay OPS OUT
    if (argc >= 4 && (std::strcmp(argv[1], "--print") == 0 || std::strcmp(argv[1], "--print-one") == 0 ||
                      std::strcmp(argv[1], "--replay") == 0)) {
        int qtArgc = 1;
        QGuiApplication app(qtArgc, argv);
        const QString a = QString::fromLocal8Bit(argv[2]), b = QString::fromLocal8Bit(argv[3]);
        if (std::strcmp(argv[1], "--replay") == 0) return replay(a, b);
        return printJob(a, b, argc >= 5 ? QString::fromLocal8Bit(argv[4]) : QString(),
                        std::strcmp(argv[1], "--print-one") == 0);
    }
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
