// The text flow window pouring a passage onto a page of the main window that already holds
// problems: the rows it fills keep nothing of what they held, on screen and in the page.
#include "core/windows/main/command_dispatch.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

struct TextFlowOntoPageTest : WindowTest {
    // Ten problems, every cell filled, the second word shown on rows 1 and 2.
    void fillPage() {
        QStringList first, second;
        for (int r = 1; r <= 10; ++r) {
            first << QStringLiteral("前%1").arg(r) << QStringLiteral("字%1").arg(r) << QStringLiteral("ひと")
                  << QStringLiteral("後%1").arg(r);
            second << (r <= 2 ? QStringLiteral("二%1").arg(r) : QString())
                   << (r <= 2 ? QStringLiteral("ふた") : QString())
                   << (r <= 2 ? QStringLiteral("と") : QString());
        }
        writeCp932(path("full.mojx"), mojxLine(QStringLiteral("ぜんぶ"), first, QStringLiteral("ＭＳ Ｐ明朝"),
                                               QString(), second) +
                                          "\r\n");
        mw.startUp();
        platform.openPaths = {path("full.mojx")};
        mw.onMenu(QStringLiteral("of"));
        ASSERT_TRUE(mw.grid.at(1).check3);
        mw.onToolbarClick(12);  // the lookup panel brings button 27
        mw.openWindow(WindowId::TextFlow);
    }
    QString stored(int row, SlotField f) const {
        return wb.page(0)[static_cast<size_t>(slotFieldIndex(row, f))];
    }
};

TEST_F(TextFlowOntoPageTest, FlowedRowsKeepNothingOfTheirProblems) {
    fillPage();
    if (HasFatalFailure()) return;
    // 25 characters with marks: three rows, the second ending in a hanging run.
    const QString text = QStringLiteral("あいうえおかきくけこさしすせそたちつてと！？」なにぬねの");
    mw.textFlowWindow.onText1Changed(text);
    mw.textFlowWindow.onCommand1Click();
    ASSERT_EQ(platform.messages.size(), 1u);  // the question, answered Yes
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("確認メッセージ"));

    const QStringList rows{QStringLiteral("あいうえおかきくけこ"),
                           QStringLiteral("さしすせそたちつてと！？」"), QStringLiteral("なにぬねの")};
    for (int r = 1; r <= 3; ++r) {
        SCOPED_TRACE(r);
        EXPECT_EQ(cell(r, kColKanji), rows[r - 1]);
        for (int c : {kColBefore, kColReading, kColAfter, kColKanji2, kColReading2, kColAfter2})
            EXPECT_EQ(cell(r, c), QString()) << c;
        EXPECT_FALSE(mw.grid.at(r).check3);
        EXPECT_FALSE(mw.grid.at(r).cell(kColKanji2).visible);
        // The page holds what the grid shows.
        EXPECT_EQ(stored(r, SlotField::Kanji), rows[r - 1]);
        EXPECT_EQ(stored(r, SlotField::Reading), QString());
        EXPECT_EQ(stored(r, SlotField::Before), QString());
        EXPECT_EQ(stored(r, SlotField::Kanji2), QString());
    }
    // Row 4 on keeps its problem.
    EXPECT_EQ(cell(4, kColBefore), QStringLiteral("前4"));
    EXPECT_EQ(cell(4, kColReading), QStringLiteral("ひと"));
    EXPECT_EQ(stored(4, SlotField::After), QStringLiteral("後4"));
    // The entry box shows the cell under the cursor, not a text of the old problem.
    EXPECT_EQ(mw.entry.text, cell(mw.grid.row, mw.grid.col));
}

TEST_F(TextFlowOntoPageTest, NoLeavesThePageAsItWas) {
    fillPage();
    if (HasFatalFailure()) return;
    const QString line = wb.pageLines[0];
    platform.answers = {MessageAnswer::No};
    mw.textFlowWindow.onText1Changed(QStringLiteral("あいうえお"));
    mw.textFlowWindow.onCommand1Click();
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("字1"));
    EXPECT_EQ(cell(1, kColKanji2), QStringLiteral("二1"));
    EXPECT_TRUE(mw.grid.at(1).check3);
    EXPECT_EQ(wb.pageLines[0], line);
}

// "本文消去" empties the kanji cells and their readings with them.
TEST_F(TextFlowOntoPageTest, EmptyingTheKanjiCellsTakesTheirReadings) {
    fillPage();
    if (HasFatalFailure()) return;
    mw.textFlowWindow.onCommand2Click();
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(cell(r, kColKanji), QString()) << r;
        EXPECT_EQ(cell(r, kColReading), QString()) << r;
        EXPECT_EQ(cell(r, kColBefore), QStringLiteral("前%1").arg(r)) << r;
    }
    EXPECT_EQ(stored(5, SlotField::Reading), QString());
}

}  // namespace
