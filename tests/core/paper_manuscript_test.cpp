// Manuscript paper and the practice sheet on the recording surface, pinned to the twip.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "core/paper/manuscript_paper.h"
#include "core/printing/recording_surface.h"

namespace {

using Op = RecordingSurface::Op;
using Kind = RecordingSurface::Kind;

// A device whose printable area is 5 mm short of the sheet on every side.
class MarginSurface : public RecordingSurface {
public:
    static constexpr double kMargins = 567;
    double pageWidth() const override { return RecordingSurface::pageWidth() - kMargins; }
    double pageHeight() const override { return RecordingSurface::pageHeight() - kMargins; }
};

std::vector<Op> linesOf(const RecordingSurface& rs, int style) {
    std::vector<Op> out;
    for (const Op& op : rs.ofKind(Kind::Line))
        if (op.style == style) out.push_back(op);
    return out;
}

// The distinct y of the horizontal lines from x1 to x2.
std::set<double> rowLines(const std::vector<Op>& lines, double x1, double x2) {
    std::set<double> ys;
    for (const Op& l : lines)
        if (l.y1 == l.y2 && l.x1 == x1 && l.x2 == x2) ys.insert(l.y1);
    return ys;
}

using Segment = std::tuple<double, double, double, double>;
std::set<Segment> segments(const std::vector<Op>& lines) {
    std::set<Segment> out;
    for (const Op& l : lines) out.insert({l.x1, l.y1, l.x2, l.y2});
    return out;
}

struct Case {
    const char* name;
    int squares;
    bool b4;
    double x0, right, side, band, bottom, block2Top;
    double titleX, titleY, titleSize;
};

class ManuscriptGrid : public testing::TestWithParam<Case> {};

// The frame, every row line, the right edge of every square and, with the cross, the two
// dotted lines through the middle of every square.
TEST_P(ManuscriptGrid, SquaresBandsBlocksAndTitle) {
    const Case c = GetParam();
    RecordingSurface rs;
    ManuscriptOptions o;
    o.squares = c.squares;
    o.b4 = c.b4;
    o.cross = true;
    o.title = QStringLiteral("作文");
    const ManuscriptGeometry g = drawManuscriptPaper(rs, o);
    EXPECT_EQ(g.x0, c.x0);
    EXPECT_EQ(g.right, c.right);
    EXPECT_EQ(g.side, c.side);
    EXPECT_EQ(g.band, c.band);
    EXPECT_EQ(g.bottom, c.bottom);
    EXPECT_EQ(g.block2Top, c.block2Top);

    ASSERT_GE(rs.ops().size(), 2u);
    EXPECT_EQ(rs.ops()[0].kind, Kind::Paper);
    EXPECT_EQ(rs.ops()[0].value, c.b4 ? 12 : 9);
    EXPECT_EQ(rs.ops()[1].kind, Kind::Orientation);
    EXPECT_EQ(rs.ops()[1].value, 1);

    const auto boxes = rs.ofKind(Kind::Box);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(segments({boxes[0]}),
              (std::set<Segment>{{c.x0 - 100, c.x0 - 100, c.right + 100, c.bottom + 100}}));
    EXPECT_EQ(boxes[0].width, 2);
    EXPECT_EQ(segments({boxes[1]}), (std::set<Segment>{{c.x0, c.x0, c.right, c.bottom}}));
    EXPECT_EQ(boxes[1].width, 1);

    // Row i's squares start at the block's top + band + i pitches.
    const double pitch = c.side + c.band;
    std::set<double> tops, expectedRows{c.block2Top};
    for (int i = 0; i < c.squares; ++i) {
        const double blockTop = i < c.squares / 2 ? c.x0 : c.block2Top;
        const double top = blockTop + c.band + (i % (c.squares / 2)) * pitch;
        EXPECT_EQ(g.squareTop(i), top) << i;
        tops.insert(top);
        expectedRows.insert(top);
        expectedRows.insert(top + c.side);
    }
    const auto solid = linesOf(rs, 0);
    EXPECT_EQ(rowLines(solid, c.x0, c.right), expectedRows);
    // The last row ends on the frame.
    EXPECT_EQ(*expectedRows.rbegin(), c.bottom);

    std::set<Segment> edges, crosses;
    for (double top : tops) {
        for (int j = 0; j < c.squares; ++j) {
            const double left = c.x0 + j * c.side;
            edges.insert({left + c.side, top, left + c.side, top + c.side});
            crosses.insert({left + c.side / 2, top, left + c.side / 2, top + c.side});
            crosses.insert({left, top + c.side / 2, left + c.side, top + c.side / 2});
        }
    }
    std::set<Segment> verticals;
    for (const Op& l : solid)
        if (l.x1 == l.x2) verticals.insert({l.x1, l.y1, l.x2, l.y2});
    EXPECT_EQ(verticals, edges);
    EXPECT_EQ(segments(linesOf(rs, 2)), crosses);
    EXPECT_EQ(linesOf(rs, 2).size(), static_cast<size_t>(2 * c.squares * c.squares));
    for (const Op& l : rs.ofKind(Kind::Line)) EXPECT_EQ(l.width, 1);

    const auto texts = rs.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, QStringLiteral("作文"));
    EXPECT_EQ(texts[0].x(), c.titleX);
    EXPECT_EQ(texts[0].y(), c.titleY);
    EXPECT_EQ(texts[0].size, c.titleSize);
    EXPECT_EQ(texts[0].font, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(texts[0].color, 0);
}

INSTANTIATE_TEST_SUITE_P(Papers, ManuscriptGrid,
                         testing::Values(
                             // A4 11906 wide: P = (11906 - 1000 - 500) / 20 = 520, B = 20 x 720 + 1500.
                             Case{"A4_20", 20, false, 500, 10906, 520, 200, 15900, 8700, 800, 8150, 20},
                             Case{"A4_12", 12, false, 500, 10906, 867, 200, 14304, 7902, 800, 7352, 20},
                             // JIS B4 14570 wide, s = 1.22: P = (14570 - 1220 - 610) / 16 = 796, g = 244.
                             Case{"B4_16", 16, true, 610, 13350, 796, 244, 18470, 10150, 910, 9435, 24}),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

TEST(ManuscriptPaper, WithoutTheCrossOnlyTheSolidGrid) {
    RecordingSurface rs;
    drawManuscriptPaper(rs, ManuscriptOptions{});
    EXPECT_TRUE(linesOf(rs, 2).empty());
    // 20 rows of a top line, a bottom line and 20 right edges, and the line atop block 2.
    EXPECT_EQ(linesOf(rs, 0).size(), 20u * 22u + 1u);
}

// Squares are computed from the printable width, so on a device with margins the frame
// still ends inside the printable area; the squares shrink, they stay square.
TEST(ManuscriptPaper, FitsThePrintableAreaOfADeviceWithMargins) {
    for (bool b4 : {false, true}) {
        MarginSurface rs;
        ManuscriptOptions o;
        o.b4 = b4;
        o.squares = 20;
        o.cross = true;
        const ManuscriptGeometry g = drawManuscriptPaper(rs, o);
        EXPECT_EQ(g.right, b4 ? 14570 - 567 - 1220 : 11906 - 567 - 1000);
        EXPECT_EQ(g.side, b4 ? 608 : 491);
        for (const Op& op : rs.ops()) {
            if (op.kind != Kind::Line && op.kind != Kind::Box) continue;
            EXPECT_LE(std::max(op.x1, op.x2), rs.pageWidth());
            EXPECT_LE(std::max(op.y1, op.y2), rs.pageHeight());
        }
    }
}

// --- the practice sheet ---

PracticeRows practiceRows() {
    PracticeRows rows;
    rows.kanji[1] = QStringLiteral("学校");
    rows.reading[1] = QStringLiteral("がっこう");
    rows.kanji[3] = QStringLiteral("話す");
    rows.reading[3] = QStringLiteral("はなす");
    rows.kanji[6] = QStringLiteral("森");
    rows.reading[6] = QStringLiteral("もり");
    rows.kanji[10] = QStringLiteral("一二三四五六七八九十百");  // longer than the row
    return rows;
}

std::vector<Op> textsOfSize(const RecordingSurface& rs, double size) {
    return rs.textsOfSize(size);
}

// A4: 10 squares of 1040 under bands of 200; rows 1 to 5 from 700, rows 6 to 10 from 7900.
// A model of 45 pt (900) stands 70 in from its square's top and left; a reading of 9 pt
// (180) stands in the middle of the band above its row.
TEST(PracticeSheet, ModelsInTheFirstSquaresReadingsInTheBandsA4) {
    RecordingSurface rs;
    ManuscriptOptions o;
    o.title = QStringLiteral("練習");
    o.fontName = QStringLiteral("@ＭＳ 明朝");
    PracticeOptions p;
    p.color = 0x0000FF;
    const ManuscriptGeometry g = drawPracticeSheet(rs, o, practiceRows(), p);
    EXPECT_EQ(g.squares, 10);
    EXPECT_EQ(g.side, 1040);
    EXPECT_EQ(g.bottom, 13900);
    EXPECT_EQ(g.block2Top, 7700);

    struct Model {
        QString ch;
        double x, y;
    };
    std::vector<Model> expected{{QStringLiteral("学"), 570, 770},
                                {QStringLiteral("校"), 1610, 770},
                                {QStringLiteral("話"), 570, 3250},
                                {QStringLiteral("す"), 1610, 3250},
                                {QStringLiteral("森"), 570, 7970}};
    const QString tenth = QStringLiteral("一二三四五六七八九十");
    for (int k = 0; k < 10; ++k)
        expected.push_back({tenth.mid(k, 1), 570.0 + 1040 * k, 7900 + 4 * 1240 + 70});
    const auto models = textsOfSize(rs, 45);
    ASSERT_EQ(models.size(), expected.size());
    for (size_t i = 0; i < models.size(); ++i) {
        EXPECT_EQ(models[i].text, expected[i].ch) << i;
        EXPECT_EQ(models[i].x(), expected[i].x) << i;
        EXPECT_EQ(models[i].y(), expected[i].y) << i;
        EXPECT_EQ(models[i].color, 0x0000FF);
        EXPECT_EQ(models[i].font, QStringLiteral("@ＭＳ 明朝"));
        // Inside its square.
        const double left = 500 + 1040 * std::floor((models[i].x() - 500) / 1040);
        EXPECT_GE(models[i].x(), left);
        EXPECT_LE(models[i].x() + 900, left + 1040);
    }

    const auto readings = textsOfSize(rs, 9);
    ASSERT_EQ(readings.size(), 3u);
    const std::vector<std::tuple<QString, double>> expectedReadings{
        {QStringLiteral("がっこう"), 510}, {QStringLiteral("はなす"), 2990}, {QStringLiteral("もり"), 7710}};
    for (size_t i = 0; i < readings.size(); ++i) {
        EXPECT_EQ(readings[i].text, std::get<0>(expectedReadings[i]));
        EXPECT_EQ(readings[i].x(), 650);
        EXPECT_EQ(readings[i].y(), std::get<1>(expectedReadings[i]));
        EXPECT_EQ(readings[i].color, 0);
    }

    const auto titles = textsOfSize(rs, 20);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0].text, QStringLiteral("練習"));
    EXPECT_EQ(titles[0].x(), 800);
    EXPECT_EQ(titles[0].y(), 7150);
    EXPECT_EQ(titles[0].color, 0);
}

