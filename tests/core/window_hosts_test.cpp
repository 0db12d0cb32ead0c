// The secondary windows and the main window's panels driven through the real main window, its
// own adapter behind their host interfaces and no stand-in: what each of them changes reaches
// the main window's grid, what a print takes, page record, status bar, options and settings file,
// as one step of the history.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <functional>
#include <ostream>
#include <set>

#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "fake_platform.h"
#include "test_util.h"

namespace {

// A started main window in a folder of its own: a page of three problems typed by the
// teacher, the lookup panel shown (which brings the toolbar buttons of the company and text
// flow windows), a dictionary, a company's dictionary and a file of example sentences.
struct Desk {
    QTemporaryDir dir;
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};
    int changes = 0;

    void setUp() {
        ASSERT_TRUE(dir.isValid());
        platform.cwd = dir.path();
        platform.programDir = dir.path();
        writeLines(QStringLiteral("onkun.txt"),
                   {"1,学,がく,まな(ぶ),8", "1,校,こう,,10", "1,山,さん,やま,3"});
        writeLines(QStringLiteral("東京書籍_onkun.txt"), {"1,森,しん,もり,12", "1,林,りん,はやし,8"});
        QStringList example{QStringLiteral("例"), QString()};
        example << QStringLiteral("毎日") << QStringLiteral("学校") << QStringLiteral("がっこう")
                << QStringLiteral("へ行く。");
        for (int i = 4; i < 40; ++i) example << QString();
        example << QStringLiteral("ＭＳ 明朝");
        writeLines(QStringLiteral("base.moj"), {example.join(u',')});

        mw.startUp();
        mw.onMenu(QStringLiteral("np"));
        mw.combo1.text = QStringLiteral("一の巻");
        mw.registerHeading();
        type(1, kColBefore, QStringLiteral("高い"));
        type(1, kColKanji, QStringLiteral("山"));
        type(1, kColReading, QStringLiteral("やま"));
        type(2, kColKanji, QStringLiteral("川"));
        type(2, kColReading, QStringLiteral("かわ"));
        type(2, kColAfter, QStringLiteral("で遊ぶ。"));
        type(3, kColBefore, QStringLiteral("青い"));
        type(3, kColKanji, QStringLiteral("空"));
        type(3, kColReading, QStringLiteral("そら"));
        mw.onToolbarClick(12);  // 単漢字表示
        ASSERT_TRUE(mw.lookupPanel.visible);
        ASSERT_TRUE(platform.messages.empty()) << platform.messages[0].text.toStdString();
        mw.changed = [this] { ++changes; };
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    void writeLines(const QString& name, const QStringList& lines) {
        writeCp932(path(name), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }
    void type(int row, int col, const QString& text) {
        mw.onCellClick(row, col);
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(text);
    }
    QString cell(int row, int col) const { return mw.grid.at(row).cell(col).text; }
    QStringList settingsLines() const {
        return readCp932(path(QStringLiteral("JRB3.ini"))).split(QStringLiteral("\r\n"));
    }

    // An event of a secondary window as its view delivers it: through the main window's door,
    // which tells the views once (a window the event closed loses its view then).
    void windowEvent(WindowId, const std::function<void()>& event) { mw.handle(event); }
    // An event of a panel inside the main window (lookup panel, memory list): through the door.
    void panelEvent(const std::function<void()>& event) { mw.handle(event); }
    // The lookup cell showing `kanji`.
    int lookupCell(const QString& kanji) const {
        for (int k = 0; k < 100; ++k)
            if (mw.lookupPanel.label101[static_cast<size_t>(k)].caption == kanji) return k;
        ADD_FAILURE() << "no lookup cell shows " << kanji.toStdString();
        return 99;
    }
};

struct WindowHosts : Desk, ::testing::Test {
    void SetUp() override { setUp(); }
};

// What the grid shows: the seven texts of each row and its second-word toggle.
struct GridPicture {
    std::array<std::array<QString, 9>, 11> texts{};
    std::array<bool, 11> second{};
    bool operator==(const GridPicture&) const = default;
};

GridPicture pictureOf(const MainWindow& mw) {
    GridPicture p;
    for (int r = 1; r <= 10; ++r) {
        for (int c = kColBefore; c <= kColAfter2; ++c)
            p.texts[static_cast<size_t>(r)][static_cast<size_t>(c)] = mw.grid.at(r).cell(c).text;
        p.second[static_cast<size_t>(r)] = mw.grid.at(r).check3;
    }
    return p;
}

std::ostream& operator<<(std::ostream& os, const GridPicture& p) {
    for (int r = 1; r <= 10; ++r) {
        os << "\n  " << r << (p.second[static_cast<size_t>(r)] ? " [5]" : " [3]");
        for (int c = kColBefore; c <= kColAfter2; ++c)
            os << " |" << p.texts[static_cast<size_t>(r)][static_cast<size_t>(c)].toStdString();
    }
    return os;
}

struct Cell {
    int row, col;
    QString text;
};

// The field of a page line holding a grid cell: first words from field 2, four a row; second
// words from field 44, three a row.
int lineField(int row, int col) {
    return col <= kColAfter ? 2 + 4 * (row - 1) + (col - kColBefore)
                            : 44 + 3 * (row - 1) + (col - kColKanji2);
}

struct GridCase {
    const char* name;
    const char* step;                   // what 元に戻す names
    std::function<void(Desk&)> before;  // what the teacher did first (not counted)
    std::function<void(Desk&)> act;     // the one event under test
    std::vector<Cell> cells;            // the cells it changes, and to what
    std::vector<int> secondWordShown;   // rows whose toggle it turns on
};

// Runs one case: the cells it names change and no other, in the grid and at once in the page
// record and its file line; what a print of the page takes follows the grid;
// the entry box shows the cell under the cursor; the views hear of it once; the change is one
// step that 元に戻す takes back and やり直し brings again; and the teacher's next key stores it
// in the page record and the page's file line.
void expectTheGridShowsIt(const GridCase& c) {
    SCOPED_TRACE(c.name);
    Desk t;
    t.setUp();
    if (::testing::Test::HasFatalFailure()) return;
    c.before(t);
    ASSERT_TRUE(t.platform.messages.empty()) << t.platform.messages[0].text.toStdString();
    const GridPicture before = pictureOf(t.mw);
    GridPicture expected = before;
    for (const Cell& cell : c.cells)
        expected.texts[static_cast<size_t>(cell.row)][static_cast<size_t>(cell.col)] = cell.text;
    for (int r : c.secondWordShown) expected.second[static_cast<size_t>(r)] = true;
    ASSERT_NE(expected, before) << "the case changes nothing";

    t.changes = 0;
    c.act(t);
    EXPECT_EQ(pictureOf(t.mw), expected);
    // The grid writes through: the page record and its file line hold the change at once.
    {
        const QStringList line = t.wb.pageLines[0].split(u',');
        for (const Cell& cell : c.cells) {
            EXPECT_EQ(t.wb.page(0)[static_cast<size_t>(lineField(cell.row, cell.col))], cell.text);
            EXPECT_EQ(line.value(lineField(cell.row, cell.col)), cell.text);
        }
    }
    EXPECT_EQ(t.changes, 1);
    EXPECT_TRUE(t.platform.messages.empty());
    // What a print of the page on screen takes follows the grid, row by row.
    const PrintPage printed = printedPageOnScreen(t.mw, true);
    for (int r = 1; r <= 10; ++r) {
        const size_t i = static_cast<size_t>(r);
        const auto& row = expected.texts[i];
        EXPECT_EQ(printed.before[i], row[kColBefore]) << r;
        EXPECT_EQ(printed.kanji[i], row[kColKanji]) << r;
        EXPECT_EQ(printed.reading[i], row[kColReading]) << r;
        EXPECT_EQ(printed.after[i], row[kColAfter]) << r;
    }
    // The entry box shows the cell under the cursor, so the next key cannot carry an old
    // text back into it.
    EXPECT_EQ(t.mw.entry.text, t.cell(t.mw.grid.row, t.mw.grid.col));
    EXPECT_EQ(t.mw.menu(QStringLiteral("undo"))->caption,
              QStringLiteral("元に戻す「%1」").arg(QString::fromUtf8(c.step)));

    t.mw.onMenu(QStringLiteral("undo"));
    EXPECT_EQ(pictureOf(t.mw), before) << "元に戻す";
    t.mw.onMenu(QStringLiteral("redo"));
    EXPECT_EQ(pictureOf(t.mw), expected) << "やり直し";

    // The next key stores the page: the record and the line a save writes.
    t.mw.onEntryKeyPress(0);
    const QStringList line = t.wb.pageLines[0].split(u',');
    for (const Cell& cell : c.cells) {
        SCOPED_TRACE(cell.text.toStdString());
        EXPECT_EQ(t.wb.page(0)[static_cast<size_t>(lineField(cell.row, cell.col))], cell.text);
        EXPECT_EQ(line.value(lineField(cell.row, cell.col)), cell.text);
    }
    EXPECT_EQ(t.mw.workbookLines().value(0), t.wb.pageLines[0]);
}

// Every window and panel that writes into the grid, each of its writing events.
const std::vector<GridCase>& gridWriters() {
    static const std::vector<GridCase> cases = {
        {"text flow pours into the kanji cells",
         "流し込み",
         [](Desk& t) {
             t.mw.onCellClick(1, kColKanji);  // the entry box shows 山
             t.mw.onToolbarClick(27);
             t.windowEvent(WindowId::TextFlow, [&] {
                 t.mw.textFlowWindow.onText1Changed(QStringLiteral("むかしむかしあるところに、"));
             });
         },
         [](Desk& t) {
             // Rows 1 and 2 hold problems: the teacher is asked first, and the rows poured
             // into keep nothing of them.
             t.platform.answers = {MessageAnswer::Yes};
             t.windowEvent(WindowId::TextFlow, [&] { t.mw.textFlowWindow.onCommand1Click(); });
             EXPECT_EQ(t.platform.messageTexts(),
                       QStringList{QStringLiteral("流し込む行のうち2行に問題が入っています。\n"
                                                  "これらの行の問題（読みがなと２つ目の言葉も）を"
                                                  "流し込む文章で置き換えますか？")});
             t.platform.messages.clear();
         },
         {{1, kColBefore, QString()},
          {1, kColKanji, QStringLiteral("むかしむかしあるとこ")},
          {1, kColReading, QString()},
          {2, kColKanji, QStringLiteral("ろに、")},
          {2, kColReading, QString()},
          {2, kColAfter, QString()}},
         {}},
        {"text flow pours into the before cells of ruled sheets, a row a line",
         "流し込み",
         [](Desk& t) {
             t.mw.onToolbarClick(27);
             t.windowEvent(WindowId::TextFlow, [&] { t.mw.textFlowWindow.onOptionClick(2); });
             t.windowEvent(WindowId::TextFlow,
                           [&] { t.mw.textFlowWindow.onText1Changed(QStringLiteral("はれ\nくもり\nあめ")); });
             t.mw.onCellClick(2, kColBefore);
         },
         [](Desk& t) {
             t.platform.answers = {MessageAnswer::Yes};  // rows 1 to 3 held problems
             t.windowEvent(WindowId::TextFlow, [&] { t.mw.textFlowWindow.onCommand1Click(); });
             EXPECT_EQ(t.platform.messages.size(), 1u);
             t.platform.messages.clear();
         },
         {{1, kColBefore, QStringLiteral("はれ")},
          {1, kColKanji, QString()},
          {1, kColReading, QString()},
          {2, kColBefore, QStringLiteral("くもり")},
          {2, kColKanji, QString()},
          {2, kColReading, QString()},
          {2, kColAfter, QString()},
          {3, kColBefore, QStringLiteral("あめ")},
          {3, kColKanji, QString()},
          {3, kColReading, QString()}},
         {}},
        {"text flow empties the kanji cells, each word with its reading",
         "本文消去",
         [](Desk& t) {
             t.mw.onCellClick(3, kColKanji);
             t.mw.onToolbarClick(27);
         },
         [](Desk& t) { t.windowEvent(WindowId::TextFlow, [&] { t.mw.textFlowWindow.onCommand2Click(); }); },
         {{1, kColKanji, QString()},
          {1, kColReading, QString()},
          {2, kColKanji, QString()},
          {2, kColReading, QString()},
          {3, kColKanji, QString()},
          {3, kColReading, QString()}},
         {}},
        {"memory list puts a problem back into the first empty row",
         "メモリーから戻す",
         [](Desk& t) {
             t.mw.onNumberLabelClick(2);  // 川 taken out
             t.type(2, kColKanji, QStringLiteral("海"));
             t.mw.onCellClick(4, kColReading);
         },
         [](Desk& t) { t.panelEvent([&] { t.mw.memoryList.onListClick(0); }); },
         {{4, kColKanji, QStringLiteral("川")},
          {4, kColReading, QStringLiteral("かわ")},
          {4, kColAfter, QStringLiteral("で遊ぶ。")}},
         {}},
        {"lookup panel copies a kanji and its on reading into the first row without one",
         "漢字の写し",
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onGradeClick(1); });
             t.mw.onCellClick(4, kColKanji);
         },
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onCellClick(t.lookupCell(QStringLiteral("学"))); });
         },
         {{4, kColKanji, QStringLiteral("学")}, {4, kColReading, QStringLiteral("がく")}},
         {}},
        {"lookup panel builds a compound in one row",
         "漢字の写し",
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onGradeClick(1); });
             t.panelEvent([&] { t.mw.lookupPanel.onCellClick(t.lookupCell(QStringLiteral("学"))); });
             t.panelEvent([&] { t.mw.lookupPanel.onCheck1Click(); });  // 熟語編成
         },
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onCellClick(t.lookupCell(QStringLiteral("校"))); });
         },
         {{4, kColKanji, QStringLiteral("学校")}, {4, kColReading, QStringLiteral("がっこう")}},
         {}},
        {"lookup panel takes the last copy back on a click on an empty cell",
         "漢字の写し",
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onGradeClick(1); });
             t.panelEvent([&] { t.mw.lookupPanel.onCellClick(t.lookupCell(QStringLiteral("山"))); });
             t.mw.onCellClick(4, kColReading);
         },
         [](Desk& t) { t.panelEvent([&] { t.mw.lookupPanel.onCellClick(99); }); },
         {{4, kColKanji, QString()}, {4, kColReading, QString()}},
         {}},
        {"lookup panel copies an example sentence",
         "例文の写し",
         [](Desk& t) {
             t.panelEvent([&] { t.mw.lookupPanel.onGradeClick(1); });
             t.panelEvent([&] { t.mw.lookupPanel.onExampleModeToggle(); });
             t.panelEvent([&] { t.mw.lookupPanel.onCellClick(t.lookupCell(QStringLiteral("学"))); });
             t.mw.onCellClick(4, kColBefore);
         },
         [](Desk& t) { t.panelEvent([&] { t.mw.lookupPanel.onExampleClick(0); }); },
         {{4, kColBefore, QStringLiteral("毎日")},
          {4, kColKanji, QStringLiteral("学校")},
          {4, kColReading, QStringLiteral("がっこう")},
          {4, kColAfter, QStringLiteral("へ行く。")}},
         {}},
    };
    return cases;
}

}  // namespace

