// ふりがな自動: a kanji word that came without the input method gets a proposed reading,
// marked in a colour of its own; readings from the input method or the teacher stay.
#include "core/data/problem_files.h"
#include "core/data/reading_proposer.h"
#include "core/windows/main/print_commands.h"
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

namespace {

// Rows typed as a teacher types them: the text before, then the kanji word without the
// input method (pasted), then the text after, one character at a time.
struct WholeRow : AutoReading {
    void SetUp() override {
        AutoReading::SetUp();
        if (IsSkipped()) return;
        mw.onMenu(QStringLiteral("yauto"));
    }
    void typeKeys(int row, int col, const QString& text) {
        mw.onCellClick(row, col);
        for (qsizetype n = 1; n <= text.size(); ++n) {
            mw.onEntryKeyPress(0);
            mw.onEntryTextEdited(text.left(n));
        }
    }
};

struct TypedRow {
    const char* before;
    const char* kanji;
    const char* after;
    const char* reading;  // once the row is typed
};

const TypedRow kTypedRows[] = {
    {"がっこうへ", "行", "く。", "い"},
    {"あしたは", "生", "まれた日です。", "う"},
    {"本を", "読", "む。", "よ"},
    {"", "一日", "中雨がふった。", "いちにち"},
};

}  // namespace

TEST_F(WholeRow, ProposesFromTheWholeRowOnceItIsTyped) {
    int row = 2;
    for (const TypedRow& t : kTypedRows) {
        SCOPED_TRACE(t.kanji);
        typeKeys(row, kColBefore, QString::fromUtf8(t.before));
        type(row, kColKanji, QString::fromUtf8(t.kanji));
        // A lone kanji at the end of the row may still take its okurigana.
        if (QString::fromUtf8(t.kanji).size() == 1) {
            EXPECT_EQ(reading(row).text, QString());
        }
        typeKeys(row, kColAfter, QString::fromUtf8(t.after));
        EXPECT_EQ(reading(row).text, QString::fromUtf8(t.reading));
        EXPECT_TRUE(reading(row).proposed);
        EXPECT_EQ(reading(row).backColor, kColorProposed);
        ++row;
    }
    // The command line reads the stored rows the same way.
    mw.onEntryKeyPress(0);
    PageRecord page = wb.page(0);
    for (int r = 2; r < row; ++r) page[slotFieldIndex(r, SlotField::Reading)].clear();
    fillPageReadings(page, 0, ReadingProposer::shared(), false);
    for (int r = 2; r < row; ++r)
        EXPECT_EQ(page[slotFieldIndex(r, SlotField::Reading)], reading(r).text) << "row " << r;
}

TEST_F(WholeRow, ProposesAgainWhileTheReadingIsStillAProposal) {
    typeKeys(2, kColBefore, QStringLiteral("学校へ"));
    type(2, kColKanji, QStringLiteral("行"));
    typeKeys(2, kColAfter, QStringLiteral("った。"));
    EXPECT_EQ(reading(2).text, QStringLiteral("い"));
    // The teacher rewrites the sentence: the proposal follows it.
    mw.onCellClick(2, kColBefore);
    mw.onEntryTextEdited(QStringLiteral("式を"));
    EXPECT_EQ(reading(2).text, QStringLiteral("おこな"));
    EXPECT_TRUE(reading(2).proposed);
    // A sentence that no longer decides takes the proposal away.
    mw.onCellClick(2, kColAfter);
    mw.onEntryTextEdited(QString());
    EXPECT_EQ(reading(2).text, QString());
    EXPECT_NE(reading(2).backColor, kColorProposed);
    mw.onEntryTextEdited(QStringLiteral("く。"));
    EXPECT_EQ(reading(2).text, QStringLiteral("い"));
}

TEST_F(WholeRow, SecondWordsFollowTheWholeRowToo) {
    mw.onCheck3Click(2);
    typeKeys(2, kColBefore, QStringLiteral("きのう"));
    type(2, kColKanji, QStringLiteral("式"));
    typeKeys(2, kColAfter, QStringLiteral("を"));
    type(2, kColKanji2, QStringLiteral("行"));
    EXPECT_EQ(reading(2, kColReading2).text, QString());
    typeKeys(2, kColAfter2, QStringLiteral("った。"));
    EXPECT_EQ(reading(2, kColReading).text, QStringLiteral("しき"));
    EXPECT_EQ(reading(2, kColReading2).text, QStringLiteral("おこな"));
    EXPECT_TRUE(reading(2, kColReading2).proposed);
}

