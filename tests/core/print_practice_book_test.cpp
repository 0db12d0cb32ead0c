// The kanji practice book: both variants, placed from the grid, the model character of the
// selected cell, the instruction line and the stroke-order face.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "core/printing/practice_book.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

using LineKey = std::tuple<double, double, double, double, int>;  // x1 y1 x2 y2 style

// The grid in sheet coordinates (X right, Y down, frame 9000 x 14400): solid lines, then
// the dashed guides.
struct SheetLine {
    double x1, y1, x2, y2;
    int style;
};
std::vector<SheetLine> sheetGrid() {
    std::vector<SheetLine> l;
    const auto vertical = [&](double x, double y1, double y2, int style) {
        l.push_back({x, y1, x, y2, style});
    };
    const auto horizontal = [&](double y, double x1, double x2, int style) {
        l.push_back({x1, y, x2, y, style});
    };
    for (double x : {0, 9000, 1800, 3600, 5400}) vertical(x, 0, 14400, 0);
    for (double y : {0, 14400}) horizontal(y, 0, 9000, 0);
    vertical(7200, 3600, 14400, 0);
    horizontal(3600, 1800, 9000, 0);
    for (double y : {1800, 5400}) horizontal(y, 1800, 5400, 0);
    for (double y : {7200, 9000, 10800, 12600}) horizontal(y, 1800, 9000, 0);
    for (double x : {900, 2700, 4500}) vertical(x, 0, 14400, 1);
    for (double x : {6300, 8100}) vertical(x, 7200, 12600, 1);
    for (double y : {900, 2700, 4500, 6300, 13500}) horizontal(y, 1800, 5400, 1);
    for (double y : {8100, 9900, 11700}) horizontal(y, 1800, 9000, 1);
    return l;
}

// A line either way round.
LineKey key(double x1, double y1, double x2, double y2, int style) {
    if (std::tie(x2, y2) < std::tie(x1, y1)) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    return {x1, y1, x2, y2, style};
}

std::multiset<LineKey> drawnLines(const RecordingSurface& rs) {
    std::multiset<LineKey> out;
    for (const Op& op : rs.ofKind(Kind::Line)) out.insert(key(op.x1, op.y1, op.x2, op.y2, op.style));
    return out;
}

std::multiset<LineKey> expectedLines(bool portrait) {
    std::multiset<LineKey> out;
    for (const SheetLine& l : sheetGrid()) {
        if (portrait)
            out.insert(key(400 + l.x1, 600 + l.y1, 400 + l.x2, 600 + l.y2, l.style));
        else
            out.insert(key(700 + l.y1, 10900 - l.x1, 700 + l.y2, 10900 - l.x2, l.style));
    }
    // The heading strip, four solid lines.
    const auto box = [&](double x1, double y1, double x2, double y2) {
        out.insert(key(x1, y1, x2, y1, 0));
        out.insert(key(x2, y1, x2, y2, 0));
        out.insert(key(x1, y2, x2, y2, 0));
        out.insert(key(x1, y1, x1, y2, 0));
    };
    if (portrait)
        box(9750, 600, 10850, 14772);
    else
        box(700, 500, 15050, 1700);
    return out;
}

// The text printed at (x, y), or "" when none is.
QString textAt(const RecordingSurface& rs, double x, double y) {
    for (const Op& op : rs.texts())
        if (same(op.x(), x) && same(op.y(), y)) return op.text;
    return {};
}

// A device whose printable area is much narrower than A4 on a common printer.
class NarrowSurface : public RecordingSurface {
public:
    double pageWidth() const override { return 10000; }
};

PracticeBookInput selected(const QString& kanji, const QString& font = QStringLiteral("ＭＳ 明朝")) {
    PracticeBookInput in;
    in.selectedCell = kanji;
    in.statusFontName = font;
    return in;
}

