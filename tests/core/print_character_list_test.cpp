// The grade table print: ten lines a page on the tracing sheet's grid, as many pages as the
// lines holding kanji need, both layouts.
#include <gtest/gtest.h>

#include "core/printing/character_list.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// n lines of ten kanji each, the last one `last` long.
QStringList gradeLines(int n, int last = 10) {
    QStringList lines;
    char16_t c = 0x4E00;
    for (int r = 0; r < n; ++r) {
        QString line;
        for (int k = 0; k < (r + 1 == n ? last : 10); ++k) line += QChar(c++);
        lines << line;
    }
    return lines;
}

TEST(CharacterList, PagesFollowTheLinesHoldingKanji) {
    const struct {
        QStringList lines;
        int pages;
    } cases[] = {
        {{}, 1},
        {gradeLines(8), 1},                    // 80 kanji: no empty second page
        {gradeLines(8) + QStringList(12), 1},  // twenty lines, eight filled
        {gradeLines(10), 1},
        {gradeLines(11, 1), 2},
        {gradeLines(20), 2},
        {gradeLines(21, 2), 3},                             // grade 4: 202 kanji
        {QStringList{QString(), QStringLiteral("　")}, 1},  // blanks only
    };
    for (const auto& c : cases) {
        EXPECT_EQ(characterListPages(c.lines), c.pages) << c.lines.size();
        RecordingSurface rs;
        drawCharacterList(rs, c.lines, QStringLiteral("ＭＳ 明朝"), {});
        EXPECT_EQ(rs.ofKind(Kind::NewPage).size(), static_cast<size_t>(c.pages - 1));
        EXPECT_TRUE(rs.ofKind(Kind::EndDocument).empty());
    }
}

TEST(CharacterList, LandscapeColumnsStandOnTheGridSquares) {
    const QStringList lines = gradeLines(21, 2);
    RecordingSurface rs;
    drawCharacterList(rs, lines, QStringLiteral("ＭＳ 明朝"), {});
    for (int page = 0; page < 3; ++page) {
        SCOPED_TRACE(page);
        const std::vector<Op> ops = sheetOps(rs, page);
        // Texts of the page at 45 points, by column.
        std::vector<Op> big;
        for (const Op& op : ops)
            if (op.kind == Kind::Text && op.size == 45) big.push_back(op);
        const int onPage = std::min(10, 21 - 10 * page);
        int expected = 0;
        for (int r = 0; r < onPage; ++r) {
            const QString line = lines[10 * page + r];
            expected += static_cast<int>(line.size());
            const double x = kPlacedSquareX[r + 1];
            for (qsizetype k = 0; k < line.size(); ++k) {
                const auto it = std::find_if(big.begin(), big.end(), [&](const Op& op) {
                    return same(op.x(), x) && same(op.y(), 100 + 1050.0 * static_cast<double>(k));
                });
                ASSERT_NE(it, big.end()) << r << " " << k;
                EXPECT_EQ(it->text, line.mid(k, 1));
            }
        }
        EXPECT_EQ(static_cast<int>(big.size()), expected);
        // The frame, the title and the grid on every page.
        const auto lns = between(ops, Kind::Line);
        EXPECT_EQ(lns.size(), 4u + 12u + 22u);
        const double W = kA4Long;
        EXPECT_EQ(std::count_if(lns.begin(), lns.end(),
                                [&](const Op& l) {
                                    return same(l.x1, W - 1200) && same(l.y1, 200) && same(l.x2, W - 100);
                                }),
                  1);
        QString title;
        for (const Op& op : ops)
            if (op.kind == Kind::Text && op.size == 20 && same(op.x(), W - 1000) && op.y() < 3000)
                title += op.text;
        EXPECT_EQ(title, QStringLiteral("漢字一覧表"));
        // Every character sits inside a square: between the grid line at 1481.2 c and the one
        // 1058 further right.
        for (const Op& t : big) {
            const double c = std::floor(t.x() / 1481.2);
            EXPECT_GE(t.x(), 1481.2 * c);
            EXPECT_LE(t.x() + 900, 1481.2 * c + 1058);
        }
    }
    EXPECT_EQ(rs.ofKind(Kind::Orientation)[0].value, 2);
}

TEST(CharacterList, VerticalFaceGivesPortraitBandsFromTheTop) {
    QStringList lines = gradeLines(3);
    lines[1] = QStringLiteral("　川山 ");
    RecordingSurface rs;
    drawCharacterList(rs, lines, QStringLiteral("@ＭＳ 明朝"), {});
    EXPECT_EQ(rs.ofKind(Kind::Orientation)[0].value, 1);
    EXPECT_TRUE(rs.ofKind(Kind::NewPage).empty());
    for (int r = 0; r < 3; ++r) {
        const auto band = row(rs, kRotatedTextY[r + 1], 45);
        EXPECT_EQ(joined(band), lines[r].trimmed()) << r;
        for (size_t k = 0; k < band.size(); ++k) EXPECT_DOUBLE_EQ(band[k].x(), kRotatedSquareX[k]);
    }
    EXPECT_EQ(joined(row(rs, 230, 20)), QStringLiteral("漢字一覧表"));
    EXPECT_EQ(joined(row(rs, 300, 20)), QStringLiteral("名前"));
    for (const Op& t : rs.texts()) EXPECT_EQ(t.font, QStringLiteral("@ＭＳ 明朝"));
    EXPECT_EQ(rs.ofKind(Kind::Line).size(), 4u + 22u + 11u);
}

TEST(CharacterList, AnEmptyStatusFontTakesThePageFont) {
    RecordingSurface rs;
    drawCharacterList(rs, gradeLines(1), QString(), QStringLiteral("@ＭＳ ゴシック"));
    EXPECT_EQ(rs.ofKind(Kind::Orientation)[0].value, 1);
    EXPECT_EQ(rs.texts()[0].font, QStringLiteral("@ＭＳ ゴシック"));
}

}  // namespace