TEST_F(WholeRow, ReadingsGivenByTheTeacherOrTheInputMethodStayWhenTheRowChanges) {
    // The teacher's own reading.
    typeKeys(2, kColBefore, QStringLiteral("学校へ"));
    type(2, kColKanji, QStringLiteral("行"));
    type(2, kColReading, QStringLiteral("ゆ"));
    typeKeys(2, kColAfter, QStringLiteral("く。"));
    EXPECT_EQ(reading(2).text, QStringLiteral("ゆ"));
    EXPECT_FALSE(reading(2).proposed);
    // A proposal the teacher emptied stays empty.
    typeKeys(3, kColBefore, QStringLiteral("お"));
    type(3, kColKanji, QStringLiteral("茶"));
    typeKeys(3, kColAfter, QStringLiteral("をのむ。"));
    ASSERT_EQ(reading(3).text, QStringLiteral("ちゃ"));
    type(3, kColReading, QString());
    typeKeys(3, kColAfter, QStringLiteral("をのんだ。"));
    EXPECT_EQ(reading(3).text, QString());
    // The input method's reading.
    platform.reading = QStringLiteral("い");
    mw.onCellClick(4, kColKanji);
    mw.onEntryKeyPress(0);
    mw.grid.captureFlag = true;
    mw.onEntryTextEdited(QStringLiteral("行"));
    platform.reading.clear();
    ASSERT_EQ(reading(4).text, QStringLiteral("い"));
    typeKeys(4, kColAfter, QStringLiteral("う。"));
    EXPECT_EQ(reading(4).text, QStringLiteral("い"));
    EXPECT_FALSE(reading(4).proposed);
}

// A proposal belongs to the row it was made for: the next page's readings, loaded or blank,
// are that page's own, even where they read the same.
TEST_F(WholeRow, AProposalDoesNotOutliveItsPage) {
    typeKeys(2, kColBefore, QStringLiteral("学校へ"));
    type(2, kColKanji, QStringLiteral("行"));
    typeKeys(2, kColAfter, QStringLiteral("く。"));
    ASSERT_TRUE(reading(2).proposed);
    type(3, kColKanji, QStringLiteral("森"));  // nothing after it: the reading waits
    ASSERT_TRUE(reading(3).proposed);
    // Page 2: the same row, its reading typed by the teacher.
    mw.onMenu(QStringLiteral("newD"));
    mw.combo1.text = QStringLiteral("二の巻");
    mw.registerHeading();
    EXPECT_FALSE(reading(2).proposed);
    EXPECT_FALSE(reading(3).proposed);
    typeKeys(2, kColBefore, QStringLiteral("学校へ"));
    type(2, kColKanji, QStringLiteral("行"));
    type(2, kColReading, QStringLiteral("い"));
    type(3, kColKanji, QStringLiteral("森"));
    type(3, kColReading, QString());
    mw.choosePage(0);
    mw.choosePage(1);
    EXPECT_FALSE(reading(2).proposed);
    EXPECT_NE(reading(2).backColor, kColorProposed);
    // The sentence changes: the teacher's readings stay as they are.
    typeKeys(2, kColAfter, QStringLiteral("った。"));
    typeKeys(3, kColAfter, QStringLiteral("の中。"));
    EXPECT_EQ(reading(2).text, QStringLiteral("い"));
    EXPECT_EQ(reading(3).text, QString());
}

// Every way a kanji word reaches a row gets ふりがな自動's proposal, as a typed word does;
// turning the option on proposes for the words of the page that have no reading yet.
TEST_F(AutoReading, TurningItOnProposesForThePagesEmptyReadings) {
    type(1, kColKanji, QStringLiteral("学校"));
    type(2, kColKanji, QStringLiteral("山"));
    type(2, kColReading, QStringLiteral("さん"));  // the teacher's own
    ASSERT_TRUE(reading(1).text.isEmpty());
    mw.onMenu(QStringLiteral("yauto"));
    EXPECT_EQ(reading(1).text, QStringLiteral("がっこう"));
    EXPECT_TRUE(reading(1).proposed);
    EXPECT_EQ(reading(2).text, QStringLiteral("さん"));
    EXPECT_FALSE(reading(2).proposed);
    // One step: undo takes the proposals back.
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「ふりがな自動」"));
    EXPECT_TRUE(mw.workbookLines().value(0).contains(QStringLiteral("がっこう")));
}