TEST(PracticeBook, PortraitSheetStandsOnItsGridWhateverThePageWidth) {
    RecordingSurface a4;
    NarrowSurface narrow;
    for (RecordingSurface* rs : {&a4, static_cast<RecordingSurface*>(&narrow)}) {
        SCOPED_TRACE(rs->pageWidth());
        EXPECT_EQ(drawPracticeBook(*rs, selected(QStringLiteral("学"))), QStringLiteral("学"));
        ASSERT_EQ(rs->ofKind(Kind::Paper).size(), 1u);
        EXPECT_EQ(rs->ofKind(Kind::Paper)[0].value, 9);
        EXPECT_EQ(rs->ofKind(Kind::Orientation)[0].value, 1);
        EXPECT_EQ(drawnLines(*rs), expectedLines(true));

        // Labels at 20 points, one character each, down their boxes.
        const struct {
            const char* text;
            double x, y;
        } labels[] = {
            {"漢字練習帳", 9950, 900}, {"音読み", 8850, 4900}, {"訓読み", 6950, 4900},
            {"部首", 8850, 13400},     {"画数", 6950, 13400},
        };
        for (const auto& l : labels) {
            const QString t = QString::fromUtf8(l.text);
            for (qsizetype k = 0; k < t.size(); ++k) {
                EXPECT_EQ(textAt(*rs, l.x, l.y + 500.0 * static_cast<double>(k)), t.mid(k, 1)) << l.text;
            }
        }
        EXPECT_EQ(textAt(*rs, 9950, 9400), QStringLiteral("名"));
        EXPECT_EQ(textAt(*rs, 9950, 9900), QStringLiteral("前"));
        EXPECT_EQ(textAt(*rs, 5950, 14400), QStringLiteral("画"));
        for (const Op& t : rs->textsOfSize(20)) {
            EXPECT_EQ(t.color, 0);
            EXPECT_TRUE(t.columnForms);
        }
        EXPECT_EQ(rs->textsOfSize(20).size(), 18u);

        // The model, large and light grey, in the model box (page X 5800..9400, Y 600..4200).
        const auto model = rs->textsOfSize(160);
        ASSERT_EQ(model.size(), 1u);
        EXPECT_EQ(model[0].text, QStringLiteral("学"));
        EXPECT_DOUBLE_EQ(model[0].x(), 5900);
        EXPECT_DOUBLE_EQ(model[0].y(), 900);
        EXPECT_EQ(model[0].color, 12632256);
        EXPECT_EQ(model[0].font, QStringLiteral("ＭＳ 明朝"));

        // The instruction down the sentence column's right edge.
        const auto instruction = column(*rs, 1850, 10);
        EXPECT_EQ(joined(instruction), QStringLiteral("学　を使った文章を書きましょう"));
        ASSERT_EQ(instruction.size(), 15u);
        for (size_t k = 0; k < instruction.size(); ++k) {
            EXPECT_DOUBLE_EQ(instruction[k].y(), 900 + 300.0 * static_cast<double>(k));
            EXPECT_EQ(instruction[k].color, 0);
        }
        EXPECT_TRUE(rs->ofKind(Kind::EndDocument).empty());
    }
}

TEST(PracticeBook, VerticalFaceGivesTheLandscapeSheetReadAfterAQuarterTurn) {
    RecordingSurface rs;
    drawPracticeBook(rs, selected(QStringLiteral("学"), QStringLiteral("@ＭＳ 明朝")));
    EXPECT_EQ(rs.ofKind(Kind::Orientation)[0].value, 2);
    EXPECT_EQ(drawnLines(rs), expectedLines(false));
    const struct {
        const char* text;
        double x, y;
    } labels[] = {
        {"漢字練習帳", 850, 1000}, {"音読み", 4600, 1950}, {"訓読み", 4600, 3900},
        {"部首", 13500, 2000},     {"画数", 13500, 4000},
    };
    for (const auto& l : labels) {
        const QString t = QString::fromUtf8(l.text);
        for (qsizetype k = 0; k < t.size(); ++k)
            EXPECT_EQ(textAt(rs, l.x + 500.0 * static_cast<double>(k), l.y), t.mid(k, 1)) << l.text;
    }
    EXPECT_EQ(textAt(rs, 9630, 850), QStringLiteral("名"));
    EXPECT_EQ(textAt(rs, 10130, 850), QStringLiteral("前"));
    EXPECT_EQ(textAt(rs, 14700, 5000), QStringLiteral("画"));
    const auto model = rs.textsOfSize(160);
    ASSERT_EQ(model.size(), 1u);
    EXPECT_DOUBLE_EQ(model[0].x(), 700);
    EXPECT_DOUBLE_EQ(model[0].y(), 2000);
    EXPECT_EQ(model[0].font, QStringLiteral("@ＭＳ 明朝"));
    const auto instruction = row(rs, 9250, 10);
    EXPECT_EQ(joined(instruction), QStringLiteral("学　を使った文章を書きましょう"));
    for (size_t k = 0; k < instruction.size(); ++k)
        EXPECT_DOUBLE_EQ(instruction[k].x(), 870 + 300.0 * static_cast<double>(k));
    for (const Op& t : rs.texts()) {
        EXPECT_EQ(t.font, QStringLiteral("@ＭＳ 明朝"));
        EXPECT_FALSE(t.columnForms);
    }
}

