// One key press in the entry box: the model's work (store grid, alarm check, print arrays)
// and the view's refresh after it.
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

// A page with ten full rows, the cursor on row 5's kanji cell.
void fillPage(MainWindow& mw) {
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
    mw.onCellClick(5, kColAfter);
}

void BM_KeyPressModel(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    fillPage(mw);
    bool grow = true;
    for (auto _ : state) {
        mw.onEntryKeyPress(Qt::Key_A);  // stores the grid before the character lands
        mw.onEntryTextEdited(grow ? QStringLiteral("へいく") : QStringLiteral("へい"));
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressModel)->Unit(benchmark::kMicrosecond);

void BM_KeyPressView(benchmark::State& state) {
    QuietPlatform platform;
    Workbook wb;
    MainWindow mw(platform, wb);
    MainWindowView view(mw, platform);
    fillPage(mw);
    view.show();
    bool grow = true;
    for (auto _ : state) {
        mw.onEntryKeyPress(Qt::Key_A);
        mw.onEntryTextEdited(grow ? QStringLiteral("へいく") : QStringLiteral("へい"));  // refreshes the view
        grow = !grow;
    }
}
BENCHMARK(BM_KeyPressView)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
