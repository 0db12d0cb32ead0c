// Tests that build themselves: which sentences fit a grade, each kanji once before twice,
// the seed, the pages of ten, and the shipped data (base.moj with onkun.txt).
#include "core/data/test_builder.h"

#include <gtest/gtest.h>

#include <QSet>
#include <memory>

#include "core/data/test_sources.h"

namespace {

const QString kDataDir = QStringLiteral(JIRAKUBO_DATA_DIR);

// A dictionary of a few kanji: 山 川 木 (1年), 海 (2年), 泣 (4年). 見 and 大 are in no table.
KanjiGrades smallGrades() {
    DictionaryTable table;
    readDictionaryText(table, QStringLiteral("1,山,さん,やま,3\r\n1,川,せん,かわ,3\r\n1,木,ぼく,き,4\r\n"
                                             "2,海,かい,うみ,9\r\n4,泣,きゅう,な(く),8\r\n"));
    return KanjiGrades(table);
}

TestProblem p(const char* before, const char* word, const char* reading, const char* after) {
    return {QString::fromUtf8(before),
            QString::fromUtf8(word),
            QString::fromUtf8(reading),
            QString::fromUtf8(after),
            {},
            {},
            {}};
}

QStringList words(const std::vector<TestProblem>& problems) {
    QStringList out;
    for (const TestProblem& t : problems) out << t.before + t.word + t.after;
    return out;
}

TEST(KanjiGrades, TableKanjiNoKanjiAndKanjiOfNoTable) {
    const KanjiGrades g = smallGrades();
    EXPECT_EQ(g.gradeOf(U'山'), 1);
    EXPECT_EQ(g.gradeOf(U'泣'), 4);
    EXPECT_EQ(g.gradeOf(U'見'), 7);  // in no table: above grade 6
    EXPECT_EQ(g.gradeOf(U'𠮟'), 7);  // outside the basic plane
    EXPECT_EQ(g.gradeOf(U'あ'), 0);
    EXPECT_EQ(g.gradeOf(U'々'), 0);
    EXPECT_EQ(g.highestGrade(QStringLiteral("山で泣く")), 4);
    EXPECT_EQ(g.highestGrade(QStringLiteral("やまへいく")), 0);
    EXPECT_EQ(g.kanjiOfGrade(1), QStringLiteral("山川木"));
}

struct FitCase {
    const char* name;
    int grade;
    const char* kanji;
    QStringList expected;  // the fitting problems, in any order
};

class FitTable : public ::testing::TestWithParam<FitCase> {};

const std::vector<TestProblem> kFitPool = {
    p("", "山", "やま", "にのぼる。"),   p("", "山", "やま", "で泣いた。"),    // 泣: 4年
    p("", "川", "かわ", "を見る。"),                                           // 見: in no table
    p("", "川", "かわ", "であそぶ。"),   p("大きな", "木", "き", "がある。"),  // 大: in no table
    p("", "海", "うみ", "はひろい。"),   p("", "泣", "な", "きむし。"),
    p("ひろい", "海", "うみ", "と山。"),  // a grade-1 kanji after a grade-2 word
    p("", "", "", "ことばがない。"),
};

TEST_P(FitTable, FittingProblems) {
    const FitCase& c = GetParam();
    const BuiltTest t = drawAllForKanji(kFitPool, smallGrades(), c.grade, QString::fromUtf8(c.kanji), 3);
    QStringList got = words(t.problems);
    got.sort();
    QStringList expected = c.expected;
    expected.sort();
    EXPECT_EQ(got, expected);
    EXPECT_EQ(t.available, expected.size());
}

const FitCase kFitCases[] = {
    {"grade1_all", 1, "", {"山にのぼる。", "川であそぶ。"}},
    {"grade2_all", 2, "", {"海はひろい。", "ひろい海と山。"}},
    {"grade4_all", 4, "", {"泣きむし。"}},
    {"grade4_given_mountain", 4, "山", {"山にのぼる。", "山で泣いた。"}},
    {"grade2_given_sea_and_river", 2, "海川", {"川であそぶ。", "海はひろい。", "ひろい海と山。"}},
    {"grade1_given_sea_is_above", 1, "海", {}},
    {"grade6_never_takes_kanji_of_no_table", 6, "川木", {"川であそぶ。"}},
};

INSTANTIATE_TEST_SUITE_P(Grades, FitTable, ::testing::ValuesIn(kFitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TestBuilder, KanjiWithoutSentenceAreNamed) {
    const BuiltTest t = buildFromKanji(kFitPool, smallGrades(), 1, QStringLiteral("木山海"), 10, 1);
    EXPECT_EQ(t.kanjiWithoutSentence, QStringLiteral("木海"));
    EXPECT_EQ(words(t.problems), QStringList{QStringLiteral("山にのぼる。")});
}

// Three sentences for each of 山, 川 and 木: any two kanji once each before any twice,
// whatever the seed.
TEST(TestBuilder, EachKanjiOnceBeforeAnyTwice) {
    std::vector<TestProblem> pool;
    for (const char* k : {"山", "川", "木"})
        for (const char* after : {"だ。", "です。", "がある。"}) pool.push_back(p("", k, "", after));
    const KanjiGrades g = smallGrades();
    for (quint64 seed = 1; seed <= 40; ++seed) {
        for (int count : {2, 3, 5, 9}) {
            const BuiltTest t = buildFromKanji(pool, g, 1, {}, count, seed);
            ASSERT_EQ(static_cast<int>(t.problems.size()), count);
            QHash<QString, int> perKanji;
            for (const TestProblem& x : t.problems) ++perKanji[x.word];
            const int most = *std::max_element(perKanji.begin(), perKanji.end());
            const int least = perKanji.size() < 3 ? 0 : *std::min_element(perKanji.begin(), perKanji.end());
            EXPECT_LE(most - least, 1) << "seed " << seed << " count " << count;
            QSet<QString> keys;
            for (const TestProblem& x : t.problems) keys.insert(problemKey(x));
            EXPECT_EQ(keys.size(), count) << "a problem twice, seed " << seed;
        }
    }
}

TEST(TestBuilder, FromPagesDrawsEveryProblemOnceInANewOrder) {
    auto wb = std::make_unique<Workbook>();
    std::vector<TestProblem> all;
    for (int i = 0; i < 14; ++i) all.push_back(p("", "山", "やま", QString::number(i).toUtf8().constData()));
    std::vector<TestProblem> first(all.begin(), all.begin() + 10), second(all.begin() + 10, all.end());
    second.push_back(all[3]);  // the same problem under another heading is the same problem
    ASSERT_TRUE(appendPages(*wb, testPages(first, QStringLiteral("一"), QString())));
    ASSERT_TRUE(appendPages(*wb, testPages(second, QStringLiteral("二"), QString())));
    const std::vector<TestProblem> pool = pageProblems(*wb, {0, 1});
    ASSERT_EQ(pool.size(), 14u);
    const BuiltTest t = buildFromProblems(pool, 50, 11);
    QStringList got = words(t.problems), expected = words(all);
    EXPECT_NE(got, expected);
    got.sort();
    expected.sort();
    EXPECT_EQ(got, expected);
    EXPECT_EQ(buildFromProblems(pool, 4, 11).problems.size(), 4u);
    EXPECT_EQ(words(pageProblems(*wb, {1})).size(), 5);
}

TEST(TestBuilder, PagesOfTenWithNumberedHeadingsAndTheFont) {
    std::vector<TestProblem> problems;
    for (int i = 0; i < 25; ++i)
        problems.push_back(p("まえ", "山", "やま", QString::number(i).toUtf8().constData()));
    problems[24].word2 = QStringLiteral("川");
    problems[24].reading2 = QStringLiteral("かわ");
    problems[24].after2 = QStringLiteral("。");
    const std::vector<PageRecord> pages =
        testPages(problems, QStringLiteral("テスト 12月11日 3年"), QStringLiteral("@IPA明朝"));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0][0], QStringLiteral("テスト 12月11日 3年（1）"));
    EXPECT_EQ(pages[2][0], QStringLiteral("テスト 12月11日 3年（3）"));
    EXPECT_EQ(pages[1][kFontField], QStringLiteral("@IPA明朝"));
    auto rowsOf = [](const PageRecord& page) {
        int n = 0;
        for (int row = 1; row <= 10; ++row) {
            TestProblem t;
            n += problemOfRow(page, row, &t);
        }
        return n;
    };
    EXPECT_EQ(rowsOf(pages[0]), 10);
    EXPECT_EQ(rowsOf(pages[1]), 10);
    EXPECT_EQ(rowsOf(pages[2]), 5);
    EXPECT_EQ(pages[2][slotFieldIndex(5, SlotField::After)], QStringLiteral("24"));
    EXPECT_EQ(pages[2][slotFieldIndex(5, SlotField::Kanji2)], QStringLiteral("川"));
    EXPECT_EQ(pages[2][slotFieldIndex(6, SlotField::Kanji)], QString());
    const std::vector<PageRecord> one = testPages({problems[0]}, QStringLiteral("H"), {});
    EXPECT_EQ(one[0][0], QStringLiteral("H"));
}

