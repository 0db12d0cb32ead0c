// Reading and writing a 201-page .mojx workbook, and opening files of every shape as large as
// the reader takes (8 MiB).
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/text_codec.h"
#include "core/data/workbook.h"
#include "full_pages.h"
#include "quiet_platform.h"

namespace {

void BM_Read201PageMojx(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mojx"));
    writeCp932Lines(path, fullPageLines(kMaxPages, QStringLiteral("きのうは")), nullptr);
    QuietPlatform platform;
    Workbook wb;  // the program's tables live for the whole run
    wb.currentFilePath = path;
    for (auto _ : state) {
        wb.headingList.clear();
        const ReadReport r = readProblemFile(wb, platform.programDirectory());
        if (r.pagesRead != kMaxPages) state.SkipWithError("not every page was read");
        benchmark::DoNotOptimize(wb.pageLines[200]);
    }
}
BENCHMARK(BM_Read201PageMojx)->Unit(benchmark::kMillisecond);

void BM_Write201PageMojx(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mojx"));
    const QStringList lines = fullPageLines(kMaxPages, QStringLiteral("きのうは"));
    for (auto _ : state) {
        if (!writeCp932Lines(path, lines, nullptr)) state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_Write201PageMojx)->Unit(benchmark::kMillisecond);

// Files of the largest size read (kMaxTextFileBytes, 8 MiB), of shapes that once took the
// reader quadratic time or that stress one path.
struct Shape {
    const char* name;
    QByteArray (*make)(qsizetype size);
};
QByteArray repeatedTo(const QByteArray& unit, qsizetype size, const QByteArray& tail = {}) {
    return unit.repeated(size / unit.size()) + tail;
}
const Shape kShapes[] = {
    {"CR LF, then one field", [](qsizetype n) { return repeatedTo("\r\n", n, "x"); }},
    {"LF, then one field", [](qsizetype n) { return repeatedTo("\n", n, "x"); }},
    {"blanks and CR LF, then one field", [](qsizetype n) { return repeatedTo(" \t\r\n", n, "x"); }},
    {"only CR LF", [](qsizetype n) { return repeatedTo("\r\n", n); }},
    {"commas", [](qsizetype n) { return QByteArray(n, ','); }},
    {"one field", [](qsizetype n) { return QByteArray(n, 'a'); }},
    {"double quotes", [](qsizetype n) { return QByteArray(n, '"'); }},
    {"quoted fields", [](qsizetype n) { return repeatedTo("\"a,b\"junk,", n); }},
    {"unclosed quote", [](qsizetype n) { return "\"" + QByteArray(n, 'a'); }},
    {"short lines", [](qsizetype n) { return repeatedTo("a\r\n", n); }},
    {"kanji, no separator", [](qsizetype n) { return repeatedTo("\x8a\xbf\x8e\x9a", n); }},
    {"full pages",
     [](qsizetype n) {
         return repeatedTo(
             textcodec::encodeCp932(fullPageLines(kMaxPages, QStringLiteral("きのうは")).value(0) +
                                    QStringLiteral("\r\n"))
                 .value(),
             n);
     }},
};

void BM_OpenLargestFile(benchmark::State& state) {
    const Shape& shape = kShapes[state.range(0)];
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.mojx"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the file");
        f.write(shape.make(kMaxTextFileBytes - 64));  // room for a shape's last bytes
    }
    for (auto _ : state) {
        Workbook wb;
        wb.currentFilePath = path;
        const ReadReport r = readProblemFile(wb, QString());
        benchmark::DoNotOptimize(r.pagesRead);
    }
    state.SetLabel(shape.name);
}
BENCHMARK(BM_OpenLargestFile)->DenseRange(0, std::size(kShapes) - 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
