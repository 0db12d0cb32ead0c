// The flow rules: a running text into ten rows of ten characters.
#include <gtest/gtest.h>

#include "paper/text_flow.h"

namespace {

struct Case {
    const char* name;
    const char* text;
    std::vector<const char*> rows;
};

QStringList toList(const std::vector<const char*>& rows) {
    QStringList out;
    for (const char* r : rows) out << QString::fromUtf8(r);
    return out;
}

class Flow : public testing::TestWithParam<Case> {};

TEST_P(Flow, Rows) {
    const Case& c = GetParam();
    EXPECT_EQ(flowText(QString::fromUtf8(c.text)), toList(c.rows));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Flow,
    testing::Values(
        Case{"Empty", "", {}},
        // Fifteen characters: ten, then five; the rows after keep what they hold.
        Case{"FifteenCharacters", "あいうえおかきくけこさしすせそ", {"あいうえおかきくけこ", "さしすせそ"}},
        Case{"BreakAfterFour", "あいうえ\r\nかきくけこ", {"あいうえ", "かきくけこ"}},
        Case{"LineFeedOnly", "あいうえ\nかき\rくけ", {"あいうえ", "かき", "くけ"}},
        Case{"EmptyLineGivesEmptyRow", "あ\r\n\r\nい", {"あ", "", "い"}},
        Case{"TrailingBreak", "あいう\r\n", {"あいう"}},
        // A line of exactly ten characters takes its line break along: no empty row.
        Case{"FullLineThenBreak", "あいうえおかきくけこ\r\nさし", {"あいうえおかきくけこ", "さし"}},
        Case{"EleventhIsFullStop", "あいうえおかきくけこ。さし", {"あいうえおかきくけこ。", "さし"}},
        Case{"FullStopThenComma", "あいうえおかきくけこ。、さし", {"あいうえおかきくけこ。、", "さし"}},
        // "、" hangs only as the second mark: "、。" leaves the "。" to the next row.
        Case{"CommaThenFullStop", "あいうえおかきくけこ、。さし", {"あいうえおかきくけこ、", "。さし"}},
        Case{"ClosingBracket", "あいうえおかきくけこ」さし", {"あいうえおかきくけこ」", "さし"}},
        Case{"FullStopAndBracket", "あいうえおかきくけこ。」さし", {"あいうえおかきくけこ。」", "さし"}},
        Case{"ExclamationAndBracket", "あいうえおかきくけこ！」さ", {"あいうえおかきくけこ！」", "さ"}},
        Case{"BracketAndComma", "あいうえおかきくけこ』、さ", {"あいうえおかきくけこ』、", "さ"}},
        Case{"QuestionMark", "あいうえおかきくけこ？", {"あいうえおかきくけこ？"}},
        Case{"Parenthesis", "あいうえおかきくけこ）。", {"あいうえおかきくけこ）。"}},
        // At most two marks hang; a row never passes twelve characters.
        Case{"ThreeMarks", "あいうえおかきくけこ。」」さ", {"あいうえおかきくけこ。」", "」さ"}},
        // An opening bracket may start a row.
        Case{"OpeningBracket", "あいうえおかきくけこ「さし」", {"あいうえおかきくけこ", "「さし」"}},
        // A mark at the start of the next line hangs on the row before, with its break.
        Case{"MarkAfterBreak", "あいう\r\n。\r\nかき", {"あいう。", "かき"}},
        Case{"MarkOpeningNextLine", "あいう\r\n」かき", {"あいう」", "かき"}},
        Case{"HangingMarkThenBreak", "あいうえおかきくけこ。\r\nさ", {"あいうえおかきくけこ。", "さ"}},
        Case{"TenRowsAtMost",
             "一\n二\n三\n四\n五\n六\n七\n八\n九\n十\n十一",
             {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"}},
        // A character outside the basic plane is never cut in two.
        Case{"SurrogatePair", "あいうえおかきくけ𠮟こ", {"あいうえおかきくけ𠮟", "こ"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(FlowMarks, WhichMarksHang) {
    for (QChar c : QStringLiteral("。」』）！？")) {
        EXPECT_TRUE(hangsAsFirstMark(c)) << int(c.unicode());
        EXPECT_TRUE(hangsAsSecondMark(c)) << int(c.unicode());
    }
    EXPECT_FALSE(hangsAsFirstMark(u'、'));
    EXPECT_TRUE(hangsAsSecondMark(u'、'));
    for (QChar c : QStringLiteral("「『（あ漢ー")) EXPECT_FALSE(hangsAsSecondMark(c)) << int(c.unicode());
}

}  // namespace