TEST(TestBuilder, AppendingBeyondTheWorkbookChangesNothing) {
    auto wb = std::make_unique<Workbook>();
    std::vector<TestProblem> ten(10, p("", "山", "やま", "。"));
    for (int i = 0; i < 199; ++i) ASSERT_TRUE(appendPages(*wb, testPages({ten[0]}, QStringLiteral("p"), {})));
    std::vector<TestProblem> thirty;
    for (int i = 0; i < 30; ++i)
        thirty.push_back(p("", "山", "やま", QString::number(i).toUtf8().constData()));
    EXPECT_FALSE(appendPages(*wb, testPages(thirty, QStringLiteral("t"), {})));
    EXPECT_EQ(wb->headingList.size(), 199);
    EXPECT_EQ(wb->pageCount, 199);
    EXPECT_TRUE(wb->page(199)[0].isEmpty());
    EXPECT_TRUE(appendPages(*wb, testPages(std::vector<TestProblem>(thirty.begin(), thirty.begin() + 20),
                                           QStringLiteral("t"), {})));
    EXPECT_EQ(wb->pageCount, 201);
    EXPECT_EQ(wb->pageLines[200].left(6), QStringLiteral("t（2）,,"));
}

TEST(TestBuilder, DefaultHeading) {
    EXPECT_EQ(defaultTestHeading(QDate(2026, 12, 11), kanjiScopeText(3, {})),
              QStringLiteral("テスト 12月11日 3年"));
    EXPECT_EQ(defaultTestHeading(QDate(2026, 1, 5), kanjiScopeText(2, QStringLiteral("海と川海"))),
              QStringLiteral("テスト 1月5日 2年 海・川"));
    EXPECT_EQ(defaultTestHeading(QDate(2026, 1, 5), {}), QStringLiteral("テスト 1月5日"));
}

