// The main window on a full disk: a save, the settings at shut-down and the manuscript
// paper's options keep the files as they were, and the teacher is told why.
#include "full_disk.h"

#include "core/data/problem_files.h"
#include "core/data/settings.h"
#include "window_fixture.h"

namespace {

struct FullDiskWindow : WindowTest {
    SmallDisk disk;
};

TEST_F(FullDiskWindow, ASaveKeepsTheWorkbookAndItsBackupAndTheUnsavedMark) {
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString file = disk.path(QStringLiteral("三年一組.mojx"));
    const QString backup = disk.path(QStringLiteral("三年一組BK.mojx"));
    writeCp932(file, mojxLine(QStringLiteral("古い"), {QStringLiteral("きのう")}) + QStringLiteral("\r\n"));
    writeBytes(backup, "the backup of the save before");
    const QByteArray fileBefore = readBytes(file);
    ASSERT_LT(fileBefore.size(), 400);  // a small file: a full disk has no page for it

    mw.startUp();
    platform.openPaths = {file};
    mw.onMenu(QStringLiteral("of"));
    type(1, kColBefore, QStringLiteral("あたらしい"));
    ASSERT_TRUE(mw.windowTitle().startsWith(QStringLiteral("三年一組.mojx* - ")));
    ASSERT_TRUE(disk.fill());

    // From the toolbar and from the menu: the overwrite question is answered Yes.
    for (const bool toolbar : {true, false}) {
        SCOPED_TRACE(toolbar);
        platform.messages.clear();
        platform.savePaths = {file};
        if (toolbar)
            mw.onToolbarClick(4);
        else
            mw.onMenu(QStringLiteral("sa"));
        ASSERT_EQ(platform.messages.size(), 2u);
        EXPECT_EQ(platform.messages[1].text,
                  backup + QStringLiteral(" に控えを保存できませんでした。\n保存先の空き容量が足りません。不"
                                          "要なファイルを消すか、別の場所に保存してください。"));
        EXPECT_EQ(platform.messages[1].title, kErrorTitle);
        EXPECT_EQ(readBytes(file), fileBefore);
        EXPECT_EQ(readBytes(backup), QByteArray("the backup of the save before"));
        // Beside them only the lock file of the workbook open in the window.
        EXPECT_EQ(disk.names(),
                  QStringList({QStringLiteral(".三年一組.mojx.jirakubo-lock"),
                               QStringLiteral("三年一組.mojx"), QStringLiteral("三年一組BK.mojx")}));
        EXPECT_TRUE(mw.exitAsksAnyway);
        EXPECT_TRUE(mw.windowTitle().startsWith(QStringLiteral("三年一組.mojx* - ")));
    }

    // Room again: the same save goes through.
    disk.empty();
    platform.savePaths = {file};
    mw.onToolbarClick(4);
    EXPECT_EQ(readBytes(backup), fileBefore);
    EXPECT_TRUE(readCp932(file).contains(QStringLiteral("あたらしい")));
    EXPECT_TRUE(mw.windowTitle().startsWith(QStringLiteral("三年一組.mojx - ")));
}

// The workbook's own write failing after its backup was made: the backup is the old file,
// the workbook too.
TEST_F(FullDiskWindow, ASaveWhoseBackupFitsButTheWorkbookDoesNot) {
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString file = disk.path(QStringLiteral("a.mojx"));
    writeCp932(file, mojxLine(QStringLiteral("古い"), {}) + QStringLiteral("\r\n"));
    const QByteArray before = readBytes(file);
    mw.startUp();
    platform.openPaths = {file};
    mw.onMenu(QStringLiteral("of"));
    // A long text makes the new workbook bigger than one page of the disk; the backup, the
    // old file's size, still fits into what is left.
    type(1, kColBefore, QString(3000, QChar(0x3042)));
    ASSERT_TRUE(disk.fill());
    disk.empty();
    // Leave room for one page (4 KB) only: take back all but 4 KB of the disk.
    ASSERT_TRUE(disk.fill());
    QFile::resize(disk.path(QStringLiteral("filler")),
                  QFileInfo(disk.path(QStringLiteral("filler"))).size() - 4096);
    platform.savePaths = {file};
    mw.onToolbarClick(4);
    EXPECT_EQ(platform.messages.back().text,
              file + QStringLiteral(" に保存できませんでした。\n保存先の空き容量が足りません。不要なファイル"
                                    "を消すか、別の場所に保存してください。"));
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(readBytes(disk.path(QStringLiteral("aBK.mojx"))), before);
    EXPECT_TRUE(mw.exitAsksAnyway);
}

TEST_F(FullDiskWindow, QuittingKeepsEverySettingsFileAndSaysSoOnce) {
    SKIP_WITHOUT_SMALL_DISK(disk);
    platform.configDir = disk.path();
    const QString settings = disk.path(QStringLiteral("JRB3.ini"));
    const QString options = disk.path(QStringLiteral("jirakubo.ini"));
    const QString manuscript = disk.path(QStringLiteral("FN.txt"));
    writeCp932(settings, QStringLiteral("ＭＳ 明朝\r\n 30 \r\n 0 \r\n東京書籍\r\nなぞり\r\n"));
    writeBytes(options, "furigana-auto=0\r\n");
    writeBytes(manuscript, "keep me\r\n");
    const QByteArray settingsBefore = readBytes(settings);
    mw.startUp();
    ASSERT_EQ(mw.fontName, QStringLiteral("ＭＳ 明朝"));
    mw.fontName = QStringLiteral("ＭＳ ゴシック");  // a setting changed during the run
    mw.openWindow(WindowId::ManuscriptPaper);
    ASSERT_TRUE(disk.fill());
    platform.messages.clear();

    mw.shutDown();
    EXPECT_EQ(readBytes(settings), settingsBefore);
    EXPECT_EQ(readBytes(options), QByteArray("furigana-auto=0\r\n"));
    EXPECT_EQ(readBytes(manuscript), QByteArray("keep me\r\n"));
    const QStringList texts = platform.messageTexts();
    ASSERT_EQ(texts.size(), 2) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[0], settings +
                            QStringLiteral(" に設定を保存できませんでした。保存先の空き容量が足りません。不要"
                                           "なファイルを消すか、別の場所に保存してください。\n") +
                            options +
                            QStringLiteral(" に設定を保存できませんでした。保存先の空き容量が足りません。不要"
                                           "なファイルを消すか、別の場所に保存してください。\n") +
                            QStringLiteral("変更した設定は、次に起動したときには使われません。"));
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("原稿用紙の設定を保存できませんでした。\n") + manuscript))
        << texts[1].toStdString();
    EXPECT_EQ(disk.names(), QStringList({QStringLiteral("FN.txt"), QStringLiteral("JRB3.ini"),
                                         QStringLiteral("jirakubo.ini")}));
}