// Every window id leads to one model of that id, and the main window asks the models
// whether they are open: a window that closes itself is closed to the main window too.
TEST_F(WindowHosts, EveryWindowIdHasOneModelThatKeepsItsOpenState) {
    std::set<WindowId> listed;
    for (const WindowModel* w : mw.secondaryWindows) listed.insert(w->id());
    EXPECT_EQ(listed.size(), 12u);
    for (int i = 0; i <= static_cast<int>(WindowId::TestBuilder); ++i) {
        const auto id = static_cast<WindowId>(i);
        EXPECT_EQ(mw.window(id).id(), id) << i;
        EXPECT_FALSE(mw.isWindowOpen(id)) << i;
    }
    mw.openWindow(WindowId::ButtonHelp);
    mw.buttonHelpWindow.onCommand1();  // opens the other help window
    EXPECT_TRUE(mw.isWindowOpen(WindowId::DataCreationHelp));
    mw.dataCreationHelpWindow.onCommand1();  // "閉じる"
    mw.buttonHelpWindow.onCommand3();
    EXPECT_FALSE(mw.isWindowOpen(WindowId::DataCreationHelp));
    EXPECT_FALSE(mw.isWindowOpen(WindowId::ButtonHelp));
}

TEST_F(WindowHosts, WindowsWritingTheGridReachItThroughTheMainWindow) {
    for (const GridCase& c : gridWriters()) expectTheGridShowsIt(c);
}