// The shipped sentences and dictionary: a 50-problem grade-3 test holds no kanji above
// grade 3, asks 50 different kanji, and its seed makes it again.
class ShippedData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sources = new TestSources;
        QString message;
        loaded = loadTestSources(kDataDir, QStringLiteral("教科書指定なし"), sources, &message);
        loadMessage = message;
    }
    static void TearDownTestSuite() { delete sources; }
    static inline TestSources* sources = nullptr;
    static inline bool loaded = false;
    static inline QString loadMessage;
};

TEST_F(ShippedData, GradeThreeTestFitsAndRepeatsBySeed) {
    ASSERT_TRUE(loaded) << loadMessage.toStdString();
    ASSERT_GT(sources->examples.size(), 4000u);
    const BuiltTest a = buildFromKanji(sources->examples, sources->grades, 3, {}, 50, 7);
    ASSERT_EQ(a.problems.size(), 50u);
    QSet<char32_t> gradeThreeInWords;
    for (const TestProblem& t : a.problems) {
        EXPECT_LE(sources->grades.highestGrade(t.before + t.word + t.after), 3) << t.word.toStdString();
        for (char32_t c : t.word.toUcs4())
            if (sources->grades.gradeOf(c) == 3) gradeThreeInWords.insert(c);
    }
    EXPECT_GE(gradeThreeInWords.size(), 50);
    EXPECT_EQ(words(buildFromKanji(sources->examples, sources->grades, 3, {}, 50, 7).problems),
              words(a.problems));
    const BuiltTest b = buildFromKanji(sources->examples, sources->grades, 3, {}, 10, 8);
    const BuiltTest c = buildFromKanji(sources->examples, sources->grades, 3, {}, 10, 7);
    EXPECT_NE(words(b.problems), words(c.problems));
}

TEST_F(ShippedData, SentencesOfAGradeUseOnlyEarlierKanji) {
    ASSERT_TRUE(loaded) << loadMessage.toStdString();
    // Every grade has hundreds of fitting sentences (377 for grade 1, 882 to 962 for the others, in the
    // shipped file).
    for (int grade = 1; grade <= 6; ++grade) {
        const BuiltTest t = drawAllForKanji(sources->examples, sources->grades, grade, {}, 1);
        EXPECT_GT(t.available, 300) << grade;
        EXPECT_EQ(static_cast<int>(t.problems.size()), t.available);
        for (const TestProblem& x : t.problems)
            ASSERT_LE(sources->grades.highestGrade(x.before + x.word + x.after), grade);
    }
}

TEST(TestSources, MissingExampleFileSaysSo) {
    TestSources sources;
    QString message;
    EXPECT_FALSE(loadTestSources(QStringLiteral("/nonexistent-folder"), QStringLiteral("教科書指定なし"),
                                 &sources, &message));
    EXPECT_EQ(
        message,
        QStringLiteral("/nonexistent-folder/base.moj が見つかりません。例文がないのでテストを作れません"));
}

}  // namespace
