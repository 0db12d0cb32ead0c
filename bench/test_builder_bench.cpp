// Building a test: 50 problems for the kanji of a grade from the example sentences (the
// draw alone, with its pages, and the whole job as the window and `jirakubo-cli test` do it:
// base.moj and the dictionary read from disk first), and a 50-problem review ordered by a
// class's results.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>

#include "core/data/results_store.h"
#include "core/data/test_builder.h"
#include "core/data/test_sources.h"
#include "core/platform.h"

namespace {

QString dataDirectory() {
    return programDataDirectory();
}

const TestSources& sources() {
    static TestSources s = [] {
        TestSources loaded;
        QString message;
        if (!loadTestSources(dataDirectory(), QStringLiteral("教科書指定なし"), &loaded, &message))
            qFatal("%s", qPrintable(message));
        return loaded;
    }();
    return s;
}

// The draw and the pages, the sources already in memory.
void BM_FiftyFromGrade(benchmark::State& state) {
    const int grade = static_cast<int>(state.range(0));
    const TestSources& s = sources();
    quint64 seed = 1;
    for (auto _ : state) {
        const BuiltTest t = buildFromKanji(s.examples, s.grades, grade, {}, 50, seed++);
        auto pages =
            testPages(t.problems, QStringLiteral("テスト 12月11日 3年"), QStringLiteral("ＭＳ Ｐ明朝"));
        benchmark::DoNotOptimize(pages);
    }
}
BENCHMARK(BM_FiftyFromGrade)->DenseRange(1, 6)->Unit(benchmark::kMillisecond);

// What one click of 作成 costs: base.moj and onkun.txt read, then the draw.
void BM_FiftyFromGradeWithReading(benchmark::State& state) {
    quint64 seed = 1;
    for (auto _ : state) {
        TestSources s;
        QString message;
        if (!loadTestSources(dataDirectory(), QStringLiteral("教科書指定なし"), &s, &message)) {
            state.SkipWithError("no data files");
            return;
        }
        const BuiltTest t = buildFromKanji(s.examples, s.grades, 3, {}, 50, seed++);
        benchmark::DoNotOptimize(t);
    }
}
BENCHMARK(BM_FiftyFromGradeWithReading)->Unit(benchmark::kMillisecond);

// A review of 50 drawn from every grade-3 sentence, 500 of them with a history.
void BM_ReviewOfFifty(benchmark::State& state) {
    const TestSources& s = sources();
    const BuiltTest all = drawAllForKanji(s.examples, s.grades, 3, {}, 1);
    std::vector<ProblemHistory> histories;
    for (size_t i = 0; i < all.problems.size() && i < 500; ++i)
        histories.push_back(
            {all.problems[i], {{QDate(2026, 12, 1), i % 3 != 0}, {QDate(2026, 12, 8), i % 5 != 0}}});
    for (auto _ : state) {
        auto review = reviewTest(all.problems, histories, QDate(2026, 12, 11), 50);
        benchmark::DoNotOptimize(review);
    }
}
BENCHMARK(BM_ReviewOfFifty)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
