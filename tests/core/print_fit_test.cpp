// Sheets on a printer's page: every character clear of the lines around it, the heading before
// the name label, the footer on the page, and the rows that run off a sheet.
#include <gtest/gtest.h>

#include <QRectF>

#include "core/printing/dictation_sheet.h"
#include "core/printing/job_title.h"
#include "core/printing/overlong_rows.h"
#include "core/printing/print_jobs.h"
#include "core/printing/print_text.h"
#include "core/printing/reading_sheet.h"
#include "core/printing/sentence_sheet.h"
#include "core/printing/tracing_sheet.h"
#include "fake_platform.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

const QString kMincho = QStringLiteral("ＭＳ 明朝");
const QString kVertical = QStringLiteral("@ＭＳ 明朝");

// Ten full rows of 15 characters (the grid's limit), each with its reading; rows 2 and 7 show
// a second word.
PrintPage fullPage(const QString& font) {
    return makePage(
        QStringLiteral("三年一組　漢字テスト"),
        {{1,
          {QStringLiteral("きのう、"), QStringLiteral("学校"), QStringLiteral("がっこう"),
           QStringLiteral("へ行きました。")}},
         {2,
          {QString(), QStringLiteral("森"), QStringLiteral("もり"), QStringLiteral("の中を歩く。"),
           QStringLiteral("木"), QStringLiteral("き"), QStringLiteral("がある。")}},
         {3,
          {QStringLiteral("あしたは"), QStringLiteral("遠足"), QStringLiteral("えんそく"),
           QStringLiteral("に出かけます。")}},
         {4,
          {QStringLiteral("大きな"), QStringLiteral("小学校"), QStringLiteral("しょうがっこう"),
           QStringLiteral("で本を読む。")}},
         {5,
          {QStringLiteral("みんなで"), QStringLiteral("先生"), QStringLiteral("せんせい"),
           QStringLiteral("に手紙を書く。")}},
         {6,
          {QStringLiteral("夏休みに"), QStringLiteral("海"), QStringLiteral("うみ"),
           QStringLiteral("で泳ぎました。")}},
         {7,
          {QStringLiteral("あの"), QStringLiteral("雲"), QStringLiteral("くも"), QStringLiteral("は白い。"),
           QStringLiteral("空"), QStringLiteral("そら"), QStringLiteral("は青い。")}},
         {8,
          {QStringLiteral("ぼくは"), QStringLiteral("電車"), QStringLiteral("でんしゃ"),
           QStringLiteral("に乗って町へ行く。")}},
         {9,
          {QStringLiteral("春になると"), QStringLiteral("花"), QStringLiteral("はな"),
           QStringLiteral("がたくさんさく。")}},
         {10,
          {QStringLiteral("ぼくの"), QStringLiteral("友達"), QStringLiteral("ともだち"),
           QStringLiteral("はとても元気だ。")}}},
        font);
}

struct Segment {
    double x1, y1, x2, y2;
};

// The lines of a record, boxes as their four sides.
std::vector<Segment> segmentsOf(const std::vector<Op>& ops) {
    std::vector<Segment> out;
    for (const Op& op : ops) {
        if (op.kind == Kind::Line) out.push_back({op.x1, op.y1, op.x2, op.y2});
        if (op.kind == Kind::Box) {
            out.push_back({op.x1, op.y1, op.x2, op.y1});
            out.push_back({op.x2, op.y1, op.x2, op.y2});
            out.push_back({op.x2, op.y2, op.x1, op.y2});
            out.push_back({op.x1, op.y2, op.x1, op.y1});
        }
    }
    return out;
}

// The character cells of a text: full-width characters size·20 square, half-width ones half
// as wide.
QRectF cellOf(const Op& op) {
    double w = 0;
    for (char32_t c : op.text.toUcs4()) w += isFullWidthChar(c) ? op.size * 20 : op.size * 10;
    return QRectF(op.x(), op.y(), w, op.size * 20);
}

