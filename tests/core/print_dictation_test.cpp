// The dictation test sheet in both layouts, pinned to the twip.
#include <gtest/gtest.h>

#include <QStringList>

#include "core/printing/dictation_sheet.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// Row 1: a two-kanji word after three characters. Row 3: no text before, a one-kanji word
// and a second word. Row 5: text without a word. Row 7: a five-kanji word.
PrintPage dictationPage() {
    return makePage(QStringLiteral("三年生"),
                    {{1,
                      {QStringLiteral("きのう"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                       QStringLiteral("へ行った。")}},
                     {3,
                      {QString(), QStringLiteral("森"), QStringLiteral("もり"), QStringLiteral("の中。"),
                       QStringLiteral("木"), QStringLiteral("き"), QStringLiteral("がある。")}},
                     {5, {QStringLiteral("あいう"), {}, {}, {}}},
                     {7,
                      {QStringLiteral("この"), QStringLiteral("五文字の語"), QStringLiteral("ごもじのご"),
                       QStringLiteral("だ")}}});
}

SheetInput input(const PrintPage& pg, bool boxes = true) {
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    in.options.answerBoxes = boxes;
    return in;
}

const QString kSp = QStringLiteral("　");
QString spaces(int n) {
    return kSp.repeated(n);
}

TEST(DictationSheet, SetsUpA4InTheLayoutsOrientation) {
    for (auto [layout, orientation] :
         {std::pair{SheetLayout::CharacterPlaced, 2}, std::pair{SheetLayout::RotatedFont, 1}}) {
        const PrintPage pg = dictationPage();
        RecordingSurface rs;
        printDictationSheet(rs, layout, input(pg));
        ASSERT_GE(rs.ops().size(), 3u);
        EXPECT_EQ(rs.ops()[0].kind, Kind::Paper);
        EXPECT_EQ(rs.ops()[0].value, 9);
        EXPECT_EQ(rs.ops()[1].kind, Kind::Orientation);
        EXPECT_EQ(rs.ops()[1].value, orientation);
        for (const Op& t : rs.texts()) {
            EXPECT_EQ(t.font, QStringLiteral("ＭＳ 明朝"));
            EXPECT_EQ(t.color, 0);
        }
        EXPECT_TRUE(rs.ofKind(Kind::NewPage).empty());
        EXPECT_TRUE(rs.ofKind(Kind::EndDocument).empty());
    }
}

// The problem lines: circled number, before, a gap of two cells per kanji, after.
TEST(DictationSheet, CharacterPlacedLinesRunDownColumnsFromTheRight) {
    const PrintPage pg = dictationPage();
    RecordingSurface rs;
    printDictationSheet(rs, SheetLayout::CharacterPlaced, input(pg));
    struct Case {
        int problem;
        QString line;    // from 600 down, 500 apart
        QString after2;  // after the second gap
        int after2Cell;
    } cases[] = {
        {1, QStringLiteral("①きのう") + spaces(4) + QStringLiteral("へ行った。"), {}, 0},
        {2, QStringLiteral("②"), {}, 0},
        {3, QStringLiteral("③") + spaces(2) + QStringLiteral("の中。"), QStringLiteral("がある。"), 6 + 2},
        {5, QStringLiteral("⑤あいう"), {}, 0},
        {7, QStringLiteral("⑦この") + spaces(10) + QStringLiteral("だ"), {}, 0},
        {10, QStringLiteral("⑩"), {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const auto col = column(rs, kPlacedTextX[c.problem], 20);
        ASSERT_EQ(joined(col), c.line + c.after2);
        for (size_t k = 0; k < col.size(); ++k) {
            const double cell = k < static_cast<size_t>(c.line.size())
                                    ? static_cast<double>(k)
                                    : c.after2Cell + static_cast<double>(k) - c.line.size();
            EXPECT_DOUBLE_EQ(col[k].y(), 600 + 500 * cell) << k;
        }
    }
}

TEST(DictationSheet, RotatedRowsCarryTheNumberInFrontOfBefore) {
    const PrintPage pg = dictationPage();
    RecordingSurface rs;
    printDictationSheet(rs, SheetLayout::RotatedFont, input(pg));
    struct Case {
        int problem;
        QString line;  // characters placed one by one at a pitch of 529
        QString after2;
    } cases[] = {
        {1, QStringLiteral("①きのう") + spaces(4) + QStringLiteral("へ行った。"), {}},
        {3, QStringLiteral("③") + spaces(2) + QStringLiteral("の中。"), QStringLiteral("がある。")},
        {7, QStringLiteral("⑦この") + spaces(10) + QStringLiteral("だ"), {}},
        {10, QStringLiteral("⑩"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.problem);
        const auto r = row(rs, kRotatedTextY[c.problem], 20);
        std::vector<Op> chars, strings;
        for (const Op& op : r) (op.text.size() == 1 ? chars : strings).push_back(op);
        EXPECT_EQ(joined(chars), c.line);
        for (size_t k = 0; k < chars.size(); ++k)
            EXPECT_DOUBLE_EQ(chars[k].x(), 300 + 529.0 * static_cast<double>(k));
        if (c.after2.isEmpty()) {
            EXPECT_TRUE(strings.empty());
        } else {
            // after2 is one string after the line and the second gap: 300 + 529·(6 + 2).
            ASSERT_EQ(strings.size(), 1u);
            EXPECT_EQ(strings[0].text, c.after2);
            EXPECT_DOUBLE_EQ(strings[0].x(), 300 + 529.0 * 8);
        }
    }
}

struct BoxCase {
    const char* name;
    SheetLayout layout;
    bool boxes;
    bool row1KanjiCell;  // the grid's kanji cell of row 1
    std::vector<std::array<double, 4>> expected;
};

TEST(DictationSheet, AnswerBoxesSurroundTheGaps) {
    // Placed: the boxes of problem p run from 250 to 1250 right of 1481.2 (10 - p): problem 1
    // from 13580.8, problem 3 from 10618.4, problem 7 from 4693.6. Rotated: from 1550 to 2550
    // below 1481.2 (p - 1), 529 a cell from 200.
    const BoxCase cases[] = {
        {"placed",
         SheetLayout::CharacterPlaced,
         true,
         true,
         {{13580.8, 2600, 14580.8, 4600},    // row 1: after 3 + number, 4 cells
          {10618.4, 1100, 11618.4, 2100},    // row 3: 2 cells
          {4693.6, 2100, 5693.6, 7100},      // row 7: 10 cells
          {10618.4, 3600, 11618.4, 4600}}},  // row 3, second word after L = 6
        {"placed, row 1 cell empty",
         SheetLayout::CharacterPlaced,
         true,
         false,
         {{10618.4, 1100, 11618.4, 2100}, {4693.6, 2100, 5693.6, 7100}, {10618.4, 3600, 11618.4, 4600}}},
        {"placed, no boxes", SheetLayout::CharacterPlaced, false, true, {}},
        {"rotated",
         SheetLayout::RotatedFont,
         true,
         true,
         {{2316, 1550, 4432, 2550},        // row 1: cells 4 to 8
          {729, 4512.4, 1787, 5512.4},     // row 3: cells 1 to 3
          {1787, 10437.2, 7077, 11437.2},  // row 7: cells 3 to 13
          {3374, 4512.4, 4432, 5512.4}}},  // row 3, second word: cells 6 to 8
        {"rotated, no boxes", SheetLayout::RotatedFont, false, true, {}},
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPage pg = dictationPage();
        SheetInput in = input(pg, c.boxes);
        in.rows.kanjiFilled[1] = c.row1KanjiCell;
        RecordingSurface rs;
        printDictationSheet(rs, c.layout, in);
        const auto boxes = rs.ofKind(Kind::Box);
        ASSERT_EQ(boxes.size(), c.expected.size());
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_NEAR(boxes[i].x1, c.expected[i][0], 1e-6) << i;
            EXPECT_NEAR(boxes[i].y1, c.expected[i][1], 1e-6) << i;
            EXPECT_NEAR(boxes[i].x2, c.expected[i][2], 1e-6) << i;
            EXPECT_NEAR(boxes[i].y2, c.expected[i][3], 1e-6) << i;
            EXPECT_EQ(boxes[i].style, 0);
        }
        // The gap is there with or without its box.
        EXPECT_EQ(
            joined(c.layout == SheetLayout::CharacterPlaced ? column(rs, 13830.8, 20) : row(rs, 1850, 20)),
            QStringLiteral("①きのう") + spaces(4) + QStringLiteral("へ行った。"));
    }
}

// Readings stand beside the gaps: 15 pt, 300 apart.
TEST(DictationSheet, ReadingsBesideTheGaps) {
    struct Case {
        const char* name;
        SheetLayout layout;
        QString text;
        double x, y;  // first character
        bool down;    // along y (placed) or along x (rotated)
    } cases[] = {
        // (2/3)·len(before)·w35 with w35 = 700: row 1 has 3 characters before.
        // x: 1400 right of 1481.2 (10 - p).
        {"placed row 1", SheetLayout::CharacterPlaced, QStringLiteral("がっこう"), 14730.8, 1200 + 1400,
         true},
        {"placed row 3", SheetLayout::CharacterPlaced, QStringLiteral("もり"), 11768.4, 1200, true},
        {"placed row 3 second", SheetLayout::CharacterPlaced, QStringLiteral("き"), 11768.4, 1200 + 2800,
         true},
        // (5/4)·len(b)·w20 with w20 = 400: b of row 1 is "①きのう".
        // Standing on the box top (1550): the 15-pt cells end where the box begins.
        {"rotated row 1", SheetLayout::RotatedFont, QStringLiteral("（がっこう）"), 200 + 2000, 1250, false},
        // Row 3 two lines further down: 1250 + 2 x 1481.2.
        {"rotated row 3", SheetLayout::RotatedFont, QStringLiteral("（もり）"), 200 + 500, 4212.4, false},
        {"rotated row 3 second", SheetLayout::RotatedFont, QStringLiteral("（き）"), 200 + 3000, 4212.4,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPage pg = dictationPage();
        RecordingSurface rs;
        printDictationSheet(rs, c.layout, input(pg));
        std::vector<Op> got;
        for (const Op& op : rs.textsOfSize(15))
            if (c.down ? same(op.x(), c.x) && op.y() >= c.y - 1e-6 && op.y() < c.y + 300 * c.text.size() - 1
                       : same(op.y(), c.y) && op.x() >= c.x - 1e-6 && op.x() < c.x + 300 * c.text.size() - 1)
                got.push_back(op);
        ASSERT_EQ(joined(got), c.text);
        for (size_t j = 0; j < got.size(); ++j) {
            EXPECT_NEAR(c.down ? got[j].y() : got[j].x(),
                        (c.down ? c.y : c.x) + 300.0 * static_cast<double>(j), 1e-6);
        }
    }
}

TEST(DictationSheet, HeadingStripTitleAndFooter) {
    struct Case {
        SheetLayout layout;
        std::array<double, 4> strip;
        double headX, headY, headDx, headDy;
        double titleX, titleY, titleDx, titleDy;
        double nameX, nameY, maeX, maeY;
        double footX, footY;
    } cases[] = {
        {SheetLayout::CharacterPlaced,
         {kA4Long - 1200, 200, kA4Long - 100, 10500},
         kA4Long - 700,
         500,
         0,
         500,
         kA4Long - 1000,
         500,
         0,
         300,
         kA4Long - 700,
         6000,
         kA4Long - 700,
         6500,
         kA4Long - 1400,
         10600},
        {SheetLayout::RotatedFont,
         {200, 200, kA4Short - 850, 1200},
         230,
         230,
         500,
         0,
         350,
         800,
         300,
         0,
         5130,
         300,
         5630,
         300,
         kA4Short - 2000,
         0},
    };
    for (const Case& c : cases) {
        const PrintPage pg = dictationPage();
        RecordingSurface rs;
        printDictationSheet(rs, c.layout, input(pg));
        const auto lines = rs.ofKind(Kind::Line);
        ASSERT_EQ(lines.size(), 4u);
        const auto [x1, y1, x2, y2] = c.strip;
        const double expected[4][4] = {
            {x1, y1, x2, y1}, {x2, y1, x2, y2}, {x2, y2, x1, y2}, {x1, y2, x1, y1}};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(lines[i].x1, expected[i][0]);
            EXPECT_DOUBLE_EQ(lines[i].y1, expected[i][1]);
            EXPECT_DOUBLE_EQ(lines[i].x2, expected[i][2]);
            EXPECT_DOUBLE_EQ(lines[i].y2, expected[i][3]);
        }
        const auto texts = rs.texts();
        const auto find = [&](const QString& t, double size) -> const Op* {
            for (const Op& op : texts)
                if (op.text == t && op.size == size) return &op;
            return nullptr;
        };
        for (int k = 0; k < 3; ++k) {
            const Op* h = find(pg.heading.mid(k, 1), 20);
            ASSERT_TRUE(h);
            EXPECT_DOUBLE_EQ(h->x(), c.headX + c.headDx * k);
            EXPECT_DOUBLE_EQ(h->y(), c.headY + c.headDy * k);
        }
        const QString title = QStringLiteral("テスト・漢字書き取り");
        for (int k = 0; k < title.size(); ++k) {
            const Op* t = find(title.mid(k, 1), 10);
            ASSERT_TRUE(t) << k;
            if (title.indexOf(title.mid(k, 1)) != k) continue;  // 字 twice
            EXPECT_DOUBLE_EQ(t->x(), c.titleX + c.titleDx * k);
            EXPECT_DOUBLE_EQ(t->y(), c.titleY + c.titleDy * k);
        }
        const Op* na = find(QStringLiteral("名"), 20);
        const Op* mae = find(QStringLiteral("前"), 20);
        ASSERT_TRUE(na && mae);
        EXPECT_DOUBLE_EQ(na->x(), c.nameX);
        EXPECT_DOUBLE_EQ(na->y(), c.nameY);
        EXPECT_DOUBLE_EQ(mae->x(), c.maeX);
        EXPECT_DOUBLE_EQ(mae->y(), c.maeY);
        const Op* foot = find(pg.heading, 10);
        ASSERT_TRUE(foot);
        EXPECT_DOUBLE_EQ(foot->x(), c.footX);
        EXPECT_DOUBLE_EQ(foot->y(), c.footY);
    }
}

// A shown second word whose kanji2 is empty: after2 follows the line at once and its box
// shrinks to a line.
TEST(DictationSheet, ShownSecondWordWithoutKanji2) {
    const PrintPage pg = makePage(QStringLiteral("見出し"),
                                  {{2,
                                    {QStringLiteral("あ"), QStringLiteral("山"), QStringLiteral("やま"),
                                     QStringLiteral("い"), QString(), QString(), QStringLiteral("う")}}});
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    in.rows.secondWordShown[2] = true;
    RecordingSurface rs;
    printDictationSheet(rs, SheetLayout::CharacterPlaced, in);
    EXPECT_EQ(joined(column(rs, 12349.6, 20)), QStringLiteral("②あ　　いう"));
    const auto boxes = rs.ofKind(Kind::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_DOUBLE_EQ(boxes[1].y1, 600 + 500 * 5);
    EXPECT_DOUBLE_EQ(boxes[1].y2, 600 + 500 * 5);
}

TEST(DictationSheet, AnswerGapIsTwoCellsPerKanji) {
    for (int n : {0, 1, 2, 4, 5, 7}) EXPECT_EQ(answerGap(n), spaces(2 * n)) << n;
}

}  // namespace

namespace {

// A page poured in by the text flow: kanji cells of ten characters, some with closing marks
// hanging on them, no readings; row 9 a short word with a second word, row 10 a short word.
PrintPage flowedPage() {
    PrintPage pg = makePage(QStringLiteral("ながしこみ"), {});
    const QStringList rows{
        QStringLiteral("きのう、ぼくはおじい"), QStringLiteral("さんの家へ行きました。"),
        QStringLiteral("「よく来たね。」とお"), QStringLiteral("えっ、ほんとうにここ！？」"),
        QStringLiteral("じいさんはわらいまし"), QStringLiteral("た。にわには大きな木"),
        QStringLiteral("があって、赤い実がた"), QStringLiteral("くさんなっていました。")};
    for (int r = 1; r <= 8; ++r) pg.kanji[static_cast<size_t>(r)] = rows[r - 1];
    pg.before[9] = QStringLiteral("きょうは");
    pg.kanji[9] = QStringLiteral("学校");
    pg.reading[9] = QStringLiteral("がっこう");
    pg.after[9] = QStringLiteral("で");
    pg.kanji2[9] = QStringLiteral("先生");
    pg.reading2[9] = QStringLiteral("せんせい");
    pg.after2[9] = QStringLiteral("にあった。");
    pg.kanji[10] = QStringLiteral("山");
    pg.reading[10] = QStringLiteral("やま");
    return pg;
}

// Everything the sheet draws lies inside the lines of the sheet (the foot of the heading
// strip, 10500, or the right end of the strip, page width - 850), and so on the paper: A4 with
// the 5 mm a printer cannot reach on every side.
TEST(DictationSheet, EveryBoxAndCharacterOfAFlowedPageStaysOnTheSheet) {
    for (SheetLayout layout : {SheetLayout::CharacterPlaced, SheetLayout::RotatedFont}) {
        SCOPED_TRACE(layout == SheetLayout::CharacterPlaced ? "character placed" : "rotated");
        const PrintPage pg = flowedPage();
        RecordingSurface rs;
        rs.setUnprintableMargin(283.46);
        printDictationSheet(rs, layout, input(pg));
        const bool down = layout == SheetLayout::CharacterPlaced;
        const double pageW = down ? kA4Long - 2 * 283.46 : kA4Short - 2 * 283.46;
        const double pageH = down ? kA4Short - 2 * 283.46 : kA4Long - 2 * 283.46;
        const double end = down ? 10500 : pageW - 850;
        const auto boxes = rs.ofKind(Kind::Box);
        EXPECT_EQ(boxes.size(), 11u);  // eight flowed rows, row 9's two words, row 10
        for (const Op& b : boxes) {
            EXPECT_LE(down ? b.y2 : b.x2, end + 1e-6) << b.x1 << "," << b.y1 << " " << b.x2 << "," << b.y2;
            EXPECT_GE(std::min(b.x1, b.y1), 0.0);
            EXPECT_LE(b.x2, pageW);
            EXPECT_LE(b.y2, pageH);
        }
        for (const Op& t : rs.texts()) {
            // The footer runs across the page below the strip; every other text ends by `end`.
            if (t.text == pg.heading && t.size == 10) continue;
            const double reach = (down ? t.y() : t.x()) + t.size * 20 * t.text.size();
            EXPECT_LE(reach, end + 1e-6) << t.text.toStdString() << " at " << t.x() << "," << t.y();
            EXPECT_LE(t.x() + t.size * 20, pageW);
            EXPECT_LE(t.y() + t.size * 20, pageH);
        }
    }
}

// A line longer than its column is drawn closer together and smaller, the whole line, gap and
// box alike; lines that fit keep the sheet's pitch.
TEST(DictationSheet, ALongLineIsDrawnCloserTogether) {
    const PrintPage pg = flowedPage();
    RecordingSurface rs;
    rs.setUnprintableMargin(283.46);
    printDictationSheet(rs, SheetLayout::CharacterPlaced, input(pg));
    const auto boxAt = [&](double x1) -> Op {
        for (const Op& b : rs.ofKind(Kind::Box))
            if (same(b.x1, x1)) return b;
        return {};
    };
    // Row 1: ① and a gap of twenty cells, 21 cells from 600 to 10500: 471.43 apart, 18.86 pt.
    const Op box1 = boxAt(250 + 1481.2 * 9);
    EXPECT_NEAR(box1.y1, 1071.43, 0.01);
    EXPECT_NEAR(box1.y2, 10500, 0.01);
    bool found = false;
    for (const Op& t : rs.texts())
        if (t.text == QStringLiteral("①")) {
            found = true;
            EXPECT_NEAR(t.size, 18.857, 0.001);
            EXPECT_NEAR(t.y(), 600, 1e-6);
            EXPECT_NEAR(t.x(), 500 + 1481.2 * 9 + 11.43, 0.01);  // centred in the column
        }
    EXPECT_TRUE(found);
    // Row 4: 13 characters, 27 cells: 366.67 apart.
    const Op box4 = boxAt(250 + 1481.2 * 6);
    EXPECT_NEAR(box4.y1, 966.67, 0.01);
    EXPECT_NEAR(box4.y2, 10500, 0.01);
    // Row 9 fits (1 + 4 + 4 + 1, then 4 + 5 cells): the sheet's own 500.
    const auto col9 = column(rs, 500 + 1481.2 * 1, 20);
    ASSERT_EQ(joined(col9),
              QStringLiteral("⑨きょうは") + spaces(4) + QStringLiteral("で") + QStringLiteral("にあった。"));
    EXPECT_EQ(col9[0].y(), 600);
    EXPECT_EQ(col9[1].y(), 1100);
    const auto reading9 = column(rs, 1400 + 1481.2 * 1, 15);
    EXPECT_EQ(joined(reading9), QStringLiteral("がっこうせんせい"));
}

TEST(DictationSheet, ALongRowOfTheRotatedLayoutIsDrawnCloserTogether) {
    const PrintPage pg = flowedPage();
    RecordingSurface rs;
    rs.setUnprintableMargin(283.46);
    printDictationSheet(rs, SheetLayout::RotatedFont, input(pg));
    // Row 1: 21 cells from 200 to the strip's end, 11339.08 - 850: 489.96 apart.
    bool found = false;
    for (const Op& b : rs.ofKind(Kind::Box))
        if (same(b.y1, 1550)) {
            found = true;
            EXPECT_NEAR(b.x1, 689.96, 0.01);
            EXPECT_NEAR(b.x2, 10489.08, 0.01);
        }
    EXPECT_TRUE(found);
    // Row 10 fits: its line keeps the pitch of 529 from 300.
    const auto row10 = row(rs, 1850 + 1481.2 * 9, 20);
    ASSERT_EQ(joined(row10), QStringLiteral("⑩") + spaces(2));
    EXPECT_EQ(row10[0].x(), 300);
    EXPECT_EQ(row10[1].x(), 829);
}

}  // namespace
