// CSV out of a workbook and back, and the dictation-sheet program's problem lists.
#include "core/data/workbook_csv.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "full_disk.h"
#include "test_util.h"

using namespace workbookcsv;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");
const QByteArray kHeader =
    "ページ,行,見出し,前の文,漢字,読み,後の文,２語目の漢字,２語目の読み,２語目の後の文,フォント,付記";
const QByteArray kPeerHeader = "学年,問題文,答え,番号,管理番号,最終更新日,結果,履歴";

QString fixture(const char* name) {
    return QStringLiteral(JIRAKUBO_FIXTURES "/") + QString::fromUtf8(name);
}

// A workbook of `pages` pages read from page lines, as opening a file fills it.
std::unique_ptr<Workbook> workbookOf(const QStringList& lines) {
    auto wb = std::make_unique<Workbook>();
    const PagesRead r =
        readPagesFromText(*wb, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), true);
    wb->pageCount = r.pagesRead;
    return wb;
}

QString text(const Workbook& wb, int page, int row, SlotField f) {
    return wb.page(page)[static_cast<size_t>(slotFieldIndex(row, f))];
}

// The seven texts of a row joined by "|", for compact expectations.
QString rowTexts(const Workbook& wb, int page, int row) {
    QStringList t;
    for (SlotField f : {SlotField::Before, SlotField::Kanji, SlotField::Reading, SlotField::After,
                        SlotField::Kanji2, SlotField::Reading2, SlotField::After2})
        t << text(wb, page, row, f);
    return t.join(u'|');
}

QStringList rejectedLines(const CsvImport& r) {
    QStringList out;
    for (const RejectedRow& row : r.rejected) out << QStringLiteral("%1:%2").arg(row.line).arg(row.reason);
    return out;
}

}  // namespace

// --- writing ---

