#include <QFileInfo>
#include <set>

#include "core/data/reading_proposer.h"
#include "core/data/settings.h"
#include "window_fixture.h"

// The status bar shows what the window holds by name: the file, the font, the font size, the
// page on screen and the company.
TEST_F(WindowTest, StatusPanelsShowTheFileFontSizePageAndCompany) {
    mw.startUp();
    EXPECT_EQ(mw.statusPanels(),
              (std::array<QString, 6>{QString(), QStringLiteral("ファイル"), QStringLiteral("ＭＳ Ｐ明朝"),
                                      QStringLiteral("フォントサイズ25"), QStringLiteral("作業番号"),
                                      QStringLiteral("教科書指定なし")}));
    mw.filePath = QStringLiteral("/home/sensei/三年一組.mojx");
    mw.fontName = QStringLiteral("IPAGothic");
    mw.problemFontSize = 30;
    mw.pageShown = 11;
    mw.company = QStringLiteral("光村図書");
    EXPECT_EQ(mw.statusPanels(),
              (std::array<QString, 6>{QString(), QStringLiteral("/home/sensei/三年一組.mojx"),
                                      QStringLiteral("IPAGothic"), QStringLiteral("フォントサイズ30"),
                                      QStringLiteral(" 12頁"), QStringLiteral("光村図書")}));
}

TEST_F(WindowTest, StartStateWithoutSettingsFile) {
    mw.startUp();
    EXPECT_EQ(mw.caption, QStringLiteral("2011字楽坊"));
    EXPECT_EQ(mw.widthTwips, 9700);
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
    EXPECT_EQ(mw.fontName, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(mw.statusPanels()[3], QStringLiteral("フォントサイズ25"));
    EXPECT_EQ(mw.company, QStringLiteral("教科書指定なし"));
    EXPECT_TRUE(mw.checked("tf"));
    EXPECT_FALSE(mw.checked("nf"));
    EXPECT_EQ(mw.label9.caption, QStringLiteral("頁の見出し"));
    EXPECT_TRUE(mw.label18.caption.isEmpty());
    EXPECT_TRUE(mw.checked("rnzkn"));
    EXPECT_FALSE(mw.checked("rnzky"));
    EXPECT_TRUE(mw.exitAsksAnyway);
    for (const char* m : {"sa", "p1", "p2", "p3", "tap", "p4", "sel", "hth"})
        EXPECT_FALSE(mw.menu(m)->enabled) << m;
    for (const char* m : {"of", "np", "newD", "en", "gh", "lonc"}) EXPECT_TRUE(mw.menu(m)->enabled) << m;
    // Check marks of the option menus at start.
    for (const char* m : {"kta", "pn", "sck", "yp", "lon14", "upri"}) EXPECT_TRUE(mw.checked(m)) << m;
    for (const char* m : {"ktn", "psp", "hck", "dd", "nop", "lon10", "lon17", "ptwo", "pst"})
        EXPECT_FALSE(mw.checked(m)) << m;
    EXPECT_FALSE(mw.command4.visible);
    EXPECT_FALSE(mw.memoryList.visible);
    EXPECT_FALSE(mw.entry.enabled);
    EXPECT_EQ(mw.problemFontSize, 25);
    EXPECT_EQ(mw.characterLimit, 15);
}

TEST_F(WindowTest, ToolbarStartState) {
    mw.startUp();
    const std::set<int> separators{5, 11, 14, 16, 18, 20, 22, 26};
    const std::set<int> hidden{23, 24, 25, 27};
    const std::set<int> disabled{4, 6, 7, 8, 9, 10, 17, 25, 27};
    for (int i = 1; i <= 27; ++i) {
        const ToolButton& b = mw.toolbar[static_cast<size_t>(i)];
        EXPECT_EQ(b.separator, separators.count(i) == 1) << i;
        if (b.separator) continue;
        EXPECT_EQ(b.visible, hidden.count(i) == 0) << i;
        EXPECT_EQ(b.enabled, disabled.count(i) == 0) << i;
    }
    EXPECT_EQ(mw.toolbar[1].tooltip, QStringLiteral("ファイルを開く"));
    EXPECT_EQ(mw.toolbar[6].caption, QStringLiteral("印刷書き方"));
    EXPECT_EQ(mw.toolbar[6].tooltip, QStringLiteral("書き方"));
    EXPECT_EQ(mw.toolbar[12].picture, 28);
    EXPECT_EQ(mw.toolbar[17].picture, 11);
    EXPECT_EQ(mw.toolbar[25].tooltip, QStringLiteral("教科書会社選択"));
}

TEST_F(WindowTest, MenuTreeOrderSeparatorsAndParents) {
    QStringList top;
    for (const MenuItem& m : mw.menus)
        if (m.parent.isEmpty()) top << m.caption;
    EXPECT_EQ(top,
              QStringList({"ファイル", "編集", "ツール", "印刷オプション", "データ編集",
                           "フォント・プリンター・キー", "ふりがなパス／消去", "文字数アラーム", "ヘルプ"}));
    QStringList file;
    for (const MenuItem& m : mw.menus)
        if (m.parent == u"fa") file << (m.separator ? QStringLiteral("-") : m.caption);
    EXPECT_EQ(file, QStringList({"呼出", "-", "新規作成", "白紙ページ追加", "-", "保存", "-", "CSV書き出し",
                                 "CSV読み込み", "-", "印刷‐書き方", "印刷‐練習", "印刷‐読み方",
                                 "３票一括印刷", "印刷-文作り", "-", "学年配当表印刷", "-", "終了"}));
    EXPECT_EQ(mw.menu("kta")->parent, QStringLiteral("kt"));
    EXPECT_EQ(mw.menu("kt")->parent, QStringLiteral("sel"));
    EXPECT_EQ(mw.menu("v1")->caption, QStringLiteral("ｖ　1.1.6　"));
    EXPECT_EQ(mw.menu("v1")->parent, QStringLiteral("vr"));
}

TEST_F(WindowTest, SettingsAreAppliedAtStartUp) {
    writeCp932(path("JRB3.ini"),
               QStringLiteral("@IPAMincho\r\n 60 \r\n-30 \r\n三省堂\r\n漢字なぞり書きあり\r\n"));
    mw.startUp();
    EXPECT_EQ(mw.fontName, QStringLiteral("@IPAMincho"));
    EXPECT_FALSE(mw.checked("tf"));
    EXPECT_EQ(mw.company, QStringLiteral("三省堂"));
    EXPECT_EQ(mw.kanaOffset1, 60);
    EXPECT_EQ(mw.kanaOffset2, -30);
    EXPECT_EQ(mw.label18.caption, QStringLiteral("漢字なぞり書きあり"));
    EXPECT_TRUE(mw.checked("rnzky"));
    EXPECT_FALSE(mw.checked("rnzkn"));
}

TEST_F(WindowTest, ExitAsksAndShutDownWritesFiveLines) {
    mw.startUp();
    platform.answers = {MessageAnswer::No};
    EXPECT_FALSE(mw.exitCommand());
    EXPECT_FALSE(mw.isClosed());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, QStringLiteral("保存されていませんが、終了しますか？"));
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(QFile::exists(path("JRB3.ini")));
    platform.answers = {MessageAnswer::Yes};
    EXPECT_TRUE(mw.exitCommand());
    EXPECT_TRUE(mw.isClosed());
    EXPECT_EQ(settingsLines(), QStringList({"ＭＳ Ｐ明朝", " 0 ", " 0 ", "教科書指定なし", "", ""}));
}

