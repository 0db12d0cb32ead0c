// The memory list: remove and remember, restore, the clipboard, clearing with its question,
// and the page memory of toolbar button 17 kept apart from the single problems.
#include <gtest/gtest.h>

#include "main_panels_fixture.h"

namespace {

class MemoryListTest : public ::testing::Test {
protected:
    // Row r holds before "前r", kanji "字r", reading "よみr", after "後r".
    void fillRow(int r) {
        mw.setRow(r, QStringLiteral("前%1").arg(r), QStringLiteral("字%1").arg(r),
                  QStringLiteral("よみ%1").arg(r), QStringLiteral("後%1").arg(r));
    }
    void fillPage() {
        for (int r = 1; r <= 10; ++r) fillRow(r);
    }
    QStringList clipboardLines() const {
        QStringList lines = mw.fake.clipboard.split(QStringLiteral("\r\n"));
        EXPECT_EQ(lines.takeLast(), QString()) << "the clipboard ends with a line end";
        return lines;
    }
    bool rowEmpty(int r) {
        for (int f = 0; f < 7; ++f)
            if (!mw.cell(r, static_cast<SlotField>(f)).isEmpty()) return false;
        return true;
    }

    FakeMainWindow mw;
    MemoryList memory{mw};
};

TEST_F(MemoryListTest, StartsEmptyAndHidden) {
    EXPECT_FALSE(memory.visible);
    EXPECT_TRUE(memory.list1.isEmpty());
    EXPECT_EQ(memory.list1Tooltip, QStringLiteral("選択・クリックで復元"));
    EXPECT_EQ(memory.command1Caption, QStringLiteral("メモリー消去"));
    EXPECT_EQ(memory.buttonPicture, 11);
}

TEST_F(MemoryListTest, ARemovalRemembersTheRowEmptiesItAndPutsTenLinesOnTheClipboard) {
    fillPage();
    memory.onNumberLabelClick(3);
    EXPECT_TRUE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 12);
    EXPECT_EQ(mw.tools[17].picture, 12);
    EXPECT_EQ(memory.list1, QStringList{QStringLiteral("前3字3後3")});
    EXPECT_TRUE(rowEmpty(3));
    EXPECT_FALSE(rowEmpty(2));
    EXPECT_EQ(memory.singles[0].reading, QStringLiteral("よみ3"));
    EXPECT_EQ(memory.label8, QStringLiteral("【前3字3後3】をクリップボードに書きこみました"));
    EXPECT_EQ(mw.toggleTooltips[3], QStringLiteral("５マス表示ボタン"));
    QStringList expected(10);
    expected[0] = QStringLiteral("前3字3後3");
    EXPECT_EQ(clipboardLines(), expected);

    memory.onNumberLabelClick(5);
    expected[1] = QStringLiteral("前5字5後5");
    EXPECT_EQ(clipboardLines(), expected);
    EXPECT_EQ(memory.list1, QStringList({QStringLiteral("前3字3後3"), QStringLiteral("前5字5後5")}));
}

TEST_F(MemoryListTest, ElevenRemovalsKeepTheLastTen) {
    for (int i = 1; i <= 11; ++i) {
        mw.setRow(1, QStringLiteral("文%1").arg(i), QStringLiteral("字"), QStringLiteral("じ"), {});
        memory.onNumberLabelClick(1);
        EXPECT_EQ(clipboardLines().size(), 10) << i;
    }
    ASSERT_EQ(memory.list1.size(), 10);
    ASSERT_EQ(memory.singles.size(), 10u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(memory.list1[k], QStringLiteral("文%1字").arg(k + 2));
        EXPECT_EQ(memory.slotOfItem(k)->before, QStringLiteral("文%1").arg(k + 2));
    }
    EXPECT_EQ(clipboardLines(), memory.list1);
    EXPECT_EQ(memory.slotOfItem(10), nullptr);
    // Restoring the first item gives the second problem removed: the first is gone.
    memory.onListClick(0);
    EXPECT_EQ(mw.cell(1, SlotField::Before), QStringLiteral("文2"));
}

