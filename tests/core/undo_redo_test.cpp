// 元に戻す and やり直し through the main window: every change to the workbook is one step that
// puts the workbook back exactly, and the title's mark follows the history.
#include <functional>

#include "window_fixture.h"

namespace {

// The window fixture's main window without the test around it, so a table can make many.
struct Session {
    QTemporaryDir dir;
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};

    Session() {
        platform.cwd = dir.path();
        platform.programDir = dir.path();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void startTyping(const QString& heading) {
        mw.startUp();
        mw.onMenu(QStringLiteral("np"));
        mw.combo1.text = heading;
        mw.registerHeading();
    }
    void type(int row, int col, const QString& text) {
        mw.onCellClick(row, col);
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(text);
    }
    QString cell(int row, int col) const { return mw.grid.at(row).cell(col).text; }
    // Two pages: the first with a problem in rows 1 and 2, the second with one in row 1; the
    // first page on screen and the workbook saved.
    void twoPages() {
        startTyping(QStringLiteral("一の巻"));
        type(1, kColBefore, QStringLiteral("あおい"));
        type(1, kColKanji, QStringLiteral("空"));
        type(1, kColReading, QStringLiteral("そら"));
        type(2, kColKanji, QStringLiteral("海"));
        type(2, kColReading, QStringLiteral("うみ"));
        mw.onToolbarClick(3);  // 白紙ページ追加
        mw.combo1.text = QStringLiteral("二の巻");
        mw.registerHeading();
        type(1, kColKanji, QStringLiteral("山"));
        mw.choosePage(0);
        platform.savePaths = {path("w.mojx")};
        mw.onMenu(QStringLiteral("sa"));
        ASSERT_FALSE(mw.hasUnsavedWork());
    }
    struct State {
        QStringList headings;
        QStringList lines;
        bool operator==(const State&) const = default;
    };
    State state() const { return {wb.headingList, mw.workbookLines()}; }
};

struct Case {
    const char* step;  // what the menu names
    std::function<void(Session&)> act;
};

struct UndoRedo : Session, ::testing::Test {};

}  // namespace

TEST_F(UndoRedo, EveryChangeIsOneStepBackAndForth) {
    const Case cases[] = {
        {"入力", [](Session& t) { t.type(3, kColAfter, QStringLiteral("のぼる")); }},
        {"入力", [](Session& t) { t.type(2, kColReading, QStringLiteral("かい")); }},
        {"ふりがな消去",
         [](Session& t) {
             t.platform.answers = {MessageAnswer::Yes};
             t.mw.onMenu(QStringLiteral("hd"));
         }},
        {"見出し変更",
         [](Session& t) {
             t.mw.combo1.text = QStringLiteral("改めた巻");
             t.mw.onHeadingBoxKey(0x01000004);
         }},
        {"見出し登録",
         [](Session& t) {
             t.mw.onToolbarClick(3);
             t.mw.combo1.text = QStringLiteral("三の巻");
             t.mw.registerHeading();
         }},
        {"削除して記憶", [](Session& t) { t.mw.onNumberLabelClick(2); }},
        {"流し込み",
         [](Session& t) {
             t.mw.openWindow(WindowId::TextFlow);
             // The window's view hands each event to the main window's door.
             t.mw.handle(
                 [&] { t.mw.textFlowWindow.onText1Changed(QStringLiteral("むかしむかしあるところに")); });
             t.platform.answers = {MessageAnswer::Yes};
             t.mw.handle([&] { t.mw.textFlowWindow.onCommand1Click(); });
         }},
        {"本文消去",
         [](Session& t) {
             t.mw.openWindow(WindowId::TextFlow);
             t.platform.answers = {MessageAnswer::Yes};
             t.mw.handle([&] { t.mw.textFlowWindow.onCommand2Click(); });
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        Session t;
        t.twoPages();
        const State before = t.state();
        c.act(t);
        const State after = t.state();
        ASSERT_NE(after, before) << "the action changed nothing";
        ASSERT_TRUE(t.mw.hasUnsavedWork());
        EXPECT_EQ(t.mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「%1」").arg(c.step));
        EXPECT_TRUE(t.mw.menu(QStringLiteral("undo"))->enabled);

        t.mw.onMenu(QStringLiteral("undo"));
        EXPECT_EQ(t.state(), before);
        EXPECT_FALSE(t.mw.hasUnsavedWork()) << "back where it was saved";
        EXPECT_EQ(t.mw.menu(QStringLiteral("redo"))->caption, QStringLiteral("やり直し「%1」").arg(c.step));

        t.mw.onMenu(QStringLiteral("redo"));
        EXPECT_EQ(t.state(), after);
        EXPECT_TRUE(t.mw.hasUnsavedWork());
        EXPECT_FALSE(t.mw.menu(QStringLiteral("redo"))->enabled);
        EXPECT_EQ(t.mw.menu(QStringLiteral("redo"))->caption, QStringLiteral("やり直し"));
    }
}

TEST_F(UndoRedo, TypingIntoOneCellIsOneStep) {
    twoPages();
    const State before = state();
    mw.onCellClick(3, kColBefore);
    for (const QString& t : {QStringLiteral("き"), QStringLiteral("きょ"), QStringLiteral("きょう")}) {
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(t);
    }
    mw.onMenu(QStringLiteral("undo"));
    EXPECT_EQ(state(), before);
    mw.onMenu(QStringLiteral("redo"));
    EXPECT_EQ(cell(3, kColBefore), QStringLiteral("きょう")) << "one redo brings the whole word back";
    EXPECT_FALSE(mw.menu(QStringLiteral("redo"))->enabled);
}

TEST_F(UndoRedo, UndoShowsThePageTheChangeWasMadeOn) {
    twoPages();
    type(4, kColKanji, QStringLiteral("川"));  // on page 1
    mw.choosePage(1);
    ASSERT_EQ(mw.currentPageIndex(), 1);
    mw.onMenu(QStringLiteral("undo"));
    EXPECT_EQ(mw.currentPageIndex(), 0);
    EXPECT_EQ(mw.label9.caption, QStringLiteral("一の巻"));
    EXPECT_EQ(cell(4, kColKanji), QString());
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("空"));
    mw.onMenu(QStringLiteral("redo"));
    EXPECT_EQ(cell(4, kColKanji), QStringLiteral("川"));
}

TEST_F(UndoRedo, TheTitleMarkFollowsTheHistory) {
    twoPages();
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("w.mojx - 2011字楽坊"));
    type(5, kColKanji, QStringLiteral("木"));
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("w.mojx* - 2011字楽坊"));
    mw.onMenu(QStringLiteral("undo"));
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("w.mojx - 2011字楽坊"));
    mw.onMenu(QStringLiteral("redo"));
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("w.mojx* - 2011字楽坊"));
    // Typed and typed back by hand is still a step away from the saved file.
    type(5, kColKanji, QString());
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("w.mojx* - 2011字楽坊"));
}

