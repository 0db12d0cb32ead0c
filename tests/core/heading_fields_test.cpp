// Headings that hold a comma, blanks at an end, a double quote or a line end: the merge's
// renumbering and the window's save write them so that every record reads back with all its
// fields in place and nothing added.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "core/windows/file_merge/file_merge_window.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

// A .mojx record whose texts tell its page and field apart.
PageRecord recordOf(int page, const QString& heading) {
    PageRecord rec;
    rec[0] = heading;
    for (int i = 2; i < kMojxFields; ++i)
        if (i != kFontField) rec[static_cast<size_t>(i)] = QStringLiteral("p%1f%2").arg(page).arg(i);
    return rec;
}

TEST(RenumberedHeadings, ReadBackAsOneFieldWithEveryOtherFieldInPlace) {
    const QStringList headings{QStringLiteral("第1課"), QStringLiteral("第2課,山と川"), QString(),
                               QStringLiteral(" 空白 ")};
    QStringList lines;
    for (int p = 0; p < headings.size(); ++p) lines << pageLine(recordOf(p, headings[p]), kDefaultFontName);
    ASSERT_TRUE(lines[1].startsWith(QStringLiteral("\"第2課,山と川\",")));  // the writer quotes it

    const QStringList numbers{QStringLiteral("４"), QStringLiteral("３"), QStringLiteral("２"),
                              QStringLiteral("１")};
    for (const QString& suffix : {QStringLiteral("級"), QStringLiteral(",級"), QStringLiteral("級,"),
                                  QStringLiteral(" 級 "), QString(), QStringLiteral("級,　")}) {
        SCOPED_TRACE(suffix.toStdString());
        ASSERT_FALSE(filemerge::unusableSuffixCharacter(suffix));
        const QStringList renumbered = filemerge::renumberHeadings(lines, suffix);
        Workbook wb;
        const PagesRead read = readPagesFromText(wb, renumbered.join(QStringLiteral("\r\n")) + "\r\n", true);
        ASSERT_EQ(read.pagesRead, 4);
        ASSERT_EQ(wb.headingList.size(), 4);
        for (int p = 0; p < 4; ++p) {
            SCOPED_TRACE(p);
            EXPECT_EQ(wb.headingList[p], numbers[p] + suffix);
            const PageRecord want = recordOf(p, QString());
            for (int i = 1; i < kMojxFields; ++i)
                if (i != kFontField)
                    EXPECT_EQ(wb.page(p)[static_cast<size_t>(i)], want[static_cast<size_t>(i)]) << i;
            EXPECT_EQ(wb.page(p)[kFontField], kDefaultFontName);
        }
    }
}

TEST(RenumberedHeadings, SuffixesNoFieldCanCarry) {
    const struct {
        QString suffix;
        std::optional<QChar> bad;
    } cases[] = {
        {QStringLiteral("級"), std::nullopt},     {QStringLiteral(",級"), std::nullopt},
        {QStringLiteral("＂級"), std::nullopt},   {QStringLiteral("級\""), QChar(u'"')},
        {QStringLiteral("級\r\n"), QChar(u'\r')}, {QStringLiteral("\n級"), QChar(u'\n')},
        {QStringLiteral("\t"), QChar(u'\t')},     {QString(QChar(0x7F)), QChar(0x7F)},
        {QStringLiteral("a\u0001"), QChar(0x01)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suffix.toStdString());
        EXPECT_EQ(filemerge::unusableSuffixCharacter(c.suffix), c.bad);
    }
}

// The window's heading box may get any text (pasted, say): the save writes it so that the
// file still reads as one page of 74 fields, the heading in its own field.
TEST_F(WindowTest, AHeadingWithACommaAQuoteOrALineEndKeepsTheRecordWhole) {
    const struct {
        QString typed, read;
    } cases[] = {
        {QStringLiteral("第1課,山と川"), QStringLiteral("第1課,山と川")},
        {QStringLiteral("「山」\"川\""), QStringLiteral("「山」＂川＂")},
        {QStringLiteral("一\r\n二,三"), QStringLiteral("一  二,三")},
        {QStringLiteral(" 前後に空白 "), QStringLiteral(" 前後に空白 ")},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        Workbook written;
        MainWindow w(platform, written);
        w.startUp();
        w.onMenu(QStringLiteral("np"));
        w.combo1.text = c.typed;
        w.registerHeading();
        w.onCellClick(1, kColKanji);
        w.onEntryKeyPress(0);
        w.onEntryTextEdited(QStringLiteral("学校"));
        const QString file = path(QStringLiteral("h%1.mojx").arg(++n));
        platform.savePaths = {file};
        w.onToolbarClick(4);
        ASSERT_TRUE(QFile::exists(file));

        Workbook read;
        const PagesRead r = readPagesFromText(read, readCp932(file), true);
        EXPECT_EQ(r.pagesRead, 1);
        ASSERT_EQ(read.headingList.size(), 1);
        EXPECT_EQ(read.headingList[0], c.read);
        EXPECT_EQ(read.page(0)[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))],
                  QStringLiteral("学校"));
        EXPECT_EQ(read.page(0)[kFontField], kDefaultFontName);
    }
}

}  // namespace
