// Paper to PDF through the command line's code path: one manuscript sheet of 20 x 20
// squares (with and without the centre cross), the practice sheet, ruled paper; and the
// whole jirakubo-cli process printing the 20 x 20 sheet, timed by its CPU time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "cli/paper_command.h"
#include "core/data/problem_files.h"
#include "core/data/workbook.h"

namespace {

// A one-page workbook: a kanji word and its reading on every row.
QString practiceWorkbook(const QString& dir) {
    const QStringList words{"学校", "森林", "図書館", "電車", "花火", "先生", "友達", "時間", "勉強", "海"};
    PageRecord rec;
    rec[kHeadingField] = QStringLiteral("練習");
    rec[kFontField] = QStringLiteral("ＭＳ 明朝");
    for (int r = 1; r <= 10; ++r) {
        rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Kanji))] = words[r - 1];
        rec[static_cast<size_t>(slotFieldIndex(r, SlotField::Reading))] = QStringLiteral("よみかた");
    }
    const QString path = QDir(dir).filePath(QStringLiteral("practice.mojx"));
    writeCp932Lines(path, {pageLine(rec, rec[kFontField])}, nullptr);
    return path;
}

void paper(benchmark::State& state, QStringList args) {
    QTemporaryDir dir;
    const QString out = QDir(dir.path()).filePath(QStringLiteral("out.pdf"));
    args << QStringLiteral("-o") << out;
    for (auto _ : state) {
        if (runPaperCommand(args) != 0) state.SkipWithError("paper failed");
    }
    state.counters["pdf_KB"] = static_cast<double>(QFileInfo(out).size()) / 1024.0;
}

void manuscript20(benchmark::State& state) {
    paper(state, {QStringLiteral("manuscript"), QStringLiteral("--title"), QStringLiteral("原稿用紙")});
}
BENCHMARK(manuscript20)->Unit(benchmark::kMillisecond);

void manuscript20Cross(benchmark::State& state) {
    paper(state, {QStringLiteral("manuscript"), QStringLiteral("--cross"), QStringLiteral("--title"),
                  QStringLiteral("原稿用紙")});
}
BENCHMARK(manuscript20Cross)->Unit(benchmark::kMillisecond);

void practiceSheet(benchmark::State& state) {
    QTemporaryDir dir;
    paper(state, {QStringLiteral("practice"), practiceWorkbook(dir.path()), QStringLiteral("--title"),
                  QStringLiteral("練習")});
}
BENCHMARK(practiceSheet)->Unit(benchmark::kMillisecond);

void ruledPaper(benchmark::State& state) {
    paper(state, {QStringLiteral("ruled"), QStringLiteral("--center-lines")});
}
BENCHMARK(ruledPaper)->Unit(benchmark::kMillisecond);

// The whole process: start-up, fonts, drawing, the PDF written. The time is the child's CPU
// time (user + system), the figure the goal is set in.
double childCpuSeconds() {
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void cliProcess(benchmark::State& state, const QStringList& extra) {
    const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("jirakubo-cli"));
    if (!QFileInfo::exists(cli)) {
        state.SkipWithError("jirakubo-cli is not built next to the benchmark");
        return;
    }
    QTemporaryDir dir;
    const QString out = QDir(dir.path()).filePath(QStringLiteral("out.pdf"));
    QStringList args{QStringLiteral("paper"),   QStringLiteral("manuscript"), QStringLiteral("-o"), out,
                     QStringLiteral("--title"), QStringLiteral("原稿用紙")};
    args << extra;
    double wall = 0;
    for (auto _ : state) {
        const double before = childCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        QProcess p;
        p.start(cli, args);
        if (!p.waitForFinished(10000) || p.exitCode() != 0) state.SkipWithError("jirakubo-cli failed");
        wall += static_cast<double>(timer.nsecsElapsed()) / 1e9;
        state.SetIterationTime(childCpuSeconds() - before);
    }
    state.counters["wall_ms"] = 1000.0 * wall / static_cast<double>(state.iterations());
    state.counters["pdf_KB"] = static_cast<double>(QFileInfo(out).size()) / 1024.0;
}

void cliManuscript20(benchmark::State& state) {
    cliProcess(state, {});
}
BENCHMARK(cliManuscript20)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void cliManuscript20Cross(benchmark::State& state) {
    cliProcess(state, {QStringLiteral("--cross")});
}
BENCHMARK(cliManuscript20Cross)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

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