// B4: every length times 1.22 (P 1274, g 244, models 54 pt, readings 10 pt, title 24 pt).
TEST(PracticeSheet, ScalesOnB4AndLeavesOutTheReadings) {
    RecordingSurface rs;
    ManuscriptOptions o;
    o.b4 = true;
    PracticeOptions p;
    p.readings = false;
    drawPracticeSheet(rs, o, practiceRows(), p);
    EXPECT_TRUE(textsOfSize(rs, 10).empty());
    const auto models = textsOfSize(rs, 54);
    ASSERT_GE(models.size(), 5u);
    EXPECT_EQ(models[0].text, QStringLiteral("学"));
    EXPECT_EQ(models[0].x(), 707);
    EXPECT_EQ(models[0].y(), 951);
    EXPECT_EQ(models[1].x(), 707 + 1274);
    EXPECT_EQ(models[4].text, QStringLiteral("森"));
    EXPECT_EQ(models[4].y(), 9420 + 244 + 97);
    EXPECT_EQ(models[0].color, 0);
    EXPECT_EQ(textsOfSize(rs, 24).size(), 1u);

    RecordingSurface withReadings;
    p.readings = true;
    drawPracticeSheet(withReadings, o, practiceRows(), p);
    const auto readings = textsOfSize(withReadings, 10);
    ASSERT_EQ(readings.size(), 3u);
    EXPECT_EQ(readings[0].x(), 793);
    EXPECT_EQ(readings[0].y(), 854 - 244 + 22);
}

TEST(PracticeSheet, AnEmptyPagePrintsTheGridAndTheTitleOnly) {
    RecordingSurface rs;
    drawPracticeSheet(rs, ManuscriptOptions{}, PracticeRows{}, PracticeOptions{});
    ASSERT_EQ(rs.texts().size(), 1u);
    EXPECT_EQ(rs.texts()[0].size, 20);
    EXPECT_EQ(linesOf(rs, 0).size(), 10u * 12u + 1u);
}

}  // namespace