TEST(CsvQuoting, FieldsThatWouldBreakARowAreQuoted) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"漢字", "漢字"},
        {"", ""},
        {"a,b", "\"a,b\""},
        {"先生が\"はい\"と", "\"先生が\"\"はい\"\"と\""},
        {"一行目\n二行目", "\"一行目\n二行目\""},
        {"a\r\nb", "\"a\r\nb\""},
        {" まえ", "\" まえ\""},
        {"うしろ\t", "\"うしろ\t\""},
        {"な か", "な か"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quoteField(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(CsvExport, OnePageIsTheMarkTheHeaderAndTenRows) {
    QStringList first(40);
    first[0] = QStringLiteral("きのう");
    first[1] = QStringLiteral("病院");
    first[2] = QStringLiteral("びょういん");
    first[3] = QStringLiteral("へ、いった。");
    QStringList second(30);
    second[27] = QStringLiteral("山");
    second[28] = QStringLiteral("やま");
    second[29] = QStringLiteral("に のぼる");
    const auto wb = workbookOf({mojxLine(QStringLiteral("一・右"), first, QStringLiteral("ＭＳ Ｐ明朝"),
                                         QStringLiteral("メモ"), second)});
    const QByteArray csv = workbookToCsv(*wb);
    const QList<QByteArray> lines = csv.split('\n');
    ASSERT_EQ(lines.size(), 12);  // header, ten rows, and nothing after the last CR LF
    EXPECT_EQ(lines[0], kBom + kHeader + "\r");
    EXPECT_EQ(lines[1], QByteArray("1,1,一・右,きのう,病院,びょういん,へ、いった。,,,,ＭＳ Ｐ明朝,メモ\r"));
    EXPECT_EQ(lines[2], QByteArray("1,2,一・右,,,,,,,,ＭＳ Ｐ明朝,メモ\r"));
    EXPECT_EQ(lines[10], QByteArray("1,10,一・右,,,,,山,やま,に のぼる,ＭＳ Ｐ明朝,メモ\r"));
    EXPECT_EQ(lines[11], QByteArray());
}

TEST(CsvExport, AWorkbookOf201FullPagesComesBackFieldForField) {
    // Every field of every page different, with the texts a problem file holds that a CSV has
    // to take care of: commas, blanks at either end, full-width quotes, empty fields.
    QStringList lines;
    for (int p = 0; p < kMaxPages; ++p) {
        QStringList f;
        f << QStringLiteral("見出し%1,その%1").arg(p) << QString();
        for (int i = 2; i < kMojxFields; ++i) {
            QString t;
            switch ((p + i) % 7) {
            case 0: t = QStringLiteral("文%1-%2").arg(p).arg(i); break;
            case 1: t = QStringLiteral(" 前に空白%1").arg(i); break;
            case 2: t = QStringLiteral("後ろに空白%1 ").arg(i); break;
            case 3: t = QStringLiteral("コンマ,%1,%2").arg(p).arg(i); break;
            case 4: t = QStringLiteral("＂引用＂%1").arg(i); break;
            case 5: t = QString(); break;
            case 6: t = QStringLiteral("漢字%1").arg(p * 100 + i); break;
            }
            f << t;
        }
        f[kFontField] = p % 2 ? QStringLiteral("@ＭＳ 明朝") : QStringLiteral("ＭＳ Ｐ明朝");
        lines << joinFields(f);
    }
    const auto original = workbookOf(lines);
    ASSERT_EQ(original->pageCount, 201);

    auto back = std::make_unique<Workbook>();
    const CsvImport r = importCsv(workbookToCsv(*original), QStringLiteral("x"), *back);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.kind, CsvKind::Workbook);
    EXPECT_EQ(r.encoding, QStringLiteral("UTF-8"));
    EXPECT_EQ(r.rowsRead, 2010);
    EXPECT_EQ(r.pages, 201);
    EXPECT_EQ(r.rejectedCount, 0);
    ASSERT_EQ(back->pageCount, 201);
    EXPECT_EQ(back->headingList, original->headingList);
    for (int p = 0; p < kMaxPages; ++p) {
        for (int i = 0; i < kMojxFields; ++i)
            ASSERT_EQ(back->page(p)[static_cast<size_t>(i)], original->page(p)[static_cast<size_t>(i)])
                << "page " << p << " field " << i;
        EXPECT_EQ(back->pageLines[static_cast<size_t>(p)], original->pageLines[static_cast<size_t>(p)]);
    }
    // And so the file saved from it is the file it came from, byte for byte.
    EXPECT_EQ(encodeCp932Lines(QStringList(back->pageLines.begin(), back->pageLines.begin() + 201)),
              encodeCp932Lines(lines));
}

TEST(CsvExport, ACsvTooLargeToReadBackIsNotWritten) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.csv"));
    writeBytes(path, "old");
    // One page whose heading, repeated on its ten rows in three-byte UTF-8, passes 8 MiB.
    const QString heading = QString(280000, QChar(0x6F22));  // 漢
    QString message;
    EXPECT_FALSE(writeCsvFile(path, {mojxLine(heading, {})}, &message));
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_TRUE(message.contains(QStringLiteral("CSVが8400"))) << message.left(200).toStdString();
    // Just under the bound it is written, and reads back.
    const QString smaller = QString(270000, QChar(0x6F22));
    ASSERT_TRUE(writeCsvFile(path, {mojxLine(smaller, {})}, &message)) << message.left(200).toStdString();
    auto wb = std::make_unique<Workbook>();
    const CsvImport r = readCsvFile(path, *wb);
    ASSERT_TRUE(r.ok()) << r.error.left(200).toStdString();
    EXPECT_EQ(wb->headingList, QStringList{smaller});
}

TEST(CsvExport, AFullDiskKeepsTheOldFileWhole) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = disk.path(QStringLiteral("out.csv"));
    writeBytes(path, "old");
    ASSERT_TRUE(disk.fill());
    QStringList lines;
    for (int p = 0; p < 20; ++p)
        lines << mojxLine(QStringLiteral("見出し"), QStringList(40, QStringLiteral("漢字")));
    QString message;
    EXPECT_FALSE(writeCsvFile(path, lines, &message));
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_EQ(disk.names(), QStringList{QStringLiteral("out.csv")});
    EXPECT_FALSE(message.isEmpty());
}

