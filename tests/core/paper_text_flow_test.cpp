// The flow rules: a running text into ten rows of ten characters.
#include <gtest/gtest.h>

#include "core/paper/text_flow.h"

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
    EXPECT_EQ(flowText(QString::fromUtf8(c.text)).rows, toList(c.rows));
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
        Case{"CommaThenFullStop", "あいうえおかきくけこ、。さし", {"あいうえおかきくけこ、。", "さし"}},
        Case{"ClosingBracket", "あいうえおかきくけこ」さし", {"あいうえおかきくけこ」", "さし"}},
        Case{"FullStopAndBracket", "あいうえおかきくけこ。」さし", {"あいうえおかきくけこ。」", "さし"}},
        Case{"ExclamationAndBracket", "あいうえおかきくけこ！」さ", {"あいうえおかきくけこ！」", "さ"}},
        Case{"BracketAndComma", "あいうえおかきくけこ』、さ", {"あいうえおかきくけこ』、", "さ"}},
        Case{"QuestionMark", "あいうえおかきくけこ？", {"あいうえおかきくけこ？"}},
        Case{"Parenthesis", "あいうえおかきくけこ）。", {"あいうえおかきくけこ）。"}},
        // A whole run of closing marks hangs, whatever its length.
        Case{"ThreeMarks", "あいうえおかきくけこ。」」さ", {"あいうえおかきくけこ。」」", "さ"}},
        Case{"ExclamationQuestionBracket",
             "えっ、ほんとうにここ！？」と",
             {"えっ、ほんとうにここ！？」", "と"}},
        Case{"BracketThenFullStop", "あいうえおかきくけこ」。さ", {"あいうえおかきくけこ」。", "さ"}},
        Case{"DoubleBracketThenFullStop", "あいうえおかきくけこ』。さ", {"あいうえおかきくけこ』。", "さ"}},
        Case{"QuestionAndBracket", "あいうえおかきくけこ？」さ", {"あいうえおかきくけこ？」", "さ"}},
        Case{"HalfWidthMarks", "あいうえおかきくけこ!｣さ", {"あいうえおかきくけこ!｣", "さ"}},
        // Marks inside a row stay where they are; only a row's start is kept free of them.
        Case{"MarksInsideARow", "あ。」いう！？えおかきくけ", {"あ。」いう！？えおか", "きくけ"}},
        // Each row takes its own run, also when the next row starts with one again.
        Case{"TwoRowsEndingInMarks",
             "あいうえおかきくけこ。」さしすせそたちつてと！？」な",
             {"あいうえおかきくけこ。」", "さしすせそたちつてと！？」", "な"}},
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
    for (QChar c : QStringLiteral("、。，．！？」』）】〕〉》”’：；・､｡｣!?"))
        EXPECT_TRUE(isClosingMark(c)) << int(c.unicode());
    for (QChar c : QStringLiteral("「『（【〔〈《“あ漢ーっ…"))
        EXPECT_FALSE(isClosingMark(c)) << int(c.unicode());
}

// What ten rows cannot take is handed back as it stands, line breaks and all.
TEST(FlowRest, TheTextPastTheTenthRow) {
    const QString tenLines = QStringLiteral("一\n二\n三\n四\n五\n六\n七\n八\n九\n十");
    const QString hundred(100, QChar(u'あ'));
    const struct {
        const char* name;
        QString text, rest;
        qsizetype count;
    } cases[] = {
        {"fits", QStringLiteral("一\n二\n三"), {}, 0},
        {"exactly ten rows", tenLines, {}, 0},
        {"only line breaks left", tenLines + QStringLiteral("\r\n\r\n"), {}, 0},
        {"an eleventh line", tenLines + QStringLiteral("\n十一\r\n十二"), QStringLiteral("十一\r\n十二"), 4},
        // A mark after the hundredth character hangs on row ten and is not left over.
        {"a hundred and three", hundred + QStringLiteral("」いうえ"), QStringLiteral("いうえ"), 3},
    };
    for (const auto& c : cases) {
        const FlowedText f = flowText(c.text);
        EXPECT_EQ(f.rest, c.rest) << c.name;
        EXPECT_EQ(flowCharacterCount(f.rest), c.count) << c.name;
        if (c.count > 0) EXPECT_EQ(f.rows.size(), 10) << c.name;
    }
    EXPECT_EQ(flowText(hundred + QStringLiteral("」いうえ")).rows.back(),
              QString(10, QChar(u'あ')) + QStringLiteral("」"));
    EXPECT_EQ(flowCharacterCount(QStringLiteral("𠮟あ\r\n")), 2);
}

}  // namespace
