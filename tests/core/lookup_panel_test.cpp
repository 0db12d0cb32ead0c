// The kanji lookup panel: grade lists and their pages, copying kanji into the grid one word
// at a time or as compounds, undo, the reading search, example sentences, showing and
// hiding, and the practice kanji of the practice book.
#include <gtest/gtest.h>

#include "core/printing/character_list.h"
#include "core/printing/recording_surface.h"
#include "core/printing/sheet_common.h"
#include "main_panels_fixture.h"

namespace {

const QStringList kSmallDictionary{
    QStringLiteral("1,学,がく,まな(ぶ),8"),      QStringLiteral("1,校,こう,,10"),
    QStringLiteral("1,山,さん,やま,3"),          QStringLiteral("1,川,せん,かわ,3"),
    QStringLiteral("1,木,もく・ぼく,き・こ,4"),  QStringLiteral("2,家,か・け,いえ・や,10"),
    QStringLiteral("2,歌,カ,うた・うた(う),14"), QStringLiteral("3,階,かい,,12"),
};

class LookupPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.ok);
        mw.fake.programDir = folder.path();
    }
    void useSmallDictionary() { ASSERT_TRUE(folder.write(QStringLiteral("onkun.txt"), kSmallDictionary)); }
    void useShippedDictionary() { ASSERT_TRUE(folder.installShipped(QStringLiteral("onkun.txt"))); }
    // The captions of cells 0..n-1 joined; empty cells add nothing.
    QString captions(int n = kLookupCells) const {
        QString s;
        for (int k = 0; k < n; ++k) s += panel.label101[static_cast<size_t>(k)].caption;
        return s;
    }
    int filledCells() const {
        int n = 0;
        for (const LookupCell& c : panel.label101) n += c.caption.isEmpty() ? 0 : 1;
        return n;
    }
    QString kanji(int row) { return mw.cell(row, SlotField::Kanji); }
    QString reading(int row) { return mw.cell(row, SlotField::Reading); }
    // Clicks the cell showing ch.
    void click(const QString& ch) {
        for (int k = 0; k < kLookupCells; ++k)
            if (panel.label101[static_cast<size_t>(k)].caption == ch) return panel.onCellClick(k);
        ADD_FAILURE() << "no cell shows " << ch.toStdString();
    }

    ProgramFolder folder;
    FakeMainWindow mw;
    LookupPanel panel{mw};
};

TEST_F(LookupPanelTest, StartsHiddenWithItsDesignCaptions) {
    EXPECT_FALSE(panel.visible);
    EXPECT_EQ(panel.frame1Caption, QStringLiteral("検索/表示"));
    EXPECT_EQ(panel.frame1Tooltip, QStringLiteral("音・訓を選択して検索します"));
    const char* captions[6] = {"1年", "２年", "３年", "４年", "５年", "６年"};
    const int colors[6] = {0x8080FF, 0x80C0FF, 0x80FFFF, 0xC0FFC0, 0xFFFF80, 0xFFC0C0};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(panel.command202[i].caption, QString::fromUtf8(captions[i]));
        EXPECT_EQ(panel.command202[i].tooltip, QStringLiteral("%1年生で習う漢字を表示").arg(i + 1));
        EXPECT_EQ(panel.command202[i].backColor, colors[i]);
    }
    EXPECT_EQ(panel.label101[42].tooltip, QStringLiteral("クッリクするとメインホームにコピーされます"));
    EXPECT_EQ(panel.label101[42].fontSize, 22);
    EXPECT_EQ(panel.command101.caption, QStringLiteral("次へ"));
    EXPECT_EQ(panel.text2Tooltip, QStringLiteral("ひらがなを入力してクリック"));
    EXPECT_TRUE(panel.option1);
    EXPECT_FALSE(panel.option2);
    EXPECT_EQ(panel.command4.caption, QStringLiteral("例文表示"));
    EXPECT_FALSE(panel.command4.visible);
    EXPECT_EQ(panel.label303[4].caption, QStringLiteral("表示された例文をクッリク"));
    EXPECT_EQ(panel.label202.tooltip, QStringLiteral("消去ボタンです"));
}

