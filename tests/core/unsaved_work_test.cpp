// Work is never lost without a question: open, new, exit and erasing readings ask first
// when the workbook holds work no save has reached.
#include "window_fixture.h"

namespace {

struct UnsavedWork : WindowTest {
    // A saved one-page workbook, then one more word typed.
    QString savedFile() {
        startTyping(QStringLiteral("一の巻"));
        type(1, kColKanji, QStringLiteral("山"));
        const QString file = path(QStringLiteral("saved.mojx"));
        platform.savePaths = {file};
        mw.onToolbarClick(4);
        EXPECT_FALSE(mw.hasUnsavedWork());
        return file;
    }
    QString otherFile() {
        const QString file = path(QStringLiteral("other.mojx"));
        writeCp932(file, mojxLine(QStringLiteral("二の巻"), {QString(), QStringLiteral("川")}) +
                             QStringLiteral("\r\n"));
        return file;
    }
};

}  // namespace

TEST_F(UnsavedWork, NothingTypedIsNothingUnsaved) {
    mw.startUp();
    EXPECT_FALSE(mw.hasUnsavedWork());
    mw.onMenu(QStringLiteral("np"));
    EXPECT_FALSE(mw.hasUnsavedWork());
    platform.openPaths = {otherFile()};
    mw.onToolbarClick(1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(mw.hasUnsavedWork());
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("二の巻")});
}

TEST_F(UnsavedWork, OpenAsksToSaveDiscardOrCancel) {
    const struct {
        MessageAnswer answer;
        bool opened;
        bool savedAgain;
    } cases[] = {
        {MessageAnswer::Cancelled, false, false},
        {MessageAnswer::No, true, false},
        {MessageAnswer::Yes, true, true},
    };
    for (const auto& c : cases) {
        WindowTest::SetUp();
        const QString file = savedFile();
        type(2, kColKanji, QStringLiteral("川"));
        EXPECT_TRUE(mw.hasUnsavedWork());
        platform.messages.clear();
        platform.answers = {c.answer};
        platform.savePaths = {file};
        platform.openPaths = {otherFile()};
        mw.onToolbarClick(1);
        ASSERT_EQ(platform.messages.size(), c.savedAgain ? 2u : 1u);  // + "上書き保存します"
        EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(wb.headingList.value(0), c.opened ? QStringLiteral("二の巻") : QStringLiteral("一の巻"));
        if (!c.opened) {
            EXPECT_EQ(cell(2, kColKanji), QStringLiteral("川"));  // everything as it was
            EXPECT_EQ(platform.openPaths.size(), 1u);             // no dialog shown
        }
        EXPECT_EQ(readCp932(file).contains(QStringLiteral("川")), c.savedAgain);
    }
}

TEST_F(UnsavedWork, AFailedSaveStopsTheOpen) {
    savedFile();
    type(2, kColKanji, QStringLiteral("川"));
    platform.answers = {MessageAnswer::Yes};
    platform.savePaths = {std::nullopt};  // the save dialog cancelled
    platform.openPaths = {otherFile()};
    mw.onToolbarClick(1);
    EXPECT_EQ(wb.headingList.value(0), QStringLiteral("一の巻"));
    EXPECT_EQ(cell(2, kColKanji), QStringLiteral("川"));
}

TEST_F(UnsavedWork, NewWorkbookOverUnsavedWorkOffersToSave) {
    for (const char* how : {"toolbar", "menu"}) {
        WindowTest::SetUp();
        savedFile();
        type(2, kColKanji, QStringLiteral("川"));
        platform.messages.clear();
        platform.answers = {MessageAnswer::Cancelled};
        if (QByteArray(how) == "toolbar")
            mw.onToolbarClick(2);
        else
            mw.onMenu(QStringLiteral("np"));
        ASSERT_EQ(platform.messages.size(), 1u) << how;
        EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("保存されていません"))) << how;
        EXPECT_EQ(wb.headingList.size(), 1) << how;
        EXPECT_EQ(cell(2, kColKanji), QStringLiteral("川")) << how;
    }
}

