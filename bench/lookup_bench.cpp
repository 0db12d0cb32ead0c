// The lookup panel: a grade click (the dictionary read again from disk, the hundred cells
// filled) and the scan of base.moj for the example sentences of one kanji.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <array>

#include "core/data/problem_files.h"
#include "core/data/reading_dictionary.h"
#include "core/data/workbook.h"
#include "core/printing/print_page.h"
#include "core/windows/main/lookup_panel.h"
#include "quiet_platform.h"

namespace {

using DataPlatform = QuietPlatform;

// The main window as far as the panel needs it.
class BenchHost : public LookupPanelHost {
public:
    DataPlatform quiet;
    ReadingDictionary dictionary;
    Workbook book;
    std::array<std::array<QString, 7>, 11> grid{};

    Platform& platform() override { return quiet; }
    QString company() const override { return QStringLiteral("教科書指定なし"); }
    ReadingDictionary& readingDictionary() override { return dictionary; }
    Workbook& workbook() override { return book; }
    QString gridText(int row, SlotField f) const override {
        return grid[static_cast<size_t>(row)][static_cast<size_t>(f)];
    }
    void setGridText(int row, SlotField f, const QString& t) override {
        grid[static_cast<size_t>(row)][static_cast<size_t>(f)] = t;
    }
    void setToolButtonVisible(ToolbarButton, bool) override {}
    void setToolButtonEnabled(ToolbarButton, bool) override {}
    void setToolButtonPicture(ToolbarButton, Picture) override {}
    void setMenuEnabled(const QString&, bool) override {}
    void enablePageCommands() override {}
    void setWindowWidth(int) override {}
    void setMemoryPanelVisible(bool) override {}
    void setArrowPadVisible(bool) override {}
    void setTitleLabelVisible(bool) override {}
    void ensurePageOnScreen() override {}
    QString headingBoxText() const override { return QStringLiteral("一学期"); }
    void setHeadingBoxColor(int) override {}
    void focusHeadingBox() override {}
    QString headingLabel() const override { return QStringLiteral("一学期"); }
    void showRegisterButton() override {}
};

// Grades 3 and 4 in turn, so every click changes every cell.
void BM_GradeClick(benchmark::State& state) {
    BenchHost host;
    LookupPanel panel(host);
    panel.show();
    int grade = 3;
    for (auto _ : state) {
        panel.onGradeClick(grade);
        if (host.dictionary.result.count < 200) state.SkipWithError("onkun.txt was not read");
        grade = grade == 3 ? 4 : 3;
        benchmark::DoNotOptimize(panel.label101[99].caption);
    }
}
BENCHMARK(BM_GradeClick)->Unit(benchmark::kMicrosecond);

void loadExamples(Workbook& wb) {
    DataPlatform platform;
    wb.exampleFilePath = QDir(platform.programDirectory()).filePath(QStringLiteral("base.moj"));
    readProblemFile(wb, platform.programDirectory());
}

// The scan of a click in example mode: 学 finds its four examples early; 鬱 (no example)
// walks the whole file.
void BM_ExampleScan(benchmark::State& state, const char* kanji) {
    Workbook wb;
    loadExamples(wb);
    if (wb.exampleCount == 0) state.SkipWithError("base.moj was not read");
    const QString k = QString::fromUtf8(kanji);
    for (auto _ : state) benchmark::DoNotOptimize(findExamples(wb, k, 4));
    state.counters["records"] = wb.exampleCount;
}
BENCHMARK_CAPTURE(BM_ExampleScan, found_early, "学")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExampleScan, whole_file, "鬱")->Unit(benchmark::kMicrosecond);

// Example mode switched on: base.moj read from disk into the example table.
void BM_ExampleModeOn(benchmark::State& state) {
    BenchHost host;
    LookupPanel panel(host);
    panel.show();
    panel.onGradeClick(1);
    for (auto _ : state) {
        panel.onExampleModeToggle();  // on: reads base.moj
        panel.onExampleModeToggle();  // off
    }
    if (host.book.exampleCount == 0) state.SkipWithError("base.moj was not read");
}
BENCHMARK(BM_ExampleModeOn)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
