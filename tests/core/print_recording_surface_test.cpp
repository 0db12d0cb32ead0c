// The recording surface: page sizes, text extents, the records and their JSON lines.
#include <gtest/gtest.h>

#include <QBuffer>

#include "core/printing/printable_area.h"
#include "core/printing/recording_surface.h"

namespace {

using Kind = RecordingSurface::Kind;

TEST(RecordingSurface, PaperSizesInTwipsWithoutMargins) {
    struct Case {
        Paper paper;
        Orientation orientation;
        double w, h;
    } cases[] = {{Paper::A4, Orientation::Portrait, 11906, 16838},
                 {Paper::A4, Orientation::Landscape, 16838, 11906},
                 {Paper::B4, Orientation::Portrait, 14570, 20636},
                 {Paper::B4, Orientation::Landscape, 20636, 14570}};
    for (const Case& c : cases) {
        RecordingSurface rs;
        rs.setPaperSize(c.paper);
        rs.setOrientation(c.orientation);
        EXPECT_DOUBLE_EQ(rs.pageWidth(), c.w);
        EXPECT_DOUBLE_EQ(rs.pageHeight(), c.h);
        EXPECT_EQ(rs.paperWidth(), static_cast<int>(c.w));
        EXPECT_EQ(rs.paperHeight(), static_cast<int>(c.h));
    }
}

// A common printer: 5 mm (283.46 twips) it cannot print on each side; the paper stays whole.
TEST(RecordingSurface, PageOfAPrinterIsThePaperLessItsMargins) {
    struct Case {
        Paper paper;
        Orientation orientation;
        double w, h;
    } cases[] = {{Paper::A4, Orientation::Portrait, 11906, 16838},
                 {Paper::A4, Orientation::Landscape, 16838, 11906},
                 {Paper::B4, Orientation::Landscape, 20636, 14570}};
    for (const Case& c : cases) {
        RecordingSurface rs;
        rs.setUnprintableMargin(kUnprintableTwips);
        rs.setPaperSize(c.paper);
        rs.setOrientation(c.orientation);
        EXPECT_NEAR(rs.pageWidth(), c.w - 566.929, 1e-3);
        EXPECT_NEAR(rs.pageHeight(), c.h - 566.929, 1e-3);
        EXPECT_EQ(rs.paperWidth(), static_cast<int>(c.w));
        EXPECT_EQ(rs.paperHeight(), static_cast<int>(c.h));
    }
}

TEST(RecordingSurface, TextExtentsAreFixed) {
    RecordingSurface rs;
    struct Case {
        double size;
        QString text;
        double width;
    } cases[] = {{35, QStringLiteral("あ"), 700},
                 {20, QStringLiteral("あ"), 400},
                 {20, QStringLiteral("ab"), 400},
                 {10, QStringLiteral("①ｱA"), 200 + 100 + 100},
                 {15, QString(), 0}};
    for (const Case& c : cases) {
        rs.setFontSize(c.size);
        EXPECT_DOUBLE_EQ(rs.textWidth(c.text), c.width) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(rs.textHeight(c.text), c.size * 20);
    }
}

TEST(RecordingSurface, PrintTextRecordsTheStateAndAdvancesTheLine) {
    RecordingSurface rs;
    rs.setFontName(QStringLiteral("@ＭＳ 明朝"));
    rs.setFontSize(15);
    rs.setFontBold(true);
    rs.setForeColor(12632256);
    rs.setCurrentX(120);
    rs.setCurrentY(340);
    rs.printText(QStringLiteral("字"));
    EXPECT_DOUBLE_EQ(rs.currentX(), 0);
    EXPECT_DOUBLE_EQ(rs.currentY(), 340 + 300);
    rs.printText(QStringLiteral("次"));
    const auto texts = rs.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_DOUBLE_EQ(texts[0].x(), 120);
    EXPECT_DOUBLE_EQ(texts[0].y(), 340);
    EXPECT_EQ(texts[0].font, QStringLiteral("@ＭＳ 明朝"));
    EXPECT_TRUE(texts[0].bold);
    EXPECT_FALSE(texts[0].italic);
    EXPECT_EQ(texts[0].color, 12632256);
    EXPECT_DOUBLE_EQ(texts[1].x(), 0);
    EXPECT_DOUBLE_EQ(texts[1].y(), 640);
}

TEST(RecordingSurface, TraceWritesOneJsonObjectPerCall) {
    QBuffer buf;
    buf.open(QIODevice::WriteOnly);
    RecordingSurface rs;
    rs.setTrace(&buf);
    rs.setPaperSize(Paper::A4);
    rs.setOrientation(Orientation::Landscape);
    rs.setFontSize(20);
    rs.setCurrentX(500 + 1481.2);
    rs.setCurrentY(600);
    rs.printText(QStringLiteral("①"));
    rs.setDrawStyle(LineStyle::Dashed);
    rs.setDrawWidth(2);
    rs.drawLine(0, 200, 15538, 200.5);
    rs.drawBox(250, 1100, 1250, 2100);
    rs.newPage();
    rs.newPage();  // a page nothing was drawn on
    rs.newPage();
    rs.endDocument();
    const QStringList lines = QString::fromUtf8(buf.data()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected = {
        QStringLiteral("{\"op\":\"paper\",\"size\":9}"),
        QStringLiteral("{\"op\":\"orientation\",\"value\":2}"),
        QStringLiteral("{\"op\":\"page\",\"width\":16838,\"height\":11906}"),
        QStringLiteral(
            "{\"op\":\"text\",\"x\":1981.2,\"y\":600,\"text\":\"①\",\"font\":\"ＭＳ Ｐ明朝\",\"size\":20,"
            "\"bold\":false,\"italic\":false,\"color\":0}"),
        QStringLiteral(
            "{\"op\":\"line\",\"x1\":0,\"y1\":200,\"x2\":15538,\"y2\":200.5,\"style\":1,\"width\":2}"),
        QStringLiteral(
            "{\"op\":\"box\",\"x1\":250,\"y1\":1100,\"x2\":1250,\"y2\":2100,\"style\":1,\"width\":2}"),
        QStringLiteral("{\"op\":\"newPage\"}"),
        QStringLiteral("{\"op\":\"page\",\"width\":16838,\"height\":11906}"),
        QStringLiteral("{\"op\":\"newPage\"}"),
        QStringLiteral("{\"op\":\"page\",\"width\":16838,\"height\":11906}"),
        QStringLiteral("{\"op\":\"newPage\"}"),
        QStringLiteral("{\"op\":\"endDocument\"}"),
    };
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(rs.ops().size(), static_cast<size_t>(expected.size()));
}

TEST(RecordingSurface, PageRecordFollowsAChangeOfOrientationMidPage) {
    RecordingSurface rs;
    rs.drawLine(0, 0, 1, 1);
    rs.setOrientation(Orientation::Landscape);
    rs.drawLine(0, 0, 1, 1);
    rs.drawLine(0, 0, 2, 2);
    std::vector<std::pair<double, double>> pages;
    for (const auto& op : rs.ofKind(Kind::Page)) pages.push_back({op.x1, op.y1});
    EXPECT_EQ(pages, (std::vector<std::pair<double, double>>{{11906, 16838}, {16838, 11906}}));
}

TEST(RecordingSurface, JsonEscapesQuotesAndBackslashes) {
    RecordingSurface::Op op;
    op.kind = Kind::Text;
    op.text = QStringLiteral("a\"b\\c");
    op.font = QStringLiteral("x");
    op.size = 10.5;
    EXPECT_EQ(RecordingSurface::toJson(op),
              QStringLiteral(
                  "{\"op\":\"text\",\"x\":0,\"y\":0,\"text\":\"a\\\"b\\\\c\",\"font\":\"x\",\"size\":10.5,"
                  "\"bold\":false,\"italic\":false,\"color\":0}"));
}

}  // namespace