bool blank(const QString& text) {
    for (QChar c : text)
        if (c != QChar(0x3000) && c != QLatin1Char(' ')) return false;
    return true;
}

// Every printed character whose cell a line runs through (touching an edge is not crossing).
QStringList crossings(const RecordingSurface& rs) {
    constexpr double e = 0.5;
    QStringList out;
    const std::vector<Segment> segments = segmentsOf(rs.ops());
    for (const Op& t : rs.texts()) {
        if (blank(t.text)) continue;
        const QRectF c = cellOf(t);
        for (const Segment& s : segments) {
            bool hit = false;
            if (same(s.x1, s.x2))
                hit =
                    s.x1 > c.left() + e && s.x1 < c.right() - e &&
                    std::max(c.top(), std::min(s.y1, s.y2)) < std::min(c.bottom(), std::max(s.y1, s.y2)) - e;
            else if (same(s.y1, s.y2))
                hit =
                    s.y1 > c.top() + e && s.y1 < c.bottom() - e &&
                    std::max(c.left(), std::min(s.x1, s.x2)) < std::min(c.right(), std::max(s.x1, s.x2)) - e;
            if (hit) {
                out << QStringLiteral("%1 at (%2, %3) crossed by (%4, %5)-(%6, %7)")
                           .arg(t.text)
                           .arg(t.x())
                           .arg(t.y())
                           .arg(s.x1)
                           .arg(s.y1)
                           .arg(s.x2)
                           .arg(s.y2);
                break;
            }
        }
    }
    return out;
}

RecordingSurface commonPrinter() {
    RecordingSurface rs;
    rs.setUnprintableMargin(283.46456692913387);  // 5 mm
    return rs;
}

TEST(SheetFit, OnACommonPrinterNoCharacterCrossesALine) {
    struct Case {
        const char* name;
        SheetKind sheet;
        bool twoSheet, narrow;
    } cases[] = {
        {"dictation", SheetKind::Dictation, false, false},
        {"tracing", SheetKind::Tracing, false, false},
        {"reading", SheetKind::Reading, false, false},
        {"reading, narrow", SheetKind::Reading, false, true},
        {"reading, two sheets", SheetKind::Reading, true, false},
        {"sentence", SheetKind::Sentence, false, false},
    };
    for (const Case& c : cases) {
        for (const QString& font : {kMincho, kVertical}) {
            SCOPED_TRACE(std::string(c.name) + " " + font.toStdString());
            const PrintPage pg = fullPage(font);
            SheetInput in{pg, {}, RowStates::fromPage(pg)};
            in.options.tracingOn = true;
            in.options.twoSheetSet = c.twoSheet;
            if (c.narrow) in.options.readingSpacing = 15.0 / 35.0;
            RecordingSurface rs = commonPrinter();
            drawSheet(rs, c.sheet, layoutForFont(font), in);
            EXPECT_GT(rs.texts().size(), 80u);
            EXPECT_EQ(crossings(rs), QStringList());
        }
    }
}

