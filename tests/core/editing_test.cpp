// The grid, pages and cursor of the main window model.
#include "core/data/field_stream.h"
#include "core/windows/main/command_dispatch.h"
#include "window_fixture.h"

TEST_F(WindowTest, StoreGridWritesTheFileLineWithTheStatusFont) {
    startTyping(QStringLiteral("見出し"));
    mw.fontName = QStringLiteral("フォント");
    mw.storeGrid();
    EXPECT_EQ(mw.fontName, QStringLiteral("ＭＳ Ｐ明朝"));
    const QString line = wb.pageLines[0];
    EXPECT_EQ(line.count(u','), 73);
    FieldStream in(line);
    QStringList f;
    for (int i = 0; i < 74; ++i) f << in.next();
    EXPECT_EQ(f[0], QStringLiteral("見出し"));
    EXPECT_EQ(f[42], QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_FALSE(mw.exitAsksAnyway);
}

TEST_F(WindowTest, PastedLineBreaksAndCommasStayInOneCell) {
    startTyping();
    type(1, kColBefore, QStringLiteral("あさ,\r\nひる"));
    EXPECT_EQ(cell(1, kColBefore), QStringLiteral("あさ,ひる"));
    mw.storeGrid();
    FieldStream in(wb.pageLines[0]);
    QStringList f;
    for (int i = 0; i < 74; ++i) f << in.next();
    EXPECT_EQ(f[2], QStringLiteral("あさ,ひる"));
    EXPECT_TRUE(in.atEnd());
}

TEST_F(WindowTest, ReadingCaptureOnlyWhenTheKanjiReallyChanged) {
    startTyping();
    platform.reading = QStringLiteral("ｶﾝｼﾞ");
    type(1, kColKanji, QStringLiteral("漢字"));
    EXPECT_EQ(cell(1, kColReading), QStringLiteral("かんじ"));
    EXPECT_EQ(mw.grid.at(1).cell(kColReading).backColor, kColorCaptured);
    // Selecting the cell again captures nothing, even with another reading pending.
    platform.reading = QStringLiteral("ｶﾞｯｺｳ");
    mw.onCellClick(1, kColKanji);
    EXPECT_EQ(cell(1, kColReading), QStringLiteral("かんじ"));
    // Typing into before never touches a reading.
    type(1, kColBefore, QStringLiteral("この"));
    EXPECT_EQ(cell(1, kColReading), QStringLiteral("かんじ"));
    // Emptying the kanji cell empties its reading.
    type(1, kColKanji, QString());
    EXPECT_TRUE(cell(1, kColReading).isEmpty());
    // kanji2 fills reading2.
    mw.onCheck3Click(2);
    mw.onEntryTextEdited(QStringLiteral("学校"));
    EXPECT_EQ(cell(2, kColReading2), QStringLiteral("がっこう"));
    EXPECT_TRUE(cell(2, kColReading).isEmpty());
}

TEST_F(WindowTest, AlarmCountsWritingCellsAgainstTheLimit) {
    startTyping();
    type(1, kColBefore, QStringLiteral("あいうえおかきくけこさし"));  // 12
    type(1, kColReading, QStringLiteral("よみがなはかぞえない"));
    type(1, kColKanji, QStringLiteral("漢字"));  // 14
    EXPECT_EQ(mw.grid.at(1).numberColor, kColorRowUsed);
    const int beeps = platform.beeps;
    mw.onCheck3Click(1);
    mw.onEntryTextEdited(QStringLiteral("先生"));  // 16 > 15
    EXPECT_EQ(mw.grid.at(1).cell(kColBefore).backColor, kColorAlarm);
    EXPECT_EQ(mw.grid.at(1).cell(kColReading).backColor, kColorAlarm);
    EXPECT_GT(platform.beeps, beeps);
    mw.onCheck3Click(1);  // hidden second words still count
    EXPECT_EQ(mw.grid.at(1).cell(kColBefore).backColor, kColorAlarm);
    EXPECT_EQ(cell(1, kColKanji2), QStringLiteral("先生"));
    mw.onMenu(QStringLiteral("psp"));  // 狭い: limit 22
    EXPECT_EQ(mw.effectiveLimit(), 22);
    EXPECT_EQ(mw.grid.at(1).cell(kColBefore).backColor, kCellBaseColor[kColBefore]);
    EXPECT_EQ(mw.label11.caption, QStringLiteral("　編集中（文字制限２２字）"));
    EXPECT_EQ(mw.grid.at(2).numberColor, kColorRowEmpty);
}

TEST_F(WindowTest, LimitItemsMoveTheMarkAndTheCaption) {
    startTyping();
    mw.onMenu(QStringLiteral("lon17"));
    mw.onMenu(QStringLiteral("psp"));
    EXPECT_DOUBLE_EQ(mw.readingSpacing, 15.0 / 35.0);
    mw.onMenu(QStringLiteral("pn"));
    EXPECT_EQ(mw.label11.caption, QStringLiteral("　編集中（文字制限１７字）"));
    mw.onMenu(QStringLiteral("psp"));
    mw.onMenu(QStringLiteral("lon10"));
    EXPECT_TRUE(mw.checked("pn"));
    EXPECT_FALSE(mw.checked("psp"));
    EXPECT_TRUE(mw.checked("lon10"));
    EXPECT_FALSE(mw.checked("lon17"));
    EXPECT_EQ(mw.label11.caption, QStringLiteral("　編集中（文字制限１０字）"));
    EXPECT_EQ(mw.effectiveLimit(), 10);
}

TEST_F(WindowTest, PagesHeadingsAndNumbers) {
    startTyping(QStringLiteral("一"));
    EXPECT_EQ(mw.grid.at(1).number, QStringLiteral("1"));
    for (const QString& h : {QStringLiteral("二"), QStringLiteral("三")}) {
        mw.onMenu(QStringLiteral("newD"));
        mw.combo1.text = h;
        mw.registerHeading();
    }
    EXPECT_EQ(mw.statusPanels()[4], QStringLiteral(" 3頁"));
    EXPECT_EQ(mw.grid.at(1).number, QStringLiteral("21"));
    // Enter on the last cell of page 3: No leaves everything, Yes opens page 4.
    mw.onCellClick(10, kColAfter);
    platform.answers = {MessageAnswer::No};
    mw.onEnterInEntryBox();
    EXPECT_EQ(platform.messages.back().text, QStringLiteral("新しいページに移動しますか"));
    EXPECT_EQ(platform.messages.back().title, QStringLiteral("確認"));
    EXPECT_EQ(mw.grid.row, 10);
    mw.onEnterInEntryBox();
    EXPECT_EQ(mw.grid.at(1).number, QStringLiteral("31"));
    EXPECT_EQ(mw.grid.at(10).number, QStringLiteral("40"));
    EXPECT_EQ(mw.combo1.backColor, kColorYellow);
    EXPECT_FALSE(mw.entry.enabled);
    mw.combo1.text.clear();
    mw.registerHeading();
    EXPECT_EQ(wb.headingList.last(), QStringLiteral("れんしゅう"));
    EXPECT_EQ(mw.statusPanels()[4], QStringLiteral(" 4頁"));
    EXPECT_EQ(wb.pageCount, 4);
    EXPECT_EQ(mw.command2.caption, QStringLiteral("登録済み"));
}

TEST_F(WindowTest, ChoosingAPageStoresThePageLeftAndLoadsSecondWords) {
    startTyping(QStringLiteral("一"));
    mw.onCheck3Click(3);
    mw.onEntryTextEdited(QStringLiteral("先生"));
    mw.onMenu(QStringLiteral("newD"));
    mw.combo1.text = QStringLiteral("二");
    mw.registerHeading();
    // A cell filled without a key press (as the lookup panel does) still reaches the page.
    mw.setCellText(1, kColKanji, QStringLiteral("山"));
    mw.choosePage(0);
    EXPECT_EQ(wb.page(1)[slotFieldIndex(1, SlotField::Kanji)], QStringLiteral("山"));
    EXPECT_TRUE(mw.grid.at(3).check3);
    EXPECT_TRUE(mw.grid.at(3).cell(kColKanji2).visible);
    EXPECT_FALSE(mw.grid.at(1).check3);
    EXPECT_EQ(cell(3, kColKanji2), QStringLiteral("先生"));
    EXPECT_EQ(mw.grid.row, 1);
    EXPECT_EQ(mw.grid.col, kColBefore);
    EXPECT_EQ(mw.statusPanels()[4], QStringLiteral(" 1頁"));
}

TEST_F(WindowTest, TemporaryFontShowsThePagesOwnFont) {
    startTyping(QStringLiteral("一"));
    mw.onMenu(QStringLiteral("newD"));
    mw.registerHeading();
    wb.page(0)[kFontField] = QStringLiteral("@ＭＳ 明朝");
    ASSERT_TRUE(mw.checked("tf"));
    mw.choosePage(0);
    EXPECT_EQ(mw.fontName, QStringLiteral("@ＭＳ 明朝"));
}

TEST_F(WindowTest, EnterInTheHeadingBoxRenamesThePageAndItsListItem) {
    startTyping(QStringLiteral("もと"));
    mw.combo1.text = QStringLiteral("あたらしい");
    mw.onHeadingBoxKey(0x01000004);
    EXPECT_EQ(mw.label9.caption, QStringLiteral("あたらしい"));
    EXPECT_EQ(wb.page(0)[0], QStringLiteral("あたらしい"));
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("あたらしい")});
    EXPECT_FALSE(mw.command2.visible);
}