TEST_F(LookupPanelTest, ShowAndHideSetTheWindowAndTheToolbar) {
    mw.rowOneNumbered = false;
    mw.headingText.clear();
    mw.memoryPanelVisible = true;
    panel.toggle();
    EXPECT_TRUE(panel.visible);
    EXPECT_EQ(mw.width, 12300);
    EXPECT_FALSE(mw.memoryPanelVisible);
    EXPECT_FALSE(mw.arrowPadVisible);
    EXPECT_FALSE(mw.titleVisible);
    EXPECT_EQ(mw.pagesOpened, 1);
    EXPECT_EQ(mw.headingColor, 0x00FFFF);  // yellow: the page awaits its heading
    EXPECT_EQ(mw.tools[12].picture, 27);
    for (int b : {25, 27}) {
        EXPECT_TRUE(mw.tools[b].visible) << b;
        EXPECT_TRUE(mw.tools[b].enabled) << b;
    }
    EXPECT_TRUE(panel.command4.visible);
    EXPECT_TRUE(panel.label101[99].visible);
    EXPECT_EQ(panel.q, 1);

    useSmallDictionary();
    panel.onGradeClick(1);
    ASSERT_EQ(captions(), QStringLiteral("学校山川木"));
    panel.toggle();
    EXPECT_FALSE(panel.visible);
    EXPECT_EQ(mw.width, 9700);
    EXPECT_TRUE(mw.arrowPadVisible);
    EXPECT_FALSE(mw.memoryPanelVisible);
    EXPECT_EQ(mw.tools[12].picture, 28);
    for (int b : {23, 24, 25, 27}) EXPECT_FALSE(mw.tools[b].visible) << b;
    EXPECT_FALSE(mw.menus.value(QStringLiteral("hth")));
    EXPECT_EQ(captions(), QString());
    EXPECT_FALSE(panel.label101[0].visible);
    EXPECT_FALSE(panel.command4.visible);
    EXPECT_EQ(mw.dictionary.result.count, 0);

    // Shown again on a page that has its heading: white heading box, no new page.
    mw.headingText = QStringLiteral("一学期");
    panel.toggle();
    EXPECT_EQ(mw.headingColor, 0xFFFFFF);
    EXPECT_EQ(mw.pagesOpened, 1);
}

// Every grade pages through as many pages of a hundred as its list needs: grade 4 (202
// kanji) has a third page with two cells; "戻る" on the last page leads back to the first.
TEST_F(LookupPanelTest, GradesPageThroughEveryHundredKanji) {
    useShippedDictionary();
    panel.show();
    const struct {
        int grade, count, pages;
        const char* first;      // list row 1
        const char* lastShown;  // the last list row
    } cases[] = {
        {1, 80, 1, "一", "六"},        {3, 200, 2, "悪", "和"},       {4, 202, 3, "愛", "録"},
        {2, 160, 2, nullptr, nullptr}, {5, 193, 2, nullptr, nullptr}, {6, 191, 2, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grade);
        panel.onGradeClick(c.grade);
        ASSERT_EQ(mw.dictionary.result.count, c.count);
        EXPECT_EQ(panel.pageCount(), c.pages);
        if (c.first) {
            EXPECT_EQ(panel.label101[0].caption, QString::fromUtf8(c.first));
        }
        const int color = kGradeColors[static_cast<size_t>(c.grade)];
        EXPECT_EQ(panel.command4.backColor, color);
        // The grade table keeps every line: ten kanji a line.
        ASSERT_EQ(panel.gradeTable.size(), (c.count + 9) / 10);
        EXPECT_EQ(panel.gradeTable.join(QString()).size(), c.count);
        for (int p = 0; p < c.pages; ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(panel.page, p);
            // A list of one page never reads "戻る".
            EXPECT_EQ(panel.command101.caption,
                      p + 1 < c.pages || c.pages == 1 ? QStringLiteral("次へ") : QStringLiteral("戻る"));
            EXPECT_EQ(panel.command101.enabled, c.pages > 1);
            const int onPage = std::min(100, c.count - 100 * p);
            EXPECT_EQ(filledCells(), onPage);
            for (int k = 0; k < 100; ++k) {
                const LookupCell& cell = panel.label101[static_cast<size_t>(k)];
                if (k < onPage) {
                    const DictionaryRecord& rec = mw.dictionary.result.row(100 * p + k + 1);
                    ASSERT_EQ(cell.caption, rec[kKanjiField]) << k;
                    EXPECT_TRUE(cell.tooltip.contains(rec[kOnField])) << k;
                    EXPECT_TRUE(cell.tooltip.contains(rec[kKunField])) << k;
                    EXPECT_EQ(cell.backColor, color) << k;
                } else {
                    EXPECT_EQ(cell.caption, QString()) << k;
                    EXPECT_EQ(cell.backColor, 0xFFFFFF) << k;
                }
            }
            if (p + 1 == c.pages && c.lastShown) {
                EXPECT_EQ(panel.label101[static_cast<size_t>(onPage - 1)].caption,
                          QString::fromUtf8(c.lastShown));
            }
            panel.onPageButton();
        }
        // Past the last page: back on the first.
        EXPECT_EQ(panel.page, 0);
        EXPECT_EQ(panel.label101[0].caption, mw.dictionary.result.row(1)[kKanjiField]);
    }
    EXPECT_EQ(mw.pageCommandsEnabled, 6);
    EXPECT_TRUE(mw.menus.value(QStringLiteral("hth")));
}

