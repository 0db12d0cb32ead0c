// A page's grade, its unlearned kanji and the answers that stand in another row's sentence.
#include "core/data/grade_check.h"

#include <gtest/gtest.h>

#include "core/data/reading_dictionary.h"

namespace {

// A small grade table: the kanji the pages below use, with the grades of onkun.txt.
KanjiGrades smallTable() {
    DictionaryTable table;
    readDictionaryText(table, QStringLiteral("1,大,だい,おお,3\n"
                                             "1,赤,せき,あか,7\n"
                                             "1,学,がく,まな(ぶ),8\n"
                                             "1,校,こう,,10\n"
                                             "2,声,せい,こえ,7\n"
                                             "2,雪,せつ,ゆき,11\n"
                                             "2,作,さく,つく(る),7\n"
                                             "2,妹,まい,いもうと,8\n"
                                             "2,友,ゆう,とも,4\n"
                                             "4,泣,きゅう,な(く),8\n"
                                             "6,降,こう,ふ(る),10\n"
                                             "3,降,こう,ふ(る),10\n"));
    return KanjiGrades::fromTable(table);
}

struct Row {
    const char *before, *kanji, *after, *kanji2 = "", *after2 = "";
};

ProblemPage pageOf(std::initializer_list<Row> rows) {
    ProblemPage page;
    size_t i = 0;
    for (const Row& r : rows)
        page[i++] = {QString::fromUtf8(r.before), QString::fromUtf8(r.kanji), QString::fromUtf8(r.after),
                     QString::fromUtf8(r.kanji2), QString::fromUtf8(r.after2)};
    return page;
}

Finding unlearned(int row, const char* kanji, int grade, std::vector<TextPlace> places) {
    return {FindingKind::Unlearned, row, QString::fromUtf8(kanji), grade, 0, std::move(places), {}};
}

Finding leak(int row, const char* kanji, int otherRow, std::vector<TextPlace> places,
             std::vector<TextPlace> answerPlaces) {
    return {FindingKind::Leak,      row, QString::fromUtf8(kanji), 0, otherRow, std::move(places),
            std::move(answerPlaces)};
}

using T = ProblemText;

std::string describe(const std::vector<Finding>& findings) {
    std::string s;
    for (const Finding& f : findings) {
        s += std::to_string(f.row) + " " + findingText(f).toStdString() + " places";
        for (const TextPlace& p : f.places)
            s += " " + std::to_string(p.row) + "/" + std::to_string(static_cast<int>(p.text)) + "/" +
                 std::to_string(p.index) + "+" + std::to_string(p.length);
        s += " answer";
        for (const TextPlace& p : f.answerPlaces)
            s += " " + std::to_string(p.row) + "/" + std::to_string(static_cast<int>(p.text)) + "/" +
                 std::to_string(p.index);
        s += "\n";
    }
    return s;
}

}  // namespace

TEST(KanjiGrades, GradesComeFromTheTableAndEverythingElseIsBeyondOrNoKanji) {
    const KanjiGrades g = smallTable();
    EXPECT_EQ(g.gradeOf(U'雪'), 2);
    EXPECT_EQ(g.gradeOf(U'泣'), 4);
    EXPECT_EQ(g.gradeOf(U'降'), 3);  // listed twice: the lower grade
    EXPECT_EQ(g.gradeOf(U'鬱'), 7);  // in no table
    EXPECT_EQ(g.gradeOf(U'\U00020B9F'), 7);
    EXPECT_EQ(g.gradeOf(U'々'), 0);
    EXPECT_EQ(g.gradeOf(U'ゆ'), 0);
    EXPECT_EQ(g.gradeOf(U'。'), 0);
    EXPECT_EQ(g.gradeOf(U'Ａ'), 0);
    EXPECT_EQ(gradeLabel(4), QStringLiteral("4年"));
    EXPECT_EQ(gradeLabel(7), QStringLiteral("配当外"));
}

TEST(PageGrade, AnswersSetItUnlessTheTeacherChoseOne) {
    const KanjiGrades g = smallTable();
    const struct {
        ProblemPage page;
        int chosen;
        int automatic, grade;
    } cases[] = {
        {pageOf({{"", "雪", "がふる。"}, {"", "大", "きい"}}), 0, 2, 2},
        {pageOf({{"", "大", "きい"}, {"", "", "", "泣", "く"}}), 0, 4, 4},  // the second word counts
        {pageOf({{"", "雪", "がふる。"}}), 5, 2, 5},
        {pageOf({{"", "雪", "がふる。"}}), 1, 2, 1},
        {pageOf({{"", "鬱", ""}}), 0, 7, 7},
        {pageOf({{"泣いた", "", "。"}}), 0, 0, 6},  // no answer yet
        {pageOf({}), 0, 0, 6},
        {pageOf({{"", "雪", ""}}), 9, 2, 2},  // no such grade: automatic
    };
    for (const auto& c : cases) {
        EXPECT_EQ(automaticGrade(c.page, g), c.automatic);
        EXPECT_EQ(pageGrade(c.page, g, c.chosen), c.grade);
    }
}

