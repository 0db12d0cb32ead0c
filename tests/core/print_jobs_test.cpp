// Print jobs: the printer dialog step, single pages and the all-pages batch, the sheets of
// each command, page breaks and the end of the document.
#include <gtest/gtest.h>

#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "fake_platform.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// Five pages; page p has heading "頁p", row 1 kanji "字" with before "あ", and page 0 alone a
// second word in row 2.
struct JobFixture {
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};
    RecordingSurface printed;  // what every surface handed out forwards to
    int surfacesMade = 0;

    explicit JobFixture(int pages = 5, const QString& font = QStringLiteral("ＭＳ 明朝")) {
        for (int p = 0; p < pages; ++p) {
            PageRecord& rec = wb.page(p);
            rec[kHeadingField] = QStringLiteral("頁%1").arg(p);
            rec[kFontField] = font;
            rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Before))] = QStringLiteral("あ");
            rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] = QStringLiteral("字");
            rec[static_cast<size_t>(slotFieldIndex(1, SlotField::Reading))] = QStringLiteral("じ");
            if (p == 0) {
                rec[static_cast<size_t>(slotFieldIndex(2, SlotField::Kanji))] = QStringLiteral("山");
                rec[static_cast<size_t>(slotFieldIndex(2, SlotField::Kanji2))] = QStringLiteral("川");
                rec[static_cast<size_t>(slotFieldIndex(2, SlotField::After2))] = QStringLiteral("を見る");
            }
            wb.headingList << rec[kHeadingField];
        }
        wb.pageCount = pages;
        mw.fontName = font;
        mw.enableWorkbookCommands();
        platform.makeSurface = [this] {
            ++surfacesMade;
            return std::make_unique<RecordingSurface>(&printed);
        };
    }

    int count(Kind k) const { return static_cast<int>(printed.ofKind(k).size()); }
    int sheets() const { return count(Kind::Page); }
    // The title of each sheet, from its 10 pt single characters.
    QStringList titles() const {
        QStringList out;
        for (int s = 0;; ++s) {
            const auto ops = sheetOps(printed, s);
            if (ops.empty() || (ops.size() == 1 && ops[0].kind == Kind::EndDocument)) break;
            QString t;
            for (const Op& op : ops)
                if (op.kind == Kind::Text && op.size == 10 && op.text.size() == 1) t += op.text;
            out << t;
        }
        return out;
    }
    // The 10 pt footers / headings printed (the heading of every placed dictation sheet).
    QStringList footers() const {
        QStringList out;
        for (const Op& op : printed.textsOfSize(10))
            if (op.text.size() > 1) out << op.text;
        return out;
    }
};

QStringList repeated(const QStringList& l, int n) {
    QStringList out;
    for (int i = 0; i < n; ++i) out += l;
    return out;
}

const QString kTracing = QStringLiteral("漢字練習");
const QString kDictation = QStringLiteral("テスト・漢字書き取り");
const QString kReading = QStringLiteral("読み方");
const QString kSentence = QStringLiteral("文作り・意味調べ");

TEST(PrintJob, BatchPrintsEveryPageWithABreakAfterEachAndNoBlankPage) {
    JobFixture f;
    f.mw.onMenu(QStringLiteral("asel"));
    ASSERT_EQ(f.mw.combo1.backColor, 65280);  // green: armed
    f.mw.onMenu(QStringLiteral("p1"));
    EXPECT_EQ(f.sheets(), 5);
    EXPECT_EQ(f.count(Kind::NewPage), 5);
    EXPECT_EQ(f.count(Kind::EndDocument), 1);
    const auto& ops = f.printed.ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[ops.size() - 1].kind, Kind::EndDocument);
    EXPECT_EQ(ops[ops.size() - 2].kind, Kind::NewPage);
    EXPECT_EQ(f.footers(), (QStringList{"頁0", "頁1", "頁2", "頁3", "頁4"}));
    EXPECT_EQ(f.mw.combo1.backColor, 16777215);  // white
    EXPECT_EQ(f.platform.printerDialogs, 1);
}