TEST_F(WindowTest, EnterWalksByTheReadingPassOption) {
    startTyping();
    const struct {
        bool pass;
        bool second;
        int from;
        int toRow, toCol;
    } cases[] = {
        {true, false, kColKanji, 1, kColAfter},   {false, false, kColKanji, 1, kColReading},
        {true, false, kColAfter, 2, kColBefore},  {true, true, kColKanji, 1, kColAfter},
        {true, true, kColKanji2, 1, kColAfter2},  {false, true, kColKanji2, 1, kColReading2},
        {true, true, kColAfter, 1, kColKanji2},   {true, true, kColAfter2, 2, kColBefore},
        {false, false, kColBefore, 1, kColKanji},
    };
    for (const auto& c : cases) {
        mw.onMenu(c.pass ? QStringLiteral("yp") : QStringLiteral("nop"));
        mw.setCheck3(1, c.second);
        mw.onCellClick(1, c.from);
        mw.onEnterInEntryBox();
        EXPECT_EQ(mw.grid.row, c.toRow) << c.from << c.pass << c.second;
        EXPECT_EQ(mw.grid.col, c.toCol) << c.from << c.pass << c.second;
    }
}

TEST_F(WindowTest, CursorTypesAndArrows) {
    startTyping();
    mw.onMenu(QStringLiteral("dd"));
    mw.onCellClick(10, kColKanji);
    mw.onEnterInEntryBox();
    EXPECT_EQ(mw.grid.row, 1);
    EXPECT_EQ(mw.grid.col, kColKanji);
    mw.onMenu(QStringLiteral("hck"));
    EXPECT_FALSE(mw.arrowPadVisible);
    mw.onCellClick(2, kColAfter);
    mw.onArrowKey(0x01000014);  // right on after stays
    EXPECT_EQ(mw.grid.col, kColAfter);
    mw.onCheck3Click(2);  // cursor on kanji2
    mw.onArrowKey(0x01000014);
    EXPECT_EQ(mw.grid.col, kColReading2);
    mw.onArrowKey(0x01000013);  // up keeps the column even over a hidden second word
    EXPECT_EQ(mw.grid.row, 1);
    EXPECT_EQ(mw.grid.col, kColReading2);
    // Soft type: between rows a second-word cell goes to the matching first-word cell
    // of a row that hides its second word.
    mw.onMenu(QStringLiteral("sck"));
    mw.onArrowKey(0x01000015);  // keys do nothing now
    EXPECT_EQ(mw.grid.row, 1);
    mw.onCellClick(2, kColAfter2);
    mw.onArrowImageClick(3);
    EXPECT_EQ(mw.grid.row, 3);
    EXPECT_EQ(mw.grid.col, kColAfter);
    mw.onCheck3Click(3);
    mw.onCellClick(3, kColReading2);
    mw.onArrowImageClick(2);
    EXPECT_EQ(mw.grid.row, 2);
    EXPECT_EQ(mw.grid.col, kColReading2);
}

TEST_F(WindowTest, EraseReadingsAndToggleOffKeepsTexts) {
    startTyping();
    type(1, kColReading, QStringLiteral("よみ"));
    mw.onCheck3Click(1);
    mw.onEntryTextEdited(QStringLiteral("先生"));
    type(1, kColReading2, QStringLiteral("せんせい"));
    mw.onMenu(QStringLiteral("hd"));
    EXPECT_TRUE(cell(1, kColReading).isEmpty());
    EXPECT_TRUE(cell(1, kColReading2).isEmpty());
    mw.onCheck3Click(1);
    EXPECT_FALSE(mw.grid.at(1).cell(kColKanji2).visible);
    EXPECT_EQ(mw.grid.at(1).check3Tooltip, QStringLiteral("３マス表示ボタン"));
    mw.storeGrid();
    EXPECT_EQ(wb.page(0)[slotFieldIndex(1, SlotField::Kanji2)], QStringLiteral("先生"));
}