TEST_F(MemoryListTest, ASecondWordIsListedAndRestoredWithItsToggle) {
    fillPage();
    mw.cell(4, SlotField::Kanji2) = QStringLiteral("林");
    mw.cell(4, SlotField::Reading2) = QStringLiteral("はやし");
    mw.cell(4, SlotField::After2) = QStringLiteral("へ");
    mw.toggles[4] = 1;
    memory.onNumberLabelClick(4);
    EXPECT_EQ(memory.list1, QStringList{QStringLiteral("前4字4後4林へ")});
    EXPECT_EQ(mw.toggles[4], 0);
    EXPECT_TRUE(rowEmpty(4));

    // A second word kept with the toggle off is remembered but not listed.
    mw.cell(6, SlotField::Kanji2) = QStringLiteral("森");
    memory.onNumberLabelClick(6);
    EXPECT_EQ(memory.list1[1], QStringLiteral("前6字6後6"));

    memory.onListClick(0);  // into row 4, the first empty one
    EXPECT_EQ(mw.cell(4, SlotField::Before), QStringLiteral("前4"));
    EXPECT_EQ(mw.cell(4, SlotField::Reading), QStringLiteral("よみ4"));
    EXPECT_EQ(mw.cell(4, SlotField::Kanji2), QStringLiteral("林"));
    EXPECT_EQ(mw.cell(4, SlotField::Reading2), QStringLiteral("はやし"));
    EXPECT_EQ(mw.cell(4, SlotField::After2), QStringLiteral("へ"));
    EXPECT_EQ(mw.toggles[4], 1);
    EXPECT_EQ(mw.toggleTooltips[4], QStringLiteral("３マス表示ボタン"));

    memory.onListClick(1);  // toggle 0: the first word only
    EXPECT_EQ(mw.cell(6, SlotField::Kanji), QStringLiteral("字6"));
    EXPECT_EQ(mw.cell(6, SlotField::Kanji2), QString());
    EXPECT_EQ(mw.toggles[6], 0);
}

TEST_F(MemoryListTest, RestoringFillsTheFirstEmptyRowAgainAndAgainAndNeverAFullPage) {
    fillPage();
    memory.onNumberLabelClick(2);
    memory.onNumberLabelClick(7);
    ASSERT_EQ(memory.label8, QStringLiteral("【前7字7後7】をクリップボードに書きこみました"));
    memory.onListClick(1);
    EXPECT_EQ(memory.label8, QString());
    EXPECT_EQ(mw.cell(2, SlotField::Kanji), QStringLiteral("字7"));
    memory.onListClick(1);
    EXPECT_EQ(mw.cell(7, SlotField::Kanji), QStringLiteral("字7"));
    EXPECT_EQ(memory.list1.size(), 2);
    const auto before = mw.grid;
    memory.onListClick(0);  // no empty row
    EXPECT_EQ(mw.grid, before);
    memory.onListClick(5);  // no such item
    EXPECT_EQ(mw.grid, before);
}

TEST_F(MemoryListTest, ARowWithoutFirstWordIsNeitherRememberedNorEmptied) {
    fillPage();
    memory.onNumberLabelClick(1);
    mw.setRow(5, {}, {}, QStringLiteral("よみ"), {});
    mw.cell(5, SlotField::Kanji2) = QStringLiteral("林");
    mw.fake.clipboard.clear();
    memory.onNumberLabelClick(5);
    EXPECT_EQ(memory.list1.size(), 1);
    EXPECT_EQ(mw.cell(5, SlotField::Reading), QStringLiteral("よみ"));
    EXPECT_EQ(mw.cell(5, SlotField::Kanji2), QStringLiteral("林"));
    // The clipboard and the message are written again all the same.
    EXPECT_EQ(clipboardLines().size(), 10);
    EXPECT_EQ(clipboardLines()[0], QStringLiteral("前1字1後1"));
    EXPECT_EQ(memory.label8, QStringLiteral("【前1字1後1】をクリップボードに書きこみました"));
}

TEST_F(MemoryListTest, BeforeAnyPageWasShownTheRowIsRememberedButKept) {
    fillRow(1);
    mw.numberColors[1] = 0xC0FFC0;
    memory.onNumberLabelClick(1);
    EXPECT_EQ(memory.list1, QStringList{QStringLiteral("前1字1後1")});
    EXPECT_EQ(mw.cell(1, SlotField::Kanji), QStringLiteral("字1"));
}

TEST_F(MemoryListTest, TheWindowWidensBesideTheLookupPanelOnly) {
    fillPage();
    mw.width = 9700;
    memory.onNumberLabelClick(1);
    EXPECT_EQ(mw.width, 9700);
    EXPECT_EQ(memory.offset, 0);
    mw.width = 12300;
    memory.onNumberLabelClick(2);
    EXPECT_EQ(mw.width, 15700);
    EXPECT_EQ(memory.offset, 6300);
    memory.onNumberLabelClick(3);
    EXPECT_EQ(mw.width, 15700);
}

