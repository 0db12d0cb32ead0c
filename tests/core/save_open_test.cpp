// Opening and saving workbooks through the main window's commands.
#include "core/data/problem_files.h"
#include "window_fixture.h"

TEST_F(WindowTest, SaveProposesATimeNameAndWritesEveryPage) {
    startTyping(QStringLiteral("一の巻"));
    type(1, kColKanji, QStringLiteral("学校"));
    platform.savePaths = {path("out.mojx")};
    mw.onToolbarClick(4);
    EXPECT_EQ(platform.proposedSaveNames.value(0), path("128155.mojx"));
    const QString text = readCp932(path("out.mojx"));
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QString line = text.chopped(2);
    EXPECT_EQ(line.count(u','), 73);
    EXPECT_TRUE(line.startsWith(QStringLiteral("一の巻,,,学校,")));
    EXPECT_EQ(mw.filePath, path("out.mojx"));
    EXPECT_FALSE(QFile::exists(path("outBK.mojx")));
}

TEST_F(WindowTest, OverwriteQuestionBackupAndCancel) {
    writeCp932(path("a.mojx"), mojxLine(QStringLiteral("古い"), {}) + "\r\n");
    const QByteArray before = readBytes(path("a.mojx"));
    mw.startUp();
    platform.openPaths = {path("a.mojx")};
    mw.onMenu(QStringLiteral("of"));
    ASSERT_EQ(wb.headingList, QStringList{QStringLiteral("古い")});
    type(1, kColBefore, QStringLiteral("あたらしい"));

    platform.savePaths = {path("a.mojx")};
    platform.answers = {MessageAnswer::No};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(platform.proposedSaveNames.value(0), path("a.mojx"));
    EXPECT_EQ(platform.messages.back().text, QStringLiteral("上書き保存します。よろしいですか？"));
    EXPECT_EQ(readBytes(path("a.mojx")), before);
    EXPECT_FALSE(QFile::exists(path("aBK.mojx")));

    mw.onMenu(QStringLiteral("sa"));  // dialog cancelled
    EXPECT_EQ(readBytes(path("a.mojx")), before);

    platform.savePaths = {path("a.mojx")};
    mw.onMenu(QStringLiteral("sa"));  // Yes
    EXPECT_EQ(readBytes(path("aBK.mojx")), before);
    EXPECT_TRUE(readCp932(path("a.mojx")).contains(QStringLiteral("あたらしい")));
}

TEST_F(WindowTest, ExitQuestionAfterEachSavePath) {
    startTyping();
    platform.savePaths = {path("t.mojx")};
    mw.onToolbarClick(4);
    EXPECT_FALSE(mw.exitAsksAnyway);
    const size_t asked = platform.messages.size();
    EXPECT_TRUE(mw.exitCommand());
    EXPECT_EQ(platform.messages.size(), asked);  // quits without the question

    Workbook wb2;
    MainWindow mw2(platform, wb2);
    mw2.startUp();
    mw2.onMenu(QStringLiteral("np"));
    mw2.registerHeading();
    platform.savePaths = {path("m.mojx")};
    platform.answers = {MessageAnswer::No};  // the exit question
    mw2.onMenu(QStringLiteral("sa"));
    EXPECT_TRUE(mw2.exitAsksAnyway);
    EXPECT_FALSE(mw2.exitCommand());
    EXPECT_EQ(platform.messages.back().text, QStringLiteral("保存されていませんが、終了しますか？"));
}

TEST_F(WindowTest, ToolbarSaveOfAnUnregisteredPageAsksFirst) {
    mw.startUp();
    mw.onToolbarClick(2);  // page 1 awaits its heading
    platform.answers = {MessageAnswer::No};
    platform.savePaths = {path("x.mojx")};
    mw.onToolbarClick(4);
    EXPECT_EQ(platform.messages.back().text,
              QStringLiteral("見出しが登録されていません\nこのまま保存しますか？"));
    EXPECT_FALSE(QFile::exists(path("x.mojx")));
    mw.onToolbarClick(4);  // Yes
    EXPECT_EQ(mw.combo1.text, QStringLiteral("無題"));
    EXPECT_EQ(mw.combo1.backColor, kColorWhite);
    EXPECT_TRUE(QFile::exists(path("x.mojx")));
}

TEST_F(WindowTest, FailedSaveKeepsTheExitQuestion) {
    startTyping();
    type(1, kColKanji, QStringLiteral("𠮟"));  // not in code page 932
    writeCp932(path("keep.mojx"), QStringLiteral("keep\r\n"));
    platform.savePaths = {path("keep.mojx")};
    mw.onToolbarClick(4);
    EXPECT_EQ(readBytes(path("keep.mojx")), QByteArray("keep\r\n"));
    EXPECT_FALSE(QFile::exists(path("keepBK.mojx")));
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("𠮟")));
    EXPECT_TRUE(mw.exitAsksAnyway);
    platform.savePaths = {};
    mw.onToolbarClick(4);  // cancelled
    EXPECT_TRUE(mw.exitAsksAnyway);
}