TEST(CsvExport, ReadOnlyDiskKeepsTheOldFile) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString path = disk.path(QStringLiteral("out.csv"));
    writeBytes(path, "old");
    ASSERT_TRUE(disk.makeReadOnly());
    QString message;
    EXPECT_FALSE(writeCsvFile(path, {mojxLine(QStringLiteral("a"), {})}, &message));
    EXPECT_EQ(readBytes(path), QByteArray("old"));
    EXPECT_TRUE(message.contains(QStringLiteral("out.csv")));
}

// --- the reader ---

TEST(CsvReader, RecordsFieldsAndLineNumbers) {
    const struct {
        const char* text;
        QStringList expected;  // "line:field|field|..." each record, "!" after the line when unclosed
    } cases[] = {
        {"a,b,c\r\nd,e,f\r\n", {"1:a|b|c", "2:d|e|f"}},
        {"a,b\nc,d", {"1:a|b", "2:c|d"}},
        {"a,b\rc,d\r", {"1:a|b", "2:c|d"}},
        {"\"a,b\",c\r\n", {"1:a,b|c"}},
        {"\"say \"\"hi\"\"\",x", {"1:say \"hi\"|x"}},
        {"\"one\r\ntwo\",x\r\nnext,y", {"1:one\r\ntwo|x", "3:next|y"}},
        {"\"one\ntwo\nthree\"\nnext", {"1:one\ntwo\nthree", "4:next"}},
        {"a,,\r\n", {"1:a||"}},
        {",", {"1:|"}},
        {"a\"b,c", {"1:a\"b|c"}},
        {"\"ab\"cd,e", {"1:abcd|e"}},
        {"x,\"never closed\r\nmore", {"1!:x|never closed\r\nmore"}},
    };
    for (const auto& c : cases) {
        CsvReader reader(QString::fromUtf8(c.text));
        QStringList got;
        CsvRecord r;
        while (reader.next(r))
            got << QStringLiteral("%1%2:%3")
                       .arg(r.line)
                       .arg(r.unclosedQuote ? "!" : "")
                       .arg(r.fields.join(u'|'));
        EXPECT_EQ(got, c.expected) << c.text;
    }
    // Blank lines are records of one empty field, counted in the line numbers.
    CsvReader reader(QStringLiteral("\r\n\r\nx"));
    QStringList got;
    CsvRecord r;
    while (reader.next(r)) got << QStringLiteral("%1:%2").arg(r.line).arg(r.fields.join(u'|'));
    EXPECT_EQ(got, (QStringList{"1:", "2:", "3:x"}));
}

TEST(CsvReader, FieldsPastTheLimitAreCountedNotKept) {
    const QString line = QString(u',').repeated(100000);
    CsvReader reader(line);
    CsvRecord r;
    ASSERT_TRUE(reader.next(r));
    EXPECT_EQ(r.fields.size(), 64);
    EXPECT_EQ(r.droppedFields, 100001 - 64);
}

TEST(CsvDecode, EncodingsAreToldApart) {
    const QString japanese = QStringLiteral("学年,問題文");
    const struct {
        QByteArray bytes;
        const char* encoding;  // "" when refused
        const char* message;   // part of the message when refused
    } cases[] = {
        {kBom + japanese.toUtf8(), "UTF-8", ""},
        {japanese.toUtf8(), "UTF-8", ""},
        {*textcodec::encodeCp932(japanese), "Shift_JIS", ""},
        {"plain,ascii", "UTF-8", ""},
        {QByteArray("\xFF\xFE", 2) + QByteArray("a\0,\0", 4), "", "UTF-16"},
        {QByteArray("a,\0b", 4), "", "NUL"},
        {kBom + QByteArray("\x82\xa0"), "", "UTF-8として読めない"},
        {QByteArray("ok,\x80\x80\xFD"), "", "UTF-8でもShift_JISでもない"},
    };
    for (const auto& c : cases) {
        const DecodedCsv d = decodeCsvBytes(c.bytes);
        EXPECT_EQ(d.encoding, QString::fromUtf8(c.encoding)) << c.bytes.toHex().toStdString();
        if (*c.encoding) {
            EXPECT_TRUE(d.error.isEmpty());
            EXPECT_FALSE(d.text.startsWith(QChar(0xFEFF)));
        } else {
            EXPECT_TRUE(d.error.contains(QString::fromUtf8(c.message))) << d.error.toStdString();
        }
    }
    EXPECT_EQ(decodeCsvBytes(*textcodec::encodeCp932(japanese)).text, japanese);
}