TEST_F(MemoryListTest, ClearingAsksFirst) {
    fillPage();
    mw.width = 12300;
    memory.onNumberLabelClick(1);
    ASSERT_EQ(mw.width, 15700);

    mw.fake.answers.push_back(MessageAnswer::No);
    memory.onClearButton();
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    const FakePlatform::Message& m = mw.fake.messages[0];
    EXPECT_EQ(m.text, QStringLiteral("全ての記憶を削除しますが？"));
    EXPECT_EQ(m.title, QStringLiteral("確認メッセ－ジ"));
    EXPECT_EQ(m.buttons, MessageButtons::YesNo);
    EXPECT_EQ(m.icon, MessageIcon::Question);
    EXPECT_EQ(memory.list1.size(), 1);
    EXPECT_TRUE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 12);

    mw.fake.answers.push_back(MessageAnswer::Yes);
    memory.onClearButton();
    EXPECT_TRUE(memory.list1.isEmpty());
    EXPECT_TRUE(memory.singles.empty());
    EXPECT_EQ(memory.slotOfItem(0), nullptr);
    EXPECT_FALSE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 11);
    EXPECT_EQ(mw.tools[17].picture, 11);
    EXPECT_EQ(mw.width, 12300);
    EXPECT_EQ(memory.offset, 0);
    EXPECT_EQ(mw.exampleButtonShown, 1);
    // The next removal starts a new list.
    memory.onNumberLabelClick(2);
    EXPECT_EQ(memory.list1, QStringList{QStringLiteral("前2字2後2")});
}

TEST_F(MemoryListTest, PageMemoryRemembersTheTenRowsAndRefillsTheEmptiedOnes) {
    fillPage();
    mw.width = 12300;
    mw.headingText = QStringLiteral("四月");
    mw.setRow(9, QStringLiteral("a,b"), QStringLiteral("字9"), QStringLiteral("よみ9"),
              QStringLiteral("後9"));
    memory.onToolbarButton();
    EXPECT_TRUE(memory.pageMemoryOn);
    EXPECT_TRUE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 12);
    EXPECT_EQ(mw.width, 15700);
    ASSERT_EQ(memory.list1.size(), 10);
    EXPECT_EQ(memory.list1[0], QStringLiteral("前1字1後1"));
    EXPECT_EQ(memory.list1[9], QStringLiteral("前10字10後10"));
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(mw.numberColors[static_cast<size_t>(r)], 0xC0C0FF) << r;
    // The page line: heading, an empty field, four fields a row, the font.
    QString line = QStringLiteral("四月,");
    for (int r = 1; r <= 10; ++r)
        line += r == 9 ? QStringLiteral(",\"a,b\",字9,よみ9,後9")
                       : QStringLiteral(",前%1,字%1,よみ%1,後%1").arg(r);
    line += QStringLiteral(",ＭＳ 明朝\r\n");
    EXPECT_EQ(mw.fake.clipboard, line);

    // Rows emptied meanwhile, and another row taken out on its own.
    mw.setRow(3, {}, {}, {}, {});
    mw.setRow(5, {}, {}, {}, {});
    memory.onNumberLabelClick(7);
    ASSERT_EQ(memory.list1.size(), 11);
    EXPECT_EQ(memory.list1[10], QStringLiteral("前7字7後7"));
    for (int k = 0; k < memory.list1.size(); ++k) EXPECT_NE(memory.slotOfItem(k), nullptr) << k;
    EXPECT_EQ(clipboardLines()[0], QStringLiteral("前7字7後7"));

    memory.onToolbarButton();  // off
    EXPECT_FALSE(memory.pageMemoryOn);
    // The problem taken out on its own stays listed, and the panel with it.
    EXPECT_EQ(memory.list1, QStringList{QStringLiteral("前7字7後7")});
    EXPECT_TRUE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 12);
    EXPECT_EQ(mw.width, 15700);
    EXPECT_EQ(mw.exampleButtonShown, 0);
    // Each emptied row gets its own problem back.
    for (int r : {3, 5, 7}) {
        EXPECT_EQ(mw.cell(r, SlotField::Before), QStringLiteral("前%1").arg(r)) << r;
        EXPECT_EQ(mw.cell(r, SlotField::Kanji), QStringLiteral("字%1").arg(r)) << r;
        EXPECT_EQ(mw.cell(r, SlotField::Reading), QStringLiteral("よみ%1").arg(r)) << r;
        EXPECT_EQ(mw.cell(r, SlotField::After), QStringLiteral("後%1").arg(r)) << r;
    }
    EXPECT_EQ(mw.cell(9, SlotField::Before), QStringLiteral("a,b"));
}

