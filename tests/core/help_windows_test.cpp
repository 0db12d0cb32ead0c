// The help windows: the letters over each toolbar picture, the button list, and how the two
// windows open each other.
#include <gtest/gtest.h>

#include "core/windows/help/button_help_window.h"
#include "core/windows/help/data_creation_help_window.h"
#include "fake_tool_host.h"

namespace {

TEST(ButtonHelp, LettersStandForTheButtonsOfEachPicture) {
    EXPECT_EQ(ButtonHelpWindow::lettersFor(ButtonHelpWindow::kImage1First, ButtonHelpWindow::kImage1Last),
              QStringLiteral("A B C D E F G H I J K L M N O"));
    EXPECT_EQ(ButtonHelpWindow::lettersFor(ButtonHelpWindow::kImage2First, ButtonHelpWindow::kImage2Last),
              QStringLiteral("G H I J K L M N O P Q"));
    // Letters in order, each on its own button, never a separator.
    const std::vector<int> separators{5, 11, 14, 16, 18, 20, 22, 26};
    int lastIndex = 0;
    QChar lastLetter(char16_t(u'A' - 1));
    for (const ButtonExplanation& e : ButtonHelpWindow::explanations()) {
        EXPECT_EQ(e.letter.unicode(), lastLetter.unicode() + 1);
        EXPECT_GT(e.toolbarIndex, lastIndex);
        EXPECT_EQ(std::count(separators.begin(), separators.end(), e.toolbarIndex), 0) << e.toolbarIndex;
        lastIndex = e.toolbarIndex;
        lastLetter = e.letter;
    }
    EXPECT_EQ(lastLetter, u'Q');
}

TEST(ButtonHelp, ListLines) {
    const QStringList lines = ButtonHelpWindow::listLines();
    ASSERT_EQ(lines.size(), 19);  // 17 buttons, two with a second line
    EXPECT_EQ(lines[0],
              QStringLiteral("A　【ファイルを開く】　*.mojファイルまたは　*.mojxファイルを開きます。"));
    EXPECT_EQ(lines[7], QStringLiteral("　　フォントサイズの変更も可能です。"));
    EXPECT_EQ(lines[9],
              QStringLiteral("  I　【文作り】　文作り用フォーマットに表示されている「漢字」を印字します。"));
    EXPECT_EQ(
        lines[18],
        QStringLiteral(
            "Q　【漢字・かな練習帳】　一覧表から選択された「単漢字」を練習用フォーマットで印字します。"));
}

TEST(HelpWindows, OpenEachOtherAndCloseThemselves) {
    FakePlatform platform;
    FakeToolHost host(platform);
    ButtonHelpWindow buttons(host);
    DataCreationHelpWindow creation(host);
    buttons.open();
    creation.open();
    buttons.onCommand1();
    creation.onCommand2();
    EXPECT_EQ(host.opened, (std::vector<WindowId>{WindowId::DataCreationHelp, WindowId::ButtonHelp}));
    buttons.onCommand3();
    creation.onImage3Click();
    EXPECT_FALSE(buttons.isOpen());
    EXPECT_FALSE(creation.isOpen());
    buttons.onCommand2();  // already closed
    creation.onCommand1();
    EXPECT_FALSE(buttons.isOpen());
    EXPECT_EQ(creation.stepLabels.size(), 6);
    EXPECT_EQ(creation.stepLabels[3].section(u'\n', 1),
              QStringLiteral("　　　　　必要なデータを入力すると⑤のラベルに表示されます。"));
}

}  // namespace