// After a window or panel wrote the grid, clicking a kanji cell that holds a word changes
// nothing: the reading capture is for what the teacher types, and a window's text was not
// typed: a write that left the capture armed would put the input method's last reading
// (here "ちがう") over that row's reading at the next click on a kanji cell.
TEST_F(WindowHosts, ClicksAfterAWindowWroteTheGridKeepEveryReading) {
    for (const GridCase& c : gridWriters()) {
        SCOPED_TRACE(c.name);
        Desk t;
        t.setUp();
        if (HasFatalFailure()) return;
        c.before(t);
        c.act(t);
        t.platform.reading = QStringLiteral("ちがう");
        const GridPicture written = pictureOf(t.mw);
        for (int r = 1; r <= 4; ++r) {
            if (t.cell(r, kColKanji).isEmpty()) continue;  // an empty kanji cell drops its reading
            t.mw.onCellClick(r, kColKanji);
            EXPECT_EQ(pictureOf(t.mw), written) << "after a click on row " << r;
        }
    }
}

// A problem taken out with its second word shown comes back with both words, its readings
// and its toggle on. Turning the toggle on moves the cursor onto kanji2; an armed capture left
// by the restored kanji2 would put the input method's last reading (empty here) over the
// restored reading2.
TEST_F(WindowHosts, TheMemoryListBringsASecondWordBackWithItsReading) {
    expectTheGridShowsIt({"memory list brings a second word back with its toggle",
                          "メモリーから戻す",
                          [](Desk& t) {
                              t.mw.onCheck3Click(3);
                              t.type(3, kColKanji2, QStringLiteral("雲"));
                              t.type(3, kColReading2, QStringLiteral("くも"));
                              t.type(3, kColAfter2, QStringLiteral("が白い。"));
                              t.mw.onNumberLabelClick(3);
                          },
                          [](Desk& t) { t.panelEvent([&] { t.mw.memoryList.onListClick(0); }); },
                          {{3, kColBefore, QStringLiteral("青い")},
                           {3, kColKanji, QStringLiteral("空")},
                           {3, kColReading, QStringLiteral("そら")},
                           {3, kColKanji2, QStringLiteral("雲")},
                           {3, kColReading2, QStringLiteral("くも")},
                           {3, kColAfter2, QStringLiteral("が白い。")}},
                          {3}});
}