TEST_F(UnsavedWork, ExitAsksAfterAPageChangeStoredTheWork) {
    savedFile();
    mw.onMenu(QStringLiteral("newD"));
    mw.registerHeading();
    type(1, kColKanji, QStringLiteral("空"));
    mw.choosePage(0);  // stores the grid, which clears exitAsksAnyway
    EXPECT_FALSE(mw.exitAsksAnyway);
    platform.messages.clear();
    platform.answers = {MessageAnswer::No};
    EXPECT_FALSE(mw.exitCommand());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("保存されていませんが、終了しますか？"));
    EXPECT_FALSE(mw.isClosed());
}

TEST_F(UnsavedWork, EraseReadingsAsksFirst) {
    startTyping();
    type(1, kColReading, QStringLiteral("やま"));
    type(2, kColReading, QStringLiteral("かわ"));
    platform.answers = {MessageAnswer::No};
    mw.onMenu(QStringLiteral("hd"));
    EXPECT_EQ(cell(1, kColReading), QStringLiteral("やま"));
    mw.onMenu(QStringLiteral("hd"));  // Yes
    EXPECT_TRUE(cell(1, kColReading).isEmpty());
    EXPECT_TRUE(cell(2, kColReading).isEmpty());
    EXPECT_EQ(platform.messages.size(), 2u);
    // The erased readings are stored with the page.
    EXPECT_FALSE(wb.pageLines[0].contains(QStringLiteral("かわ")));
}

TEST_F(UnsavedWork, TitleNamesTheFileAndMarksUnsavedWork) {
    mw.startUp();
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("2011字楽坊"));
    const QString file = savedFile();
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("saved.mojx - 2011字楽坊"));
    type(3, kColKanji, QStringLiteral("森"));
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("saved.mojx* - 2011字楽坊"));
    mw.onToolbarClick(12);  // the lookup panel leaves the file in the status bar
    EXPECT_EQ(mw.filePath, file);
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("saved.mojx* - 2011字楽坊"));
    // ... and saving proposes the workbook's own name.
    platform.savePaths = {std::nullopt};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(platform.proposedSaveNames.back(), file);
    mw.onToolbarClick(12);
    mw.onMenu(QStringLiteral("np"));  // discards: the default answer
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("無題* - 2011字楽坊"));
    mw.registerHeading();
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("無題* - 2011字楽坊"));
}

// A new workbook exists only in the program until it is saved: its title carries the mark
// from the start, whichever way it began, and loses it with the first save.
TEST_F(UnsavedWork, ANewWorkbookIsUnsavedUntilItsFirstSave) {
    const struct {
        const char* name;
        std::function<void(MainWindow&)> start;
    } cases[] = {
        {"新規作成 (menu)", [](MainWindow& w) { w.onMenu(QStringLiteral("np")); }},
        {"新規作成 (toolbar)", [](MainWindow& w) { w.onToolbarClick(2); }},
        {"白紙ページ追加", [](MainWindow& w) { w.onToolbarClick(3); }},
        {"呼出 cancelled", [](MainWindow& w) { w.onMenu(QStringLiteral("of")); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        p.cwd = p.programDir = dir.path();
        Workbook book;
        MainWindow w(p, book);
        w.startUp();
        EXPECT_EQ(w.windowTitle(), QStringLiteral("2011字楽坊"));
        c.start(w);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("無題* - 2011字楽坊"));
        w.onHeadingBoxTextEdited(QStringLiteral("一"));
        w.onHeadingBoxKey(0x01000004);  // Enter registers the heading
        EXPECT_EQ(w.windowTitle(), QStringLiteral("無題* - 2011字楽坊"));
        p.savePaths = {dir.filePath(QStringLiteral("new.mojx"))};
        w.onToolbarClick(4);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("new.mojx - 2011字楽坊"));
        QFile::remove(dir.filePath(QStringLiteral("new.mojx")));
        QFile::remove(dir.filePath(QStringLiteral("newBK.mojx")));
    }
}