// A settings file that may not be written (read-only) is reported once a run, not at every
// font choice.
TEST_F(WindowTest, AReadOnlySettingsFileIsReportedOnce) {
    const QString settings = path(QStringLiteral("JRB3.ini"));
    writeCp932(settings, QStringLiteral("ＭＳ 明朝\r\n 0 \r\n 0 \r\n東京書籍\r\n\r\n"));
    ASSERT_TRUE(QFile::setPermissions(settings, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    const QByteArray before = readBytes(settings);
    mw.startUp();
    platform.messages.clear();
    for (int i = 0; i < 2; ++i) {
        platform.fonts.push_back(FontChoice{QStringLiteral("ＭＳ ゴシック"), 20, false, false});
        mw.onMenu(QStringLiteral("nf"));  // フォント設定 → 常時設定 writes the settings
    }
    mw.shutDown();
    EXPECT_EQ(readBytes(settings), before);
    ASSERT_EQ(platform.messageTexts().size(), 1) << platform.messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(platform.messageTexts()[0].startsWith(
        settings + QStringLiteral(" に設定を保存できませんでした。この場所に書き込む権限がありません。別のフ"
                                  "ォルダーに保存してください。")));
}

TEST(SettingsOnAFullDisk, AFullDiskKeepsTheOldFileAndGivesTheReason) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = disk.path(QStringLiteral("JRB3.ini"));
    writeCp932(path, QStringLiteral("ＭＳ 明朝\r\n 30 \r\n 0 \r\n東京書籍\r\nなぞり\r\n"));
    const QByteArray before = readBytes(path);
    ASSERT_TRUE(disk.fill());
    Settings s;
    s.fontLine = QStringLiteral("ＭＳ ゴシック");
    QString error;
    EXPECT_FALSE(writeSettings(path, s, true, &error));
    EXPECT_EQ(error, path + QStringLiteral(" に設定を保存できませんでした。保存先の空き容量が足りません。不要"
                                           "なファイルを消すか、別の場所に保存してください。"));
    EXPECT_EQ(readBytes(path), before);
    // What the next start reads is the whole old file.
    const SettingsReadResult read = readSettings(path);
    EXPECT_TRUE(read.readWhole);
    EXPECT_EQ(read.settings.fontLine, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(read.settings.kanaOffset1, 30);
}

}  // namespace
