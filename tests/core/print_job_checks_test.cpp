// What a print command checks around the drawing: the rows that run off the sheet (asked
// before the printer dialog), the form of the dialog, the job's name in the printer queue,
// and the message when the device could not print.
#include <gtest/gtest.h>

#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "fake_platform.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// A printer that takes the drawing but reports at the end that it could not print.
class FailingSurface : public RecordingSurface {
public:
    using RecordingSurface::RecordingSurface;
    bool failed() const override { return true; }
};

const QString kTooLong = QString(16, QChar(0x3042));  // with a two-kanji word: 18 characters

// Pages "頁0".."頁n-1", each with a short row 1; rows that run off the sheets are added by
// the tests.
struct CheckFixture {
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};
    RecordingSurface printed;
    bool failingPrinter = false;
    int surfacesMade = 0;

    explicit CheckFixture(int pages = 3) {
        for (int p = 0; p < pages; ++p) {
            PageRecord& rec = wb.page(p);
            rec[kHeadingField] = QStringLiteral("頁%1").arg(p);
            rec[kFontField] = QStringLiteral("ＭＳ 明朝");
            set(p, 1, SlotField::Kanji, QStringLiteral("字"));
            wb.headingList << rec[kHeadingField];
        }
        wb.pageCount = pages;
        mw.fontName = QStringLiteral("ＭＳ 明朝");
        mw.enableWorkbookCommands();
        platform.makeSurface = [this]() -> std::unique_ptr<PrintSurface> {
            ++surfacesMade;
            if (failingPrinter) return std::make_unique<FailingSurface>(&printed);
            return std::make_unique<RecordingSurface>(&printed);
        };
    }
    void set(int page, int row, SlotField field, const QString& text) {
        wb.page(page)[static_cast<size_t>(slotFieldIndex(row, field))] = text;
    }
    // Row 3 of the page 18 characters long: past the reading sheet; the dictation sheet draws
    // it closer together.
    void longRow3(int page) {
        set(page, 3, SlotField::Before, kTooLong);
        set(page, 3, SlotField::Kanji, QStringLiteral("森林"));
    }
    // Row 5 of the page with a second word of 12 kanji: past the tracing sheet.
    void longSecondWord5(int page) {
        set(page, 5, SlotField::Kanji, QStringLiteral("山"));
        set(page, 5, SlotField::Kanji2, QString(12, QChar(0x6728)));
    }
    int endings() const { return static_cast<int>(printed.ofKind(Kind::EndDocument).size()); }
};

QString question(const QStringList& lines) {
    return QStringLiteral("次の行は用紙からはみ出します。\n") + lines.join(u'\n') +
           QStringLiteral("\nこのまま印刷しますか？");
}

