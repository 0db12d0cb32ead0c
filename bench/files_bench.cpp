// Reading and writing a 201-page .mojx workbook.
#include "data/field_stream.h"
#include "data/problem_files.h"
#include "data/workbook.h"
#include "quiet_platform.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// 201 full pages: ten problems with second words on every page.
QStringList fullWorkbookLines() {
    QStringList lines;
    for (int p = 0; p < kMaxPages; ++p) {
        PageRecord rec;
        rec[0] = QStringLiteral("第%1課 かん字のれんしゅう").arg(p + 1);
        for (int r = 1; r <= 10; ++r) {
            rec[slotFieldIndex(r, SlotField::Before)] = QStringLiteral("きのうは");
            rec[slotFieldIndex(r, SlotField::Kanji)] = QStringLiteral("学校");
            rec[slotFieldIndex(r, SlotField::Reading)] = QStringLiteral("がっこう");
            rec[slotFieldIndex(r, SlotField::After)] = QStringLiteral("で");
            rec[slotFieldIndex(r, SlotField::Kanji2)] = QStringLiteral("先生");
            rec[slotFieldIndex(r, SlotField::Reading2)] = QStringLiteral("せんせい");
            rec[slotFieldIndex(r, SlotField::After2)] = QStringLiteral("とはなした。");
        }
        lines << pageLine(rec, QStringLiteral("ＭＳ Ｐ明朝"));
    }
    return lines;
}

void BM_Read201PageMojx(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mojx"));
    writeCp932Lines(path, fullWorkbookLines(), nullptr);
    QuietPlatform platform;
    Workbook wb;  // the program's tables live for the whole run
    wb.currentFilePath = path;
    for (auto _ : state) {
        wb.headingList.clear();
        const ReadReport r = readProblemFile(wb, platform);
        if (r.pagesRead != kMaxPages) state.SkipWithError("not every page was read");
        benchmark::DoNotOptimize(wb.pageLines[200]);
    }
}
BENCHMARK(BM_Read201PageMojx)->Unit(benchmark::kMillisecond);

void BM_Write201PageMojx(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mojx"));
    const QStringList lines = fullWorkbookLines();
    for (auto _ : state) {
        if (!writeCp932Lines(path, lines, nullptr)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_Write201PageMojx)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