// The lines are spread over the page, the characters stand at fixed pitches: on a page
// without margins the reading sheet's lines run through its texts, on a printer's page they
// stay between them.
TEST(SheetFit, ReadingSheetLinesOnAPageWithAndWithoutMargins) {
    const PrintPage pg = fullPage(kMincho);
    const SheetInput in{pg, {}, RowStates::fromPage(pg)};
    // The landscape page width W is the portrait page height: 16838, or 16271.07 on a printer.
    struct Case {
        const char* name;
        double margin;
        double columnLine;  // the left line of row 1's column: G - G/10 with G = W - 1300
        double bandLine;    // the line above row 10's band: 10 W / 11 - 100
        bool crossed;
    } cases[] = {{"no margins", 0, 13984.2, 15207.2727, true},
                 {"common printer", 283.46456692913387, 13473.9638, 14691.8826, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            RecordingSurface rs;
            rs.setUnprintableMargin(c.margin);
            printReadingSheet(rs, SheetLayout::CharacterPlaced, in);
            // Row 1 (①) in the rightmost column, at x = 500 + 9·1481.2.
            const auto lines = rs.ofKind(Kind::Line);
            EXPECT_NEAR(lines[5].x1, c.columnLine, 1e-4);
            const auto one = column(rs, 13830.8, 25);
            ASSERT_FALSE(one.empty());
            EXPECT_EQ(one[0].text, QStringLiteral("①"));
            EXPECT_EQ(c.columnLine > 13830.8, c.crossed);
            EXPECT_EQ(!crossings(rs).isEmpty(), c.crossed);
        }
        {
            RecordingSurface rs;
            rs.setUnprintableMargin(c.margin);
            printReadingSheet(rs, SheetLayout::RotatedFont, in);
            // Row 10 at y = 1850 + 9·1481.2 = 15180.8, 500 high.
            const auto lines = rs.ofKind(Kind::Line);
            EXPECT_NEAR(lines[13].y1, c.bandLine, 1e-4);
            const double top = 15180.8;
            EXPECT_EQ(joined(row(rs, top, 25)).left(1), QStringLiteral("⑩"));
            EXPECT_EQ(c.bandLine > top, c.crossed);
            EXPECT_EQ(!crossings(rs).isEmpty(), c.crossed);
        }
    }
}

TEST(SheetFit, SentenceReadingsStandInTheirColumnBesideTheWord) {
    const PrintPage pg = fullPage(kMincho);
    RecordingSurface rs = commonPrinter();
    printSentenceSheet(rs, SheetLayout::CharacterPlaced, SheetInput{pg, {}, RowStates::fromPage(pg)});
    const double G = rs.pageWidth() - 1300;
    // 1100 + 1481.2 j: right of the 30-pt word's cells (600 wide from 500 + 1481.2 j).
    const double readingX[] = {1100, 2581.2, 4062.4, 5543.6, 7024.8, 8506, 9987.2, 11468.4, 12949.6, 14430.8};
    for (int r = 1; r <= 10; ++r) {
        SCOPED_TRACE(r);
        const int j = 10 - r;
        const auto reading = column(rs, readingX[j], 15);
        ASSERT_FALSE(reading.empty());
        // Left of the line closing the column.
        EXPECT_LT(reading[0].x() + 300, G - (9 - j) * G / 10);
        EXPECT_DOUBLE_EQ(reading[0].y(), 1200);
    }
    // Rows 2 and 7 show their second word, with its own reading.
    EXPECT_EQ(joined(column(rs, 12949.6, 15)), QStringLiteral("き"));
    EXPECT_EQ(joined(column(rs, 12349.6, 30)), QStringLiteral("②木▼"));
    EXPECT_EQ(joined(column(rs, 5543.6, 15)), QStringLiteral("そら"));
}

