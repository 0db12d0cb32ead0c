// The sentence-making sheet in both layouts.
#include <gtest/gtest.h>

#include "core/printing/sentence_sheet.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// Row 1 a word, row 2 a second word shown, row 3 no word but a reading, row 4 a second word
// shown with an empty kanji2, row 5 toggle off with a kanji2.
PrintPage sentencePage() {
    return makePage(QStringLiteral("文作り"), {{1,
                                                {QStringLiteral("前"), QStringLiteral("学校"),
                                                 QStringLiteral(" がっこう　"), QStringLiteral("後")}},
                                               {2,
                                                {{},
                                                 QStringLiteral("森"),
                                                 QStringLiteral("もり"),
                                                 {},
                                                 QStringLiteral("林"),
                                                 QStringLiteral("はやし"),
                                                 {}}},
                                               {3, {{}, {}, QStringLiteral("よみ"), {}}},
                                               {4, {{}, QStringLiteral("川"), QStringLiteral("かわ"), {}}},
                                               {5,
                                                {{},
                                                 QStringLiteral("海"),
                                                 QStringLiteral("うみ"),
                                                 {},
                                                 QStringLiteral("空"),
                                                 QStringLiteral("そら"),
                                                 {}}}});
}

SheetInput sentenceInput(const PrintPage& pg) {
    SheetInput in{pg, {}, RowStates::fromPage(pg)};
    in.rows.secondWordShown[4] = true;
    in.rows.secondWordShown[5] = false;
    return in;
}

TEST(SentenceSheet, WordLines) {
    const PrintPage pg = sentencePage();
    const SheetInput in = sentenceInput(pg);
    const QString expected[] = {QString(),           QStringLiteral("①学校▼"), QStringLiteral("②林▼"),
                                QStringLiteral("③"), QStringLiteral("④"),      QStringLiteral("⑤海▼"),
                                QStringLiteral("⑥")};
    for (int r = 1; r <= 6; ++r) EXPECT_EQ(wordLine(in, r), expected[r]) << r;
}

TEST(SentenceSheet, CharacterPlacedWordsAt30PointAndReadingsBeside) {
    for (int fontSize : {25, 40}) {
        for (double spacing : {20.0 / 35.0, 15.0 / 35.0}) {
            const PrintPage pg = sentencePage();
            SheetInput in = sentenceInput(pg);
            in.options.problemFontSize = fontSize;
            in.options.readingSpacing = spacing;
            RecordingSurface rs;
            printSentenceSheet(rs, SheetLayout::CharacterPlaced, in);
            // 1058 x 20/35 "普通", 1058 x 15/35 "狭い", whatever the font size.
            const double q = spacing > 0.5 ? 604.5714285714 : 453.4285714286;
            struct Case {
                int row;
                QString word, reading;
                double readingX;  // 600 right of the word's column
            } cases[] = {{1, QStringLiteral("①学校▼"), QStringLiteral(" がっこう　"), 14430.8},
                         {2, QStringLiteral("②林▼"), QStringLiteral("はやし"), 12949.6},
                         {3, QStringLiteral("③"), QStringLiteral("よみ"), 11468.4},
                         {10, QStringLiteral("⑩"), {}, 1100}};
            for (const Case& c : cases) {
                SCOPED_TRACE(c.row);
                const auto word = column(rs, kPlacedTextX[c.row], 30);
                ASSERT_EQ(joined(word), c.word);
                for (size_t m = 0; m < word.size(); ++m)
                    EXPECT_NEAR(word[m].y(), 600 + q * static_cast<double>(m), 1e-6);
                // Inside the word's column, just right of the 30-pt word (600 wide).
                const auto reading = column(rs, c.readingX, 15);
                ASSERT_EQ(joined(reading), c.reading);
                for (size_t m = 0; m < reading.size(); ++m)
                    EXPECT_DOUBLE_EQ(reading[m].y(), 1200 + 300.0 * static_cast<double>(m));
            }
            EXPECT_TRUE(rs.textsOfSize(fontSize).empty());  // nothing follows problemFontSize
        }
    }
}

TEST(SentenceSheet, RotatedWordsFollowTheFontSizeButNotTheirSpacing) {
    const PrintPage pg = sentencePage();
    SheetInput in = sentenceInput(pg);
    in.options.problemFontSize = 40;
    RecordingSurface rs;
    printSentenceSheet(rs, SheetLayout::RotatedFont, in);
    const double q = 604.5714285714;  // 1058 x 20/35
    struct Case {
        int row;
        QString word, reading;  // reading in brackets, only beside a word
        double readingY;        // 350 above the word's row
    } cases[] = {{1, QStringLiteral("①学校▼"), QStringLiteral("（がっこう）"), 1500},
                 {2, QStringLiteral("②林▼"), QStringLiteral("（はやし）"), 2981.2},
                 {3, QStringLiteral("③"), {}, 4462.4},
                 {4, QStringLiteral("④"), {}, 5943.6},
                 {5, QStringLiteral("⑤海▼"), QStringLiteral("（うみ）"), 7424.8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        const auto word = row(rs, kRotatedTextY[c.row], 40);
        ASSERT_EQ(joined(word), c.word);
        for (size_t m = 0; m < word.size(); ++m)
            EXPECT_NEAR(word[m].x(), 300 + q * static_cast<double>(m), 1e-6);
        const auto reading = row(rs, c.readingY, 15);
        ASSERT_EQ(joined(reading), c.reading);
        for (size_t n = 0; n < reading.size(); ++n)
            EXPECT_DOUBLE_EQ(reading[n].x(), 400 + 300.0 * static_cast<double>(n));
    }
    const auto title = row(rs, 800, 10);
    EXPECT_EQ(joined(title), QStringLiteral("文作り・意味調べ"));
}

TEST(SentenceSheet, TitleStepIs300InThePlacedLayout) {
    const PrintPage pg = sentencePage();
    RecordingSurface rs;
    printSentenceSheet(rs, SheetLayout::CharacterPlaced, sentenceInput(pg));
    const auto title = column(rs, kA4Long - 1000, 10);
    ASSERT_EQ(joined(title), QStringLiteral("文作り・意味調べ"));
    for (size_t k = 0; k < title.size(); ++k)
        EXPECT_DOUBLE_EQ(title[k].y(), 500 + 300.0 * static_cast<double>(k));
    EXPECT_EQ(rs.ofKind(Kind::Line).size(), 4u + 11 + 2);
}

}  // namespace
