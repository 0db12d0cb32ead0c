// ふりがな自動: a kanji word that came without the input method gets a proposed reading,
// marked in a colour of its own; readings from the input method or the teacher stay.
#include "data/reading_proposer.h"
#include "window_fixture.h"

namespace {

struct AutoReading : WindowTest {
    void SetUp() override {
        WindowTest::SetUp();
        if (!ReadingProposer::shared().isAvailable())
            GTEST_SKIP() << "MeCab with a UTF-8 IPA dictionary is not installed";
        startTyping();
        type(1, kColBefore, QStringLiteral("きのう、"));
        type(1, kColAfter, QStringLiteral("へ行った。"));
    }
    const GridCell& reading(int row = 1, int col = kColReading) const { return mw.grid.at(row).cell(col); }
};

}  // namespace

TEST_F(AutoReading, OffByDefaultAndOffMeansNoProposal) {
    EXPECT_FALSE(mw.checked(QStringLiteral("yauto")));
    type(1, kColKanji, QStringLiteral("学校"));  // pasted: no reading from the input method
    EXPECT_TRUE(reading().text.isEmpty());
}

TEST_F(AutoReading, ProposesInItsOwnColourAndFollowsTheWord) {
    mw.onMenu(QStringLiteral("yauto"));
    ASSERT_TRUE(mw.checked(QStringLiteral("yauto")));
    type(1, kColKanji, QStringLiteral("学校"));
    EXPECT_EQ(reading().text, QStringLiteral("がっこう"));
    EXPECT_TRUE(reading().proposed);
    EXPECT_EQ(reading().backColor, kColorProposed);
    EXPECT_NE(kColorProposed, kColorCaptured);
    // The guess goes with the word: a changed word gets a new one, or none.
    type(1, kColKanji, QStringLiteral("学校の山"));
    EXPECT_TRUE(reading().text.isEmpty() || reading().text != QStringLiteral("がっこう"));
    type(1, kColKanji, QStringLiteral("山"));
    EXPECT_EQ(reading().text, QStringLiteral("やま"));
    // Stored with the page like any reading.
    mw.onEntryKeyPress(0);
    EXPECT_TRUE(wb.pageLines[0].contains(QStringLiteral("やま")));
}

TEST_F(AutoReading, ReadingsFromTheInputMethodOrTheTeacherStay) {
    mw.onMenu(QStringLiteral("yauto"));
    // The teacher's own reading over the proposal, then the word visited again.
    type(1, kColKanji, QStringLiteral("学校"));
    type(1, kColReading, QStringLiteral("がくえん"));
    EXPECT_FALSE(reading().proposed);
    mw.onCellClick(1, kColKanji);
    mw.onEntryTextEdited(QStringLiteral("学校"));
    EXPECT_EQ(reading().text, QStringLiteral("がくえん"));
    EXPECT_FALSE(reading().proposed);
    // The input method's reading.
    platform.reading = QStringLiteral("やま");
    mw.onCellClick(2, kColKanji);
    mw.onEntryKeyPress(0);
    mw.grid.captureFlag = true;
    mw.onEntryTextEdited(QStringLiteral("山"));
    EXPECT_EQ(reading(2).text, QStringLiteral("やま"));
    EXPECT_FALSE(reading(2).proposed);
    EXPECT_EQ(reading(2).backColor, kColorCaptured);
}

TEST_F(AutoReading, SecondWordsReadInTheirSentence) {
    mw.onMenu(QStringLiteral("yauto"));
    mw.onCheck3Click(1);
    type(1, kColKanji2, QStringLiteral("先生"));
    type(1, kColAfter2, QStringLiteral("に会う。"));
    mw.onCellClick(1, kColKanji2);
    mw.onEntryTextEdited(QStringLiteral("先生"));
    EXPECT_EQ(reading(1, kColReading2).text, QStringLiteral("せんせい"));
    EXPECT_TRUE(reading(1, kColReading2).proposed);
}

TEST_F(AutoReading, KeptFromOneRunToTheNext) {
    mw.onMenu(QStringLiteral("yauto"));
    EXPECT_TRUE(mw.exitCommand());
    Workbook again;
    MainWindow next(platform, again);
    next.startUp();
    EXPECT_TRUE(next.checked(QStringLiteral("yauto")));
    next.onMenu(QStringLiteral("yauto"));  // off
    next.shutDown();
    Workbook third;
    MainWindow last(platform, third);
    last.startUp();
    EXPECT_FALSE(last.checked(QStringLiteral("yauto")));
}