namespace {

// What the main window holds of the windows that change it rather than the grid.
struct MainState {
    QString company;                  // status-bar panel 5
    double kanaOffset1, kanaOffset2;  // かな印字位置調整
    int tracingColor;
    QString tracingMark;      // Label18
    QStringList checked;      // of 練習 なし/あり and the two maintenance tools
    std::set<WindowId> open;  // the secondary windows still loaded
    QStringList settings;     // JRB3.ini once the program has closed
};

MainState stateOf(Desk& t) {
    MainState s{t.mw.company,
                t.mw.kanaOffset1,
                t.mw.kanaOffset2,
                t.mw.tracingColor,
                t.mw.label18.caption,
                {},
                {},
                {}};
    for (const WindowModel* w : t.mw.secondaryWindows)
        if (w->isOpen()) s.open.insert(w->id());
    for (const char* item : {"rnzkn", "rnzky", "fc", "fch"})
        if (t.mw.checked(QString::fromUtf8(item))) s.checked << QString::fromUtf8(item);
    return s;
}

struct StateCase {
    const char* name;
    QString font;  // status-bar panel 2
    std::function<void(Desk&)> act;
    MainState expected;
};

const QString kMincho = QStringLiteral("ＭＳ Ｐ明朝");
const QString kVertical = QStringLiteral("@ＭＳ 明朝");
const QString kNone = QStringLiteral("教科書指定なし");
const QString kTracingMark = QStringLiteral("漢字なぞり書きあり");

}  // namespace