// A list of one page: the page button reads "次へ" and stays disabled, whatever the teacher
// clicks (a grade, a cell, a search, a cell of the search's list).
TEST_F(LookupPanelTest, AOnePageListNeverReadsBack) {
    useSmallDictionary();
    panel.show();
    const auto expectNext = [&](const char* after) {
        SCOPED_TRACE(after);
        EXPECT_EQ(panel.pageCount(), 1);
        EXPECT_EQ(panel.command101.caption, QStringLiteral("次へ"));
        EXPECT_FALSE(panel.command101.enabled);
    };
    panel.onGradeClick(1);
    expectNext("grade click");
    click(QStringLiteral("山"));
    expectNext("cell click");
    panel.onPageButton();
    expectNext("page button");
    panel.setSearchText(QStringLiteral("か"));
    panel.onSearch();
    expectNext("search");
    click(QStringLiteral("家"));
    expectNext("cell click in the search's list");
}

TEST_F(LookupPanelTest, Grade4GradeTableHas21LinesAndTheThirdPageTwoKanji) {
    useShippedDictionary();
    panel.show();
    panel.onGradeClick(4);
    ASSERT_EQ(panel.gradeTable.size(), 21);
    EXPECT_EQ(panel.gradeTable[0].size(), 10);
    EXPECT_EQ(panel.gradeTable[0].left(1), QStringLiteral("愛"));
    EXPECT_EQ(panel.gradeTable[20], QStringLiteral("労録"));
    panel.onPageButton();
    panel.onPageButton();
    EXPECT_EQ(captions(), QStringLiteral("労録"));
    EXPECT_EQ(panel.command101.caption, QStringLiteral("戻る"));
}

TEST_F(LookupPanelTest, PrintButtonsFollowCell0AndThePageOfTheList) {
    useShippedDictionary();
    panel.show();
    panel.onGradeClick(3);
    for (int b : {23, 24}) {
        EXPECT_TRUE(mw.tools[b].visible) << b;
        EXPECT_TRUE(mw.tools[b].enabled) << b;
    }
    // The second page shows kanji in cell 0, which offers the prints again.
    panel.onPageButton();
    EXPECT_TRUE(mw.tools[23].visible);
    EXPECT_TRUE(mw.tools[23].enabled);
    // A search that finds nothing empties cell 0: the prints go.
    panel.setSearchText(QStringLiteral("ゑ"));
    panel.onSearch();
    EXPECT_EQ(filledCells(), 0);
    for (int b : {23, 24}) {
        EXPECT_FALSE(mw.tools[b].visible) << b;
        EXPECT_FALSE(mw.tools[b].enabled) << b;
    }
}

TEST_F(LookupPanelTest, EachGradeClickReloadsTheDictionaryOfTheCompanyInPanel5) {
    useSmallDictionary();
    ASSERT_TRUE(folder.write(QStringLiteral("三省堂_onkun.txt"), {QStringLiteral("1,一,いち,ひと,1")}));
    panel.show();
    panel.onGradeClick(1);
    EXPECT_EQ(captions(), QStringLiteral("学校山川木"));
    mw.companyName = QStringLiteral("三省堂");
    panel.onGradeClick(1);
    EXPECT_EQ(captions(), QStringLiteral("一"));
    mw.companyName = QStringLiteral("光村図書");  // not installed
    panel.onGradeClick(1);
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    EXPECT_TRUE(mw.fake.messages[0].text.startsWith(folder.path() + QStringLiteral("/光村図書_onkun.txt")));
    EXPECT_EQ(captions(), QString());
    EXPECT_TRUE(panel.gradeTable.isEmpty());
    EXPECT_FALSE(mw.tools[23].visible);
}

TEST_F(LookupPanelTest, OneWordAtATimeFillsTheEmptyRowsInTurnAndAnEmptyCellUndoes) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    mw.setRow(2, QStringLiteral("毎日"), QStringLiteral("歩"), QStringLiteral("ある"), QStringLiteral("く"));
    click(QStringLiteral("学"));
    click(QStringLiteral("校"));
    click(QStringLiteral("山"));
    EXPECT_EQ(kanji(1), QStringLiteral("学"));
    EXPECT_EQ(reading(1), QStringLiteral("がく"));
    EXPECT_EQ(kanji(2), QStringLiteral("歩"));  // a filled row is passed over
    EXPECT_EQ(kanji(3), QStringLiteral("校"));
    EXPECT_EQ(reading(3), QStringLiteral("こう"));
    EXPECT_EQ(kanji(4), QStringLiteral("山"));
    EXPECT_EQ(panel.q, 4);
    // The clicked cell carries the border, the others the example button's colour.
    EXPECT_TRUE(panel.label101[2].border);
    EXPECT_FALSE(panel.label101[0].border);
    EXPECT_EQ(panel.label101[0].backColor, kGradeColors[1]);

    panel.onCellClick(99);  // empty: the last filled row is emptied again
    EXPECT_EQ(kanji(4), QString());
    EXPECT_EQ(reading(4), QString());
    EXPECT_EQ(panel.q, 4);
    panel.onCellClick(99);  // row 3 (q was 4 again, the first row without kanji)
    EXPECT_EQ(kanji(3), QString());
    EXPECT_EQ(kanji(2), QStringLiteral("歩"));
    EXPECT_EQ(panel.q, 3);
    EXPECT_TRUE(panel.label101[99].border);
}