TEST(PrintJob, SheetsOfEachCommand) {
    struct Case {
        const char* name;
        QString font;
        int button;
        bool batch, twoSheet;
        QStringList titles;
        int newPages;
    } cases[] = {
        {"dictation", QStringLiteral("ＭＳ 明朝"), 6, false, false, {kDictation}, 0},
        {"tracing", QStringLiteral("ＭＳ 明朝"), 7, false, false, {kTracing}, 0},
        {"reading", QStringLiteral("ＭＳ 明朝"), 8, false, false, {kReading}, 0},
        {"sentence", QStringLiteral("ＭＳ 明朝"), 10, false, false, {kSentence}, 0},
        {"three, ordinary",
         QStringLiteral("ＭＳ 明朝"),
         9,
         false,
         false,
         {kTracing, kDictation, kReading},
         2},
        {"three, @ face", QStringLiteral("@ＭＳ 明朝"), 9, false, false, {kDictation, kTracing, kReading}, 2},
        {"three, two-sheet set",
         QStringLiteral("ＭＳ 明朝"),
         9,
         false,
         true,
         {kTracing, kDictation, kReading, kReading},
         3},
        {"three, batch", QStringLiteral("ＭＳ 明朝"), 9, true, false,
         repeated({kTracing, kDictation, kReading}, 5), 15},
        {"three, batch, @ face", QStringLiteral("@ＭＳ 明朝"), 9, true, false,
         repeated({kDictation, kTracing, kReading}, 5), 15},
        {"reading, batch, two-sheet set", QStringLiteral("ＭＳ 明朝"), 8, true, true,
         repeated({kReading}, 10), 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        JobFixture f(5, c.font);
        if (c.batch) f.mw.onMenu(QStringLiteral("asel"));
        if (c.twoSheet) f.mw.onMenu(QStringLiteral("ptwo"));
        f.mw.onToolbarClick(c.button);
        EXPECT_EQ(f.titles(), c.titles);
        EXPECT_EQ(f.count(Kind::NewPage), c.newPages);
        EXPECT_EQ(f.count(Kind::EndDocument), 1);
        // Each sheet is A4 in the orientation of its layout.
        const int orientation = c.font.startsWith(QLatin1Char('@')) ? 1 : 2;
        for (const Op& op : f.printed.ofKind(Kind::Orientation)) EXPECT_EQ(op.value, orientation);
    }
}

TEST(PrintJob, CancelledDialogPrintsNothingAndKeepsTheBatchArmed) {
    JobFixture f;
    f.mw.onMenu(QStringLiteral("asel"));
    f.platform.printerAnswers = {false};
    f.mw.onMenu(QStringLiteral("tap"));
    EXPECT_EQ(f.surfacesMade, 0);
    EXPECT_TRUE(f.printed.ops().empty());
    EXPECT_EQ(f.mw.combo1.backColor, 65280);  // green: armed
    // The next command prints all pages.
    f.mw.onMenu(QStringLiteral("p2"));
    EXPECT_EQ(f.sheets(), 5);
    EXPECT_EQ(f.mw.combo1.backColor, 16777215);  // white
    EXPECT_EQ(f.platform.printerDialogs, 2);
}

TEST(PrintJob, FixedPrinterModeShowsNoDialogWhenPrinting) {
    JobFixture f;
    f.mw.onMenu(QStringLiteral("pst"));  // "設定変更": the dialog once, now
    EXPECT_EQ(f.platform.printerDialogs, 1);
    f.platform.printerAnswers = {false, false, false};  // would cancel if asked
    for (int button : {6, 7, 8, 9, 10}) f.mw.onToolbarClick(button);
    EXPECT_EQ(f.platform.printerDialogs, 1);
    EXPECT_EQ(f.count(Kind::EndDocument), 5);
    f.mw.onMenu(QStringLiteral("upri"));
    f.mw.onToolbarClick(6);
    EXPECT_EQ(f.platform.printerDialogs, 2);
    EXPECT_EQ(f.count(Kind::EndDocument), 5);  // that one was cancelled
}

// In the batch each page prints with its own rows; a print of the page on screen follows
// the grid.
TEST(PrintJob, BatchPagesUseTheirOwnSecondWordsAndKanji) {
    JobFixture f;
    f.wb.currentPage = 3;
    f.mw.loadPage(3);                           // the grid shows page 3: no second word, row 1 kanji "字"
    f.mw.setCellText(1, kColKanji, QString());  // cleared on screen only
    f.mw.onMenu(QStringLiteral("asel"));
    f.mw.onMenu(QStringLiteral("p1"));
    ASSERT_EQ(f.count(Kind::NewPage), 5);
    for (int s = 0; s < 5; ++s) {
        SCOPED_TRACE(s);
        const auto ops = sheetOps(f.printed, s);
        const auto boxes = between(ops, Kind::Box);
        QString column2;
        for (const Op& op : ops)
            if (op.kind == Kind::Text && same(op.x(), 12349.6) && op.size == 20) column2 += op.text;
        if (s == 0) {
            // Row 1's box and row 2's gap, box, second gap, box and after2.
            EXPECT_EQ(boxes.size(), 3u);
            EXPECT_EQ(column2, QStringLiteral("②　　を見る"));
        } else {
            EXPECT_EQ(boxes.size(), 1u);
            EXPECT_EQ(column2, QStringLiteral("②"));
        }
    }
}

TEST(PrintJob, PageOnScreenFollowsTheGridToggles) {
    JobFixture f;
    f.wb.currentPage = 0;
    f.mw.loadPage(0);
    ASSERT_TRUE(f.mw.grid.at(2).check3);
    f.mw.setCheck3(2, false);
    f.mw.onMenu(QStringLiteral("p1"));
    QString column2;
    for (const Op& op : f.printed.texts())
        if (same(op.x(), 12349.6) && op.size == 20) column2 += op.text;
    EXPECT_EQ(column2, QStringLiteral("②　　"));
    EXPECT_EQ(f.count(Kind::NewPage), 0);
    EXPECT_EQ(f.count(Kind::EndDocument), 1);
}

TEST(PrintJob, ToolbarTakesTheTextsOnScreenMenuTheStoredPage) {
    for (bool toolbar : {true, false}) {
        JobFixture f;
        f.wb.currentPage = 1;
        f.mw.loadPage(1);
        f.mw.setCellText(1, kColBefore, QStringLiteral("画面"));
        f.wb.page(1)[static_cast<size_t>(slotFieldIndex(1, SlotField::Before))] = QStringLiteral("保存");
        if (toolbar)
            f.mw.onToolbarClick(8);
        else
            f.mw.onMenu(QStringLiteral("p3"));
        QString column1;
        for (const Op& op : f.printed.texts())
            if (same(op.x(), 13830.8) && op.size == 25) column1 += op.text;
        EXPECT_EQ(column1, toolbar ? QStringLiteral("①画面字") : QStringLiteral("①保存字"));
    }
}

// What a print of the page on screen takes, built when it starts: from the toolbar the heading
// box and the status bar's font, from the menu the heading and font of the page itself.
TEST(PrintJob, ToolbarTakesTheHeadingBoxAndStatusFontMenuThePage) {
    struct Case {
        bool toolbar;
        const char* heading;
        const char* font;
    };
    for (const Case& c : {Case{true, "書きかけの見出し", "IPAGothic"}, Case{false, "頁1", "ＭＳ 明朝"}}) {
        SCOPED_TRACE(c.toolbar);
        JobFixture f;
        f.mw.choosePage(1);
        f.mw.onHeadingBoxTextEdited(QStringLiteral("書きかけの見出し"));  // not registered
        f.mw.fontName = QStringLiteral("IPAGothic");
        const PrintPage page = printedPageOnScreen(f.mw, c.toolbar);
        EXPECT_EQ(page.heading, QString::fromUtf8(c.heading));
        EXPECT_EQ(page.fontName, QString::fromUtf8(c.font));
        EXPECT_EQ(page.kanji[1], QStringLiteral("字"));
        EXPECT_EQ(page.before[1], QStringLiteral("あ"));
        EXPECT_EQ(PrintJob(f.mw).jobTitle(SheetKind::Dictation, c.toolbar),
                  QString::fromUtf8(c.heading) + QStringLiteral(" - 書き取り"));
    }
}

TEST(PrintJob, PreviewTakesThePlaceOfThePrinter) {
    JobFixture f;
    f.mw.onMenu(QStringLiteral("pvw"));
    f.mw.onToolbarClick(7);
    EXPECT_EQ(f.platform.previews, 1);
    EXPECT_EQ(f.titles(), QStringList{kTracing});
}

TEST(PrintJob, BatchOverAnEmptyWorkbookPrintsNoPage) {
    JobFixture f(0);
    f.mw.combo1.backColor = 65280;  // green: armed
    PrintJob(f.mw).run(SheetKind::Dictation, false);
    EXPECT_EQ(f.sheets(), 0);
    EXPECT_EQ(f.count(Kind::NewPage), 0);
    EXPECT_EQ(f.count(Kind::EndDocument), 1);
}

// A tracing sheet refused for a kanji word over ten characters leaves no page at all; the
// other sheets of the set, and the other pages, go on.
TEST(PrintJob, RefusedTracingSheetLeavesNoPageAndTheJobGoesOn) {
    for (const QString& font : {QStringLiteral("ＭＳ 明朝"), QStringLiteral("@ＭＳ 明朝")}) {
        SCOPED_TRACE(font.toStdString());
        JobFixture f(5, font);
        f.wb.page(2)[static_cast<size_t>(slotFieldIndex(4, SlotField::Kanji))] =
            QStringLiteral("十一文字の長い長い漢字");
        f.mw.onMenu(QStringLiteral("asel"));
        f.mw.onMenu(QStringLiteral("tap"));
        // Said once, before the printer dialog; the dictation sheet draws the long word's gap
        // closer together, so nothing runs off it.
        EXPECT_EQ(f.platform.messageTexts(),
                  QStringList{QStringLiteral("１０文字を超えている箇所があります\n 3頁 4行目（11文字）\n"
                                             "これらの頁の練習の用紙は印刷しません。")});
        EXPECT_EQ(f.platform.messages[0].title, QStringLiteral("エラーメッセージ"));
        EXPECT_EQ(f.platform.printerDialogs, 1);
        const bool placed = !font.startsWith(QLatin1Char('@'));
        QStringList expected = repeated(placed ? QStringList{kTracing, kDictation, kReading}
                                               : QStringList{kDictation, kTracing, kReading},
                                        5);
        expected.removeAt(placed ? 6 : 7);  // page 2's tracing sheet
        EXPECT_EQ(f.titles(), expected);
        EXPECT_EQ(f.count(Kind::NewPage), 14);
        EXPECT_EQ(f.sheets(), 14);
    }
}

// The refusal is known before the printer dialog: the tracing command of a page that cannot
// have its sheet says so and opens no dialog; every other command goes on to the dialog.
TEST(PrintJob, TracingRefusalComesBeforeTheDialog) {
    const struct {
        const char* name;
        const char* command;
        bool batch;
        bool dialog;
        const char* message;  // empty: none
    } cases[] = {
        {"tracing, the page on screen", "p2", false, false,
         "１０文字を超えている箇所があります\n 1頁 4行目（12文字）\n 1頁 7行目（11文字）\n"
         "この頁の練習の用紙は印刷しません。"},
        {"three sheets", "tap", false, true,
         "１０文字を超えている箇所があります\n 1頁 4行目（12文字）\n 1頁 7行目（11文字）\n"
         "この頁の練習の用紙は印刷しません。"},
        {"tracing, every page, one of them refused", "p2", true, true,
         "１０文字を超えている箇所があります\n 1頁 4行目（12文字）\n 1頁 7行目（11文字）\n"
         "これらの頁の練習の用紙は印刷しません。"},
        {"dictation", "p1", false, true, ""},
        {"reading", "p3", false, true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        JobFixture f(2);
        // Rows of a flowed passage: ten characters and the marks that hang on them.
        f.wb.page(0)[static_cast<size_t>(slotFieldIndex(4, SlotField::Kanji))] =
            QStringLiteral("えっ、ほんとうにここ！？");
        f.wb.page(0)[static_cast<size_t>(slotFieldIndex(7, SlotField::Kanji))] =
            QStringLiteral("くさんなっていました。");
        f.mw.choosePage(0);
        if (c.batch) f.mw.onMenu(QStringLiteral("asel"));
        f.mw.onMenu(QString::fromLatin1(c.command));
        const QString message = QString::fromUtf8(c.message);
        EXPECT_EQ(f.platform.messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            EXPECT_EQ(f.platform.messages[0].title, QStringLiteral("エラーメッセージ"));
            EXPECT_EQ(f.platform.messages[0].buttons, MessageButtons::Ok);
        }
        EXPECT_EQ(f.platform.printerDialogs, c.dialog ? 1 : 0);
        EXPECT_EQ(f.surfacesMade, c.dialog ? 1 : 0);
        if (!c.dialog) {
            EXPECT_TRUE(f.printed.ops().empty());
            continue;
        }
        // What prints never has the refused sheet; the batch prints page 2's tracing sheet.
        const QStringList titles = f.titles();
        EXPECT_EQ(titles.count(kTracing), c.batch ? 1 : 0) << titles.join(u',').toStdString();
    }
}

// The batch of tracing sheets alone: the refused page adds neither a sheet nor a page break.
TEST(PrintAllPages, RefusedTracingPageAddsNoPage) {
    Workbook wb;
    for (int p = 0; p < 3; ++p) {
        wb.page(p)[kHeadingField] = QStringLiteral("頁%1").arg(p);
        wb.page(p)[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))] =
            p == 1 ? QStringLiteral("十一文字の長い長い漢字") : QStringLiteral("字");
    }
    wb.pageCount = 3;
    RecordingSurface rs;
    printAllPages(rs, wb, SheetKind::Tracing, SheetOptions{});
    const auto& ops = rs.ops();
    std::vector<Kind> pageOps;
    for (const Op& op : ops)
        if (op.kind == Kind::Page || op.kind == Kind::NewPage || op.kind == Kind::EndDocument)
            pageOps.push_back(op.kind);
    EXPECT_EQ(pageOps,
              (std::vector<Kind>{Kind::Page, Kind::NewPage, Kind::Page, Kind::NewPage, Kind::EndDocument}));
    // The two sheets are those of pages 0 and 2.
    QStringList digits;
    for (const Op& op : ops)
        if (op.kind == Kind::Text && op.size == 20 && (op.text == "0" || op.text == "1" || op.text == "2"))
            digits << op.text;
    EXPECT_EQ(digits, (QStringList{"0", "2"}));
}

}  // namespace