// --- the program's own CSV, typed or changed in a spreadsheet ---

TEST(CsvImportRows, PagesAndRowsAsTheColumnsSayOrInTurn) {
    const struct {
        const char* name;
        const char* rows;      // after the header
        QStringList pages;     // heading then the kanji of rows 1..10 joined, each page
        QStringList rejected;  // "line:reason part"
    } cases[] = {
        {"numbers given, out of order",
         "2,3,二,,山,,,,,,,\r\n1,1,一,,川,,,,,,,\r\n",
         {"一:川|||||||||", "二:||山|||||||"},
         {}},
        {"rows without numbers fill the page in turn and go on to the next",
         ",,A,,a,,,,,,,\r\n,,,,b,,,,,,,\r\n,,,,c,,,,,,,\r\n,,,,d,,,,,,,\r\n,,,,e,,,,,,,\r\n,,,,f,,,,,,,\r\n"
         ",,,,g,,,,,,,\r\n,,,,h,,,,,,,\r\n,,,,i,,,,,,,\r\n,,,,j,,,,,,,\r\n,,B,,k,,,,,,,\r\n",
         {"A:a|b|c|d|e|f|g|h|i|j", "B:k|||||||||"},
         {}},
        {"page numbers with gaps close up, full-width digits count",
         "１０,２,十,,x,,,,,,,\r\n3,1,三,,y,,,,,,,\r\n",
         {"三:y|||||||||", "十:|x||||||||"},
         {}},
        {"the first heading of a page counts",
         "1,1,,,a,,,,,,,\r\n1,2,上,,b,,,,,,,\r\n1,3,下,,c,,,,,,,\r\n",
         {"上:a|b|c|||||||"},
         {}},
        {"bad numbers and a row given twice are listed",
         "1,1,A,,a,,,,,,,\r\nx,1,A,,b,,,,,,,\r\n0,1,A,,c,,,,,,,\r\n1,11,A,,d,,,,,,,\r\n1,1,A,,e,,,,,,,\r\n1,-"
         "2,A,,f,,,,,,,\r\n",
         {"A:a|||||||||"},
         {"3:「ページ」の「x」が1以上の数ではありません", "4:「ページ」の「0」が1以上の数ではありません",
          "5:「行」の「11」が1から10までの数ではありません",
          "6:1ページの1行目は2行目ですでに読み込んでいます",
          "7:「行」の「-2」が1から10までの数ではありません"}},
        {"a full page refuses a row that names it",
         "1,1,A,,1,,,,,,,\r\n1,2,A,,2,,,,,,,\r\n1,3,A,,3,,,,,,,\r\n1,4,A,,4,,,,,,,\r\n1,5,A,,5,,,,,,,\r\n"
         "1,6,A,,6,,,,,,,\r\n1,7,A,,7,,,,,,,\r\n1,8,A,,8,,,,,,,\r\n1,9,A,,9,,,,,,,\r\n1,10,A,,10,,,,,,,\r\n1,"
         ",A,,11,,,,,,,\r\n",
         {"A:1|2|3|4|5|6|7|8|9|10"},
         {"12:1ページにはもう10問あります"}},
        {"blank lines are no rows; a character Shift_JIS lacks is",
         "\r\n1,1,A,,a,,,,,,,\r\n,,,,,,,,,,,\r\n1,2,A,,𠮟,,,,,,,\r\n",
         {"A:a|||||||||"},
         {"5:問題ファイルに保存できない文字「𠮟」があります"}},
        {"a quote never closed takes the rest of the file",
         "1,1,A,,a,,,,,,,\r\n1,2,A,\"b,,,,,,,\r\n1,3,A,,c,,,,,,,\r\n",
         {"A:a|||||||||"},
         {"3:二重引用符（\"）が閉じていないため"}},
    };
    for (const auto& c : cases) {
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = importCsv(kHeader + "\r\n" + c.rows, QStringLiteral("x"), *wb);
        ASSERT_TRUE(r.ok()) << c.name << ": " << r.error.toStdString();
        QStringList pages;
        for (int p = 0; p < wb->pageCount; ++p) {
            QStringList kanji;
            for (int row = 1; row <= 10; ++row) kanji << text(*wb, p, row, SlotField::Kanji);
            pages << wb->headingList.value(p) + u':' + kanji.join(u'|');
        }
        EXPECT_EQ(pages, c.pages) << c.name;
        const QStringList got = rejectedLines(r);
        ASSERT_EQ(got.size(), c.rejected.size()) << c.name << ": " << got.join(u'\n').toStdString();
        for (qsizetype i = 0; i < got.size(); ++i)
            EXPECT_TRUE(got[i].startsWith(c.rejected[i])) << c.name << ": " << got[i].toStdString();
        EXPECT_EQ(r.rejectedCount, c.rejected.size());
    }
}