TEST(LookupReadings, AClickCopiesTheFirstReadingWithoutItsOkurigana) {
    const struct {
        const char* field;
        const char* reading;
    } cases[] = {
        {"い(きる)・い(かす)・い(ける)・う(まれる)・き・なま", "い"},
        {"いち・いつ", "いち"},
        {"ひと・ひと(つ)", "ひと"},
        {"まな(ぶ)", "まな"},
        {"ひと（つ）", "ひと"},
        {"", ""},
        {"い.きる・なま", "い"},  // KANJIDIC's dot
        {"-き・なま", "き"},      // and its suffix mark
        {"カン・ケン", "かん"},   // katakana readings become furigana
        {"・あ、い", "あ"},
        {"あ、い", "あ"},
        {"あ い", "あ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstReading(QString::fromUtf8(c.field)), QString::fromUtf8(c.reading)) << c.field;
}

// The cell's tooltip keeps every reading one glance away.
TEST_F(LookupPanelTest, OneReadingIsCopiedAndTheTooltipHoldsThemAll) {
    useShippedDictionary();
    panel.show();
    panel.onGradeClick(1);
    const struct {
        bool on;
        const char* kanji;
        const char* reading;
    } cases[] = {
        {false, "生", "い"},   {true, "生", "せい"},   {true, "一", "いち"}, {false, "一", "ひと"},
        {false, "下", "した"}, {true, "中", "ちゅう"}, {false, "王", ""},  // 王 has no kun reading
    };
    int row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kanji);
        if (c.on)
            panel.onOption1Click();
        else
            panel.onOption2Click();
        click(QString::fromUtf8(c.kanji));
        EXPECT_EQ(kanji(row), QString::fromUtf8(c.kanji));
        EXPECT_EQ(reading(row), QString::fromUtf8(c.reading));
        ++row;
    }
    const auto tooltipOf = [&](const QString& ch) {
        for (const LookupCell& cell : panel.label101)
            if (cell.caption == ch) return cell.tooltip;
        ADD_FAILURE() << "no cell shows " << ch.toStdString();
        return QString();
    };
    EXPECT_EQ(tooltipOf(QStringLiteral("生")),
              QStringLiteral("音：せい・しょう\n訓：い(きる)・い(かす)・い(ける)・う(まれる)・"
                             "う(む)・お(う)・は(える)・は(やす)・き・なま"));
    EXPECT_EQ(tooltipOf(QStringLiteral("王")), QStringLiteral("音：おう"));
    EXPECT_EQ(tooltipOf(QStringLiteral("貝")), QStringLiteral("訓：かい"));
}

// A compound built from several clicks takes its own reading where the dictionary knows the
// word, and the readings of its kanji in turn where it does not.
TEST_F(LookupPanelTest, ACompoundTakesItsOwnReading) {
    useSmallDictionary();
    const struct {
        bool on;
        const char* first;
        const char* second;
        const char* kanji;
        const char* reading;
    } cases[] = {
        {true, "学", "校", "学校", "がっこう"},   // not がくこう
        {false, "山", "川", "山川", "やまかわ"},  // a family name to the dictionary: the kanji in turn
        {true, "木", "山", "木山", "もくさん"},
        {false, "校", "学", "校学", "まな"},  // 校 has no kun reading
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kanji);
        FakeMainWindow host;
        host.fake.programDir = folder.path();
        LookupPanel p(host);
        p.show();
        p.onGradeClick(1);
        host.setRow(1, {}, QStringLiteral("一"), QStringLiteral("いち"), {});
        if (c.on)
            p.onOption1Click();
        else
            p.onOption2Click();
        EXPECT_EQ(p.option1, c.on);
        EXPECT_EQ(p.option2, !c.on);
        const auto clickKanji = [&](const char* ch) {
            for (int k = 0; k < kLookupCells; ++k)
                if (p.label101[static_cast<size_t>(k)].caption == QString::fromUtf8(ch))
                    return p.onCellClick(k);
            ADD_FAILURE() << "no cell shows " << ch;
        };
        // The first click picks the target row (2), then compound mode keeps it.
        clickKanji(c.first);
        p.onCheck1Click();
        ASSERT_TRUE(p.check1);
        clickKanji(c.second);
        EXPECT_EQ(host.cell(2, SlotField::Kanji), QString::fromUtf8(c.kanji));
        EXPECT_EQ(host.cell(2, SlotField::Reading), QString::fromUtf8(c.reading));
        EXPECT_EQ(host.cell(1, SlotField::Kanji), QStringLiteral("一"));
        EXPECT_EQ(host.cell(3, SlotField::Kanji), QString());
    }
}

