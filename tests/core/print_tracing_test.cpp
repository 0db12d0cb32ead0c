// The tracing practice sheet: models, copies in the tracing colour, readings, the grid and
// the length check.
#include <gtest/gtest.h>

#include "core/printing/tracing_sheet.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

constexpr int kPale = 14737632;

struct CopyCase {
    const char* name;
    QString kanji, kanji2;
    bool secondShown;
    int copies;  // whole copies after the model
};

TEST(TracingSheet, CopiesFillTheTenSquaresWithWholeWords) {
    const CopyCase cases[] = {
        {"one", QStringLiteral("山"), {}, false, 9},
        {"two", QStringLiteral("学校"), {}, false, 4},
        {"three", QStringLiteral("図書館"), {}, false, 2},
        {"four", QStringLiteral("一石二鳥"), {}, false, 1},
        {"five", QStringLiteral("五文字の語"), {}, false, 1},
        {"six", QStringLiteral("六文字の言葉"), {}, false, 0},
        {"five, second word", QStringLiteral("山"), QStringLiteral("五文字の語"), true, 1},
    };
    for (const CopyCase& c : cases) {
        for (SheetLayout layout : {SheetLayout::CharacterPlaced, SheetLayout::RotatedFont}) {
            SCOPED_TRACE(std::string(c.name) + (layout == SheetLayout::RotatedFont ? " rotated" : " placed"));
            const PrintPage pg =
                makePage(QStringLiteral("練習"), {{4, {{}, c.kanji, {}, {}, c.kanji2, {}, {}}}});
            SheetInput in{pg, {}, RowStates::fromPage(pg)};
            in.rows.secondWordShown[4] = c.secondShown;
            in.options.tracingOn = true;
            in.options.tracingColor = kPale;
            RecordingSurface rs;
            ASSERT_TRUE(printTracingSheet(rs, layout, in));
            const QString w = c.secondShown ? c.kanji2 : c.kanji;
            const auto squares = layout == SheetLayout::CharacterPlaced ? column(rs, kPlacedSquareX[4], 45)
                                                                        : row(rs, kRotatedTextY[4], 45);
            ASSERT_EQ(squares.size(), static_cast<size_t>(w.size() * (1 + c.copies)));
            for (size_t k = 0; k < squares.size(); ++k) {
                EXPECT_EQ(squares[k].text, w.mid(static_cast<qsizetype>(k) % w.size(), 1));
                EXPECT_EQ(squares[k].color, k < static_cast<size_t>(w.size()) ? 0 : kPale) << k;
                if (layout == SheetLayout::CharacterPlaced)
                    EXPECT_DOUBLE_EQ(squares[k].y(), 100 + 1050.0 * static_cast<double>(k));
                else
                    EXPECT_DOUBLE_EQ(squares[k].x(), kRotatedSquareX[k]);
            }
            EXPECT_EQ(tracingCopies(w.size()), c.copies);
        }
    }
}

TEST(TracingSheet, TracingOffPrintsModelsAndReadingsInBlack) {
    const PrintPage pg =
        makePage(QStringLiteral("練習"), {{1, {{}, QStringLiteral("学校"), QStringLiteral("がっこう"), {}}},
                                          {2,
                                           {{},
                                            QStringLiteral("森"),
                                            QStringLiteral("もり"),
                                            {},
                                            QStringLiteral("林"),
                                            QStringLiteral("はやし"),
                                            {}}}});
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    RecordingSurface rs;
    ASSERT_TRUE(printTracingSheet(rs, SheetLayout::CharacterPlaced, in));
    for (const Op& t : rs.texts()) EXPECT_EQ(t.color, 0) << t.text.toStdString();
    EXPECT_EQ(joined(column(rs, kPlacedSquareX[1], 45)), QStringLiteral("学校"));
    // Row 2 shows its second word: kanji2 with reading2.
    EXPECT_EQ(joined(column(rs, kPlacedSquareX[2], 45)), QStringLiteral("林"));
    // The readings 1000 right of the squares' column.
    const auto r1 = column(rs, 14430.8, 15);
    EXPECT_EQ(joined(r1), QStringLiteral("がっこう"));
    for (size_t k = 0; k < r1.size(); ++k) EXPECT_DOUBLE_EQ(r1[k].y(), 200 + 300.0 * static_cast<double>(k));
    EXPECT_EQ(joined(column(rs, 12949.6, 15)), QStringLiteral("はやし"));

    RecordingSurface rot;
    ASSERT_TRUE(printTracingSheet(rot, SheetLayout::RotatedFont, in));
    const auto rr = row(rot, 2981.2, 15);  // 350 above the squares of row 2
    EXPECT_EQ(joined(rr), QStringLiteral("はやし"));
    for (size_t k = 0; k < rr.size(); ++k) EXPECT_DOUBLE_EQ(rr[k].x(), 300 + 300.0 * static_cast<double>(k));
}

