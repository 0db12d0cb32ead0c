// The history behind 元に戻す / やり直し on a full 201-page workbook: the cost of recording a
// step after an action, of one undo and one redo, and the memory 500 text-flow steps hold.
#include <benchmark/benchmark.h>

#include "core/data/workbook_history.h"

namespace {

// 201 pages, every row filled with a sentence of ordinary length.
Workbook fullWorkbook() {
    Workbook wb;
    for (int p = 0; p < kMaxPages; ++p) {
        wb.headingList << QStringLiteral("第%1課").arg(p + 1);
        PageRecord& rec = wb.page(p);
        rec[kHeadingField] = wb.headingList.back();
        for (int row = 1; row <= 10; ++row) {
            rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Before))] =
                QStringLiteral("きのうは%1").arg(row);
            rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Kanji))] = QStringLiteral("学校");
            rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Reading))] = QStringLiteral("がっこう");
            rec[static_cast<size_t>(slotFieldIndex(row, SlotField::After))] =
                QStringLiteral("へいきました。");
        }
        wb.pageLines[static_cast<size_t>(p)] = pageLine(rec, kDefaultFontName);
    }
    wb.pageCount = kMaxPages;
    return wb;
}

// A text flow onto page p: ten rows of ten new characters each.
void pour(Workbook& wb, int p, int n) {
    PageRecord& rec = wb.page(p);
    for (int row = 1; row <= 10; ++row)
        rec[static_cast<size_t>(slotFieldIndex(row, SlotField::Kanji))] =
            QStringLiteral("流し込んだ文の%1行目%2").arg(row).arg(n);
    wb.pageLines[static_cast<size_t>(p)] = pageLine(rec, kDefaultFontName);
}

// 500 pours, each a step: the memory the history holds, and one undo plus one redo.
void BM_UndoRedoAfter500Pours(benchmark::State& state) {
    Workbook wb = fullWorkbook();
    WorkbookHistory history;
    history.reset(wb);
    for (int n = 0; n < 500; ++n) {
        pour(wb, n % kMaxPages, n);
        history.record(wb, QStringLiteral("流し込み"), n % kMaxPages);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.undo(wb));
        benchmark::DoNotOptimize(history.redo(wb));
    }
    state.counters["history_MB"] = static_cast<double>(history.memoryBytes()) / (1024.0 * 1024.0);
    state.counters["steps"] = static_cast<double>(history.size());
}
BENCHMARK(BM_UndoRedoAfter500Pours)->Unit(benchmark::kMicrosecond);

// What every user action pays: comparing the pages written since the last step (one here, of
// 201) and recording the change.
void BM_RecordOneTypedCell(benchmark::State& state) {
    Workbook wb = fullWorkbook();
    WorkbookHistory history;
    history.reset(wb);
    int n = 0;
    for (auto _ : state) {
        PageRecord& rec = wb.page(100);
        rec[static_cast<size_t>(slotFieldIndex(3, SlotField::After))] = QString::number(++n);
        wb.pageLines[100] = pageLine(rec, kDefaultFontName);
        benchmark::DoNotOptimize(history.record(wb, QStringLiteral("入力"), 100, QStringLiteral("100:3:5")));
    }
}
BENCHMARK(BM_RecordOneTypedCell)->Unit(benchmark::kMicrosecond);

// An action that changed nothing (a cell click): the search alone.
void BM_RecordNothingChanged(benchmark::State& state) {
    Workbook wb = fullWorkbook();
    WorkbookHistory history;
    history.reset(wb);
    for (auto _ : state) benchmark::DoNotOptimize(history.record(wb, QStringLiteral("入力"), 0));
}
BENCHMARK(BM_RecordNothingChanged)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