TEST_F(MemoryListTest, PageMemoryOffWithNothingElseRememberedHidesTheList) {
    fillPage();
    mw.width = 12300;
    memory.onToolbarButton();
    mw.setRow(2, {}, {}, {}, {});
    memory.onToolbarButton();
    EXPECT_FALSE(memory.pageMemoryOn);
    EXPECT_FALSE(memory.visible);
    EXPECT_EQ(memory.buttonPicture, 11);
    EXPECT_EQ(mw.tools[17].picture, 11);
    EXPECT_EQ(mw.width, 12300);
    EXPECT_EQ(mw.exampleButtonShown, 1);
    EXPECT_TRUE(memory.list1.isEmpty());
    EXPECT_EQ(mw.cell(2, SlotField::Kanji), QStringLiteral("字2"));
    // The next click remembers the page again.
    memory.onToolbarButton();
    EXPECT_TRUE(memory.pageMemoryOn);
    EXPECT_EQ(memory.list1.size(), 10);
}

// Button 17 right after problems were taken out one by one: it remembers the page too, and
// switching the page memory off drops none of the problems taken out, whatever their order.
TEST_F(MemoryListTest, PageMemoryNeverDropsProblemsTakenOutOnTheirOwn) {
    const struct {
        const char* name;
        bool removeBeforeOn;
        bool removeWhileOn;
    } cases[] = {{"before", true, false}, {"while on", false, true}, {"both", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeMainWindow host;
        MemoryList m{host};
        for (int r = 1; r <= 10; ++r)
            host.setRow(r, QStringLiteral("前%1").arg(r), QStringLiteral("字%1").arg(r),
                        QStringLiteral("よみ%1").arg(r), QStringLiteral("後%1").arg(r));
        QStringList taken;
        if (c.removeBeforeOn) {
            m.onNumberLabelClick(1);
            m.onNumberLabelClick(2);
            taken << QStringLiteral("前1字1後1") << QStringLiteral("前2字2後2");
        }
        m.onToolbarButton();  // 表示項目全削除
        ASSERT_TRUE(m.pageMemoryOn);
        EXPECT_EQ(m.list1.size(), taken.size() + 10);
        if (c.removeWhileOn) {
            // A row changed after the page was remembered, then taken out.
            host.setRow(6, QStringLiteral("新"), QStringLiteral("字"), QStringLiteral("じ"), QString());
            m.onNumberLabelClick(6);
            taken << QStringLiteral("新字");
        }
        m.onToolbarButton();
        EXPECT_FALSE(m.pageMemoryOn);
        EXPECT_TRUE(host.fake.messages.empty());
        EXPECT_EQ(m.list1, taken);
        EXPECT_TRUE(m.visible);
        EXPECT_EQ(m.buttonPicture, 12);
        // Each can still be put back, into the one empty row.
        for (int r = 1; r <= 9; ++r) host.setRow(r, QStringLiteral("他"), {}, {}, {});
        for (int k = 0; k < taken.size(); ++k) {
            host.setRow(10, {}, {}, {}, {});
            m.onListClick(k);
            EXPECT_EQ(host.cell(10, SlotField::Before) + host.cell(10, SlotField::Kanji) +
                          host.cell(10, SlotField::After),
                      taken[k]);
        }
    }
}

TEST_F(MemoryListTest, ItemsOfThePageMemoryAndOfSingleRemovalsRestoreTheirOwnProblems) {
    fillPage();
    memory.onToolbarButton();
    for (int i = 0; i < 10; ++i) {
        mw.setRow(10, QStringLiteral("単%1").arg(i), QStringLiteral("字"), {}, {});
        memory.onNumberLabelClick(10);
    }
    // Ten page rows and the last ten single problems, each with its own slot.
    ASSERT_EQ(memory.list1.size(), 20);
    mw.setRow(10, QStringLiteral("単10"), QStringLiteral("字"), {}, {});
    memory.onNumberLabelClick(10);
    ASSERT_EQ(memory.list1.size(), 20);
    EXPECT_EQ(memory.list1[0], QStringLiteral("前1字1後1"));
    EXPECT_EQ(memory.list1[10], QStringLiteral("単1字"));
    EXPECT_EQ(memory.list1[19], QStringLiteral("単10字"));

    memory.onListClick(19);
    EXPECT_EQ(mw.cell(10, SlotField::Before), QStringLiteral("単10"));
    mw.setRow(10, {}, {}, {}, {});
    memory.onListClick(4);
    EXPECT_EQ(mw.cell(10, SlotField::Before), QStringLiteral("前5"));
    EXPECT_EQ(mw.cell(10, SlotField::Reading), QStringLiteral("よみ5"));
}

}  // namespace