TEST(TracingSheet, GridLinesOfBothLayouts) {
    const PrintPage pg = makePage(QStringLiteral("練習"), {});
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    struct Case {
        SheetLayout layout;
        std::vector<std::array<double, 4>> someLines;
        size_t count;  // strip 4 + grid
    } cases[] = {
        // Between the squares the lines stop short of the reading strips: across the squares
        // of each column (placed), down the squares of each band (rotated). Squares 1058 on a
        // side, columns and bands 1481.2 apart, reading strips 423.2 (0.4 x 1058) wide.
        {SheetLayout::CharacterPlaced,
         {{0, 0, 14812, 0},
          {0, 10580, 14812, 10580},
          {0, 11638, 14812, 11638},
          {0, 0, 0, 10588},
          {14388.8, 0, 14388.8, 10588},
          {14812, 0, 14812, 10588},
          {0, 1058, 1058, 1058},
          {4443.6, 5290, 5501.6, 5290},
          {13330.8, 9522, 14388.8, 9522}},
         4 + (3 + 9 * 10) + 22},
        {SheetLayout::RotatedFont,
         {{200, 1400, 10780, 1400},
          {200, 16612, 10780, 16612},
          {200, 1400, 200, 16212},
          {10780, 1400, 10780, 16212},
          {1258, 1800, 1258, 2881.2},
          {9722, 15130.8, 9722, 16212}},
         4 + 22 + (2 + 9 * 10)},
    };
    for (const Case& c : cases) {
        RecordingSurface rs;
        ASSERT_TRUE(printTracingSheet(rs, c.layout, in));
        const auto lines = rs.ofKind(Kind::Line);
        EXPECT_EQ(lines.size(), c.count);
        for (const auto& l : c.someLines) {
            const bool found = std::any_of(lines.begin(), lines.end(), [&](const Op& op) {
                return same(op.x1, l[0]) && same(op.y1, l[1]) && same(op.x2, l[2]) && same(op.y2, l[3]);
            });
            EXPECT_TRUE(found) << l[0] << "," << l[1] << " " << l[2] << "," << l[3];
        }
    }
}

TEST(TracingSheet, KanjiLongerThanTenCharactersStopsTheSheet) {
    for (int row : {1, 10}) {
        const PrintPage pg =
            makePage(QStringLiteral("練習"), {{3, {{}, QStringLiteral("学校"), {}, {}}},
                                              {row, {{}, QStringLiteral("十一文字の長い長い漢字"), {}, {}}}});
        SheetInput in{pg, {}, RowStates::fromPage(pg)};
        RecordingSurface rs;
        EXPECT_FALSE(printTracingSheet(rs, SheetLayout::CharacterPlaced, in));
        EXPECT_TRUE(rs.ops().empty());
    }
    // Ten characters still print.
    const PrintPage ok =
        makePage(QStringLiteral("練習"), {{1, {{}, QStringLiteral("十文字の長い長い漢字"), {}, {}}}});
    RecordingSurface rs;
    EXPECT_TRUE(
        printTracingSheet(rs, SheetLayout::CharacterPlaced, SheetInput{ok, {}, RowStates::fromPage(ok)}));
    EXPECT_EQ(column(rs, kPlacedSquareX[1], 45).size(), 10u);
}

}  // namespace