// The windows that set options of the main window: the choice reaches the main window's own
// state, every other option stays, the window is unloaded or stays as the case says, and the
// settings file written at the close keeps the choice.
TEST_F(WindowHosts, WindowsSettingOptionsReachTheMainWindow) {
    const StateCase cases[] = {
        {"company window: 東京書籍",
         kMincho,
         [](Desk& t) {
             t.mw.onToolbarClick(25);
             t.windowEvent(WindowId::Company, [&] { t.mw.companyWindow.onCompanyButton(0); });
         },
         {QStringLiteral("東京書籍"),
          0,
          0,
          14737632,
          {},
          {"rnzkn"},
          {},
          {kMincho, " 0 ", " 0 ", QStringLiteral("東京書籍"), "", ""}}},
        {"company window: 指定しないで閉じる after 光村図書",
         kMincho,
         [](Desk& t) {
             t.mw.onToolbarClick(25);
             t.windowEvent(WindowId::Company, [&] { t.mw.companyWindow.onCompanyButton(4); });
             t.mw.onToolbarClick(25);
             t.windowEvent(WindowId::Company, [&] { t.mw.companyWindow.onNoneButton(); });
         },
         {kNone, 0, 0, 14737632, {}, {"rnzkn"}, {}, {kMincho, " 0 ", " 0 ", kNone, "", ""}}},
        {"company window: the close box keeps the choice",
         kMincho,
         [](Desk& t) {
             t.mw.onToolbarClick(25);
             t.windowEvent(WindowId::Company, [&] { t.mw.companyWindow.onCompanyButton(1); });
             t.mw.onToolbarClick(25);
             t.windowEvent(WindowId::Company, [&] { t.mw.companyWindow.closeBoxClicked(); });
         },
         {QStringLiteral("三省堂"),
          0,
          0,
          14737632,
          {},
          {"rnzkn"},
          {},
          {kMincho, " 0 ", " 0 ", QStringLiteral("三省堂"), "", ""}}},
        // Down 2 and right 3 as the sample moved: with an ordinary face the first offset is
        // the horizontal one, with an "@" face the vertical one.
        {"kana position: ordinary face",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("adj"));
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider1Changed(-2); });
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider2Changed(3); });
         },
         {kNone,
          90,
          -60,
          14737632,
          {},
          {"rnzkn"},
          {WindowId::KanaPosition},
          {kMincho, " 90 ", "-60 ", kNone, "", ""}}},
        {"kana position: vertical face",
         kVertical,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("adj"));
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider1Changed(-2); });
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider2Changed(3); });
         },
         {kNone,
          -60,
          90,
          14737632,
          {},
          {"rnzkn"},
          {WindowId::KanaPosition},
          {kVertical, "-60 ", " 90 ", kNone, "", ""}}},
        {"kana position: the slider ends, then closed",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("adj"));
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider1Changed(25); });
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider2Changed(-25); });
             t.mw.closeWindow(WindowId::KanaPosition);
         },
         {kNone, -300, 300, 14737632, {}, {"rnzkn"}, {}, {kMincho, "-300 ", " 300 ", kNone, "", ""}}},
        {"kana position: 中央",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("adj"));
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onSlider1Changed(4); });
             t.windowEvent(WindowId::KanaPosition, [&] { t.mw.kanaWindow.onCommand1Click(); });
         },
         {kNone,
          0,
          0,
          14737632,
          {},
          {"rnzkn"},
          {WindowId::KanaPosition},
          {kMincho, " 0 ", " 0 ", kNone, "", ""}}},
        {"tracing colour: やや濃い",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("rnzky"));
             t.windowEvent(WindowId::TracingColor, [&] { t.mw.tracingWindow.onChoice(2); });
             t.windowEvent(WindowId::TracingColor, [&] { t.mw.tracingWindow.onOk(); });
         },
         {kNone,
          0,
          0,
          8421504,
          kTracingMark,
          {"rnzky"},
          {},
          {kMincho, " 0 ", " 0 ", kNone, kTracingMark, ""}}},
        {"tracing colour: 取り消し",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("rnzky"));
             t.windowEvent(WindowId::TracingColor, [&] { t.mw.tracingWindow.onChoice(3); });
             t.windowEvent(WindowId::TracingColor, [&] { t.mw.tracingWindow.onCancel(); });
         },
         {kNone, 0, 0, 14737632, {}, {"rnzkn"}, {}, {kMincho, " 0 ", " 0 ", kNone, "", ""}}},
        {"password: the right word opens the file merge tool",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("fc"));
             t.windowEvent(WindowId::Password,
                           [&] { t.mw.passwordWindow.onText1Changed(QStringLiteral("tsukimi")); });
             t.windowEvent(WindowId::Password, [&] { t.mw.passwordWindow.onCommand1(); });
         },
         {kNone,
          0,
          0,
          14737632,
          {},
          {"rnzkn", "fc"},
          {WindowId::FileMerge},
          {kMincho, " 0 ", " 0 ", kNone, "", ""}}},
        {"password: a wrong word opens nothing and takes the mark off",
         kMincho,
         [](Desk& t) {
             t.mw.onMenu(QStringLiteral("fch"));
             t.windowEvent(WindowId::Password,
                           [&] { t.mw.passwordWindow.onText1Changed(QStringLiteral("tsukimi?")); });
             t.windowEvent(WindowId::Password, [&] { t.mw.passwordWindow.onCommand1(); });
         },
         {kNone, 0, 0, 14737632, {}, {"rnzkn"}, {}, {kMincho, " 0 ", " 0 ", kNone, "", ""}}},
    };
    for (const StateCase& c : cases) {
        SCOPED_TRACE(c.name);
        Desk t;
        t.setUp();
        if (HasFatalFailure()) return;
        t.mw.handle([&] { t.mw.fontName = c.font; });
        const QStringList lines = t.mw.workbookLines();
        const QString undo = t.mw.menu(QStringLiteral("undo"))->caption;
        c.act(t);
        const MainState got = stateOf(t);
        EXPECT_EQ(got.company, c.expected.company);
        EXPECT_EQ(got.kanaOffset1, c.expected.kanaOffset1);
        EXPECT_EQ(got.kanaOffset2, c.expected.kanaOffset2);
        EXPECT_EQ(got.tracingColor, c.expected.tracingColor);
        EXPECT_EQ(got.tracingMark, c.expected.tracingMark);
        EXPECT_EQ(got.checked, c.expected.checked);
        EXPECT_EQ(got.open, c.expected.open);
        EXPECT_TRUE(t.platform.messages.empty());
        // None of them touches the workbook or makes a step of its history.
        EXPECT_EQ(t.mw.workbookLines(), lines);
        EXPECT_EQ(t.mw.menu(QStringLiteral("undo"))->caption, undo);

        t.mw.shutDown();  // the close box: the settings are written without a question
        EXPECT_EQ(t.settingsLines(), c.expected.settings);
    }
}

