// A new page's heading registered by the button or by Enter in the heading box: either way
// the page joins the workbook whole, and what the teacher removes from it can come back.
#include "core/windows/main/command_dispatch.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

constexpr int kEnter = 0x01000004;  // Qt::Key_Return

enum class Register { Button, Enter };

struct RegistrationTest : WindowTest, ::testing::WithParamInterface<Register> {
    void registerTyped(const QString& heading) {
        mw.onHeadingBoxTextEdited(heading);
        if (GetParam() == Register::Button)
            mw.registerHeading();
        else
            mw.onHeadingBoxKey(kEnter);
    }
    // A grade list in the lookup panel, from a dictionary of a few kanji.
    void showGradeOne() {
        writeCp932(path("onkun.txt"), QStringLiteral("1,山,さん,やま,3\r\n1,川,せん,かわ,3\r\n"));
        mw.onToolbarClick(12);  // 単漢字表示
        mw.lookupPanel.onGradeClick(1);
    }
    void clickLookupCell(const QString& kanji) {
        for (int k = 0; k < kLookupCells; ++k)
            if (mw.lookupPanel.label101[static_cast<size_t>(k)].caption == kanji) {
                mw.lookupPanel.onCellClick(k);
                return;
            }
        ADD_FAILURE() << "no lookup cell shows " << kanji.toStdString();
    }
};

TEST_P(RegistrationTest, AProblemRemovedAfterRegistrationComesBack) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));  // 新規作成
    registerTyped(QStringLiteral("一学期"));
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("一学期")});
    EXPECT_EQ(wb.page(0)[kHeadingField], QStringLiteral("一学期"));
    EXPECT_EQ(wb.pageCount, 1);
    EXPECT_EQ(mw.combo1.backColor, kColorWhite);
    EXPECT_TRUE(mw.entry.enabled);
    EXPECT_TRUE(mw.menu("p1")->enabled);
    EXPECT_TRUE(mw.memoryList.list1Enabled);

    showGradeOne();
    clickLookupCell(QStringLiteral("山"));
    ASSERT_EQ(cell(1, kColKanji), QStringLiteral("山"));
    const QString reading = cell(1, kColReading);
    ASSERT_FALSE(reading.isEmpty());
    mw.onNumberLabelClick(1);  // 削除して記憶
    EXPECT_TRUE(cell(1, kColKanji).isEmpty());
    EXPECT_EQ(mw.memoryList.list1, QStringList{QStringLiteral("山")});
    EXPECT_TRUE(mw.memoryList.visible);
    // The list can be clicked, and the click puts the problem back.
    ASSERT_TRUE(mw.memoryList.list1Enabled);
    mw.memoryList.onListClick(0);
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("山"));
    EXPECT_EQ(cell(1, kColReading), reading);
}

TEST_P(RegistrationTest, ASecondPageJoinsTheWorkbookTheSameWay) {
    startTyping(QStringLiteral("一"));
    mw.onMenu(QStringLiteral("newD"));  // 白紙ページ追加
    ASSERT_EQ(mw.combo1.backColor, kColorYellow);
    registerTyped(QString());  // an empty heading registers the default
    EXPECT_EQ(wb.headingList, QStringList({QStringLiteral("一"), QStringLiteral("れんしゅう")}));
    EXPECT_EQ(wb.page(1)[kHeadingField], QStringLiteral("れんしゅう"));
    EXPECT_EQ(wb.currentPage, 1);
    EXPECT_EQ(wb.pageCount, 2);
    EXPECT_EQ(mw.statusPanels()[4], QStringLiteral(" 2頁"));
    EXPECT_EQ(mw.label9.caption, QStringLiteral("れんしゅう"));
    EXPECT_EQ(mw.focus, QStringLiteral("Text1"));
    EXPECT_TRUE(mw.entry.enabled);
    EXPECT_TRUE(mw.memoryList.list1Enabled);
}

INSTANTIATE_TEST_SUITE_P(ButtonOrEnter, RegistrationTest,
                         ::testing::Values(Register::Button, Register::Enter), [](const auto& info) {
                             return std::string(info.param == Register::Button ? "Button" : "Enter");
                         });

}  // namespace
