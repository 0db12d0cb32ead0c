#include "core/data/reading_dictionary.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/windows/read_messages.h"
#include "fake_platform.h"

namespace {

const QString kFixtures = QStringLiteral(JIRAKUBO_FIXTURES);
const QString kNone = QStringLiteral("教科書指定なし");

// A program folder of its own, into which a test copies the dictionary files it needs.
class DictionaryFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        platform.programDir = dir.path();
    }
    // Copies a fixture into the program folder under the given name.
    void install(const QString& fixture, const QString& name) {
        ASSERT_TRUE(QFile::copy(kFixtures + u'/' + fixture, dir.filePath(name))) << fixture.toStdString();
    }
    void load(const QString& company) { loadReadingDictionaryShowingNotice(dict, company, platform); }

    QTemporaryDir dir;
    FakePlatform platform;
    ReadingDictionary dict;
};

// The kanji (field 1) of the result rows 1..count, joined.
QString resultKanji(const ReadingDictionary& d) {
    QString s;
    for (int r = 1; r <= d.result.count; ++r) s += d.result.row(r)[kKanjiField];
    return s;
}

DictionaryRecord record(const char* grade, const char* kanji, const char* on, const char* kun,
                        const char* carried) {
    return {QString::fromUtf8(grade), QString::fromUtf8(kanji),   QString::fromUtf8(on),
            QString::fromUtf8(kun),   QString::fromUtf8(carried), QString()};
}

}  // namespace

TEST(ReadingDictionaryPath, NamesTheFileOfTheCompanyInPanel5) {
    const struct {
        const char* company;
        const char* file;
    } cases[] = {
        {"教科書指定なし", "onkun.txt"},
        {"東京書籍", "東京書籍_onkun.txt"},
        {"三省堂", "三省堂_onkun.txt"},
        {"教育出版", "教育出版_onkun.txt"},
        {"学校図書", "学校図書_onkun.txt"},
        {"光村図書", "光村図書_onkun.txt"},
        {"", "onkun.txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dictionaryPath(QStringLiteral("/opt/jirakubo"), QString::fromUtf8(c.company)),
                  QStringLiteral("/opt/jirakubo/") + QString::fromUtf8(c.file))
            << c.company;
}

TEST_F(DictionaryFolder, NoCompanyReadsOnkunTxtAndACompanyReadsItsOwnFile) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    install(QStringLiteral("dictionary_1105.txt"), QStringLiteral("三省堂_onkun.txt"));

    load(kNone);
    EXPECT_EQ(dict.table.count, 12);
    EXPECT_EQ(dict.table.row(1)[kKanjiField], QStringLiteral("一"));

    load(QStringLiteral("三省堂"));
    EXPECT_EQ(dict.table.count, 1100);
    EXPECT_EQ(dict.table.row(1)[kKanjiField], QStringLiteral("字1"));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DictionaryFolder, MissingCompanyFileShowsTheFourLineMessageAndLeavesNothing) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    ASSERT_EQ(dict.table.count, 12);

    load(QStringLiteral("三省堂"));
    const QString path = dir.path() + QStringLiteral("/三省堂_onkun.txt");
    ASSERT_EQ(platform.messages.size(), 1u);
    const FakePlatform::Message& m = platform.messages[0];
    EXPECT_EQ(m.text, path + QStringLiteral("ファイルが見つかりません。\n") + path +
                          QStringLiteral("が、削除された可能性があります！\n"
                                         "もしくは、教科書会社が選択されていない可能性があります！\n"
                                         "readME.txtをお読みください！"));
    EXPECT_EQ(m.title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(dict.table.count, 0);
    // Nothing of the earlier load is left to be found.
    dict.queryByGrade(1);
    EXPECT_EQ(dict.result.count, 0);
    dict.queryByReading(QStringLiteral("か"), true);
    EXPECT_EQ(dict.result.count, 0);
}

TEST_F(DictionaryFolder, RecordsAreStoredFromRow1WithFiveFields) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    ASSERT_EQ(dict.table.count, 12);
    EXPECT_EQ(dict.table.row(0), DictionaryRecord{});
    EXPECT_EQ(dict.table.row(1), record("1", "一", "いち・いつ", "ひと・ひと(つ)", "1"));
    EXPECT_EQ(dict.table.row(5), record("3", "階", "かい", "", "12"));  // empty kun field
    EXPECT_EQ(dict.table.row(9), record("一", "表", "ひょう", "おもて・あらわ(す)", "8"));
    EXPECT_EQ(dict.table.row(11), record("3", "申", "しん", "もう(す)", "5"));  // 0x5C trail byte
    EXPECT_EQ(dict.table.row(12), record("5", "かいかい", "かいかい", "かいかい", "0"));
    EXPECT_EQ(dict.table.row(13), DictionaryRecord{});
}

