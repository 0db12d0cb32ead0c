#include "core/windows/company/company_window.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/data/reading_dictionary.h"
#include "core/windows/main/main_window.h"
#include "core/windows/read_messages.h"
#include "fake_platform.h"

namespace {

const QString kWindow = QStringLiteral("教科書会社の選択");

// A started main window whose program and current folders are an empty folder: no
// dictionary and no settings file, so any load of the dictionary would show a message.
class CompanyWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        platform.programDir = dir.path();
        platform.cwd = dir.path();
        window.startUp();
        platform.messages.clear();
        window.changed = [this] { ++changes; };
        // Button 25 belongs to the lookup panel; it is shown with it.
        window.toolbar[25].visible = true;
        window.toolbar[25].enabled = true;
    }
    void openByToolbar() {
        window.onToolbarClick(25);
        ASSERT_TRUE(window.isWindowOpen(WindowId::Company));
    }

    QTemporaryDir dir;
    FakePlatform platform;
    Workbook workbook;
    MainWindow window{platform, workbook};
    int changes = 0;
};

}  // namespace

TEST(CompanyWindowDesign, CaptionsOfTheWindowAndItsButtons) {
    EXPECT_EQ(QString::fromUtf8(CompanyWindow::kName), QStringLiteral("教科書会社の選択"));
    EXPECT_EQ(QString::fromUtf8(CompanyWindow::kLabel), QStringLiteral("教科書の選択"));
    QStringList companies;
    for (const char* c : CompanyWindow::kCompanies) companies << QString::fromUtf8(c);
    EXPECT_EQ(companies,
              QStringList({QStringLiteral("東京書籍"), QStringLiteral("三省堂"), QStringLiteral("教育出版"),
                           QStringLiteral("学校図書"), QStringLiteral("光村図書")}));
    EXPECT_EQ(QString::fromUtf8(CompanyWindow::kNoneCaption), QStringLiteral("指定しないで閉じる"));
}

TEST_F(CompanyWindowTest, StartsClosedAndToolbarButton25OpensIt) {
    EXPECT_EQ(window.company, QStringLiteral("教科書指定なし"));
    EXPECT_FALSE(window.isWindowOpen(WindowId::Company));
    window.onToolbarClick(25);
    EXPECT_TRUE(window.isWindowOpen(WindowId::Company));
    EXPECT_GE(changes, 1);
    EXPECT_TRUE(platform.messages.empty());  // no "not available" notice
}

TEST_F(CompanyWindowTest, EachCompanyButtonSetsPanel5ToItsCaptionAndCloses) {
    const char* expected[] = {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書"};
    for (int i = 0; i < 5; ++i) {
        openByToolbar();
        window.companyWindow.onCompanyButton(i);
        EXPECT_EQ(window.company, QString::fromUtf8(expected[i])) << i;
        EXPECT_FALSE(window.isWindowOpen(WindowId::Company)) << i;
    }
    // No dictionary was read: a load would have reported the missing file.
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CompanyWindowTest, NoneButtonSetsNoCompanyAndCloses) {
    openByToolbar();
    window.companyWindow.onCompanyButton(1);
    openByToolbar();
    ASSERT_EQ(window.company, QStringLiteral("三省堂"));
    window.companyWindow.onNoneButton();
    EXPECT_EQ(window.company, QStringLiteral("教科書指定なし"));
    EXPECT_FALSE(window.isWindowOpen(WindowId::Company));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(CompanyWindowTest, ClosingWithoutAChoiceKeepsPanel5) {
    openByToolbar();
    window.companyWindow.onCompanyButton(4);
    openByToolbar();
    window.companyWindow.closeBoxClicked();
    EXPECT_EQ(window.company, QStringLiteral("光村図書"));
    EXPECT_FALSE(window.isWindowOpen(WindowId::Company));
}

TEST_F(CompanyWindowTest, AButtonIndexOutsideTheArrayDoesNothing) {
    openByToolbar();
    for (int index : {-1, 5}) {
        window.companyWindow.onCompanyButton(index);
        EXPECT_EQ(window.company, QStringLiteral("教科書指定なし")) << index;
        EXPECT_TRUE(window.isWindowOpen(WindowId::Company)) << index;
    }
}

TEST_F(CompanyWindowTest, TheNextDictionaryLoadReadsTheChosenCompanysFile) {
    openByToolbar();
    window.companyWindow.onCompanyButton(1);  // 三省堂, whose file is not installed
    ReadingDictionary dict;
    loadReadingDictionaryShowingNotice(dict, window.company, platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    const QString path = dir.path() + QStringLiteral("/三省堂_onkun.txt");
    EXPECT_TRUE(platform.messages[0].text.startsWith(path + QStringLiteral("ファイルが見つかりません。")))
        << platform.messages[0].text.toStdString();
}

TEST_F(CompanyWindowTest, TheChoiceIsWrittenToTheSettingsFileAtShutDown) {
    openByToolbar();
    window.companyWindow.onCompanyButton(2);  // 教育出版
    window.shutDown();
    for (const WindowModel* w : window.secondaryWindows) EXPECT_FALSE(w->isOpen());
    QFile f(dir.filePath(QStringLiteral("JRB3.ini")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_GE(lines.size(), 4);
    // Line 4, in code page 932, with its CR.
    EXPECT_EQ(lines[3], QByteArray("\x8B\xB3\x88\xE7\x8F\x6F\x94\xC5\r"));
}