TEST(PracticeBook, TheSelectedCellDecidesTheModelAndThePracticeKanji) {
    const struct {
        const char* name;
        std::optional<QString> cell;
        QString before;
        QString after;
        const char* instruction;
    } cases[] = {
        {"no cell selected, nothing printed yet", std::nullopt, {}, {}, "　を使った文章を書きましょう"},
        {"no cell selected keeps the last kanji", std::nullopt, QStringLiteral("山"), QStringLiteral("山"),
         "山　を使った文章を書きましょう"},
        {"an empty cell selected", QString(), QStringLiteral("山"), {}, "　を使った文章を書きましょう"},
        {"a kanji outside the basic plane",
         QStringLiteral("𠮟"),
         {},
         QStringLiteral("𠮟"),
         "𠮟　を使った文章を書きましょう"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PracticeBookInput in;
        in.selectedCell = c.cell;
        in.practiceKanji = c.before;
        in.statusFontName = QStringLiteral("ＭＳ 明朝");
        RecordingSurface rs;
        EXPECT_EQ(drawPracticeBook(rs, in), c.after);
        const auto model = rs.textsOfSize(160);
        if (c.cell && !c.cell->isEmpty()) {
            ASSERT_EQ(model.size(), 1u);
            EXPECT_EQ(model[0].text, *c.cell);
        } else {
            EXPECT_TRUE(model.empty());
        }
        // Whole characters, one per place.
        const auto instruction = column(rs, 1850, 10);
        EXPECT_EQ(joined(instruction), QString::fromUtf8(c.instruction));
        EXPECT_EQ(instruction.front().text.size(), c.after.isEmpty() ? 1 : c.after.size());
    }
}

TEST(PracticeBook, StrokeOrderPrintsTheModelInItsFaceInBlack) {
    for (const char* font : {"ＭＳ 明朝", "@ＭＳ 明朝"}) {
        SCOPED_TRACE(font);
        PracticeBookInput in = selected(QStringLiteral("学"), QString::fromUtf8(font));
        in.strokeOrder = true;
        RecordingSurface rs;
        drawPracticeBook(rs, in);
        const auto model = rs.textsOfSize(160);
        ASSERT_EQ(model.size(), 1u);
        const bool vertical = font[0] == '@';
        EXPECT_EQ(model[0].font,
                  vertical ? QStringLiteral("@KanjiStrokeOrders") : QStringLiteral("KanjiStrokeOrders"));
        EXPECT_EQ(model[0].color, 0);
        // The face draws lower in its cell: the cell moves up (left when turned).
        EXPECT_DOUBLE_EQ(model[0].x(), vertical ? 450 : 5900);
        EXPECT_DOUBLE_EQ(model[0].y(), vertical ? 2000 : 400);
        // Everything else stays in the sheet's face.
        for (const Op& t : rs.textsOfSize(10)) EXPECT_EQ(t.font, QString::fromUtf8(font));
    }
}

TEST(PracticeBook, AnEmptyStatusFontTakesThePageFont) {
    PracticeBookInput in = selected(QStringLiteral("学"), QString());
    in.pageFontName = QStringLiteral("ＭＳ ゴシック");
    RecordingSurface rs;
    drawPracticeBook(rs, in);
    EXPECT_EQ(rs.ofKind(Kind::Orientation)[0].value, 1);
    EXPECT_EQ(rs.textsOfSize(160)[0].font, QStringLiteral("ＭＳ ゴシック"));
}

}  // namespace