TEST_F(LookupPanelTest, CompoundModeStopsOnEntryFocusAndItsUndoEmptiesItsOwnRow) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    mw.setRow(1, {}, QStringLiteral("一"), QStringLiteral("いち"), {});
    click(QStringLiteral("学"));  // row 2
    panel.onCheck1Click();
    click(QStringLiteral("校"));
    ASSERT_EQ(kanji(2), QStringLiteral("学校"));
    panel.onCellClick(99);  // the compound is taken back; row 1 stays
    EXPECT_EQ(kanji(2), QString());
    EXPECT_EQ(reading(2), QString());
    EXPECT_EQ(kanji(1), QStringLiteral("一"));
    EXPECT_EQ(panel.q, 2);
    click(QStringLiteral("山"));
    click(QStringLiteral("川"));
    EXPECT_EQ(kanji(2), QStringLiteral("山川"));
    EXPECT_EQ(reading(2), QStringLiteral("さんせん"));

    panel.onEntryBoxFocus();
    EXPECT_FALSE(panel.check1);
    click(QStringLiteral("木"));
    EXPECT_EQ(kanji(3), QStringLiteral("木"));
    EXPECT_EQ(kanji(2), QStringLiteral("山川"));
}

TEST_F(LookupPanelTest, ClearButtonWalksBackFromTheTargetRow) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    click(QStringLiteral("学"));
    click(QStringLiteral("校"));
    ASSERT_EQ(panel.q, 2);
    panel.onClearButton();
    EXPECT_EQ(kanji(2), QString());
    EXPECT_EQ(kanji(1), QStringLiteral("学"));
    EXPECT_EQ(panel.q, 1);
    panel.onClearButton();
    EXPECT_EQ(kanji(1), QString());
    EXPECT_EQ(reading(1), QString());
    EXPECT_EQ(panel.q, 0);
    mw.setRow(10, {}, QStringLiteral("川"), QStringLiteral("かわ"), {});
    panel.onClearButton();  // no row 0: nothing happens
    EXPECT_EQ(panel.q, 0);
    EXPECT_EQ(kanji(10), QStringLiteral("川"));
}

// With every row filled, a copy goes to the row the teacher chose, and only when the teacher
// says so; without a chosen row it goes nowhere and says why.
TEST_F(LookupPanelTest, WithEveryRowFilledACopyReplacesOnlyTheChosenRowAndOnlyWhenAsked) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    for (int r = 1; r <= 9; ++r) mw.setRow(r, {}, QStringLiteral("一"), QStringLiteral("いち"), {});
    click(QStringLiteral("学"));
    ASSERT_EQ(kanji(10), QStringLiteral("学"));
    ASSERT_TRUE(mw.fake.messages.empty());

    click(QStringLiteral("校"));  // no row chosen
    EXPECT_EQ(kanji(1), QStringLiteral("一"));
    EXPECT_EQ(kanji(10), QStringLiteral("学"));
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    EXPECT_EQ(mw.fake.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(mw.fake.messages[0].text.startsWith(QStringLiteral("空いている行がない")));

    mw.cursorRow = 7;
    mw.fake.answers = {MessageAnswer::No};
    click(QStringLiteral("校"));
    ASSERT_EQ(mw.fake.messages.size(), 2u);
    EXPECT_EQ(mw.fake.messages[1].text,
              QStringLiteral("7行目には問題「一」が入っています。\n「校」で置き換えますか？"));
    EXPECT_EQ(mw.fake.messages[1].buttons, MessageButtons::YesNo);
    for (int r = 1; r <= 9; ++r) EXPECT_EQ(kanji(r), QStringLiteral("一")) << r;

    mw.fake.answers = {MessageAnswer::Yes};
    click(QStringLiteral("校"));
    EXPECT_EQ(kanji(7), QStringLiteral("校"));
    EXPECT_EQ(reading(7), QStringLiteral("こう"));
    EXPECT_EQ(kanji(1), QStringLiteral("一"));
    EXPECT_EQ(kanji(10), QStringLiteral("学"));
}