TEST(SheetFit, HeadingFitsBeforeTheNameLabel) {
    struct Case {
        SheetLayout layout;
        int length;
        double pitch, size;
    } cases[] = {
        // Down the strip from y = 500; "名" at 6000; a full-width space (400) before it.
        {SheetLayout::CharacterPlaced, 3, 500, 20},
        {SheetLayout::CharacterPlaced, 10, 500, 20},
        {SheetLayout::CharacterPlaced, 11, 470, 20},
        {SheetLayout::CharacterPlaced, 12, 4700.0 / 11, 20},
        {SheetLayout::CharacterPlaced, 13, 5100.0 / 13, 5100.0 / 13 / 20},
        {SheetLayout::CharacterPlaced, 20, 255, 12.75},
        // Across from x = 230; "名" at 5130.
        {SheetLayout::RotatedFont, 9, 500, 20},
        {SheetLayout::RotatedFont, 10, 4100.0 / 9, 20},
        {SheetLayout::RotatedFont, 11, 410, 20},
        {SheetLayout::RotatedFont, 12, 375, 18.75},
    };
    const QString text = QStringLiteral("一二三四五六七八九十壱弐参肆伍陸漆捌玖拾");
    for (const Case& c : cases) {
        for (SheetKind sheet :
             {SheetKind::Dictation, SheetKind::Tracing, SheetKind::Reading, SheetKind::Sentence}) {
            const bool placed = c.layout == SheetLayout::CharacterPlaced;
            SCOPED_TRACE(std::to_string(c.length) + (placed ? " placed " : " rotated ") +
                         sheetTitle(sheet).toStdString());
            const PrintPage pg = makePage(text.left(c.length), {});
            RecordingSurface rs = commonPrinter();
            drawSheet(rs, sheet, c.layout, SheetInput{pg, {}, RowStates::fromPage(pg)});
            const double W = rs.pageWidth();
            std::vector<Op> heading;
            for (const Op& op : rs.texts())
                if (text.contains(op.text) && op.text.size() == 1 && op.size >= 12) heading.push_back(op);
            ASSERT_EQ(heading.size(), static_cast<size_t>(c.length));
            const double inset = (400 - 20 * c.size) / 2;
            for (int k = 0; k < c.length; ++k) {
                const Op& h = heading[static_cast<size_t>(k)];
                EXPECT_NEAR(h.size, c.size, 1e-9);
                EXPECT_NEAR(h.x(), placed ? W - 700 + inset : 230 + c.pitch * k, 1e-9) << k;
                EXPECT_NEAR(h.y(), placed ? 500 + c.pitch * k : 230 + inset, 1e-9) << k;
            }
            // The last character ends a full-width space or more before "名".
            const Op& last = heading.back();
            EXPECT_LE((placed ? last.y() : last.x()) + 20 * c.size, (placed ? 6000 : 5130) - 400 + 1e-9);
            const auto texts = rs.texts();
            const auto na = std::find_if(texts.begin(), texts.end(),
                                         [](const Op& op) { return op.text == QStringLiteral("名"); });
            ASSERT_NE(na, texts.end());
            EXPECT_DOUBLE_EQ(na->size, 20);
        }
    }
}

