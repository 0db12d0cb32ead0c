// One key press in the entry box: the model's work (the cell written to its page, the alarm
// check, the history's step) and the view's refresh after it, on a workbook of one page and
// of 201.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "core/data/workbook.h"
#include "core/windows/main/main_window.h"
#include "platform/main_window_view.h"
#include "platform/qt_platform.h"

namespace {

class QuietPlatform : public QtPlatform {
public:
    MessageAnswer messageBox(const QString&, const QString&, MessageButtons b, MessageIcon) override {
        return b == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    void beep() override {}
    QString currentDirectory() override { return dir.path(); }
    QTemporaryDir dir;
};

// A workbook of `pages` pages of ten full rows, opened as if from its file, the first page on
// screen with the cursor on row 5's after cell.
void fillPage(MainWindow& mw, int pages = 1) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    mw.combo1.text = QStringLiteral("れんしゅう");
    mw.registerHeading();
    for (int r = 1; r <= 10; ++r) {
        mw.onCellClick(r, kColBefore);
        mw.onEntryTextEdited(QStringLiteral("きのうは"));
        mw.onCellClick(r, kColKanji);
        mw.onEntryTextEdited(QStringLiteral("学校"));
    }
    mw.onCellClick(1, kColBefore);  // the last text reaches the page
    Workbook& wb = mw.workbook();
    for (int p = 1; p < pages; ++p) {
        wb.page(p) = wb.page(0);
        wb.page(p)[kHeadingField] = QStringLiteral("第%1課").arg(p + 1);
        wb.headingList << wb.page(p)[kHeadingField];
        wb.pageLines[static_cast<size_t>(p)] = pageLine(wb.page(p), kDefaultFontName);
    }
    wb.pageCount = static_cast<int>(wb.headingList.size());
    mw.startHistory();
    mw.choosePage(0);
    mw.onCellClick(5, kColAfter);
}

// The model's work for one key press, on a workbook of state.range(0) pages: the same on
// one page as on 201.
void BM_KeyPressModel(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    fillPage(mw, static_cast<int>(state.range(0)));
    if (wb.headingList.size() != state.range(0)) state.SkipWithError("the workbook was not filled");
    bool grow = true;
    for (auto _ : state) {
        // One key is one event, as the entry box sends it: the key, then the text it makes.
        mw.handle([&] {
            mw.onEntryKeyPress(Qt::Key_A);
            mw.onEntryTextEdited(grow ? QStringLiteral("へいく") : QStringLiteral("へい"));
        });
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressModel)->Arg(1)->Arg(kMaxPages)->Unit(benchmark::kMicrosecond);

void BM_KeyPressView(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    MainWindowView view(mw, platform);
    fillPage(mw, static_cast<int>(state.range(0)));
    view.show();
    bool grow = true;
    for (auto _ : state) {
        mw.handle([&] {  // the view refreshes once, as the action ends
            mw.onEntryKeyPress(Qt::Key_A);
            mw.onEntryTextEdited(grow ? QStringLiteral("へいく") : QStringLiteral("へい"));
        });
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressView)->Arg(1)->Arg(kMaxPages)->Unit(benchmark::kMicrosecond);

// The same key press on a page full of grade marks: every row's sentence holds an unlearned
// kanji (泣, grade 4, on a grade-2 page) and another row's answer (雪), so every key press
// marks forty cells again. The dictionary is the program's onkun.txt beside the benchmark.
void fillMarkedPage(MainWindow& mw) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    mw.combo1.text = QStringLiteral("二年");
    mw.registerHeading();
    for (int r = 1; r <= 10; ++r) {
        mw.onCellClick(r, kColBefore);
        mw.onEntryTextEdited(QStringLiteral("雪の日に泣いた"));
        mw.onCellClick(r, kColKanji);
        mw.onEntryTextEdited(r % 2 ? QStringLiteral("雪") : QStringLiteral("大声"));
        mw.onCellClick(r, kColAfter);
        mw.onEntryTextEdited(QStringLiteral("で雪あそび。"));
    }
    mw.onCellClick(5, kColAfter);
}

void BM_KeyPressWithMarksModel(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    fillMarkedPage(mw);
    if (mw.grid.at(5).cell(kColAfter).markNote.isEmpty()) state.SkipWithError("no marks: onkun.txt missing?");
    bool grow = true;
    for (auto _ : state) {
        mw.handle([&] {
            mw.onEntryKeyPress(Qt::Key_A);
            mw.onEntryTextEdited(grow ? QStringLiteral("で雪あそび泣く") : QStringLiteral("で雪あそび。"));
        });
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressWithMarksModel)->Unit(benchmark::kMicrosecond);

void BM_KeyPressWithMarksView(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    MainWindowView view(mw, platform);
    fillMarkedPage(mw);
    view.show();
    if (mw.grid.at(5).cell(kColAfter).markNote.isEmpty()) state.SkipWithError("no marks: onkun.txt missing?");
    bool grow = true;
    for (auto _ : state) {
        mw.handle([&] {
            mw.onEntryKeyPress(Qt::Key_A);
            mw.onEntryTextEdited(grow ? QStringLiteral("で雪あそび泣く") : QStringLiteral("で雪あそび。"));
        });
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressWithMarksView)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