TEST(CheckPage, ListsUnlearnedKanjiAndLeakingAnswers) {
    const KanjiGrades g = smallTable();
    const struct {
        const char* name;
        ProblemPage page;
        int chosen;
        int grade;
        std::vector<Finding> findings;
    } cases[] = {
        {"grade-2 page: 泣 in row 2, row 1's answer 雪 in row 3's sentence",
         pageOf({{"", "雪", "がふった。"}, {"妹が", "大声", "で泣いた。"}, {"雪だるまを", "作", "る。"}}),
         0,
         2,
         {leak(1, "雪", 3, {{3, T::Before, 0, 1}}, {{1, T::Kanji, 0, 1}}),
          unlearned(2, "泣", 4, {{2, T::After, 1, 1}})}},
        {"the same page for grade 4: only the leak",
         pageOf({{"", "雪", "がふった。"}, {"妹が", "大声", "で泣いた。"}, {"雪だるまを", "作", "る。"}}),
         4,
         4,
         {leak(1, "雪", 3, {{3, T::Before, 0, 1}}, {{1, T::Kanji, 0, 1}})}},
        {"an answer above the chosen grade is unlearned too, in every text of its row",
         pageOf({{"大", "雪", "で雪あそび。"}}),
         1,
         1,
         {unlearned(1, "雪", 2, {{1, T::Kanji, 0, 1}, {1, T::After, 1, 1}})}},
        {"a kanji in no table is beyond grade 6; one finding per kanji, every place",
         pageOf({{"鬱とうしい", "大", "雪。鬱"}}),
         6,
         6,
         {unlearned(1, "鬱", 7, {{1, T::Before, 0, 1}, {1, T::After, 2, 1}})}},
        {"a character beyond the BMP takes two units",
         pageOf({{"妹に\U00020B9Fられた", "声", ""}}),
         0,
         2,
         {unlearned(1, "\U00020B9F", 7, {{1, T::Before, 2, 2}})}},
        {"second words: kanji2 leaks into another row's after2; kanji in after2 is checked",
         pageOf({{"", "大", "きい", "雪", "が泣く"}, {"", "作", "る", "友", "と雪で"}}),
         0,
         2,
         {unlearned(1, "泣", 4, {{1, T::After2, 1, 1}}),
          leak(1, "雪", 2, {{2, T::After2, 1, 1}}, {{1, T::Kanji2, 0, 1}})}},
        {"an answer in its own row's sentence is no leak; its kanji in its own answer neither",
         pageOf({{"大雪で", "雪", "だるま"}, {"", "雪", ""}}),
         0,
         2,
         {leak(2, "雪", 1, {{1, T::Before, 1, 1}}, {{2, T::Kanji, 0, 1}})}},
        {"a two-kanji answer: each kanji that shows elsewhere, by kanji then row",
         pageOf({{"", "学校", "へ行く"}, {"校ていで", "大", "声"}, {"学ぶ", "友", "と校歌"}}),
         2,
         2,
         {unlearned(1, "行", 7, {{1, T::After, 1, 1}}),
          leak(1, "学", 3, {{3, T::Before, 0, 1}}, {{1, T::Kanji, 0, 1}}),
          leak(1, "校", 2, {{2, T::Before, 0, 1}}, {{1, T::Kanji, 1, 1}}),
          leak(1, "校", 3, {{3, T::After, 1, 1}}, {{1, T::Kanji, 1, 1}}),
          unlearned(3, "歌", 7, {{3, T::After, 2, 1}})}},
        {"kana, 々 and signs are no kanji; a kanji in no table is found on a page without answers",
         pageOf({{"人々が", "", "。"}}),
         0,
         6,
         {unlearned(1, "人", 7, {{1, T::Before, 0, 1}})}},
        {"nothing to find", pageOf({{"赤い", "大声", "だ"}}), 0, 2, {}},
        {"an empty page finds nothing", pageOf({}), 0, 6, {}},
    };
    for (const auto& c : cases) {
        const PageCheck check = checkPage(c.page, g, c.chosen);
        EXPECT_EQ(check.grade, c.grade) << c.name;
        EXPECT_EQ(describe(check.findings), describe(c.findings)) << c.name;
        EXPECT_EQ(check.findings, c.findings) << c.name;
    }
}

TEST(CheckPage, FindingsReadAsTheTeacherReadsThem) {
    EXPECT_EQ(findingText(unlearned(2, "泣", 4, {})), QStringLiteral("未習漢字 泣（4年）"));
    EXPECT_EQ(findingText(unlearned(2, "鬱", 7, {})), QStringLiteral("未習漢字 鬱（配当外）"));
    EXPECT_EQ(findingText(leak(1, "雪", 5, {}, {})), QStringLiteral("答えの「雪」が5行目の文にも出ています"));
}

TEST(CheckPage, ReadsTheRowsOfAPageRecord) {
    PageRecord rec;
    rec[static_cast<size_t>(slotFieldIndex(3, SlotField::Before))] = QStringLiteral("雪だるまを");
    rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] = QStringLiteral("雪");
    rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Reading))] = QStringLiteral("ゆき");
    rec[static_cast<size_t>(slotFieldIndex(10, SlotField::After2))] = QStringLiteral("泣く");
    const ProblemPage page = problemPageOf(rec);
    EXPECT_EQ(page[2].before, QStringLiteral("雪だるまを"));
    EXPECT_EQ(page[0].kanji, QStringLiteral("雪"));
    EXPECT_EQ(page[9].after2, QStringLiteral("泣く"));
    const PageCheck check = checkPage(page, smallTable(), 0);
    ASSERT_EQ(check.findings.size(), 2u);
    EXPECT_EQ(check.findings[0], leak(1, "雪", 3, {{3, T::Before, 0, 1}}, {{1, T::Kanji, 0, 1}}));
    EXPECT_EQ(check.findings[1], unlearned(10, "泣", 4, {{10, T::After2, 0, 1}}));
}
