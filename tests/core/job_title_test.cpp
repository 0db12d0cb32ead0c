// The words of printing that the windows and the command line share: job titles, sheet names,
// the PDF file a job proposes, and the tracing sheet's refusal.
#include "core/printing/job_title.h"

#include <gtest/gtest.h>

#include "core/printing/tracing_sheet.h"

namespace {

TEST(JobTitle, NamesOfJobsAndSheets) {
    const QString longName(150, u'字');
    struct Case {
        const char* name;
        QString got, expected;
    } cases[] = {
        {"heading and sheet", sheetJobTitle(QStringLiteral("三年一組"), sheetShortName(SheetKind::Dictation)),
         QStringLiteral("三年一組 - 書き取り")},
        {"no heading", sheetJobTitle(QString(), sheetShortName(SheetKind::Reading)),
         QStringLiteral("読み方")},
        {"a long heading is cut", sheetJobTitle(longName, QStringLiteral("練習")),
         QString(99, u'字') + QStringLiteral("… - 練習")},
        {"every page", everyPageSheetName(SheetKind::Dictation, 3), QStringLiteral("書き取り（全3頁）")},
        {"three sheets, short", sheetShortName(SheetKind::ThreeSheets), QStringLiteral("３票一括")},
        {"sentence, as printed", sheetTitle(SheetKind::Sentence), QStringLiteral("文作り・意味調べ")},
        {"practice sheet of a file", practiceSheetJobTitle(QStringLiteral("/home/t/三年一組.mojx")),
         QStringLiteral("三年一組")},
        {"practice sheet never saved", practiceSheetJobTitle(QString()), QStringLiteral("原稿用紙")},
        {"ruled paper", kRuledPaperJobTitle, QStringLiteral("罫線用紙")},
        {"queue name", printJobName(QStringLiteral("罫線用紙")), QStringLiteral("2011字楽坊 - 罫線用紙")},
        {"a PDF file never a folder", pdfFileNameOf(QStringLiteral("1年 一/右 - 書き取り")),
         QStringLiteral("1年 一・右 - 書き取り.pdf")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.expected);
    }
}

TEST(JobTitle, TheTracingRefusal) {
    EXPECT_FALSE(tooLongForTracing(QString(10, u'字')));
    EXPECT_TRUE(tooLongForTracing(QString(11, u'字')));
    EXPECT_EQ(tracingRefusalRow(1, 3, 11), QStringLiteral(" 2頁 3行目（11文字）"));
    EXPECT_EQ(tracingRefusalMessage({QStringLiteral(" 2頁 3行目（11文字）")}, false),
              QStringLiteral("１０文字を超えている箇所があります\n 2頁 3行目（11文字）\n"
                             "この頁の練習の用紙は印刷しません。"));
    EXPECT_EQ(tracingRefusalOfPage(1, 3),
              QStringLiteral(
                  "2ページ 3行目: １０文字を超えている箇所があります（練習の用紙の漢字は１０文字まで）"));
}

}  // namespace
