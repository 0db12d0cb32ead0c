#include "data/problem_files.h"

#include "fake_platform.h"
#include "test_util.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

struct ProblemFiles : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform platform;
    Workbook wb;
    QString path(const QString& name) const { return dir.filePath(name); }
    ReadReport read(const QString& file) {
        wb.currentFilePath = path(file);
        return readProblemFile(wb, platform);
    }
};

QStringList firstRow(const QString& before, const QString& kanji, const QString& reading, const QString& after) {
    return {before, kanji, reading, after};
}

}  // namespace

TEST_F(ProblemFiles, ReadsMojxPagesIntoTableHeadingsAndLines) {
    const QString l1 = mojxLine(QStringLiteral("一の巻"), firstRow(QStringLiteral("あした"), QStringLiteral("学校"), QStringLiteral("がっこう"), QStringLiteral("へいく。")),
                                QStringLiteral("@ＭＳ 明朝"), QStringLiteral("carried"),
                                {QStringLiteral("先生"), QStringLiteral("せんせい"), QStringLiteral("と話す。")});
    const QString l2 = mojxLine(QStringLiteral("二の巻"), {});
    writeCp932(path("a.mojx"), l1 + "\r\n" + l2 + "\r\n");
    const ReadReport r = read("a.mojx");
    EXPECT_EQ(r.pagesRead, 2);
    EXPECT_EQ(wb.headingList, QStringList({QStringLiteral("一の巻"), QStringLiteral("二の巻")}));
    EXPECT_EQ(wb.page(0)[slotFieldIndex(1, SlotField::Kanji)], QStringLiteral("学校"));
    EXPECT_EQ(wb.page(0)[slotFieldIndex(1, SlotField::Kanji2)], QStringLiteral("先生"));
    EXPECT_EQ(wb.page(0)[kFontField], QStringLiteral("@ＭＳ 明朝"));
    // Field 43 is carried and written back unchanged.
    EXPECT_EQ(wb.pageLines[0], l1);
    EXPECT_EQ(wb.pageLines[1], l2);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProblemFiles, MojRecordsGetThirtyOneEmptyFields) {
    QStringList f{QStringLiteral("古い頁"), QString()};
    for (int i = 0; i < 40; ++i) f << (i == 1 ? QStringLiteral("山") : QString());
    f << QStringLiteral("ＭＳ Ｐ明朝");
    writeCp932(path("old.moj"), f.join(u',') + "\r\n");
    // A .mojx read earlier left second words in row 0: the .moj page must not show them.
    wb.page(0)[slotFieldIndex(1, SlotField::Kanji2)] = QStringLiteral("残り");
    EXPECT_EQ(read("old.moj").pagesRead, 1);
    EXPECT_EQ(wb.pageLines[0], f.join(u',') + QStringLiteral(",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,"));
    EXPECT_EQ(wb.pageLines[0].count(u','), 73);
    EXPECT_TRUE(wb.page(0)[slotFieldIndex(1, SlotField::Kanji2)].isEmpty());
}

TEST_F(ProblemFiles, RecordsTakeTheNextFieldsWhateverTheLineEnds) {
    // The first line lacks its last field: the record takes it from the next line, and the
    // record cut short by the end of the file gets empty fields.
    QString l1 = mojxLine(QStringLiteral("A"), {});
    l1.chop(1);  // 73 fields
    writeCp932(path("s.mojx"), l1 + "\r\nX,Y\r\n");
    EXPECT_EQ(read("s.mojx").pagesRead, 2);
    EXPECT_EQ(wb.page(0)[73], QStringLiteral("X"));
    EXPECT_EQ(wb.page(1)[0], QStringLiteral("Y"));
    EXPECT_TRUE(wb.page(1)[1].isEmpty());
    EXPECT_EQ(wb.headingList.size(), 2);
}

TEST_F(ProblemFiles, FileNameTestsAndEmptyFiles) {
    writeCp932(path("A.MOJX"), mojxLine(QStringLiteral("x"), {}) + "\r\n");
    EXPECT_EQ(read("A.MOJX").pagesRead, 0);  // upper case is neither format
    writeBytes(path("e.mojx"), QByteArray());
    EXPECT_EQ(read("e.mojx").pagesRead, 0);
    EXPECT_TRUE(wb.headingList.isEmpty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ProblemFiles, MissingFileShowsTheBaseMojMessage) {
    read("gone.mojx");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kBaseMissingMessage);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::Ok);
}