// The row the teacher chose takes the copy while its word is empty, though rows above it are
// empty too; a chosen row that holds a word sends the copy to the first empty row, silently.
TEST_F(LookupPanelTest, ACopyGoesToTheChosenRowWhileItIsEmpty) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    mw.cursorRow = 7;
    click(QStringLiteral("山"));
    EXPECT_EQ(kanji(7), QStringLiteral("山"));
    EXPECT_EQ(kanji(1), QString());
    click(QStringLiteral("川"));  // row 7 holds 山 now: the first empty row
    EXPECT_EQ(kanji(1), QStringLiteral("川"));
    EXPECT_EQ(kanji(7), QStringLiteral("山"));
    EXPECT_TRUE(mw.fake.messages.empty());
    // An empty cell takes back the last copy.
    for (int k = 0; k < kLookupCells; ++k)
        if (panel.label101[static_cast<size_t>(k)].caption.isEmpty()) {
            panel.onCellClick(k);
            break;
        }
    EXPECT_EQ(kanji(1), QString());
    EXPECT_EQ(kanji(7), QStringLiteral("山"));
}

TEST_F(LookupPanelTest, ReadingSearchListsEveryKanjiWithAReadingStartingWithTheText) {
    useSmallDictionary();
    panel.show();
    const struct {
        const char* text;
        bool on;
        const char* found;
    } cases[] = {
        {"か", true, "家歌階"}, {"け", true, "家"},      {"ぼく", true, "木"},  {"ガク", true, "学"},
        {"ｶｲ", true, "階"},     {"うたう", false, "歌"}, {"や", false, "山家"}, {"こ", false, "木"},
        {"", true, ""},         {"かいだん", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        if (c.on)
            panel.onOption1Click();
        else
            panel.onOption2Click();
        panel.setSearchText(QString::fromUtf8(c.text));
        panel.onSearch();
        EXPECT_EQ(panel.grade, 0);
        EXPECT_EQ(captions(), QString::fromUtf8(c.found));
        // Cells are coloured by the grade of the kanji they show.
        for (int k = 0; k < kLookupCells; ++k) {
            const LookupCell& cell = panel.label101[static_cast<size_t>(k)];
            if (cell.caption == u"家" || cell.caption == u"歌") {
                EXPECT_EQ(cell.backColor, kGradeColors[2]);
            }
            if (cell.caption.isEmpty()) {
                EXPECT_EQ(cell.backColor, 0xFFFFFF);
            }
        }
    }
    // The dictionary was read for the first search; nothing was reported.
    EXPECT_TRUE(mw.fake.messages.empty());
}

TEST_F(LookupPanelTest, AClickAfterTheSearchTextChangedCopiesTheKanjiShown) {
    useSmallDictionary();
    panel.show();
    panel.setSearchText(QStringLiteral("さ"));
    panel.onSearch();
    ASSERT_EQ(captions(), QStringLiteral("山"));
    panel.setSearchText(QStringLiteral("せ"));  // typed, Enter not pressed
    panel.onCellClick(0);
    EXPECT_EQ(kanji(1), QStringLiteral("山"));
    EXPECT_EQ(reading(1), QStringLiteral("さん"));
    EXPECT_EQ(captions(), QStringLiteral("山"));
}

class ExampleTest : public LookupPanelTest {
protected:
    void SetUp() override {
        LookupPanelTest::SetUp();
        useSmallDictionary();
        ASSERT_TRUE(folder.write(
            QStringLiteral("base.moj"),
            {exampleLine(QStringLiteral("一"),
                         {{QStringLiteral("毎日"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                           QStringLiteral("へ行く。")},
                          {QStringLiteral("兄は"), QStringLiteral("大学"), QStringLiteral("だいがく"),
                           QStringLiteral("生です。")},
                          {QStringLiteral("姉は"), QStringLiteral("天文学"), QStringLiteral("てんもんがく"),
                           QStringLiteral("が好きだ。")},
                          {QStringLiteral("高い"), QStringLiteral("山"), QStringLiteral("やま"),
                           QStringLiteral("に登る。")}}),
             exampleLine(QStringLiteral("二"), {{QStringLiteral("よく"), QStringLiteral("学"),
                                                 QStringLiteral("まな"), QStringLiteral("ぶ。")},
                                                {QStringLiteral("理科の"), QStringLiteral("化学"),
                                                 QStringLiteral("かがく"), QStringLiteral("。")},
                                                {QStringLiteral("漢字の"), QStringLiteral("学習"),
                                                 QStringLiteral("がくしゅう"), QStringLiteral("をする。")}}),
             exampleLine(QStringLiteral("三"), {{QStringLiteral("同じ"), QStringLiteral("学年"),
                                                 QStringLiteral("がくねん"), QStringLiteral("の友達。")}})}));
        panel.show();
        panel.onGradeClick(1);
    }
    QStringList lines() const {
        QStringList l;
        for (int n = 0; n < 4; ++n) l << panel.label303[static_cast<size_t>(n)].caption;
        return l;
    }
};

TEST_F(ExampleTest, AtMostFourExamplesInFileOrderWithTheKanjiFirstOrSecond) {
    panel.onExampleModeToggle();
    ASSERT_EQ(panel.command4.caption, QStringLiteral("例文非表示"));
    EXPECT_EQ(mw.book.exampleCount, 3);
    for (const LabelControl& l : panel.label303) EXPECT_TRUE(l.visible);
    click(QStringLiteral("学"));
    // 天文学 has 学 third: not an example. 学習 and 学年 come after the fourth.
    EXPECT_EQ(lines(), QStringList({QStringLiteral("毎日学校へ行く。"), QStringLiteral("兄は大学生です。"),
                                    QStringLiteral("よく学ぶ。"), QStringLiteral("理科の化学。")}));
    EXPECT_EQ(panel.examples[1].before, QStringLiteral("兄は"));
    EXPECT_EQ(panel.examples[1].kanji, QStringLiteral("大学"));
    EXPECT_EQ(panel.examples[1].reading, QStringLiteral("だいがく"));
    EXPECT_EQ(panel.examples[1].after, QStringLiteral("生です。"));
    // In example mode nothing is copied into the grid.
    EXPECT_EQ(kanji(1), QString());

    click(QStringLiteral("山"));
    EXPECT_EQ(lines(), QStringList({QStringLiteral("高い山に登る。"), {}, {}, {}}));
    click(QStringLiteral("川"));
    EXPECT_EQ(lines(), QStringList({{}, {}, {}, {}}));
    click(QStringLiteral("学"));
    panel.onCellClick(99);  // an empty cell finds nothing
    EXPECT_EQ(lines(), QStringList({{}, {}, {}, {}}));
}

TEST_F(ExampleTest, AClickOnAnExampleFillsTheFirstRowWithoutKanji) {
    panel.onExampleModeToggle();
    mw.setRow(1, QStringLiteral("毎朝"), QStringLiteral("早"), QStringLiteral("はや"),
              QStringLiteral("く起きる。"));
    click(QStringLiteral("学"));
    panel.onExampleClick(1);
    EXPECT_EQ(mw.cell(2, SlotField::Before), QStringLiteral("兄は"));
    EXPECT_EQ(mw.cell(2, SlotField::Kanji), QStringLiteral("大学"));
    EXPECT_EQ(mw.cell(2, SlotField::Reading), QStringLiteral("だいがく"));
    EXPECT_EQ(mw.cell(2, SlotField::After), QStringLiteral("生です。"));
    EXPECT_EQ(kanji(1), QStringLiteral("早"));
    panel.onExampleClick(1);  // the same example again goes to row 3
    EXPECT_EQ(kanji(3), QStringLiteral("大学"));
    // The hint and empty lines copy nothing.
    panel.onExampleClick(4);
    click(QStringLiteral("山"));
    panel.onExampleClick(2);
    EXPECT_EQ(kanji(4), QString());
    // No row without kanji: the chosen row, when the teacher says so.
    for (int r = 4; r <= 10; ++r) mw.setRow(r, {}, QStringLiteral("一"), {}, {});
    mw.fake.messages.clear();
    panel.onExampleClick(0);  // no row chosen: nothing, and a word why
    for (int r = 4; r <= 10; ++r) EXPECT_EQ(mw.cell(r, SlotField::Before), QString()) << r;
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    mw.cursorRow = 5;
    mw.fake.answers = {MessageAnswer::No};
    panel.onExampleClick(0);
    EXPECT_EQ(kanji(5), QStringLiteral("一"));
    EXPECT_EQ(mw.fake.messages.back().text,
              QStringLiteral("5行目には問題「一」が入っています。\nこの例文で置き換えますか？"));
    mw.fake.answers = {MessageAnswer::Yes};
    click(QStringLiteral("学"));  // its examples again (the click itself copies nothing: examples are on)
    panel.onExampleClick(1);
    EXPECT_EQ(kanji(5), QStringLiteral("大学"));
    EXPECT_EQ(mw.cell(5, SlotField::Before), QStringLiteral("兄は"));
}

TEST_F(ExampleTest, TogglingAsksForAHeadingAndSwitchesCompoundModeOff) {
    mw.heading9 = QStringLiteral("頁の見出し");
    panel.onCheck1Click();
    panel.onExampleModeToggle();
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    EXPECT_EQ(mw.fake.messages[0].text, QStringLiteral("新しい頁の見出しを登録をしてください"));
    EXPECT_EQ(mw.fake.messages[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(mw.fake.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(mw.headingColor, 0x00FFFF);
    EXPECT_TRUE(mw.registerShown);
    EXPECT_EQ(mw.headingFocus, 1);
    EXPECT_FALSE(panel.check1);
    EXPECT_EQ(panel.command4.caption, QStringLiteral("例文非表示"));

    panel.onCheck1Click();
    panel.onExampleModeToggle();
    EXPECT_EQ(panel.command4.caption, QStringLiteral("例文表示"));
    for (const LabelControl& l : panel.label303) EXPECT_FALSE(l.visible);
    EXPECT_FALSE(panel.check1);
    EXPECT_EQ(mw.headingFocus, 2);
    EXPECT_EQ(mw.fake.messages.size(), 1u);
    // Copying works again.
    click(QStringLiteral("川"));
    EXPECT_EQ(kanji(1), QStringLiteral("川"));
}

TEST_F(LookupPanelTest, AMissingExampleFileIsReportedAndFindsNothing) {
    useSmallDictionary();
    panel.show();
    panel.onGradeClick(1);
    panel.onExampleModeToggle();
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    EXPECT_EQ(mw.fake.messages[0].text,
              folder.path() + QStringLiteral("/base.moj が見つかりません。例文は表示できません。"));
    click(QStringLiteral("学"));
    for (int n = 0; n < 4; ++n) EXPECT_EQ(panel.label303[static_cast<size_t>(n)].caption, QString()) << n;
}

TEST_F(LookupPanelTest, ThePracticeBookPrintsTheSelectedCellWhateverItShowsNow) {
    useSmallDictionary();
    panel.show();
    RecordingSurface none;
    EXPECT_EQ(panel.practiceKanjiToPrint(), QString());
    panel.drawPracticeBook(none, QStringLiteral("ＭＳ 明朝"), {}, ModelShift{});
    EXPECT_TRUE(none.textsOfSize(160).empty());
    EXPECT_EQ(panel.practiceKanji, QString());

    panel.onGradeClick(2);
    panel.onCellClick(1);   // 歌
    panel.onGradeClick(1);  // cell 1 now shows 校
    RecordingSurface rs;
    EXPECT_EQ(panel.practiceKanjiToPrint(), QStringLiteral("校"));
    panel.drawPracticeBook(rs, QStringLiteral("ＭＳ 明朝"), {}, ModelShift{});
    ASSERT_EQ(rs.textsOfSize(160).size(), 1u);
    EXPECT_EQ(rs.textsOfSize(160)[0].text, QStringLiteral("校"));
    EXPECT_EQ(panel.practiceKanji, QStringLiteral("校"));

    panel.onCellClick(50);  // empty
    RecordingSurface empty;
    EXPECT_EQ(panel.practiceKanjiToPrint(), QString());
    panel.drawPracticeBook(empty, QStringLiteral("ＭＳ 明朝"), {}, ModelShift{});
    EXPECT_TRUE(empty.textsOfSize(160).empty());
    EXPECT_EQ(panel.practiceKanji, QString());
}

TEST_F(LookupPanelTest, StrokeOrderNeedsItsFace) {
    panel.onStrokeOrderClick();
    EXPECT_FALSE(panel.strokeOrder);
    ASSERT_EQ(mw.fake.messages.size(), 1u);
    EXPECT_TRUE(mw.fake.messages[0].text.contains(QStringLiteral("KanjiStrokeOrders")));

    panel.strokeOrderFaceInstalled = true;
    panel.onStrokeOrderClick();
    EXPECT_TRUE(panel.strokeOrder);
    panel.onStrokeOrderClick();
    EXPECT_FALSE(panel.strokeOrder);
    EXPECT_EQ(mw.fake.messages.size(), 1u);
}

TEST(GradeTableLines, TenKanjiALineAsManyLinesAsNeeded) {
    DictionaryTable list;
    const struct {
        int count;
        int lines;
        int lastLength;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {10, 1, 10}, {11, 2, 1}, {80, 8, 10}, {202, 21, 2}};
    for (const auto& c : cases) {
        list.clear();
        for (int r = 1; r <= c.count; ++r) list.row(r)[kKanjiField] = QString(QChar(0x4E00 + r));
        list.count = c.count;
        const QStringList lines = gradeTableLines(list);
        ASSERT_EQ(lines.size(), c.lines) << c.count;
        if (c.lines > 0) {
            EXPECT_EQ(lines.last().size(), c.lastLength) << c.count;
            EXPECT_EQ(lines[0][0], QChar(0x4E01));
        }
    }
}

}  // namespace