TEST_F(WindowTest, OpenSaveRoundTripKeepsEverything) {
    const QString l1 =
        mojxLine(QStringLiteral("見出し"),
                 {QStringLiteral("きょうは"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                  QStringLiteral("へ、いく。")},
                 QStringLiteral("ＭＳ 明朝"), QStringLiteral("keep43"),
                 {QStringLiteral("先生"), QStringLiteral("せんせい"), QStringLiteral("とあう。")});
    writeCp932(path("r.mojx"), l1 + "\r\n" + mojxLine(QStringLiteral("二"), {}) + "\r\n");
    mw.startUp();
    platform.openPaths = {path("r.mojx")};
    mw.onToolbarClick(1);
    ASSERT_EQ(wb.headingList.size(), 2);
    EXPECT_EQ(cell(1, kColKanji2), QStringLiteral("先生"));
    EXPECT_TRUE(mw.grid.at(1).check3);
    // The cursor is on the first cell and the entry box shows it.
    EXPECT_EQ(mw.grid.row, 1);
    EXPECT_EQ(mw.grid.col, kColBefore);
    EXPECT_EQ(mw.entry.text, QStringLiteral("きょうは"));
    type(2, kColBefore, QStringLiteral("a,b \"c\""));
    platform.savePaths = {path("r2.mojx")};
    mw.onToolbarClick(4);

    Workbook back;
    back.currentFilePath = path("r2.mojx");
    FakePlatform p2;
    ASSERT_EQ(readProblemFile(back, p2.programDirectory()).pagesRead, 2);
    EXPECT_EQ(back.headingList[0], QStringLiteral("見出し"));
    EXPECT_EQ(back.page(0)[slotFieldIndex(2, SlotField::Before)], QStringLiteral("a,b ＂c＂"));
    EXPECT_EQ(back.page(0)[slotFieldIndex(1, SlotField::Kanji2)], QStringLiteral("先生"));
    EXPECT_EQ(back.page(0)[kCarriedField], mw.workbook().page(0)[kCarriedField]);
    EXPECT_EQ(back.page(1)[0], QStringLiteral("二"));
}

TEST_F(WindowTest, CancelledOrFailedOpenLeavesTheWorkbook) {
    startTyping(QStringLiteral("残す"));
    type(1, kColBefore, QStringLiteral("だいじ"));
    mw.onMenu(QStringLiteral("of"));  // cancelled
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("残す")});
    EXPECT_EQ(cell(1, kColBefore), QStringLiteral("だいじ"));
    writeBytes(path("bad.mojx"), QByteArray("x,\x81\x0A\r\n"));
    platform.openPaths = {path("bad.mojx")};
    mw.onMenu(QStringLiteral("of"));
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("残す")});
    EXPECT_EQ(cell(1, kColBefore), QStringLiteral("だいじ"));
    EXPECT_TRUE(platform.messages.back().text.contains(path("bad.mojx")));
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
}

// A file far larger than any workbook is refused by the window too, and the work on screen
// stays.
TEST_F(WindowTest, AnOpenOfAFileTooLargeSaysSoAndLeavesTheWorkbook) {
    startTyping(QStringLiteral("残す"));
    type(1, kColBefore, QStringLiteral("だいじ"));
    {
        QFile f(path("huge.mojx"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(100 * 1024 * 1024));  // a sparse file: nothing is written to disk
    }
    platform.openPaths = {path("huge.mojx")};
    mw.onMenu(QStringLiteral("of"));
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("残す")});
    EXPECT_EQ(cell(1, kColBefore), QStringLiteral("だいじ"));
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("104857600バイトあり")))
        << platform.messages.back().text.toStdString();
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
}

TEST_F(WindowTest, OpenCancelledOnAnEmptyWorkbookStartsBlankPageOne) {
    mw.startUp();
    mw.onToolbarClick(1);
    EXPECT_EQ(mw.combo1.backColor, kColorYellow);
    EXPECT_EQ(mw.grid.at(1).number, QStringLiteral("1"));
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
    EXPECT_TRUE(mw.toolbar[3].enabled);
}

TEST_F(WindowTest, TwoHundredSecondPageIsRefused) {
    QString text;
    for (int i = 0; i < 201; ++i) text += mojxLine(QStringLiteral("p%1").arg(i), {}) + "\r\n";
    writeCp932(path("full.mojx"), text);
    mw.startUp();
    platform.openPaths = {path("full.mojx")};
    mw.onMenu(QStringLiteral("of"));
    ASSERT_EQ(wb.headingList.size(), 201);
    mw.onMenu(QStringLiteral("newD"));
    EXPECT_TRUE(platform.messages.back().text.contains(QStringLiteral("201ページまで")));
    EXPECT_EQ(wb.headingList.size(), 201);
    EXPECT_NE(mw.combo1.backColor, kColorYellow);
}
