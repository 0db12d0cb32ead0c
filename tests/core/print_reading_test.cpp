// The reading sheet: single sheet and two-sheet set in both layouts.
#include <gtest/gtest.h>

#include "core/printing/reading_sheet.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// Row r: before "あ", kanji = the r-th of 一..十, after "い"; rows 3 and 8 carry a second word.
PrintPage readingPage() {
    const QString kanji = QStringLiteral("一二三四五六七八九十");
    std::vector<std::pair<int, Row>> rows;
    for (int r = 1; r <= 10; ++r) {
        Row row{QStringLiteral("あ"), kanji.mid(r - 1, 1), QStringLiteral("よみ"), QStringLiteral("い")};
        if (r == 3 || r == 8) {
            row.kanji2 = QStringLiteral("本");
            row.after2 = QStringLiteral("う");
        }
        rows.push_back({r, row});
    }
    return makePage(QStringLiteral("読み"), rows);
}

// "①" .. "⑩".
QString circled(int n) {
    return QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩").mid(n - 1, 1);
}

QString lineOf(int row, int number, bool second) {
    const QString kanji = QStringLiteral("一二三四五六七八九十");
    return circled(number) + QStringLiteral("あ") + kanji.mid(row - 1, 1) + QStringLiteral("い") +
           (second ? QStringLiteral("本う") : QString());
}

struct Placement {
    int row, number;
    double x, y;  // first character
};

void expectLines(const std::vector<Op>& ops, const std::vector<Placement>& placements, bool placed,
                 double pitch, double size, const RowStates& st) {
    for (const Placement& p : placements) {
        SCOPED_TRACE(p.row);
        std::vector<Op> line;
        for (const Op& op : ops)
            if (op.kind == Kind::Text && op.size == size &&
                same(placed ? op.x() : op.y(), placed ? p.x : p.y))
                line.push_back(op);
        ASSERT_EQ(joined(line), lineOf(p.row, p.number, st.secondWordShown[static_cast<size_t>(p.row)]));
        for (size_t m = 0; m < line.size(); ++m) {
            EXPECT_NEAR(placed ? line[m].y() : line[m].x(),
                        (placed ? p.y : p.x) + pitch * static_cast<double>(m), 1e-6);
        }
    }
}

TEST(ReadingSheet, SingleSheetLines) {
    struct Case {
        const char* name;
        SheetLayout layout;
        double spacing;
        int fontSize;
        double pitch;
    } cases[] = {
        // 1058 x 20/35 at 25 pt, 1058 x 15/35 "狭い", in proportion to the font size.
        {"placed", SheetLayout::CharacterPlaced, 20.0 / 35.0, 25, 604.5714285714},
        {"placed narrow", SheetLayout::CharacterPlaced, 15.0 / 35.0, 25, 453.4285714286},
        {"placed 30 pt", SheetLayout::CharacterPlaced, 20.0 / 35.0, 30, 725.4857142857},
        {"rotated", SheetLayout::RotatedFont, 20.0 / 35.0, 25, 604.5714285714},
        {"rotated narrow 20 pt", SheetLayout::RotatedFont, 15.0 / 35.0, 20, 362.7428571429},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPage pg = readingPage();
        SheetInput in{pg, {}, RowStates::fromPage(pg)};
        in.rows.secondWordShown[8] = false;  // row 8 has a kanji2 but its toggle is off
        in.options.readingSpacing = c.spacing;
        in.options.problemFontSize = c.fontSize;
        RecordingSurface rs;
        printReadingSheet(rs, c.layout, in);
        const bool placed = c.layout == SheetLayout::CharacterPlaced;
        std::vector<Placement> pl;
        for (int r = 1; r <= 10; ++r)
            pl.push_back(placed ? Placement{r, r, kPlacedTextX[r], 600}
                                : Placement{r, r, 300, kRotatedTextY[r]});
        expectLines(rs.ops(), pl, placed, c.pitch, c.fontSize, in.rows);
        EXPECT_TRUE(rs.ofKind(Kind::NewPage).empty());
        // Readings are never printed.
        for (const Op& t : rs.texts()) EXPECT_NE(t.text, QStringLiteral("よ"));
    }
}