TEST_F(ProblemFiles, InvalidCodePageNamesTheFileAndLoadsNothing) {
    QByteArray bytes = textcodec::encodeCp932(mojxLine(QStringLiteral("頁"), {})).value();
    bytes += "\r\n\x81\x0A,broken\r\n";
    writeBytes(path("bad.mojx"), bytes);
    const ReadReport r = read("bad.mojx");
    EXPECT_EQ(r.pagesRead, 0);
    EXPECT_TRUE(wb.headingList.isEmpty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(path("bad.mojx")));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
}

TEST_F(ProblemFiles, MoreThan201PagesLoadsTheFirst201AndSaysSo) {
    QString text;
    for (int i = 0; i < 205; ++i) text += mojxLine(QStringLiteral("頁%1").arg(i), {}) + "\r\n";
    writeCp932(path("big.mojx"), text);
    const ReadReport r = read("big.mojx");
    EXPECT_EQ(r.pagesRead, 201);
    EXPECT_EQ(r.pagesLeftOut, 4);
    EXPECT_EQ(wb.headingList.size(), 201);
    EXPECT_EQ(wb.headingList.last(), QStringLiteral("頁200"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("4ページは読み込んでいません")));
}

TEST_F(ProblemFiles, BaseMojFillsTheExampleTableOnly) {
    QStringList f{QStringLiteral("1年"), QString()};
    for (int i = 0; i < 40; ++i) f << (i == 1 ? QStringLiteral("一") : QString());
    f << QStringLiteral("ＭＳ Ｐ明朝");
    writeCp932(path("base.moj"), f.join(u',') + "\r\n" + f.join(u',') + "\r\n");
    wb.exampleFilePath = path("base.moj");
    wb.currentFilePath = path("base.moj");
    const ReadReport r = readProblemFile(wb, platform);
    EXPECT_EQ(r.examplesRead, 2);
    EXPECT_EQ(wb.exampleCount, 2);
    EXPECT_EQ(wb.exampleTable[1][3], QStringLiteral("一"));
    EXPECT_TRUE(wb.headingList.isEmpty());
}

TEST(ProblemFileNames, ProposedNamesAndBackupPaths) {
    const QDateTime t(QDate(2026, 12, 8), QTime(15, 5));
    EXPECT_EQ(proposedSaveName(QStringLiteral("ファイル"), QString(), QStringLiteral("/w"), t),
              QStringLiteral("/w/128155.mojx"));
    EXPECT_EQ(proposedSaveName(QStringLiteral("/d/a.moj"), QStringLiteral("/d/a.moj"), "/w", t),
              QStringLiteral("/d/a.mojx"));
    EXPECT_EQ(proposedSaveName(QStringLiteral("/d/a.mojx"), QStringLiteral("/d/a.mojx"), "/w", t),
              QStringLiteral("/d/a.mojx"));
    EXPECT_EQ(backupPathFor(QStringLiteral("/d/a.mojx")), QStringLiteral("/d/aBK.mojx"));
    EXPECT_EQ(proposedSaveName(QStringLiteral("ファイル"), QString(), QStringLiteral("/w"),
                               QDateTime(QDate(2026, 1, 2), QTime(3, 4))),
              QStringLiteral("/w/1234.mojx"));
}

TEST(ProblemFileWriting, UnencodableTextWritesNothingAndNamesTheCharacters) {
    QTemporaryDir dir;
    const QString target = dir.filePath("t.mojx");
    writeCp932(target, QStringLiteral("old\r\n"));
    QString message;
    EXPECT_FALSE(writeCp932Lines(target, {QStringLiteral("𠮟る"), QStringLiteral("ok")}, &message));
    EXPECT_TRUE(message.contains(QStringLiteral("𠮟")));
    EXPECT_EQ(readBytes(target), QByteArray("old\r\n"));
}

TEST(ProblemFileWriting, LinesGetCrLfInCodePage932) {
    QTemporaryDir dir;
    const QString target = dir.filePath("t.mojx");
    ASSERT_TRUE(writeCp932Lines(target, {QStringLiteral("表"), QStringLiteral("①")}, nullptr));
    EXPECT_EQ(readBytes(target), QByteArray("\x95\x5C\r\n\x87\x40\r\n"));
    QString message;
    EXPECT_FALSE(writeCp932Lines(dir.filePath("no/such/dir/x.mojx"), {QStringLiteral("a")}, &message));
    EXPECT_TRUE(message.contains(QStringLiteral("保存できませんでした")));
}
