// A settings file that cannot be read whole: the message says what becomes of it, which
// depends on whether it is the file the settings are written to.
#include <QDir>

#include "core/data/settings.h"
#include "window_fixture.h"

namespace {

struct SettingsPlace : WindowTest {
    QTemporaryDir config;
    void SetUp() override {
        WindowTest::SetUp();
        platform.configDir = config.path();
    }
    QString configPath(const QString& name) const { return config.filePath(name); }
};

}  // namespace

TEST_F(SettingsPlace, ATooLargeFileInTheCurrentFolderIsLeftAsItIsAndTheMessageSaysSo) {
    // The fault: the message promised to move the current folder's JRB3.ini to JRB3.ini.bak
    // before the next save; the settings went to the configuration folder and nothing moved.
    const QByteArray large(70000, 'x');
    writeBytes(path("JRB3.ini"), large);
    mw.startUp();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral(
                  "設定ファイル %1 は70000バイトあり、設定ファイルにしては大きすぎるため、読みませんでした。"
                  "初めの設定を使います。このファイルは変更しません。設定は %2 に保存します"
                  "（このフォルダーで起動すると、次もこのファイルが先に読まれます）。")
                  .arg(path("JRB3.ini"), configPath("JRB3.ini")));
    mw.shutDown();
    EXPECT_EQ(readBytes(path("JRB3.ini")), large);
    EXPECT_FALSE(QFile::exists(path("JRB3.ini.bak")));
    EXPECT_TRUE(readCp932(configPath("JRB3.ini")).startsWith(QStringLiteral("ＭＳ Ｐ明朝\r\n")));
}

TEST_F(SettingsPlace, ATooLargeFileInTheConfigurationFolderIsMovedAsideAsTheMessageSays) {
    const QByteArray large(70000, 'x');
    writeBytes(configPath("JRB3.ini"), large);
    mw.startUp();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.endsWith(
        QStringLiteral("元のファイルは、次に設定を保存する前に %1 に移しておきます。")
            .arg(configPath("JRB3.ini.bak"))))
        << platform.messages[0].text.toStdString();
    mw.shutDown();
    EXPECT_EQ(readBytes(configPath("JRB3.ini.bak")), large);
}

TEST_F(SettingsPlace, APartlyReadFileInTheCurrentFolderIsNotCopiedAside) {
    writeCp932(path("JRB3.ini"), QStringLiteral("ＭＳ 明朝\r\n 60 \r\nabc\r\n"));
    mw.startUp();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.endsWith(
        QStringLiteral("このファイルは変更しません。設定は %1 に保存します"
                       "（このフォルダーで起動すると、次もこのファイルが先に読まれます）。")
            .arg(configPath("JRB3.ini"))))
        << platform.messages[0].text.toStdString();
    mw.shutDown();
    EXPECT_FALSE(QFile::exists(path("JRB3.ini.bak")));
    EXPECT_EQ(readCp932(path("JRB3.ini")), QStringLiteral("ＭＳ 明朝\r\n 60 \r\nabc\r\n"));
}