TEST_F(DictionaryFolder, ARecordCutShortAtTheEndKeepsWhatItHas) {
    install(QStringLiteral("dictionary_cut_short.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    EXPECT_EQ(dict.table.count, 2);
    EXPECT_EQ(dict.table.row(2), record("2", "家", "か", "", ""));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DictionaryFolder, AtMost1100RecordsAreLoadedWithoutAMessage) {
    install(QStringLiteral("dictionary_1105.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    EXPECT_EQ(dict.table.count, 1100);
    EXPECT_EQ(dict.table.rows.size(), 1101u);
    EXPECT_EQ(dict.table.row(1100), record("2", "字1100", "おん1100", "くん1100", "1100"));
    EXPECT_TRUE(platform.messages.empty());
    // Records 1101..1105 (grades 3, 4, 5, 6, 1) are not there: 字1103 of grade 5 is left out.
    dict.queryByGrade(5);
    EXPECT_EQ(dict.result.count, 183);
    EXPECT_EQ(dict.result.row(183)[kKanjiField], QStringLiteral("字1097"));
}

TEST_F(DictionaryFolder, AReloadReplacesTheWholeTable) {
    install(QStringLiteral("dictionary_1105.txt"), QStringLiteral("三省堂_onkun.txt"));
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(QStringLiteral("三省堂"));
    load(kNone);
    EXPECT_EQ(dict.table.count, 12);
    EXPECT_EQ(dict.table.row(13), DictionaryRecord{});
    EXPECT_EQ(dict.table.row(1100), DictionaryRecord{});
}

TEST_F(DictionaryFolder, AFileThatIsNotCodePage932IsReportedAndLoadsNothing) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    install(QStringLiteral("dictionary_utf8.txt"), QStringLiteral("東京書籍_onkun.txt"));
    load(kNone);
    load(QStringLiteral("東京書籍"));
    ASSERT_EQ(platform.messages.size(), 1u);
    const FakePlatform::Message& m = platform.messages[0];
    EXPECT_TRUE(m.text.startsWith(dir.path() + QStringLiteral("/東京書籍_onkun.txt")))
        << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(QStringLiteral("932"))) << m.text.toStdString();
    EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_EQ(m.buttons, MessageButtons::Ok);
    EXPECT_EQ(dict.table.count, 0);
    EXPECT_EQ(dict.table.row(1), DictionaryRecord{});
}

TEST_F(DictionaryFolder, GradeQueryFindsTheRecordsOfThatGradeInFileOrder) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    // 表 (grade "一") and 十 (no grade) are never found, not even as grade 0.
    const struct {
        int grade;
        const char* kanji;
    } cases[] = {
        {1, "一下学"}, {2, "家歌"}, {3, "階申"}, {4, "械"}, {5, "かいかい"}, {6, "株"}, {0, ""}, {7, ""},
    };
    for (const auto& c : cases) {
        dict.queryByGrade(c.grade);
        EXPECT_EQ(resultKanji(dict), QString::fromUtf8(c.kanji)) << "grade " << c.grade;
    }
}

TEST_F(DictionaryFolder, QueryResultsAreWholeRecordsFromRow1AndOldFindsAreCleared) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    dict.queryByGrade(1);
    ASSERT_EQ(dict.result.count, 3);
    EXPECT_EQ(dict.result.row(0), DictionaryRecord{});
    EXPECT_EQ(dict.result.row(1), record("1", "一", "いち・いつ", "ひと・ひと(つ)", "1"));
    EXPECT_EQ(dict.result.row(3), record("1", "学", "がく", "まな(ぶ)", "8"));

    dict.queryByGrade(6);
    ASSERT_EQ(dict.result.count, 1);
    EXPECT_EQ(dict.result.row(1), record("6", "株", "", "かぶ", "10"));
    EXPECT_EQ(dict.result.row(2), DictionaryRecord{});
    EXPECT_EQ(dict.result.row(3), DictionaryRecord{});
}