TEST_F(UndoRedo, OpeningAFileStartsAFreshHistory) {
    twoPages();
    type(6, kColKanji, QStringLiteral("花"));
    platform.savePaths = {path("w.mojx")};
    platform.answers = {MessageAnswer::Yes};
    mw.onMenu(QStringLiteral("sa"));
    platform.openPaths = {path("w.mojx")};
    mw.onMenu(QStringLiteral("of"));
    EXPECT_FALSE(mw.menu(QStringLiteral("undo"))->enabled);
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す"));
    EXPECT_FALSE(mw.hasUnsavedWork());
}

TEST_F(UndoRedo, SavingIsNoStep) {
    twoPages();
    type(7, kColKanji, QStringLiteral("森"));
    platform.savePaths = {path("w.mojx")};
    platform.answers = {MessageAnswer::Yes};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「入力」"));
    mw.onMenu(QStringLiteral("undo"));
    EXPECT_TRUE(mw.hasUnsavedWork()) << "the file holds 森";
}

// A font change is a step of the page's font and of what the window shows of it: undo and redo
// give back the status bar's font and size and what the font dialog proposes next.
TEST(UndoRedoFont, UndoAndRedoRestoreTheStatusBarAndTheDialog) {
    struct FontCase {
        const char* command;  // toolbar 15 or a menu item
        const char* step;
    };
    for (const FontCase& c : {FontCase{"15", "フォント設定"}, FontCase{"nf", "常時設定"}}) {
        SCOPED_TRACE(c.command);
        Session t;
        t.twoPages();
        const QString oldFont = t.mw.fontName;
        ASSERT_EQ(t.mw.statusPanels()[3], QStringLiteral("フォントサイズ25"));
        t.platform.fonts = {FontChoice{QStringLiteral("IPAexGothic"), 30, true, false}};
        if (QByteArray(c.command) == "15")
            t.mw.onToolbarClick(15);
        else
            t.mw.onMenu(QString::fromLatin1(c.command));
        ASSERT_EQ(t.mw.fontName, QStringLiteral("IPAexGothic"));
        ASSERT_EQ(t.mw.statusPanels()[3], QStringLiteral("フォントサイズ30"));
        EXPECT_EQ(t.mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「%1」").arg(c.step));

        t.mw.onMenu(QStringLiteral("undo"));
        EXPECT_EQ(t.mw.fontName, oldFont);
        EXPECT_EQ(t.mw.statusPanels()[3], QStringLiteral("フォントサイズ25"));
        EXPECT_EQ(t.mw.problemFontSize, 25);
        EXPECT_FALSE(t.mw.hasUnsavedWork());
        t.mw.onMenu(QStringLiteral("nf"));  // the dialog proposes the font before the change
        ASSERT_FALSE(t.platform.fontDialogStarts.empty());
        EXPECT_EQ(t.platform.fontDialogStarts.back().name, oldFont);
        EXPECT_FALSE(t.platform.fontDialogStarts.back().bold);

        t.mw.onMenu(QStringLiteral("redo"));
        EXPECT_EQ(t.mw.fontName, QStringLiteral("IPAexGothic"));
        EXPECT_EQ(t.mw.statusPanels()[3], QStringLiteral("フォントサイズ30"));
        EXPECT_EQ(t.mw.problemFontSize, 30);
        EXPECT_TRUE(t.mw.hasUnsavedWork());
        t.mw.onMenu(QStringLiteral("nf"));
        EXPECT_EQ(t.platform.fontDialogStarts.back().name, QStringLiteral("IPAexGothic"));
        EXPECT_EQ(t.platform.fontDialogStarts.back().size, 30);
        EXPECT_TRUE(t.platform.fontDialogStarts.back().bold);
        // The page's own font went the same way.
        EXPECT_TRUE(t.mw.workbookLines().value(0).contains(QStringLiteral("IPAexGothic")));
    }
}