TEST(CsvImportRows, ColumnsAreFoundByNameAndMissingOnesAreEmpty) {
    // A spreadsheet that moved the columns, dropped some and added its own.
    auto wb = std::make_unique<Workbook>();
    const CsvImport r =
        importCsv("メモ,読み,漢字,見出し,後の文\r\nx,かわ,川,一・右,がながれる\r\n", QString(), *wb);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    ASSERT_EQ(wb->pageCount, 1);
    EXPECT_EQ(wb->headingList, QStringList{QStringLiteral("一・右")});
    EXPECT_EQ(rowTexts(*wb, 0, 1), QStringLiteral("|川|かわ|がながれる|||"));
    // No font column: the usual font.
    EXPECT_EQ(wb->page(0)[kFontField], QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(wb->pageLines[0], QStringLiteral("一・右,,,川,かわ,がながれる,") + QString(u',').repeated(36) +
                                    QStringLiteral("ＭＳ Ｐ明朝") + QString(u',').repeated(31));
}

TEST(CsvImportRows, TextsAreKeptAsAProblemFileKeepsThem) {
    // A quote and a line break cannot stand in a problem file's field: the workbook holds
    // what saving it writes, the same in the page and in its line.
    auto wb = std::make_unique<Workbook>();
    const CsvImport r = importCsv(
        kHeader + "\r\n1,1,\"見出し,一\",\"先生が\"\"はい\"\"と\",答,こた,\"えた\r\nそうだ\",,,,,,\r\n",
        QString(), *wb);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(wb->headingList, QStringList{QStringLiteral("見出し,一")});
    EXPECT_EQ(rowTexts(*wb, 0, 1), QStringLiteral("先生が＂はい＂と|答|こた|えた  そうだ|||"));
    const auto reread = workbookOf({wb->pageLines[0]});
    for (int i = 0; i < kMojxFields; ++i)
        EXPECT_EQ(reread->page(0)[static_cast<size_t>(i)], wb->page(0)[static_cast<size_t>(i)]) << i;
}

// --- refused whole ---

TEST(CsvImportRefused, NothingIsReadAndTheMessageSaysWhy) {
    QByteArray rows202 = kHeader + "\r\n";
    for (int p = 1; p <= 202; ++p) rows202 += QByteArray::number(p) + ",1,h,,k,,,,,,,\r\n";
    QByteArray peer2011 = kPeerHeader + "\r\n";
    for (int i = 0; i < 2011; ++i) peer2011 += "3,[やま],山,,,,,\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"empty", "", "空のファイルです"},
        {"blank lines", "\r\n \r\n", "空のファイルです"},
        {"no known header", "a,b,c\r\n1,2,3\r\n", "1行目が列の名前の行ではありません"},
        {"data before a header", "1,1,h,,k\r\n", "1行目が列の名前の行ではありません"},
        {"header only", kHeader + "\r\n", "読み込める行がありません"},
        {"every row refused", kHeader + "\r\nx,1,h,,k\r\n", "読み込める行がありません"},
        {"202 pages", rows202, "203行目で201ページを超えます"},
        {"2011 problems", peer2011, "2012行目で201ページを超えます"},
        {"utf-16", QByteArray("\xFF\xFEh\0", 4), "UTF-16"},
    };
    for (const auto& c : cases) {
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = importCsv(c.bytes, QStringLiteral("x"), *wb);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.message)))
            << c.name << ": " << r.error.toStdString();
        EXPECT_EQ(wb->pageCount, 0) << c.name;
        EXPECT_TRUE(wb->headingList.isEmpty()) << c.name;
        EXPECT_TRUE(wb->pageLines[0].isEmpty()) << c.name;
    }
}

