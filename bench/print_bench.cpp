// Printing a full workbook (201 pages) as the three-sheet set, every page, to PDF through
// the entry the command line prints with: 603 sheets.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

#include "data/problem_files.h"
#include "data/workbook.h"
#include "pdf_output.h"
#include "quiet_platform.h"

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

// Reads the workbook as the command line does.
std::unique_ptr<Workbook> readWorkbook(const QString& path) {
    auto wb = std::make_unique<Workbook>();
    QuietPlatform quiet;
    wb->currentFilePath = path;
    wb->pageCount = readProblemFile(*wb, quiet).pagesRead;
    return wb;
}

void threeSheetsAllPages(benchmark::State& state) {
    QTemporaryDir dir;
    const QString workbook = fullWorkbook(dir.path());
    const QString out = QDir(dir.path()).filePath(QStringLiteral("out.pdf"));
    SheetOptions options;
    options.tracingOn = true;
    for (auto _ : state) {
        const std::unique_ptr<Workbook> wb = readWorkbook(workbook);
        const PdfResult result =
            printWorkbookToPdf(*wb, SheetKind::ThreeSheets, options, PageSelection::all(), out);
        if (!result.ok()) state.SkipWithError(qPrintable(result.error));
    }
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pdf_MB"] = static_cast<double>(QFileInfo(out).size()) / (1024.0 * 1024.0);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["sheets"] = 3 * kMaxPages;
}
BENCHMARK(threeSheetsAllPages)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