TEST_F(WindowTest, CloseBoxWritesSettingsWithoutAsking) {
    mw.startUp();
    mw.tracingWindow.onOk();  // tracing mark on
    mw.shutDown();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(settingsLines().value(4), QStringLiteral("漢字なぞり書きあり"));
}

// A settings file that cannot be written is said once a run, naming the file, however many
// writes fail after it.
TEST_F(WindowTest, ASettingsFileThatCannotBeWrittenIsReportedOnce) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("JRB3.ini")));
    mw.startUp();
    ASSERT_EQ(platform.messages.size(), 1u);  // the folder cannot be read either
    platform.messages.clear();
    platform.fonts = {FontChoice{QStringLiteral("IPAGothic"), 20, false, false},
                      FontChoice{QStringLiteral("IPAMincho"), 20, false, false}};
    mw.onToolbarClick(15);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral("%1 に設定を保存できませんでした。%1 はフォルダーです。\n"
                             "変更した設定は、次に起動したときには使われません。")
                  .arg(path("JRB3.ini")));
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("エラーメッセージ"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    mw.onToolbarClick(15);
    mw.shutDown();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(QFileInfo(path("JRB3.ini")).isDir());
    EXPECT_TRUE(QFile::exists(path("jirakubo.ini")));
}

TEST_F(WindowTest, AProgramOptionsFileThatCannotBeWrittenIsReportedAtQuit) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("jirakubo.ini")));
    mw.startUp();
    EXPECT_TRUE(platform.messages.empty());
    mw.shutDown();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith(
        QStringLiteral("%1 に設定を保存できませんでした。").arg(path("jirakubo.ini"))))
        << platform.messages[0].text.toStdString();
    EXPECT_TRUE(QFileInfo(path("jirakubo.ini")).isDir());
    EXPECT_EQ(settingsLines().value(0), QStringLiteral("ＭＳ Ｐ明朝"));  // JRB3.ini is written all the same
}

// ふりがな自動's file is told by its size too: a huge one is not read.
TEST_F(WindowTest, AProgramOptionsFileTooLargeIsNotRead) {
    if (!ReadingProposer::shared().isAvailable()) GTEST_SKIP() << "no MeCab: ふりがな自動 stays off anyway";
    writeBytes(path("jirakubo.ini"), "furigana-auto=1\r\n" + QByteArray(65536 - 17, '\n'));
    mw.startUp();
    EXPECT_TRUE(mw.checked("yauto"));
    writeBytes(path("jirakubo.ini"), "furigana-auto=1\r\n" + QByteArray(65536 - 16, '\n'));
    MainWindow second{platform, wb};
    second.startUp();
    EXPECT_FALSE(second.checked("yauto"));
}