TEST(CsvImportRefused, TwoHundredAndOnePagesAreTheMost) {
    QByteArray rows = kHeader + "\r\n";
    for (int p = 1; p <= 201; ++p) rows += QByteArray::number(p * 3) + ",1,h,,k,,,,,,,\r\n";
    auto wb = std::make_unique<Workbook>();
    const CsvImport r = importCsv(rows, QString(), *wb);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(wb->pageCount, 201);
    QByteArray peer = kPeerHeader + "\r\n";
    for (int i = 0; i < 2010; ++i) peer += "3,[やま],山,,,,,\r\n";
    auto wb2 = std::make_unique<Workbook>();
    const CsvImport r2 = importCsv(peer, QString(), *wb2);
    ASSERT_TRUE(r2.ok()) << r2.error.toStdString();
    EXPECT_EQ(wb2->pageCount, 201);
    EXPECT_EQ(wb2->headingList.last(), QStringLiteral("３年 ２０１"));
}

TEST(CsvImportFile, MissingFoldersAndLargeFilesAreRefusedBeforeReading) {
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.csv"));
    {
        QFile f(big);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kHeader + "\r\n");
        ASSERT_TRUE(f.resize(8 * 1024 * 1024 + 1));
    }
    const QString exact = dir.filePath(QStringLiteral("exact.csv"));
    {
        QFile f(exact);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes = kHeader + "\r\n1,1,h,,k,,,,,,,";
        bytes += QByteArray(8 * 1024 * 1024 - bytes.size() - 2, 'a') + "\r\n";
        f.write(bytes);
    }
    const struct {
        QString path;
        const char* message;  // "" when read
    } cases[] = {
        {dir.filePath(QStringLiteral("none.csv")), "が見つかりません"},
        {dir.path(), "はフォルダーです"},
        {big, "8388609バイトあり"},
        {exact, ""},
    };
    for (const auto& c : cases) {
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = readCsvFile(c.path, *wb);
        if (*c.message) {
            EXPECT_TRUE(r.error.startsWith(c.path)) << r.error.toStdString();
            EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.message))) << r.error.toStdString();
            EXPECT_EQ(wb->pageCount, 0);
        } else {
            EXPECT_TRUE(r.ok()) << r.error.toStdString();
            EXPECT_EQ(wb->pageCount, 1);
        }
    }
}

// --- the dictation-sheet program's problem lists ---

