// The worst the size bounds let through, each command in a process of its own so its CPU time
// and peak memory are its own: jirakubo-cli convert, furigana and print on a workbook as large
// as the reader takes (8 MiB, one line of four million characters), the same commands on a
// file of 100 MB (refused by its size), and the settings file read at start-up at 100 MB.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/data/problem_files.h"
#include "core/data/settings.h"
#include "core/data/text_codec.h"

extern char** environ;

namespace {

struct Cost {
    bool ran = false;
    int status = -1;
    double cpuSeconds = 0;
    double peakMB = 0;
};

// Runs jirakubo-cli (beside this program) with the arguments and measures the child.
Cost runCli(const QStringList& args) {
    const QByteArray cli =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("jirakubo-cli")).toLocal8Bit();
    std::vector<QByteArray> bytes{cli};
    for (const QString& a : args) bytes.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& b : bytes) argv.push_back(b.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, cli.constData(), &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) return {};
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {true, WIFEXITED(status) ? WEXITSTATUS(status) : -1,
            seconds(usage.ru_utime) + seconds(usage.ru_stime), static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// One page whose text after the first word holds four million kana with no reading for the
// word, so furigana asks MeCab: 8 MiB less a few bytes.
QString largestWorkbook(const QString& dir) {
    const QString path = QDir(dir).filePath(QStringLiteral("largest.mojx"));
    QByteArray line = textcodec::encodeCp932(QStringLiteral("頁,,きのう、,学校,,")).value();
    const QByteArray tail = QByteArray(70, ',') + "\r\n";
    const QByteArray kana = textcodec::encodeCp932(QStringLiteral("あ")).value();
    line += kana.repeated((kMaxTextFileBytes - line.size() - tail.size()) / kana.size()) + tail;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(line);
    return path;
}

QString farTooLarge(const QString& dir, const QString& name) {
    const QString path = QDir(dir).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        for (int i = 0; i < 100; ++i) f.write(QByteArray(1024 * 1024, 'a'));  // written, not sparse
    return path;
}

enum Command { kConvert, kFurigana, kPrintThree };
const char* const kCommandNames[] = {"convert", "furigana", "print --sheet three"};

QStringList argumentsFor(Command c, const QString& in, const QString& dir) {
    const QString out =
        QDir(dir).filePath(c == kPrintThree ? QStringLiteral("out.pdf") : QStringLiteral("out.mojx"));
    QFile::remove(out);
    switch (c) {
    case kConvert: return {QStringLiteral("convert"), in, out};
    case kFurigana: return {QStringLiteral("furigana"), in, QStringLiteral("-o"), out};
    case kPrintThree:
        return {QStringLiteral("print"), in, QStringLiteral("-o"), out, QStringLiteral("--sheet"),
                QStringLiteral("three")};
    }
    return {};
}

void measure(benchmark::State& state, const QString& in, const QString& dir, int wantStatus) {
    const auto command = static_cast<Command>(state.range(0));
    Cost worst;
    double cpu = 0;
    for (auto _ : state) {
        const Cost c = runCli(argumentsFor(command, in, dir));
        if (!c.ran || c.status != wantStatus) {
            state.SkipWithError("the command did not end as it should");
            return;
        }
        state.SetIterationTime(c.cpuSeconds);
        cpu += c.cpuSeconds;
        worst.peakMB = std::max(worst.peakMB, c.peakMB);
    }
    state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
    state.counters["peak_MB"] = worst.peakMB;
    state.SetLabel(kCommandNames[command]);
}

void BM_CommandOnTheLargestFileRead(benchmark::State& state) {
    QTemporaryDir dir;
    measure(state, largestWorkbook(dir.path()), dir.path(), 0);
}
BENCHMARK(BM_CommandOnTheLargestFileRead)
    ->DenseRange(kConvert, kPrintThree)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_CommandOnA100MBFile(benchmark::State& state) {
    QTemporaryDir dir;
    measure(state, farTooLarge(dir.path(), QStringLiteral("huge.mojx")), dir.path(), 1);
}
BENCHMARK(BM_CommandOnA100MBFile)
    ->DenseRange(kConvert, kPrintThree)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

// The settings file as the start-up reads it, at 100 MB: refused by its size.
void BM_ReadA100MBSettingsFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = farTooLarge(dir.path(), QStringLiteral("JRB3.ini"));
    for (auto _ : state) {
        const SettingsReadResult r = readSettings(path);
        if (r.readWhole) state.SkipWithError("a 100 MB settings file was read");
        benchmark::DoNotOptimize(r.problem);
    }
}
BENCHMARK(BM_ReadA100MBSettingsFile)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
