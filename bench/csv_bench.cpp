// CSV in and out: importing a 2,000-row problem list (the dictation-sheet program's, in
// UTF-8 and in Shift_JIS, and the program's own CSV of 200 pages) and exporting 201 pages.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <memory>

#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"
#include "core/data/workbook_csv.h"
#include "full_pages.h"

namespace {

// 2,000 problems of six grades (200 pages), a ruby in every fifth, two answer boxes in every
// seventh.
QString peerListText() {
    QString text = QStringLiteral("学年,問題文,答え,番号,管理番号,最終更新日,結果,履歴\r\n");
    for (int i = 0; i < 2000; ++i) {
        const int grade = 1 + i / 340;  // 34 pages for each grade, 30 for the sixth: 200 pages
        QString sentence, answer;
        if (i % 7 == 0) {
            sentence = QStringLiteral("\"[あか]い[はな]が、さいた。\"");
            answer = QStringLiteral("\"赤、花\"");
        } else if (i % 5 == 0) {
            sentence = QStringLiteral("今日<きょう>は[がっこう]へいきます。");
            answer = QStringLiteral("学校");
        } else {
            sentence = QStringLiteral("きのう[びょういん]へいった。");
            answer = QStringLiteral("病院");
        }
        text += QStringLiteral("%1,%2,%3,%4,A%5,2024/04/10,○,○×○\r\n")
                    .arg(grade)
                    .arg(sentence, answer)
                    .arg(i + 1)
                    .arg(i, 5, 10, QLatin1Char('0'));
    }
    return text;
}

void runImport(benchmark::State& state, const QByteArray& bytes, int expectedRows) {
    auto wb = std::make_unique<Workbook>();  // the program's tables live for the whole run
    for (auto _ : state) {
        const workbookcsv::CsvImport r = workbookcsv::importCsv(bytes, QStringLiteral("list"), *wb);
        if (!r.ok() || r.rowsRead != expectedRows) {
            const QString why = r.error + workbookcsv::rejectedRowsText(r).left(200);
            state.SkipWithError(qPrintable(QStringLiteral("not every row was read: ") + why));
            break;
        }
        benchmark::DoNotOptimize(wb->pageLines[199]);
    }
    state.counters["rows"] = expectedRows;
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

void BM_ImportPeerList2000RowsUtf8(benchmark::State& state) {
    runImport(state, peerListText().toUtf8(), 2000);
}
BENCHMARK(BM_ImportPeerList2000RowsUtf8)->Unit(benchmark::kMillisecond);

void BM_ImportPeerList2000RowsShiftJis(benchmark::State& state) {
    runImport(state, *textcodec::encodeCp932(peerListText()), 2000);
}
BENCHMARK(BM_ImportPeerList2000RowsShiftJis)->Unit(benchmark::kMillisecond);

void BM_ImportOwnCsv2000Rows(benchmark::State& state) {
    runImport(state, workbookcsv::csvFromPageLines(fullPageLines(200, QStringLiteral("きのうは、"))), 2000);
}
BENCHMARK(BM_ImportOwnCsv2000Rows)->Unit(benchmark::kMillisecond);

// The whole file: read from disk, imported, written as a .mojx workbook.
void BM_ImportPeerList2000RowsFileToMojx(benchmark::State& state) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("list.csv"));
    const QString out = dir.filePath(QStringLiteral("list.mojx"));
    QString error;
    writeFileAtomically(in, *textcodec::encodeCp932(peerListText()), &error);
    auto wb = std::make_unique<Workbook>();
    for (auto _ : state) {
        const workbookcsv::CsvImport r = workbookcsv::readCsvFile(in, *wb);
        if (!r.ok() || !writeProblemFile(out, *wb, false, nullptr)) state.SkipWithError("import failed");
    }
}
BENCHMARK(BM_ImportPeerList2000RowsFileToMojx)->Unit(benchmark::kMillisecond);

void BM_Export201Pages(benchmark::State& state) {
    const QStringList lines = fullPageLines(kMaxPages, QStringLiteral("きのうは、"));
    for (auto _ : state) benchmark::DoNotOptimize(workbookcsv::csvFromPageLines(lines));
}
BENCHMARK(BM_Export201Pages)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