TEST_F(DictionaryFolder, ReadingQueryMatchesTheStartOfEveryReadingOfTheField) {
    install(QStringLiteral("dictionary_small.txt"), QStringLiteral("onkun.txt"));
    load(kNone);
    const struct {
        const char* text;
        bool useOn;
        const char* kanji;
    } cases[] = {
        {"か", true, "下家歌階械かいかい"},  // one character
        {"かい", true, "階械かいかい"},      // two
        {"かいか", true, "かいかい"},        // three
        {"かいかい", true, "かいかい"},      // four: a whole long reading
        {"", true, ""},
        {"", false, ""},
        {"　", true, ""},             // blanks only
        {"か", false, "株かいかい"},  // the kun field instead
        {"かぶ", false, "株"},
        {"かぶ", true, ""},
        {"いち", true, "一"},
        {"いち", false, ""},
        {"げ", true, "下"},  // second reading of か・げ
        {"け", true, "家"},
        {"や", false, "家"},
        {"しも", false, "下"},
        {"と", false, "十"},  // found whatever its grade field holds
        {"ち", true, ""},     // only the start of a reading matches
        {"つ", false, ""},
        {"いち・", true, ""},     // the separator belongs to no reading
        {"ひとつ", false, "一"},  // okurigana in brackets count
        {"うたう", false, "歌"},
        {"もう(す", false, "申"},  // brackets typed are dropped too
        {"あらわす", false, "表"},
        {"あらわすこと", false, ""},         // longer than every reading
        {"カ", true, "下家歌階械かいかい"},  // katakana typed is hiragana
        {"ｶｲ", true, "階械かいかい"},        // half-width too
        {"ヒョウ", true, "表"},
    };
    for (const auto& c : cases) {
        dict.queryByReading(QString::fromUtf8(c.text), c.useOn);
        EXPECT_EQ(resultKanji(dict), QString::fromUtf8(c.kanji)) << c.text << (c.useOn ? " 音" : " 訓");
    }
}

TEST(ReadingDictionaryQuery, KatakanaFieldsAndOkuriganaAfterADotAreFound) {
    ReadingDictionary dict;
    dict.table.row(1) = record("1", "学", "ガク", "まな.ぶ", "8");
    dict.table.row(2) = record("2", "歌", "カ", "うた.う・うた", "14");
    dict.table.row(3) = record("2", "家", "カ・ケ", "いえ・や", "10");
    dict.table.count = 3;
    const struct {
        const char* text;
        bool useOn;
        const char* kanji;
    } cases[] = {
        {"がく", true, "学"},    {"ガク", true, "学"},  {"か", true, "歌家"},    {"け", true, "家"},
        {"まなぶ", false, "学"}, {"まな", false, "学"}, {"うたう", false, "歌"}, {"うた", false, "歌"},
        {"う", false, "歌"},     {"ぶ", false, ""},
    };
    for (const auto& c : cases) {
        dict.queryByReading(QString::fromUtf8(c.text), c.useOn);
        EXPECT_EQ(resultKanji(dict), QString::fromUtf8(c.kanji)) << c.text << (c.useOn ? " 音" : " 訓");
    }
}

TEST(ReadingDictionaryData, ShippedOnkunTxtHoldsTheGradeAllotment) {
    const QString dataDir = QStringLiteral(JIRAKUBO_DATA_DIR);
    if (!QFile::exists(dataDir + QStringLiteral("/onkun.txt")))
        GTEST_SKIP() << "data/onkun.txt has not been generated yet";
    FakePlatform platform;
    platform.programDir = dataDir;
    ReadingDictionary dict;
    loadReadingDictionaryShowingNotice(dict, QStringLiteral("教科書指定なし"), platform);
    EXPECT_TRUE(platform.messageTexts().isEmpty()) << platform.messageTexts().join(u'\n').toStdString();
    EXPECT_EQ(dict.table.count, 1026);

    const int perGrade[] = {80, 160, 200, 202, 193, 191};
    for (int g = 1; g <= 6; ++g) {
        dict.queryByGrade(g);
        EXPECT_EQ(dict.result.count, perGrade[g - 1]) << "grade " << g;
    }
    dict.queryByGrade(1);
    EXPECT_TRUE(resultKanji(dict).contains(QStringLiteral("学")));
    dict.queryByReading(QStringLiteral("がく"), true);
    EXPECT_TRUE(resultKanji(dict).contains(QStringLiteral("学")));
    // 表 and 十 have 0x5C as their second byte in code page 932.
    dict.queryByGrade(3);
    EXPECT_TRUE(resultKanji(dict).contains(QStringLiteral("表")));
}

TEST(ReadingDictionaryData, ShippedCompanyFilesLoadWithEveryKanjiInAGrade) {
    const QString dataDir = QStringLiteral(JIRAKUBO_DATA_DIR);
    for (const char* company : {"東京書籍", "三省堂", "教育出版", "学校図書", "光村図書"}) {
        const QString name = QString::fromUtf8(company);
        if (!QFile::exists(dictionaryPath(dataDir, name))) continue;
        FakePlatform platform;
        platform.programDir = dataDir;
        ReadingDictionary dict;
        loadReadingDictionaryShowingNotice(dict, name, platform);
        EXPECT_TRUE(platform.messages.empty()) << company;
        EXPECT_EQ(dict.table.count, 1026) << company;
        int found = 0;
        for (int g = 1; g <= 6; ++g) {
            dict.queryByGrade(g);
            found += dict.result.count;
        }
        EXPECT_EQ(found, dict.table.count) << company;
    }
}
