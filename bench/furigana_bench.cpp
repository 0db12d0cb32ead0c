// Readings proposed by MeCab: every word of base.moj (the example sentences that ship with
// the program) with its reading blanked, and the cost of opening the dictionary.
//   furigana_bench [--base PATH] [benchmark options]   (base.moj beside the program by default)
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "quiet_platform.h"

namespace {

struct Word {
    QString before, kanji, after, reading;
};

std::vector<Word> gWords;

std::vector<Word> baseMojWords(const QString& path) {
    QuietPlatform platform;
    auto wb = std::make_unique<Workbook>();
    wb->exampleFilePath = path;
    readProblemFile(*wb, platform.programDirectory());
    std::vector<Word> words;
    for (int e = 0; e < wb->exampleCount; ++e) {
        const ExampleRecord& rec = wb->exampleTable[static_cast<size_t>(e)];
        for (int row = 1; row <= 10; ++row) {
            const auto field = [&](SlotField f) { return rec[static_cast<size_t>(slotFieldIndex(row, f))]; };
            if (!field(SlotField::Kanji).isEmpty())
                words.push_back({field(SlotField::Before), field(SlotField::Kanji), field(SlotField::After),
                                 field(SlotField::Reading)});
        }
    }
    return words;
}

void BM_ProposeEveryBaseMojWord(benchmark::State& state) {
    const ReadingProposer& proposer = ReadingProposer::shared();
    if (!proposer.isAvailable()) {
        state.SkipWithError(qPrintable(proposer.unavailableMessage()));
        return;
    }
    int same = 0, wrong = 0;
    for (auto _ : state) {
        same = wrong = 0;
        for (const Word& w : gWords) {
            const std::optional<QString> r = proposer.propose(w.before, w.kanji, w.after);
            if (r && *r == w.reading)
                ++same;
            else if (r)
                ++wrong;
        }
    }
    const double n = static_cast<double>(gWords.size());
    state.counters["words"] = n;
    state.counters["shipped_%"] = 100.0 * same / n;
    state.counters["other_%"] = 100.0 * wrong / n;
    state.counters["none_%"] = 100.0 * (n - same - wrong) / n;
    state.counters["per_word"] =
        benchmark::Counter(n, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ProposeEveryBaseMojWord)->Unit(benchmark::kMillisecond);

// Why the program keeps one proposer: opening the dictionary and the tagger.
void BM_OpenProposer(benchmark::State& state) {
    for (auto _ : state) {
        ReadingProposer proposer;
        if (!proposer.isAvailable()) state.SkipWithError("MeCab unavailable");
    }
}
BENCHMARK(BM_OpenProposer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QString base = QFileInfo(QString::fromLocal8Bit(argv[0])).absolutePath() + QStringLiteral("/base.moj");
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--base") == 0 && i + 1 < argc)
            base = QString::fromLocal8Bit(argv[++i]);
        else
            rest.push_back(argv[i]);
    }
    gWords = baseMojWords(base);
    if (gWords.empty()) {
        std::fprintf(stderr, "furigana_bench: no words in %s\n", qPrintable(base));
        return 1;
    }
    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