TEST(ReadingSheet, TwoSheetSets) {
    struct Case {
        const char* name;
        SheetLayout layout;
        std::vector<Placement> sheet1, sheet2;
        QString suffix1, suffix2;
    };
    // Placed: every other column from the left, x = 500 + 1481.2 (2j + 1). Rotated: every other
    // band from the top, y = 1850 + 2 x 1481.2 j.
    const double placedX[] = {1981.2, 4943.6, 7906, 10868.4, 13830.8};
    const double rotatedY[] = {1850, 4812.4, 7774.8, 10737.2, 13699.6};
    std::vector<Placement> p1, p2, r1, r2;
    for (int j = 0; j <= 4; ++j) {
        p1.push_back({j + 1, 5 - j, placedX[j], 600});
        p2.push_back({j + 6, 5 - j, placedX[j], 600});
        r1.push_back({2 * j + 1, j + 1, 300, rotatedY[j]});
        r2.push_back({2 * j + 2, j + 1, 300, rotatedY[j]});
    }
    const Case cases[] = {
        {"placed", SheetLayout::CharacterPlaced, p1, p2, {}, {}},
        {"rotated", SheetLayout::RotatedFont, r1, r2, QStringLiteral("その一"), QStringLiteral("その二")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPage pg = readingPage();
        SheetInput in{pg, {}, RowStates::fromPage(pg)};
        in.options.twoSheetSet = true;
        RecordingSurface rs;
        printReadingSheet(rs, c.layout, in);
        ASSERT_EQ(rs.ofKind(Kind::NewPage).size(), 1u);
        const bool placed = c.layout == SheetLayout::CharacterPlaced;
        const double pitch = 604.5714285714;
        expectLines(sheetOps(rs, 0), c.sheet1, placed, pitch, 25, in.rows);
        expectLines(sheetOps(rs, 1), c.sheet2, placed, pitch, 25, in.rows);
        for (int s = 0; s < 2; ++s) {
            // Five lines per sheet, the heading (with its mark) at 20 pt.
            int lines = 0;
            QString heading;
            for (const Op& op : sheetOps(rs, s)) {
                if (op.kind == Kind::Text && op.size == 25 && QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩").contains(op.text))
                    ++lines;
                if (op.kind == Kind::Text && op.size == 20 && op.text != QStringLiteral("名") &&
                    op.text != QStringLiteral("前"))
                    heading += op.text;
            }
            EXPECT_EQ(lines, 5);
            EXPECT_EQ(heading, QStringLiteral("読み") + (s == 0 ? c.suffix1 : c.suffix2));
        }
    }
}

TEST(ReadingSheet, GridOfBothLayouts) {
    const PrintPage pg = readingPage();
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    {
        RecordingSurface rs;
        printReadingSheet(rs, SheetLayout::CharacterPlaced, in);
        const auto lines = rs.ofKind(Kind::Line);
        ASSERT_EQ(lines.size(), 4u + 11 + 2);
        // Ten columns between the left edge and 100 left of the heading strip: 15538 / 10 apart.
        const double xs[] = {15538,  13984.2, 12430.4, 10876.6, 9322.8, 7769,
                             6215.2, 4661.4,  3107.6,  1553.8,  0};
        for (int k = 0; k <= 10; ++k) {
            EXPECT_NEAR(lines[4 + k].x1, xs[k], 1e-6);
            EXPECT_DOUBLE_EQ(lines[4 + k].y1, 10500);
            EXPECT_DOUBLE_EQ(lines[4 + k].y2, 200);
        }
        EXPECT_DOUBLE_EQ(lines[15].x2, 15538);
        EXPECT_DOUBLE_EQ(lines[16].y1, 10500);
    }
    {
        RecordingSurface rs;
        printReadingSheet(rs, SheetLayout::RotatedFont, in);
        const auto lines = rs.ofKind(Kind::Line);
        ASSERT_EQ(lines.size(), 4u + 11 + 2);
        // The page height in eleven bands, each line 100 above a band's end: k x 16838 / 11 - 100.
        const double ys[] = {1430.7273,  2961.4545,  4492.1818,  6022.9091,  7553.6364, 9084.3636,
                             10615.0909, 12145.8182, 13676.5455, 15207.2727, 16738};
        for (int k = 1; k <= 11; ++k) {
            EXPECT_NEAR(lines[3 + k].y1, ys[k - 1], 1e-4);
            EXPECT_DOUBLE_EQ(lines[3 + k].x1, 200);
            EXPECT_DOUBLE_EQ(lines[3 + k].x2, 11056);
        }
        EXPECT_DOUBLE_EQ(lines[15].x1, 11056);
        EXPECT_NEAR(lines[15].y1, 1430.7273, 1e-4);
        EXPECT_DOUBLE_EQ(lines[16].y2, 16738);
        // The title "読み方" at 10 pt, 300 apart.
        const auto title = row(rs, 800, 10);
        EXPECT_EQ(joined(title), QStringLiteral("読み方"));
        EXPECT_DOUBLE_EQ(title[2].x(), 950);
    }
}

TEST(ReadingSheet, EmptyRowsPrintTheirNumberOnly) {
    const PrintPage pg = makePage(QStringLiteral("空"), {});
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    in.rows.secondWordShown.fill(true);
    RecordingSurface rs;
    printReadingSheet(rs, SheetLayout::CharacterPlaced, in);
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(joined(column(rs, kPlacedTextX[r], 25)), circled(r));
}

}  // namespace