TEST_F(AutoReading, TextFlowGetsTheProposal) {
    mw.onMenu(QStringLiteral("yauto"));
    mw.openWindow(WindowId::TextFlow);
    mw.textFlowWindow.onText1Changed(QStringLiteral("きょうは山へ行きまし"));
    {
        MainWindow::Action action(mw);
        mw.textFlowWindow.onCommand1Click();  // row 1 holds a problem: replaced (Yes)
    }
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("きょうは山へ行きまし"));
    EXPECT_TRUE(reading(1).proposed);
    EXPECT_TRUE(reading(1).text.contains(QStringLiteral("やま"))) << reading(1).text.toStdString();
    EXPECT_TRUE(reading(1).text.contains(QStringLiteral("い"))) << reading(1).text.toStdString();
    EXPECT_FALSE(reading(1).text.contains(QStringLiteral("山")));
    EXPECT_TRUE(wb.pageLines[0].contains(reading(1).text));
}

TEST_F(AutoReading, TheMemoryListsWordGetsTheProposalAndItsOwnReadingStays) {
    type(1, kColKanji, QStringLiteral("学校"));  // no reading while the option is off
    type(2, kColBefore, QStringLiteral("たかい"));
    type(2, kColKanji, QStringLiteral("山"));
    type(2, kColReading, QStringLiteral("さん"));
    mw.onNumberLabelClick(1);  // 削除して記憶
    mw.onNumberLabelClick(2);
    ASSERT_TRUE(cell(1, kColKanji).isEmpty());
    mw.onMenu(QStringLiteral("yauto"));
    mw.memoryList.onListClick(0);
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("学校"));
    EXPECT_EQ(reading(1).text, QStringLiteral("がっこう"));
    EXPECT_TRUE(reading(1).proposed);
    mw.memoryList.onListClick(1);
    EXPECT_EQ(cell(2, kColKanji), QStringLiteral("山"));
    EXPECT_EQ(reading(2).text, QStringLiteral("さん"));
    EXPECT_FALSE(reading(2).proposed);
}

TEST_F(AutoReading, ALookupCopyReadsTheWordInItsSentence) {
    QString message;
    ASSERT_TRUE(writeCp932Lines(path(QStringLiteral("onkun.txt")),
                                {QStringLiteral("1,山,さん,やま,3"), QStringLiteral("1,川,せん,かわ,3")},
                                &message));
    type(2, kColBefore, QStringLiteral("さかなが"));
    type(2, kColAfter, QStringLiteral("をのぼる。"));
    mw.onToolbarClick(12);
    mw.lookupPanel.onGradeClick(1);
    mw.lookupPanel.onOption1Click();  // 音: the dictionary gives さん and せん
    ASSERT_EQ(mw.lookupPanel.label101[0].caption, QStringLiteral("山"));
    // Off: the dictionary's reading.
    mw.onCellClick(2, kColKanji);
    mw.lookupPanel.onCellClick(1);
    EXPECT_EQ(cell(2, kColKanji), QStringLiteral("川"));
    EXPECT_EQ(reading(2).text, QStringLiteral("せん"));
    EXPECT_FALSE(reading(2).proposed);
    // On: the word read in its sentence (きのう、山へ行った。), as if it had been typed.
    mw.onMenu(QStringLiteral("yauto"));
    EXPECT_EQ(reading(2).text, QStringLiteral("せん")) << "a reading the row has stays";
    mw.onCellClick(1, kColKanji);
    mw.lookupPanel.onCellClick(0);
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("山"));
    EXPECT_EQ(reading(1).text, QStringLiteral("やま"));
    EXPECT_TRUE(reading(1).proposed);
    EXPECT_EQ(printedPageOnScreen(mw, true).reading[1], QStringLiteral("やま"));
}