TEST(SheetFit, DictationFooterStaysOnThePage) {
    struct Case {
        SheetLayout layout;
        int length;
        double x, size;  // x from the right edge of the printable area
    } cases[] = {
        // At 10 pt a character is 200 wide.
        {SheetLayout::CharacterPlaced, 7, 1400, 10},  {SheetLayout::CharacterPlaced, 10, 2000, 10},
        {SheetLayout::CharacterPlaced, 16, 3200, 10}, {SheetLayout::RotatedFont, 10, 2000, 10},
        {SheetLayout::RotatedFont, 16, 3200, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const QString heading = QStringLiteral("三年一組　漢字テスト第一回まとめ").left(c.length);
        const PrintPage pg = makePage(heading, {});
        RecordingSurface rs = commonPrinter();
        printDictationSheet(rs, c.layout, SheetInput{pg, {}, RowStates::fromPage(pg)});
        const auto texts = rs.texts();
        const auto foot =
            std::find_if(texts.begin(), texts.end(), [&](const Op& op) { return op.text == heading; });
        ASSERT_NE(foot, texts.end());
        EXPECT_NEAR(foot->x(), rs.pageWidth() - c.x, 1e-9);
        EXPECT_DOUBLE_EQ(foot->y(), c.layout == SheetLayout::CharacterPlaced ? 10600 : 0);
        EXPECT_DOUBLE_EQ(foot->size, c.size);
    }
    // Wider than the page: from the left edge, smaller.
    const QString longHeading(100, QChar(0x5B57));
    const PrintPage pg = makePage(longHeading, {});
    RecordingSurface rs = commonPrinter();
    printDictationSheet(rs, SheetLayout::CharacterPlaced, SheetInput{pg, {}, RowStates::fromPage(pg)});
    const auto texts = rs.texts();
    const auto foot =
        std::find_if(texts.begin(), texts.end(), [&](const Op& op) { return op.text == longHeading; });
    ASSERT_NE(foot, texts.end());
    EXPECT_DOUBLE_EQ(foot->x(), 0);
    EXPECT_NEAR(foot->size * 20 * 100, rs.pageWidth(), 1e-6);
}

TEST(OverlongRows, RowsRunningPastTheFrameOfEachSheet) {
    // Row 3: 18 characters after its number; row 5: a 12-character second word shown; row 8 a
    // kanji word of 11 characters.
    const auto page = [](int row3, bool kanji2OnRow5, bool longKanjiOnRow8, const QString& font) {
        std::vector<std::pair<int, Row>> rows;
        rows.push_back({1,
                        {QStringLiteral("あ"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                         QStringLiteral("へ行く。")}});
        rows.push_back({3,
                        {QString(row3 - 2, QChar(0x3042)), QStringLiteral("森林"), QStringLiteral("しんりん"),
                         QString()}});
        rows.push_back(
            {5,
             {QString(), QStringLiteral("山"), QStringLiteral("やま"), QString(),
              kanji2OnRow5 ? QString(12, QChar(0x6728)) : QString(), QStringLiteral("き"), QString()}});
        if (longKanjiOnRow8)
            rows.push_back({8, {QString(), QString(11, QChar(0x5B57)), QStringLiteral("じ"), QString()}});
        return makePage(QStringLiteral("長い行"), rows, font);
    };
    struct Case {
        const char* name;
        SheetKind kind;
        QString font;
        int row3;  // characters of row 3 (before + kanji)
        bool kanji2, longKanji;
        int fontSize;
        std::vector<OverlongRow> expected;
    } cases[] = {
        {"everything fits", SheetKind::ThreeSheets, kMincho, 15, false, false, 25, {}},
        // 16 characters with the number reach 10168.6 of the 10500; 17 run past.
        {"reading, 16", SheetKind::Reading, kMincho, 15, false, false, 25, {}},
        {"reading, 17", SheetKind::Reading, kMincho, 16, false, false, 25, {{SheetKind::Reading, 3}}},
        {"reading, 19", SheetKind::Reading, kMincho, 18, false, false, 25, {{SheetKind::Reading, 3}}},
        // Rotated, the rows end at the width - 850: 17 fit, 18 run past.
        {"reading rotated, 17", SheetKind::Reading, kVertical, 16, false, false, 25, {}},
        {"reading rotated, 18",
         SheetKind::Reading,
         kVertical,
         17,
         false,
         false,
         25,
         {{SheetKind::Reading, 3}}},
        // At 40 pt the pitch grows to 967.3: 13 characters run past.
        {"reading at 40 pt", SheetKind::Reading, kMincho, 12, false, false, 40, {{SheetKind::Reading, 3}}},
        // The dictation sheet draws a line longer than its column closer together: however
        // long, no row runs off it.
        {"dictation, 18", SheetKind::Dictation, kMincho, 18, false, false, 25, {}},
        {"dictation, 16", SheetKind::Dictation, kMincho, 16, false, false, 25, {}},
        // Closer together down to half the pitch, 250: 1 + 35 + 4 = 40 cells from 600 end at
        // 10600, past the 10500; 39 cells still fit.
        {"dictation, 39 cells at 250", SheetKind::Dictation, kMincho, 36, false, false, 25, {}},
        {"dictation, 40 cells run off",
         SheetKind::Dictation,
         kMincho,
         37,
         false,
         false,
         25,
         {{SheetKind::Dictation, 3}}},
        {"dictation, @ face, 18", SheetKind::Dictation, kVertical, 18, true, false, 25, {}},
        {"tracing, second word of 12",
         SheetKind::Tracing,
         kMincho,
         4,
         true,
         false,
         25,
         {{SheetKind::Tracing, 5}}},
        {"tracing refused lists nothing", SheetKind::Tracing, kMincho, 4, true, true, 25, {}},
        {"sentence, second word of 12", SheetKind::Sentence, kMincho, 4, true, false, 25, {}},
        // The dictation sheet's gap for the 12-character second word is 24 cells long: drawn
        // closer together, it stays on the sheet.
        {"three sheets",
         SheetKind::ThreeSheets,
         kMincho,
         18,
         true,
         false,
         25,
         {{SheetKind::Tracing, 5}, {SheetKind::Reading, 3}}},
        {"three sheets, @ face",
         SheetKind::ThreeSheets,
         kVertical,
         18,
         true,
         false,
         25,
         {{SheetKind::Tracing, 5}, {SheetKind::Reading, 3}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PrintPage pg = page(c.row3, c.kanji2, c.longKanji, c.font);
        SheetInput in{pg, {}, RowStates::fromPage(pg)};
        in.options.problemFontSize = c.fontSize;
        const std::vector<OverlongRow> got = rowsRunningOffTheSheet(c.kind, in);
        EXPECT_EQ(got, c.expected);
    }
}

// The row states decide which words a row prints: a second word shown in the grid counts, one
// hidden does not.
TEST(OverlongRows, FollowTheRowStates) {
    const PrintPage pg =
        makePage(QStringLiteral("見出し"),
                 {{6, {QString(), QStringLiteral("山"), {}, {}, QString(20, QChar(0x5DDD)), {}, {}}}});
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    EXPECT_EQ(rowsRunningOffTheSheet(SheetKind::Reading, in),
              (std::vector<OverlongRow>{{SheetKind::Reading, 6}}));
    in.rows.secondWordShown[6] = false;
    EXPECT_TRUE(rowsRunningOffTheSheet(SheetKind::Reading, in).empty());
}

TEST(OverlongRows, SheetTitles) {
    EXPECT_EQ(sheetTitle(SheetKind::Dictation), QStringLiteral("テスト・漢字書き取り"));
    EXPECT_EQ(sheetTitle(SheetKind::Tracing), QStringLiteral("漢字練習"));
    EXPECT_EQ(sheetTitle(SheetKind::Reading), QStringLiteral("読み方"));
    EXPECT_EQ(sheetTitle(SheetKind::Sentence), QStringLiteral("文作り・意味調べ"));
}

}  // namespace

namespace {

// A text longer than any sheet shows is drawn only as far as the paper reaches: the drawing
// stops at a thousand characters, all of the rest being past the paper's edge, and the row
// is still reported as running off the sheet.
TEST(OverlongRows, ATextOfAMillionCharactersIsDrawnOnlyAsFarAsThePaperReaches) {
    for (const QString& font : {kMincho, kVertical}) {
        const PrintPage pg =
            makePage(QStringLiteral("見出し"),
                     {{3,
                       {QStringLiteral("きのう、"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                        QString(1000000, QChar(0x3042))}}},  // あ
                     font);
        for (SheetKind kind : {SheetKind::Dictation, SheetKind::Reading}) {  // the sheets that print it
            RecordingSurface s;
            drawSheet(s, kind, layoutForFont(font), SheetInput{pg, {}, RowStates::fromPage(pg)});
            std::vector<Op> drawn;
            for (const Op& op : s.ofKind(Kind::Text))
                if (op.text.contains(QChar(0x3042))) drawn.push_back(op);
            const std::string what = font.toStdString() + " " + sheetTitle(kind).toStdString();
            ASSERT_FALSE(drawn.empty()) << what;
            qsizetype characters = 0;
            for (const Op& op : drawn) characters += op.text.count(QChar(0x3042));
            EXPECT_LE(characters, 1024) << what;
            // Where the drawing stops, the paper ended long before (A4 in either direction).
            const Op& last = drawn.back();
            EXPECT_GT(std::max(last.x(), last.y()), 2 * kA4Long) << what;
            EXPECT_EQ(rowsRunningOffTheSheet(kind, SheetInput{pg, {}, RowStates::fromPage(pg)}),
                      (std::vector<OverlongRow>{{kind, 3}}))
                << what;
        }
    }
}

}  // namespace