TEST(PrintJobChecks, RowsRunningOffTheSheetAreListedBeforeTheDialog) {
    struct Case {
        const char* name;
        QString command;  // menu item
        bool batch;
        std::function<void(CheckFixture&)> setUp;
        QStringList lines;  // empty: no question
    } cases[] = {
        {"every row fits", "p1", false, [](CheckFixture&) {}, {}},
        {"the page on screen", "p3", false, [](CheckFixture& f) { f.longRow3(1); }, {" 2頁 3行目（読み方）"}},
        // The dictation sheet draws a long line closer together: nothing runs off it.
        {"a sheet that fits every row", "p1", false, [](CheckFixture& f) { f.longRow3(1); }, {}},
        {"another page than the one on screen", "p3", false, [](CheckFixture& f) { f.longRow3(2); }, {}},
        {"a row past two sheets of the set, in the order they print",
         "tap",
         false,
         [](CheckFixture& f) {
             f.longRow3(1);
             f.longSecondWord5(1);
         },
         {" 2頁 3行目（読み方）", " 2頁 5行目（練習）"}},
        {"a sheet the row fits", "p4", false, [](CheckFixture& f) { f.longRow3(1); }, {}},
        {"every page of the batch",
         "p3",
         true,
         [](CheckFixture& f) {
             f.longRow3(0);
             f.longRow3(2);
         },
         {" 1頁 3行目（読み方）", " 3頁 3行目（読み方）"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CheckFixture f;
        c.setUp(f);
        f.mw.choosePage(1);
        if (c.batch) f.mw.onMenu(QStringLiteral("asel"));
        f.platform.answers = {MessageAnswer::Yes};
        f.mw.onMenu(c.command);
        if (c.lines.isEmpty()) {
            EXPECT_TRUE(f.platform.messages.empty());
        } else {
            ASSERT_EQ(f.platform.messages.size(), 1u);
            EXPECT_EQ(f.platform.messages[0].text, question(c.lines));
            EXPECT_EQ(f.platform.messages[0].title, QStringLiteral("確認メッセージ"));
            EXPECT_EQ(f.platform.messages[0].buttons, MessageButtons::YesNo);
        }
        // Printed all the same (Yes, or no question).
        EXPECT_EQ(f.platform.printerDialogs, 1);
        EXPECT_EQ(f.endings(), 1);
    }
}

// No goes back to the workbook: no dialog, no device, nothing printed, the batch still armed.
TEST(PrintJobChecks, NoToTheQuestionPrintsNothing) {
    CheckFixture f;
    f.longRow3(0);
    f.mw.onMenu(QStringLiteral("asel"));
    f.platform.answers = {MessageAnswer::No};
    f.mw.onToolbarClick(8);
    EXPECT_EQ(f.platform.messages.size(), 1u);
    EXPECT_EQ(f.platform.printerDialogs, 0);
    EXPECT_EQ(f.surfacesMade, 0);
    EXPECT_TRUE(f.printed.ops().empty());
    EXPECT_EQ(f.mw.combo1.backColor, 65280);  // green: armed
    // Asked again at the next command; Yes prints every page.
    f.mw.onToolbarClick(8);
    EXPECT_EQ(f.platform.messages.size(), 2u);
    EXPECT_EQ(f.platform.printerDialogs, 1);
    EXPECT_EQ(f.printed.ofKind(Kind::NewPage).size(), 3u);
    EXPECT_EQ(f.mw.combo1.backColor, 16777215);  // white
}

// The toolbar prints the texts on screen, the menu the stored page: the check looks at what
// is printed.
TEST(PrintJobChecks, TheCheckLooksAtTheTextsThatPrint) {
    for (bool toolbar : {true, false}) {
        SCOPED_TRACE(toolbar);
        CheckFixture f;
        f.mw.choosePage(0);
        f.mw.setCellText(3, kColBefore, kTooLong);
        f.mw.setCellText(3, kColKanji, QStringLiteral("森林"));
        // The grid stores every change; put the stored page back to short texts.
        f.set(0, 3, SlotField::Before, QString());
        f.set(0, 3, SlotField::Kanji, QString());
        if (toolbar)
            f.mw.onToolbarClick(8);
        else
            f.mw.onMenu(QStringLiteral("p3"));
        EXPECT_EQ(f.platform.messageTexts(),
                  toolbar ? QStringList{question({" 1頁 3行目（読み方）"})} : QStringList{});
    }
}

// A batch over many pages lists ten rows and counts the rest.
TEST(PrintJobChecks, LongListsAreCut) {
    CheckFixture f(12);
    for (int p = 0; p < 12; ++p) f.longRow3(p);
    f.mw.onMenu(QStringLiteral("asel"));
    f.mw.onMenu(QStringLiteral("p3"));
    QStringList lines;
    for (int p = 1; p <= 10; ++p) lines << QStringLiteral(" %1頁 3行目（読み方）").arg(p);
    lines << QStringLiteral(" ほか2行");
    EXPECT_EQ(f.platform.messageTexts(), QStringList{question(lines)});
}

// The print step shows the print form of the dialog; "設定変更" its setup form.
TEST(PrintJobChecks, DialogForms) {
    CheckFixture f;
    f.mw.onMenu(QStringLiteral("p1"));
    f.mw.onMenu(QStringLiteral("pst"));
    EXPECT_EQ(f.platform.printerDialogForms, (std::vector<bool>{false, true}));
}

TEST(PrintJobChecks, JobNamesInThePrinterQueue) {
    struct Case {
        const char* name;
        QString command;
        bool batch;
        QString file;     // status-bar panel 1
        QString heading;  // of page 1, on screen
        QString expected;
    } cases[] = {
        {"page on screen", "p1", false, "ファイル", "三年一組", "2011字楽坊 - 三年一組 - 書き取り"},
        {"page without heading", "p3", false, "ファイル", "", "2011字楽坊 - 読み方"},
        {"three sheets", "tap", false, "/home/t/漢字.mojx", "一学期", "2011字楽坊 - 一学期 - ３票一括"},
        {"tracing", "p2", false, "ファイル", "一学期", "2011字楽坊 - 一学期 - 練習"},
        {"sentence", "p4", false, "ファイル", "一学期", "2011字楽坊 - 一学期 - 文作り"},
        {"every page, the file names them", "p1", true, "/home/t/三年一組.mojx", "一学期",
         "2011字楽坊 - 三年一組 - 書き取り（全3頁）"},
        {"every page of a workbook never saved", "p1", true, "ファイル", "一学期",
         "2011字楽坊 - 書き取り（全3頁）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CheckFixture f;
        f.wb.page(1)[kHeadingField] = c.heading;
        f.wb.headingList[1] = c.heading;
        f.mw.choosePage(1);
        f.mw.filePath = c.file;
        if (c.batch) f.mw.onMenu(QStringLiteral("asel"));
        f.mw.onMenu(c.command);
        EXPECT_EQ(f.platform.printJobNames, QStringList{c.expected});
    }
    // A cancelled dialog proposed the name, and no device was asked for.
    CheckFixture f;
    f.platform.printerAnswers = {false};
    f.mw.onMenu(QStringLiteral("p1"));
    EXPECT_EQ(f.platform.printerDialogJobNames, QStringList{"2011字楽坊 - 頁0 - 書き取り"});
    EXPECT_EQ(f.platform.printJobNames, QStringList());
}

// A device that could not start or finish the job: the teacher is told, and the batch stays
// armed for another try.
TEST(PrintJobChecks, FailedPrintIsReported) {
    struct Case {
        const char* name;
        bool preview, noDevice;
    } cases[] = {
        {"the printer reports an error", false, false},
        {"no printer at all", false, true},
        {"printed from the preview", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CheckFixture f;
        f.failingPrinter = true;
        if (c.noDevice) f.platform.makeSurface = nullptr;
        if (c.preview) f.mw.onMenu(QStringLiteral("pvw"));
        f.mw.onMenu(QStringLiteral("asel"));
        f.mw.onMenu(QStringLiteral("p1"));
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.platform.messages[0].text, kPrintFailedMessage);
        EXPECT_EQ(f.platform.messages[0].title, QStringLiteral("確認メッセージ"));
        EXPECT_EQ(f.platform.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(f.platform.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(f.mw.combo1.backColor, 65280);  // green: armed
    }
    // A printer that works says nothing.
    CheckFixture f;
    f.mw.onMenu(QStringLiteral("p1"));
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(f.endings(), 1);
}

}  // namespace