TEST(SettingsFile, ReadsPositionalLinesWithDefaults) {
    QTemporaryDir dir;
    const QString p = dir.filePath("JRB3.ini");
    Settings s{QStringLiteral("ＭＳ 明朝"), 60, -30, QStringLiteral("光村図書"), QString()};
    ASSERT_TRUE(writeSettings(p, s, false));
    EXPECT_EQ(readBytes(p),
              textcodec::encodeCp932(QStringLiteral("ＭＳ 明朝\r\n 60 \r\n-30 \r\n光村図書\r\n")).value());
    SettingsReadResult r = readSettings(p);
    EXPECT_EQ(r.linesRead, 4);  // a 4-line file: tracing off
    EXPECT_TRUE(r.settings.tracingLine.isEmpty());
    EXPECT_EQ(r.settings.kanaOffset1, 60);
    EXPECT_EQ(r.settings.companyLine, QStringLiteral("光村図書"));
    r = readSettings(dir.filePath("missing.ini"));
    EXPECT_TRUE(r.fileNotFound);
    EXPECT_TRUE(r.settings.fontLine.isEmpty());
    EXPECT_EQ(settingsNumber(1.5), QStringLiteral(" 1.5 "));
}

TEST(SettingsFile, FontNameWithCommaSurvivesARoundTrip) {
    QTemporaryDir dir;
    const QString p = dir.filePath("JRB3.ini");
    ASSERT_TRUE(writeSettings(
        p, Settings{QStringLiteral("Face, Bold"), 0, 0, QStringLiteral("三省堂"), QStringLiteral("x")},
        true));
    const SettingsReadResult r = readSettings(p);
    EXPECT_EQ(r.settings.fontLine, QStringLiteral("Face, Bold"));
    EXPECT_EQ(r.settings.companyLine, QStringLiteral("三省堂"));
    EXPECT_EQ(r.linesRead, 5);
}

TEST_F(WindowTest, FontCommandsWriteSettingsOnlyWhenTheyShould) {
    mw.startUp();
    platform.fonts = {FontChoice{QStringLiteral("@IPAMincho"), 30.4, false, false}};
    mw.onToolbarClick(15);
    EXPECT_EQ(platform.fontDialogStarts.back().name, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(platform.fontDialogStarts.back().size, 25);
    EXPECT_EQ(mw.fontName, QStringLiteral("@IPAMincho"));
    EXPECT_EQ(mw.statusPanels()[3], QStringLiteral("フォントサイズ30"));
    EXPECT_EQ(mw.problemFontSize, 30);
    EXPECT_EQ(settingsLines().mid(0, 5), QStringList({"@IPAMincho", " 0 ", " 0 ", "教科書指定なし", ""}));
    QFile::remove(path("JRB3.ini"));
    platform.fonts = {FontChoice{QStringLiteral("IPAGothic"), 20, false, false}};
    mw.onMenu(QStringLiteral("tf"));
    EXPECT_TRUE(mw.checked("tf"));
    EXPECT_FALSE(QFile::exists(path("JRB3.ini")));
    EXPECT_EQ(mw.fontName, QStringLiteral("IPAGothic"));
    // A cancelled dialog changes nothing.
    mw.onMenu(QStringLiteral("nf"));
    EXPECT_EQ(mw.fontName, QStringLiteral("IPAGothic"));
    EXPECT_FALSE(QFile::exists(path("JRB3.ini")));
    mw.shutDown();  // the temporary font is written all the same
    EXPECT_EQ(settingsLines().value(0), QStringLiteral("IPAGothic"));
}

TEST_F(WindowTest, NewWorkbookAsksOnlyFromTheToolbarWithSavedPages) {
    mw.startUp();
    mw.onToolbarClick(2);
    EXPECT_TRUE(platform.messages.empty());  // empty workbook: no question
    EXPECT_EQ(mw.combo1.backColor, kColorYellow);
    EXPECT_EQ(mw.grid.at(1).number, QStringLiteral("1"));
    EXPECT_TRUE(mw.menu("sa")->enabled);
    EXPECT_FALSE(mw.label12.visible);
    mw.registerHeading();
    mw.markWorkSaved();  // as after a save: nothing would be lost
    platform.answers = {MessageAnswer::No};
    mw.onToolbarClick(2);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("新規作成確認"));
    EXPECT_EQ(wb.headingList.size(), 1);
    mw.onToolbarClick(2);  // Yes
    EXPECT_TRUE(wb.headingList.isEmpty());
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
    mw.registerHeading();
    mw.markWorkSaved();
    platform.messages.clear();
    mw.onMenu(QStringLiteral("np"));  // the menu asks nothing
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_TRUE(wb.headingList.isEmpty());
}
