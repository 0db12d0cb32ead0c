// The workbook's tables hold the rows written, not 2001 empty pages and 2001 empty examples
// made and cleared for every workbook (some 5.7 MB for a print of one sheet).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <stdexcept>

#include "core/data/problem_files.h"
#include "core/data/workbook.h"
#include "test_util.h"

TEST(WorkbookTables, ANewWorkbookHoldsNoRows) {
    const Workbook wb;
    EXPECT_EQ(wb.pageTable.size(), 0u);
    EXPECT_EQ(wb.exampleTable.size(), 0u);
    // A row not written reads as empty, up to the last row the table has room for.
    EXPECT_TRUE(wb.page(0)[0].isEmpty());
    EXPECT_TRUE(wb.page(2000)[74].isEmpty());
    EXPECT_THROW(wb.page(2001), std::out_of_range);
    EXPECT_THROW(wb.page(-1), std::out_of_range);
}

TEST(WorkbookTables, RowsAreMadeAsTheyAreWrittenAndEarlierRowsStayWhereTheyWere) {
    Workbook wb;
    PageRecord& first = wb.page(0);
    first[0] = QStringLiteral("一");
    wb.page(150)[0] = QStringLiteral("百五十一");
    EXPECT_EQ(wb.pageTable.size(), 151u);
    // The reference to row 0 taken before row 150 was made still names row 0.
    EXPECT_EQ(&first, &wb.page(0));
    EXPECT_EQ(first[0], QStringLiteral("一"));
    EXPECT_TRUE(wb.page(75)[3].isEmpty());
    wb.page(2000)[1] = QStringLiteral("x");
    EXPECT_EQ(wb.pageTable.size(), 2001u);
    EXPECT_THROW(wb.page(2001), std::out_of_range);
    EXPECT_THROW(wb.example(2001), std::out_of_range);
}

TEST(WorkbookTables, ReadingAFileMakesTheRowsOfItsPagesOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("three.mojx"));
    writeCp932(path, mojxLine(QStringLiteral("一"), {}) + "\r\n" + mojxLine(QStringLiteral("二"), {}) +
                         "\r\n" + mojxLine(QStringLiteral("三"), {}) + "\r\n");
    Workbook wb;
    wb.currentFilePath = path;
    const ReadReport report = readProblemFile(wb, QString());
    EXPECT_EQ(report.pagesRead, 3);
    EXPECT_EQ(wb.pageTable.size(), 3u);
    EXPECT_EQ(wb.exampleTable.size(), 0u);
    EXPECT_EQ(wb.page(2)[0], QStringLiteral("三"));

    // A shorter file read into the same workbook clears what an earlier file left in its rows.
    writeCp932(path, mojxLine(QStringLiteral("新"), {QStringLiteral("a")}) + "\r\n");
    wb.headingList.clear();
    EXPECT_EQ(readProblemFile(wb, QString()).pagesRead, 1);
    EXPECT_EQ(wb.page(0)[0], QStringLiteral("新"));
    EXPECT_EQ(wb.page(0)[2], QStringLiteral("a"));
}