TEST(CsvPeerList, TheSameListInShiftJisAndUtf8) {
    for (const char* name : {"peer_list_sjis.csv", "peer_list_utf8.csv"}) {
        SCOPED_TRACE(name);
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = readCsvFile(fixture(name), *wb);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(r.kind, CsvKind::Peer);
        EXPECT_EQ(r.encoding, QString::fromUtf8(QByteArray(name).contains("sjis") ? "Shift_JIS" : "UTF-8"));
        EXPECT_EQ(r.rowsRead, 8);
        EXPECT_EQ(r.pages, 3);
        EXPECT_EQ(rejectedLines(r), (QStringList{QStringLiteral("6:答えがありません"),
                                                 QStringLiteral("7:問題文に答えの枠 [よみ] がありません")}));
        // A new page for each grade and after every ten problems, headed by the grade.
        EXPECT_EQ(wb->headingList, (QStringList{QStringLiteral("３年 １"), QStringLiteral("４年 １"),
                                                QStringLiteral("３年 ２")}));
        EXPECT_EQ(rowTexts(*wb, 0, 1), QStringLiteral("きのう|病院|びょういん|へいった。|||"));
        // The ruby keeps its base text only.
        EXPECT_EQ(rowTexts(*wb, 0, 2), QStringLiteral("今日は|公園|こうえん|で、あそぶ。|||"));
        // Two boxes: the answer's two words.
        EXPECT_EQ(rowTexts(*wb, 0, 3), QStringLiteral("|箱|はこ|の中に|薬|くすり|がある。"));
        EXPECT_EQ(rowTexts(*wb, 0, 4), QStringLiteral("先生が＂はい＂と|答|こた|えた。|||"));
        // A line break inside the sentence is a blank, as in any problem file.
        EXPECT_EQ(rowTexts(*wb, 0, 5), QStringLiteral("きのうは  |雨|あめ|がふった。|||"));
        EXPECT_EQ(rowTexts(*wb, 0, 6), QStringLiteral("||||||"));
        EXPECT_EQ(rowTexts(*wb, 1, 1), QStringLiteral("|仲間|なかま|と話す。|||"));
        EXPECT_EQ(rowTexts(*wb, 1, 2), QStringLiteral("|暑|あつ|い|夏|なつ|"));
        EXPECT_EQ(rowTexts(*wb, 2, 1), QStringLiteral("|走|はし|る|||"));
        for (int p = 0; p < 3; ++p) EXPECT_EQ(wb->page(p)[kFontField], QStringLiteral("ＭＳ Ｐ明朝"));
        EXPECT_EQ(rejectedRowsText(r), QStringLiteral("6行目: 答えがありません\n"
                                                      "7行目: 問題文に答えの枠 [よみ] がありません"));
        EXPECT_EQ(importSummary(r),
                  QStringLiteral("8問（3ページ）を読み込みました。読み込めなかった行が2行あります。"));
    }
}

TEST(CsvPeerList, SentencesAndAnswers) {
    const struct {
        const char* sentence;
        const char* answer;
        const char* row;     // rowTexts, or "" when refused
        const char* reason;  // part of the reason when refused
    } cases[] = {
        {"きのう[びょういん]へいった。", "病院", "きのう|病院|びょういん|へいった。|||", ""},
        {"[ やま ]にのぼる", "山", "|山|やま|にのぼる|||", ""},
        {"［やま］にのぼる", "山", "|山|やま|にのぼる|||", ""},
        {"日<ひ>が[で]る", "出", "日が|出|で|る|||", ""},
        {"日＜ひ＞が[で]る", "出", "日が|出|で|る|||", ""},
        {"[あか]い[はな]", "赤 花", "|赤|あか|い|花|はな|", ""},
        {"[あか]い[はな]", "赤・花", "|赤|あか|い|花|はな|", ""},
        {"[あか]い[はな]", "赤花", "", "答え「赤花」が2語に分かれていません"},
        {"[あ][い][う]", "a、b、c", "", "答えの枠が3個あります"},
        {"やまにのぼる", "山", "", "答えの枠 [よみ] がありません"},
        {"[やま[かわ]]", "山", "", "「[」の中に「[」があります"},
        {"やま]に", "山", "", "「]」の前に「[」がありません"},
        {"[やまに", "山", "", "「[」が「]」で閉じていません"},
        {"日<ひが[で]る", "出", "", "ルビの「<」が「>」で閉じていません"},
        {"日>が[で]る", "出", "", "ルビの「>」の前に「<」がありません"},
        {"[やま]", "", "", "答えがありません"},
        {"", "山", "", "問題文がありません"},
        {"[しか]る", "𠮟", "", "保存できない文字「𠮟」"},
    };
    for (const auto& c : cases) {
        QByteArray csv = kPeerHeader + "\r\n";
        csv += "2,\"" + QByteArray(c.sentence) + "\",\"" + QByteArray(c.answer) + "\",1,,,,\r\n";
        // A second, good row so that the file itself is taken.
        csv += "2,[かわ],川,2,,,,\r\n";
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = importCsv(csv, QString(), *wb);
        ASSERT_TRUE(r.ok()) << c.sentence << ": " << r.error.toStdString();
        if (*c.row) {
            EXPECT_EQ(rowTexts(*wb, 0, 1), QString::fromUtf8(c.row)) << c.sentence;
            EXPECT_EQ(r.rejectedCount, 0) << c.sentence;
        } else {
            ASSERT_EQ(r.rejected.size(), 1u) << c.sentence;
            EXPECT_EQ(r.rejected[0].line, 2);
            EXPECT_TRUE(r.rejected[0].reason.contains(QString::fromUtf8(c.reason)))
                << c.sentence << ": " << r.rejected[0].reason.toStdString();
            EXPECT_EQ(rowTexts(*wb, 0, 1), QStringLiteral("|川|かわ||||"));
        }
    }
}

