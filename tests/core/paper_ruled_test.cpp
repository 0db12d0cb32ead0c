// Ruled paper on the recording surface, and the row counts it refuses.
#include <gtest/gtest.h>

#include "core/paper/ruled_paper.h"
#include "core/printing/recording_surface.h"

namespace {

using Op = RecordingSurface::Op;
using Kind = RecordingSurface::Kind;

class ShortSurface : public RecordingSurface {
public:
    double height = 16838;
    double pageHeight() const override { return height; }
    double pageWidth() const override { return 11906 - 567; }
};

std::vector<double> ysOf(const RecordingSurface& rs, int style) {
    std::vector<double> ys;
    for (const Op& l : rs.ofKind(Kind::Line)) {
        if (l.style != style) continue;
        EXPECT_EQ(l.y1, l.y2);
        EXPECT_EQ(l.x1, 500);
        ys.push_back(l.y1);
    }
    return ys;
}

// A page 16838 high, 20 rows: P = 16338 / 21 = 778; 22 solid lines from 300 to 16638 and
// 20 dotted ones from 689 to 15471.
TEST(RuledPaper, TwentyRowsWithCenterLines) {
    RecordingSurface rs;
    RuledPaperOptions o;
    o.centerLines = true;
    const RuledGeometry g = drawRuledPaper(rs, o);
    EXPECT_EQ(g.pitch, 778);
    ASSERT_GE(rs.ops().size(), 2u);
    EXPECT_EQ(rs.ops()[0].kind, Kind::Paper);
    EXPECT_EQ(rs.ops()[0].value, 9);
    EXPECT_EQ(rs.ops()[1].kind, Kind::Orientation);
    EXPECT_EQ(rs.ops()[1].value, 1);

    std::vector<double> solid, dotted;
    for (int i = 0; i <= 21; ++i) solid.push_back(300 + 778 * i);
    for (int i = 1; i <= 20; ++i) dotted.push_back(300 + 778 * i - 389);
    EXPECT_EQ(ysOf(rs, 0), solid);
    EXPECT_EQ(ysOf(rs, 2), dotted);
    EXPECT_EQ(solid.back(), 16638);
    EXPECT_EQ(dotted.front(), 689);
    EXPECT_EQ(dotted.back(), 15471);
    for (const Op& l : rs.ofKind(Kind::Line)) EXPECT_EQ(l.x2, 10906);

    // The title at 7 pt, right-aligned on the lines' end: above the top line and in the
    // footer band just below the last writing row.
    const auto texts = rs.texts();
    ASSERT_EQ(texts.size(), 2u);
    const double x = 10906 - 140 * 5;
    EXPECT_EQ(texts[0].text, QStringLiteral("ナナホシ舎"));
    EXPECT_EQ(texts[0].x(), x);
    EXPECT_EQ(texts[0].y(), 140);
    EXPECT_EQ(texts[1].x(), x);
    EXPECT_EQ(texts[1].y(), 300 + 20 * 778 + 140);
    for (const Op& t : texts) {
        EXPECT_EQ(t.size, 7);
        EXPECT_EQ(t.color, 0);
        EXPECT_EQ(t.font, QStringLiteral("ＭＳ Ｐ明朝"));
    }
}

TEST(RuledPaper, TenRowsWithoutCenterLines) {
    RecordingSurface rs;
    RuledPaperOptions o;
    o.rows = 10;
    o.title = QStringLiteral("日記");
    drawRuledPaper(rs, o);
    // Eleven bands: ten writing rows and the footer band.
    const double p = std::floor((16838 - 500) / 11.0);
    EXPECT_EQ(p, 1485);
    std::vector<double> solid;
    for (int i = 0; i <= 11; ++i) solid.push_back(300 + p * i);
    EXPECT_EQ(ysOf(rs, 0), solid);
    EXPECT_TRUE(ysOf(rs, 2).empty());
    ASSERT_EQ(rs.texts().size(), 2u);
    EXPECT_EQ(rs.texts()[1].y(), 300 + 10 * p + 140);
    EXPECT_EQ(rs.texts()[1].x(), 10906 - 280);
}

// The pitch comes from the printable height: on a device with margins the footer line stays
// on the page.
TEST(RuledPaper, FitsThePrintableAreaOfADeviceWithMargins) {
    ShortSurface rs;
    rs.height = 16838 - 567;
    RuledPaperOptions o;
    o.rows = 60;
    o.centerLines = true;
    const RuledGeometry g = drawRuledPaper(rs, o);
    EXPECT_EQ(g.pitch, std::floor((16271 - 500) / 61.0));
    EXPECT_EQ(g.right, 11339 - 1000);
    for (const Op& l : rs.ofKind(Kind::Line)) {
        EXPECT_LE(l.y1, rs.pageHeight());
        EXPECT_LE(l.x2, rs.pageWidth());
    }
    EXPECT_EQ(ysOf(rs, 0).size(), 62u);
    EXPECT_EQ(ysOf(rs, 2).size(), 60u);
}

TEST(RuledPaper, RowCounts) {
    struct Case {
        const char* text;
        std::optional<int> rows;
    };
    const Case cases[] = {
        {"20", 20},
        {"1", 1},
        {"60", 60},
        {" 15 ", 15},
        {"２０", 20},
        {"007", 7},
        {"", std::nullopt},
        {"  ", std::nullopt},
        {"abc", std::nullopt},
        {"0", std::nullopt},
        {"-3", std::nullopt},
        {"61", std::nullopt},
        {"1000", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"2.5", std::nullopt},
        {"+5", std::nullopt},
        {"1e3", std::nullopt},
        {"２０行", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(parseRuledRows(QString::fromUtf8(c.text)), c.rows) << c.text;
}

}  // namespace
