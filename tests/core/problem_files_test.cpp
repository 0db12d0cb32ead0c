#include "core/data/problem_files.h"

#include <QDir>
#include <QTemporaryDir>

#include "core/windows/read_messages.h"
#include "fake_platform.h"
#include "test_util.h"

namespace {

struct ProblemFiles : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform platform;
    Workbook wb;
    QString path(const QString& name) const { return dir.filePath(name); }
    ReadReport read(const QString& file) {
        wb.currentFilePath = path(file);
        return readProblemFileShowingNotices(wb, platform);
    }
};

QStringList firstRow(const QString& before, const QString& kanji, const QString& reading,
                     const QString& after) {
    return {before, kanji, reading, after};
}

}  // namespace

TEST_F(ProblemFiles, ReadsMojxPagesIntoTableHeadingsAndLines) {
    const QString l1 =
        mojxLine(QStringLiteral("一の巻"),
                 firstRow(QStringLiteral("あした"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                          QStringLiteral("へいく。")),
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

// A file larger than any workbook can be is refused by its size before it is read: the
// largest file read is 8 MiB (201 pages of 74 fields of 256 characters fit in it).
TEST_F(ProblemFiles, AFileLargerThanAnyWorkbookIsRefusedByItsSize) {
    // Exactly 8 MiB: one page whose first text fills the file. Read.
    const QByteArray head = textcodec::encodeCp932(QStringLiteral("頁,,")).value();
    QByteArray largest = head + QByteArray(8 * 1024 * 1024 - head.size() - 2, 'a') + "\r\n";
    ASSERT_EQ(largest.size(), 8388608);
    writeBytes(path("largest.mojx"), largest);
    ReadReport r = read("largest.mojx");
    EXPECT_EQ(r.pagesRead, 1);
    EXPECT_EQ(wb.page(0)[2].size(), 8388608 - head.size() - 2);
    EXPECT_TRUE(platform.messages.empty());

    // One byte more: refused with a message, nothing read.
    Workbook fresh;
    wb.pageTable = fresh.pageTable;
    wb.headingList.clear();
    largest.insert(0, 'b');
    writeBytes(path("larger.mojx"), largest);
    r = read("larger.mojx");
    EXPECT_EQ(r.pagesRead, 0);
    EXPECT_TRUE(wb.headingList.isEmpty());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              path("larger.mojx") +
                  QStringLiteral(" は8388609バイトあり、このプログラムのファイルとしては大きすぎるため、"
                                 "読み込めません（201ページの問題ファイルでも8388608バイトを超えません）。"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    const TextFile f = readCp932File(path("larger.mojx"));
    EXPECT_EQ(f.error, FileError::TooLarge);
    EXPECT_TRUE(f.text.isEmpty());
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
    const ReadReport r = readProblemFileShowingNotices(wb, platform);
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

TEST_F(ProblemFiles, PageLinesAreTheLinesAsWrittenOrRebuiltFromTheFields) {
    // A line written as the writer writes it is taken as its page line; any other is rebuilt
    // from its fields. Either way the page line is what the fields give.
    const QString plain =
        mojxLine(QStringLiteral("頁"),
                 firstRow(QStringLiteral("あした"), QStringLiteral("学校"), QStringLiteral("がっこう"),
                          QStringLiteral("へ")),
                 QStringLiteral("ＭＳ 明朝"), QStringLiteral("carried"), {QStringLiteral("先生")});
    auto with = [&](const QString& text) { return QString(plain).replace(QStringLiteral("あした"), text); };
    QString twoLines = mojxLine(QStringLiteral("二行"), {QStringLiteral("a")});
    twoLines.replace(QStringLiteral(",a,"), QStringLiteral(",a\r\n"));  // field 2 ends the line
    const struct {
        QString line;
        QString pageLine;
    } cases[] = {
        {plain, plain},
        {mojxLine(QString(), {}), mojxLine(QString(), {})},
        {with(QStringLiteral("\"あし,た\"")), with(QStringLiteral("\"あし,た\""))},
        {with(QStringLiteral("\"あした\"")), plain},
        {with(QStringLiteral(" あした")), plain},
        {with(QStringLiteral("あした ")), with(QStringLiteral("\"あした \""))},
        {with(QStringLiteral("あ\"した")), with(QStringLiteral("あ＂した"))},
        {QString(plain).replace(QStringLiteral("頁,,"), QStringLiteral("頁,field1,")), plain},
        {twoLines, mojxLine(QStringLiteral("二行"), {QStringLiteral("a")})},
        {plain + QStringLiteral(",extra"), plain},  // the 75th field starts the next record
    };
    for (const auto& c : cases) {
        wb = Workbook();
        writeCp932(path("p.mojx"), c.line + QStringLiteral("\r\n"));
        ASSERT_GE(read("p.mojx").pagesRead, 1) << c.line.toStdString();
        const PageRecord& row = wb.page(0);
        EXPECT_EQ(wb.pageLines[0], c.pageLine) << c.line.toStdString();
        EXPECT_EQ(wb.pageLines[0], pageLine(row, row[kFontField])) << c.line.toStdString();
    }
}

TEST_F(ProblemFiles, BlankLinesBeforeARecordAreEmptyFieldsAndAfterTheLastNothing) {
    // Two line ends are fields 0 and 1; the line gives the other 72.
    const QString line = mojxLine(QStringLiteral("H"), {}).section(u',', 0, 71);
    writeCp932(path("b.mojx"), QStringLiteral("\r\n\r\n") + line + QStringLiteral("\r\n") +
                                   QString(5000, u'\n') + QStringLiteral(" \r\n"));
    EXPECT_EQ(read("b.mojx").pagesRead, 1);
    EXPECT_EQ(wb.headingList, QStringList{QString()});
    EXPECT_EQ(wb.page(0)[2], QStringLiteral("H"));
    EXPECT_EQ(wb.page(0)[44], QStringLiteral("ＭＳ Ｐ明朝"));  // the line's font field
    EXPECT_EQ(wb.pageLines[0], pageLine(wb.page(0), wb.page(0)[kFontField]));
}

TEST_F(ProblemFiles, FilesThatAreNotCodePage932TextAreRefusedWithWhatTheyAre) {
    const QByteArray page = textcodec::encodeCp932(mojxLine(QStringLiteral("頁"), {}) + "\r\n").value();
    const struct {
        const char* name;
        QByteArray bytes;
        QString says;
    } cases[] = {
        {"utf8.mojx", mojxLine(QStringLiteral("頁"), {}).toUtf8() + "\r\n",
         QStringLiteral("UTF-8で保存された")},
        {"utf8bom.mojx", "\xEF\xBB\xBF" + QByteArray("a,b\r\n"), QStringLiteral("UTF-8で保存された")},
        {"utf16le.mojx", QByteArray("\xFF\xFE", 2) + QByteArray("a\0,\0", 4),
         QStringLiteral("UTF-16で保存された")},
        {"utf16be.mojx", QByteArray("\xFE\xFF\0a", 4), QStringLiteral("UTF-16で保存された")},
        {"nul.mojx", page + QByteArray("x\0y", 3),
         QStringLiteral("NUL文字（%1バイト目）").arg(page.size() + 2)},
        {"lead.mojx", page + "\x88", QStringLiteral("（%1バイト目）").arg(page.size() + 1)},
    };
    for (const auto& c : cases) {
        wb = Workbook();
        platform.messages.clear();
        writeBytes(path(c.name), c.bytes);
        const ReadReport r = read(c.name);
        EXPECT_EQ(r.pagesRead, 0) << c.name;
        EXPECT_TRUE(wb.headingList.isEmpty()) << c.name;
        EXPECT_TRUE(r.errorMessage.startsWith(path(c.name) + QStringLiteral(" は"))) << c.name;
        EXPECT_TRUE(r.errorMessage.contains(c.says)) << c.name << " " << r.errorMessage.toStdString();
        ASSERT_EQ(platform.messages.size(), 1u) << c.name;
        EXPECT_EQ(platform.messages[0].text, r.errorMessage);
    }
    // Code page 932 text is never taken for UTF-8, even where its bytes would pass for it
    // (霓甚 is E8 BD 90 72; found by the settings fuzz target).
    writeBytes(path("sjis.mojx"), page);
    EXPECT_EQ(read("sjis.mojx").pagesRead, 1);
    const QByteArray utf8Like =
        textcodec::encodeCp932(mojxLine(QStringLiteral("霓甚"), {}, QStringLiteral("IPAMincho"))).value();
    ASSERT_TRUE(utf8Like.startsWith("\xE8\xBD\x90\x72"));
    ASSERT_EQ(QString::fromUtf8(utf8Like).toUtf8(), utf8Like);  // valid UTF-8 too
    writeBytes(path("kanji.mojx"), utf8Like);
    wb = Workbook();
    EXPECT_EQ(read("kanji.mojx").pagesRead, 1);
    EXPECT_EQ(wb.headingList.value(0), QStringLiteral("霓甚"));
}

TEST_F(ProblemFiles, AFolderIsNotAFile) {
    QDir(dir.path()).mkdir(QStringLiteral("folder.mojx"));
    const ReadReport r = read("folder.mojx");
    EXPECT_FALSE(r.fileNotFound);
    EXPECT_EQ(
        r.errorMessage,
        path("folder.mojx") + QStringLiteral(" はフォルダーです。ファイルではないため、読み込めません。"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
}

TEST_F(ProblemFiles, OnlyTheExampleFileItselfIsTheExampleFile) {
    const QString line = mojxLine(QStringLiteral("例"), {}).section(u',', 0, 42);
    QDir(dir.path()).mkdir(QStringLiteral("program"));
    platform.programDir = path("program");
    writeCp932(path("program/base.moj"), line + "\r\n");
    writeCp932(path("database.moj"), line + "\r\n");
    writeCp932(path("base.moj"), line + "\r\n");  // a copy outside the program folder
    QFile::link(path("program/base.moj"), path("link.moj"));
    const struct {
        QString file;
        QString exampleFilePath;
        bool isExample;
    } cases[] = {
        {path("database.moj"), QString(), false},
        {path("base.moj"), QString(), false},
        {path("program/base.moj"), QString(), true},
        {path("program/../program/base.moj"), QString(), true},
        {path("link.moj"), QString(), true},
        {path("base.moj"), path("base.moj"), true},  // the example file the lookup chose
    };
    for (const auto& c : cases) {
        wb = Workbook();
        platform.messages.clear();
        wb.exampleFilePath = c.exampleFilePath;
        wb.currentFilePath = c.file;
        EXPECT_EQ(isExampleFile(c.file, c.exampleFilePath, platform.programDir), c.isExample)
            << c.file.toStdString();
        const ReadReport r = readProblemFileShowingNotices(wb, platform);
        EXPECT_EQ(r.exampleFile, c.isExample) << c.file.toStdString();
        EXPECT_EQ(wb.headingList, c.isExample ? QStringList() : QStringList{QStringLiteral("例")})
            << c.file.toStdString();
        if (c.isExample) {
            EXPECT_EQ(
                r.errorMessage,
                c.file + QStringLiteral(
                             " は例文ファイル（base.moj）です。問題ファイルではないため、開けません。"));
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].text, r.errorMessage);
        } else {
            EXPECT_TRUE(platform.messages.empty()) << c.file.toStdString();
        }
    }
}