TEST(CsvPeerList, HeadingsFromTheGradeOrTheFileName) {
    const struct {
        const char* grade;
        const char* heading;
    } cases[] = {
        {"3", "３年 １"},         {"３", "３年 １"}, {"3年", "３年 １"}, {"小3", "３年 １"},
        {"小学3年生", "３年 １"}, {"中1", "中1 １"}, {"7", "7 １"},      {"", "三年の漢字 １"},
    };
    for (const auto& c : cases) {
        auto wb = std::make_unique<Workbook>();
        const CsvImport r = importCsv(kPeerHeader + "\r\n" + QByteArray(c.grade) + ",[やま],山,,,,,\r\n",
                                      QStringLiteral("三年の漢字"), *wb);
        ASSERT_TRUE(r.ok()) << r.error.toStdString();
        EXPECT_EQ(wb->headingList, QStringList{QString::fromUtf8(c.heading)}) << c.grade;
    }
}

TEST(CsvPeerList, AFileNameAProblemFileCannotHoldHeadsThePagesWithoutThoseCharacters) {
    auto wb = std::make_unique<Workbook>();
    const CsvImport r =
        importCsv(kPeerHeader + "\r\n,[やま],山,,,,,\r\n", QStringLiteral("漢字😀リスト"), *wb);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(r.rejectedCount, 0);
    EXPECT_EQ(wb->headingList, QStringList{QStringLiteral("漢字リスト １")});
    auto wb2 = std::make_unique<Workbook>();
    ASSERT_TRUE(importCsv(kPeerHeader + "\r\n,[やま],山,,,,,\r\n", QStringLiteral("😀"), *wb2).ok());
    EXPECT_EQ(wb2->headingList, QStringList{QStringLiteral("CSV １")});
}

TEST(CsvPeerList, ColumnsInAnyOrderAndWithoutTheGrade) {
    auto wb = std::make_unique<Workbook>();
    const CsvImport r = importCsv("答え,番号,問題文\r\n山,1,[やま]にのぼる\r\n", QStringLiteral("list"), *wb);
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(wb->headingList, QStringList{QStringLiteral("list １")});
    EXPECT_EQ(rowTexts(*wb, 0, 1), QStringLiteral("|山|やま|にのぼる|||"));
}

TEST(CsvRejectedRows, ManyAreListedUpToALimitAndCounted) {
    QByteArray csv = kHeader + "\r\n1,1,h,,k,,,,,,,\r\n";
    for (int i = 0; i < 250; ++i) csv += "x,1,h,,k,,,,,,,\r\n";
    auto wb = std::make_unique<Workbook>();
    const CsvImport r = importCsv(csv, QString(), *wb);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.rejectedCount, 250);
    EXPECT_EQ(r.rejected.size(), 200u);
    const QStringList lines = rejectedRowsText(r).split(u'\n');
    EXPECT_EQ(lines.size(), 201);
    EXPECT_EQ(lines.first(), QStringLiteral("3行目: 「ページ」の「x」が1以上の数ではありません"));
    EXPECT_EQ(lines.last(), QStringLiteral("ほかに50行を読み込めませんでした"));
}