// The company chosen in its window is the one whose dictionary the next grade click reads.
TEST_F(WindowHosts, TheChosenCompanysKanjiFillTheLookupPanel) {
    const auto captions = [this] {
        QString s;
        for (const LookupCell& cell : mw.lookupPanel.label101) s += cell.caption;
        return s;
    };
    mw.lookupPanel.onGradeClick(1);
    EXPECT_EQ(captions(), QStringLiteral("学校山"));
    mw.onToolbarClick(25);
    windowEvent(WindowId::Company, [&] { mw.companyWindow.onCompanyButton(0); });
    mw.lookupPanel.onGradeClick(1);
    EXPECT_EQ(captions(), QStringLiteral("森林"));
    EXPECT_TRUE(platform.messages.empty());
    // The copy takes the company's reading.
    mw.lookupPanel.onCellClick(lookupCell(QStringLiteral("林")));
    EXPECT_EQ(cell(4, kColKanji), QStringLiteral("林"));
    EXPECT_EQ(cell(4, kColReading), QStringLiteral("りん"));
}

// Reopened, the kana position window shows the offsets the main window holds, for the face
// in the status bar, and opening it changes nothing.
TEST_F(WindowHosts, TheKanaPositionWindowOpensOnTheMainWindowsOffsets) {
    const struct {
        QString font;
        int vertical, horizontal;  // sliders 1 and 2
    } cases[] = {{kMincho, 3, -2}, {kVertical, -2, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.font.toStdString());
        mw.fontName = c.font;
        mw.kanaOffset1 = -60;
        mw.kanaOffset2 = 90;
        mw.onMenu(QStringLiteral("adj"));
        EXPECT_EQ(mw.kanaWindow.slider1.value, c.vertical);
        EXPECT_EQ(mw.kanaWindow.slider2.value, c.horizontal);
        EXPECT_EQ(mw.kanaOffset1, -60);
        EXPECT_EQ(mw.kanaOffset2, 90);
        mw.closeWindow(WindowId::KanaPosition);
    }
}
