// The manuscript paper, ruled paper, text flow and kana position windows as models, driven
// through a fake main window.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>

#include "core/paper/manuscript_options.h"
#include "core/printing/recording_surface.h"
#include "core/windows/kana_position/kana_position_window.h"
#include "core/windows/manuscript/manuscript_window.h"
#include "core/windows/ruled/ruled_window.h"
#include "core/windows/text_flow/text_flow_window.h"
#include "fake_paper_host.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

using Kind = RecordingSurface::Kind;

// Every print lands on one recording surface.
struct Printer {
    RecordingSurface printed;
    int surfaces = 0;
    explicit Printer(FakePlatform& p) {
        p.makeSurface = [this] {
            ++surfaces;
            return std::make_unique<RecordingSurface>(&printed);
        };
    }
    int count(Kind k) const { return static_cast<int>(printed.ofKind(k).size()); }
};

// --- manuscript paper ---

class ManuscriptWindowTest : public testing::Test {
protected:
    QTemporaryDir dir;
    FakePaperHost host;
    Printer printer{host.fake};
    ManuscriptWindow window{host, host};
    RuledWindow ruled{host};

    ManuscriptWindowTest() {
        host.fake.cwd = dir.path();
        host.closers[WindowId::RuledPaper] = [this] { ruled.close(); };
        host.closers[WindowId::ManuscriptPaper] = [this] { window.close(); };
    }
    QString optionsPath() const { return QDir(dir.path()).filePath(QStringLiteral("FN.txt")); }
    std::vector<int> checkedOptions() const {
        std::vector<int> on;
        for (int n = 1; n <= 9; ++n)
            if (window.option[static_cast<size_t>(n)].checked) on.push_back(n);
        return on;
    }
};

TEST_F(ManuscriptWindowTest, OpensWithoutAnOptionsFile) {
    host.grid[3][3] = QStringLiteral("話す");
    host.grid[10][3] = QStringLiteral("森");
    window.open();
    EXPECT_EQ(window.title(), QStringLiteral("原稿用紙-クリックで印刷"));
    EXPECT_EQ(window.command2.caption, QStringLiteral("・・話す・・・・・・・森・の練習プリント"));
    EXPECT_EQ(window.label3.caption, QStringLiteral("＠マーク付フォントをお勧めします"));
    // The zeros: no cross, A4, readings, black; the title box empty.
    EXPECT_EQ(checkedOptions(), (std::vector<int>{1, 5, 6, 8}));
    EXPECT_FALSE(window.command3.visible);
    EXPECT_EQ(window.label2.backColor, 0);
    EXPECT_EQ(window.colorValue, 0);
    EXPECT_EQ(window.text1.text, QString());
    EXPECT_TRUE(host.fake.messages.empty());
}

TEST_F(ManuscriptWindowTest, OpensFromTheOptionsFileAndAnAtFaceNeedsNoAdvice) {
    writeCp932(optionsPath(),
               QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n作文\r\n 65280 \r\n"));
    host.font = QStringLiteral("@ＭＳ 明朝");
    window.open();
    EXPECT_EQ(window.label3.caption, QString());
    EXPECT_EQ(checkedOptions(), (std::vector<int>{2, 3, 7, 9}));
    EXPECT_TRUE(window.command3.visible);
    EXPECT_EQ(window.label2.backColor, 65280);
    EXPECT_EQ(window.colorValue, 65280);
    EXPECT_EQ(window.text1.text, QStringLiteral("作文"));
}

// Black colour mode on file: the colour on line 9 gives way to black, as choosing black does.
TEST_F(ManuscriptWindowTest, BlackModeOnFileMakesTheColourBlack) {
    writeCp932(optionsPath(), QStringLiteral("\r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n 255 \r\n"));
    window.open();
    EXPECT_EQ(window.colorValue, 0);
    EXPECT_EQ(window.label2.backColor, 0);
}

TEST_F(ManuscriptWindowTest, CloseWritesTheOptionsAndClosesTheRuledPaperWindow) {
    writeCp932(optionsPath(),
               QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n\r\n 0 \r\n"));
    window.open();
    ruled.open();
    window.onOptionClick(2);
    window.onOptionClick(9);
    window.onOptionClick(7);
    window.onOptionClick(3);
    host.fake.colors.push_back(0x123456);
    window.onCommand3Click();
    window.onText1Changed(QStringLiteral("日記"));
    window.close();
    EXPECT_EQ(readCp932(optionsPath()),
              QStringLiteral("メモ\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n日記\r\n 1193046 \r\n"));
    EXPECT_FALSE(window.isOpen());
    EXPECT_FALSE(ruled.isOpen());

    // The next opening shows what was left.
    window.open();
    EXPECT_EQ(checkedOptions(), (std::vector<int>{2, 3, 7, 9}));
    EXPECT_EQ(window.colorValue, 0x123456);
    EXPECT_EQ(window.text1.text, QStringLiteral("日記"));
}

TEST_F(ManuscriptWindowTest, ATitleTheFileCannotHoldIsReportedAndTheWindowStillCloses) {
    window.open();
    window.onText1Changed(QStringLiteral("𠮟る"));
    window.close();
    ASSERT_EQ(host.fake.messages.size(), 1u);
    EXPECT_TRUE(host.fake.messages[0].text.contains(QStringLiteral("𠮟")));
    EXPECT_FALSE(QFile::exists(optionsPath()));
    EXPECT_FALSE(window.isOpen());
}

// An options file saved as UTF-8 (by another editor, say) keeps the options before its
// first kanji and says so the first time it is read; closing keeps it as FN.txt.bak.
TEST_F(ManuscriptWindowTest, AnOptionsFileReadInPartIsReportedOnceAndKept) {
    const QByteArray utf8 =
        QStringLiteral("x\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n日記\r\n 65280 \r\n").toUtf8();
    writeBytes(optionsPath(), utf8);
    window.open();
    ASSERT_EQ(host.fake.messages.size(), 1u);
    EXPECT_TRUE(host.fake.messages[0].text.startsWith(
        QStringLiteral("原稿用紙の設定ファイル %1 を全部は読めませんでした。").arg(optionsPath())))
        << host.fake.messages[0].text.toStdString();
    EXPECT_EQ(host.fake.messages[0].title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(host.fake.messages[0].icon, MessageIcon::Warning);
    // Lines 1 to 7 are ASCII and read; the title and the colour after the first kanji are not.
    EXPECT_EQ(checkedOptions(), (std::vector<int>{2, 3, 7, 9}));
    EXPECT_EQ(window.text1.text, QString());
    window.close();
    EXPECT_EQ(host.fake.messages.size(), 1u);
    EXPECT_EQ(readBytes(optionsPath() + QStringLiteral(".bak")), utf8);
    EXPECT_EQ(readCp932(optionsPath()),
              QStringLiteral("x\r\n 4 \r\n 5 \r\n 1 \r\n 1 \r\n 1 \r\n 1 \r\n\r\n 0 \r\n"));

    // The same bad file again (a shared one, say): read in part again, but said only once.
    writeBytes(optionsPath(), utf8);
    window.open();
    EXPECT_EQ(host.fake.messages.size(), 1u);
    EXPECT_EQ(checkedOptions(), (std::vector<int>{2, 3, 7, 9}));
}

TEST_F(ManuscriptWindowTest, ColourChoice) {
    window.open();
    window.onOptionClick(3);
    EXPECT_TRUE(window.command3.visible);
    EXPECT_TRUE(window.option[3].checked);
    EXPECT_FALSE(window.option[5].checked);
    host.fake.colors.push_back(255);
    window.onCommand3Click();
    EXPECT_EQ(window.colorValue, 255);
    EXPECT_EQ(window.label2.backColor, 255);
    // A cancel keeps the colour chosen before.
    window.onCommand3Click();
    EXPECT_EQ(window.colorValue, 255);
    EXPECT_EQ(window.label2.backColor, 255);
    window.onOptionClick(5);
    EXPECT_FALSE(window.command3.visible);
    EXPECT_EQ(window.colorValue, 0);
    EXPECT_EQ(window.label2.backColor, 0);
}

TEST_F(ManuscriptWindowTest, SizeButtonsPrintTheirSquares) {
    window.open();
    window.onOptionClick(2);  // cross
    window.onText1Changed(QStringLiteral("作文"));
    const std::array<int, 4> squares{20, 12, 14, 16};
    for (int i = 0; i < 4; ++i) {
        printer.printed.clear();
        window.onCommand1Click(i);
        const int n = squares[static_cast<size_t>(i)];
        EXPECT_EQ(printer.count(Kind::EndDocument), 1);
        // Every square: its right edge, and two dotted lines.
        int verticals = 0, dotted = 0;
        for (const auto& l : printer.printed.ofKind(Kind::Line)) {
            if (l.style == 2)
                ++dotted;
            else if (l.x1 == l.x2)
                ++verticals;
        }
        EXPECT_EQ(verticals, n * n) << n;
        EXPECT_EQ(dotted, 2 * n * n) << n;
        ASSERT_EQ(printer.printed.texts().size(), 1u);
        EXPECT_EQ(printer.printed.texts()[0].text, QStringLiteral("作文"));
        EXPECT_EQ(printer.printed.texts()[0].font, QStringLiteral("ＭＳ Ｐ明朝"));
        for (const auto& b : window.command1) EXPECT_EQ(b.backColor, 0xFFFF80);
    }
    EXPECT_EQ(host.fake.printerDialogs, 4);
    EXPECT_EQ(printer.printed.ofKind(Kind::Paper)[0].value, 9);

    window.onOptionClick(9);
    printer.printed.clear();
    window.onCommand1Click(0);
    EXPECT_EQ(printer.printed.ofKind(Kind::Paper)[0].value, 12);
    EXPECT_EQ(printer.printed.texts()[0].size, 24);
}

TEST_F(ManuscriptWindowTest, ACancelledPrinterDialogPrintsNothing) {
    window.open();
    host.fake.printerAnswers.push_back(false);
    window.onCommand1Click(1);
    EXPECT_TRUE(window.lastPrintCancelled());
    EXPECT_EQ(printer.surfaces, 0);
    EXPECT_TRUE(printer.printed.ops().empty());
    for (const auto& b : window.command1) EXPECT_EQ(b.backColor, 0xFFFF80);
}

// Row 3 holds 話す: 話 and す stand in the first two squares of the third row.
TEST_F(ManuscriptWindowTest, PracticeSheetOfThePageOnScreen) {
    host.grid[3][3] = QStringLiteral("話す");
    host.grid[3][4] = QStringLiteral("はなす");
    host.font = QStringLiteral("@ＭＳ 明朝");
    window.open();
    window.onOptionClick(3);
    host.fake.colors.push_back(12632256);
    window.onCommand3Click();

    // Cancelled first: nothing; then printed.
    host.fake.printerAnswers.push_back(false);
    window.onCommand2Click();
    EXPECT_TRUE(printer.printed.ops().empty());
    EXPECT_EQ(window.command2.backColor, 0xFF8080);
    window.onCommand2Click();
    EXPECT_FALSE(window.lastPrintCancelled());
    const auto models = printer.printed.textsOfSize(45);
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].text, QStringLiteral("話"));
    EXPECT_EQ(models[1].text, QStringLiteral("す"));
    // Row 3's squares start at 700 + 2 x 1240; 70 in.
    EXPECT_EQ(models[0].y(), 3250);
    EXPECT_EQ(models[0].x(), 570);
    EXPECT_EQ(models[1].x(), 1610);
    EXPECT_EQ(models[0].color, 12632256);
    EXPECT_EQ(models[0].font, QStringLiteral("@ＭＳ 明朝"));
    const auto readings = printer.printed.textsOfSize(9);
    ASSERT_EQ(readings.size(), 1u);
    EXPECT_EQ(readings[0].text, QStringLiteral("はなす"));
    EXPECT_EQ(printer.count(Kind::EndDocument), 1);
    EXPECT_EQ(window.command2.backColor, 0xFF8080);

    // Readings "なし".
    printer.printed.clear();
    window.onOptionClick(7);
    window.onCommand2Click();
    EXPECT_TRUE(printer.printed.textsOfSize(9).empty());
    EXPECT_EQ(printer.printed.textsOfSize(45).size(), 2u);
}

// A button turns red and says so before the printer dialog opens and while the sheet is
// drawn; once printed it takes its done colour.
TEST_F(ManuscriptWindowTest, APrintingButtonIsRedAndSaysSoAtOnce) {
    window.open();
    std::vector<int> seen;  // the button's colour at each notification
    int clicked = 0;
    host.shown = [&] {
        seen.push_back(clicked < 4 ? window.command1[static_cast<size_t>(clicked)].backColor
                                   : window.command2.backColor);
    };
    int colourWhileDrawing = -1;
    host.fake.makeSurface = [&]() -> std::unique_ptr<PrintSurface> {
        colourWhileDrawing =
            clicked < 4 ? window.command1[static_cast<size_t>(clicked)].backColor : window.command2.backColor;
        return std::make_unique<RecordingSurface>();
    };
    for (clicked = 0; clicked <= 4; ++clicked) {
        SCOPED_TRACE(clicked);
        seen.clear();
        if (clicked < 4)
            window.onCommand1Click(clicked);
        else
            window.onCommand2Click();
        EXPECT_EQ(seen, std::vector<int>{0x0000FF});
        EXPECT_EQ(colourWhileDrawing, 0x0000FF);
    }
    EXPECT_EQ(window.command1[1].backColor, 0xFFFF80);
    EXPECT_EQ(window.command2.backColor, 0xFF8080);
}

// --- ruled paper ---

class RuledWindowTest : public testing::Test {
protected:
    QTemporaryDir dir;
    FakePaperHost host;
    Printer printer{host.fake};
    RuledWindow window{host};
    ManuscriptWindow manuscript{host, host};

    RuledWindowTest() {
        host.fake.cwd = dir.path();
        host.closers[WindowId::ManuscriptPaper] = [this] { manuscript.close(); };
        host.closers[WindowId::RuledPaper] = [this] { window.close(); };
        window.open();
    }
    std::vector<double> solidYs() const {
        std::vector<double> ys;
        for (const auto& l : printer.printed.ofKind(Kind::Line))
            if (l.style == 0) ys.push_back(l.y1);
        return ys;
    }
};

TEST_F(RuledWindowTest, DesignValues) {
    EXPECT_EQ(window.title(), QStringLiteral("罫線用紙印刷"));
    EXPECT_EQ(window.combo1.text, QStringLiteral("20"));
    EXPECT_EQ(window.combo1.items, (QStringList{"30", "20", "15", "10"}));
    EXPECT_FALSE(window.option1.checked);
    EXPECT_TRUE(window.option2.checked);
    EXPECT_EQ(window.text1.text, QStringLiteral("ナナホシ舎"));
    EXPECT_EQ(window.command1.caption, QStringLiteral("印刷"));
}

// One click, one page, on the system's default printer, without a dialog.
TEST_F(RuledWindowTest, PrintsOnePageOnTheDefaultPrinter) {
    window.onCommand1Click();
    EXPECT_EQ(host.fake.printerDialogs, 0);
    EXPECT_EQ(host.fake.defaultPrinterRequests, 1);
    EXPECT_EQ(host.fake.printerSurfaceRequests, 0);
    EXPECT_EQ(printer.count(Kind::EndDocument), 1);
    EXPECT_EQ(printer.count(Kind::NewPage), 0);
    const std::vector<double> ys = solidYs();
    ASSERT_EQ(ys.size(), 22u);
    EXPECT_EQ(ys.front(), 300);
    EXPECT_EQ(ys.back(), 16638);
    EXPECT_EQ(printer.count(Kind::Line), 22);
    EXPECT_EQ(printer.printed.texts()[0].text, QStringLiteral("ナナホシ舎"));
}

TEST_F(RuledWindowTest, TheWindowsChoicesReachTheSheet) {
    window.onCombo1Changed(QStringLiteral("10"));
    window.onOptionClick(1);
    window.onText1Changed(QStringLiteral("日記帳"));
    window.onCommand1Click();
    EXPECT_EQ(solidYs().size(), 12u);
    EXPECT_EQ(printer.count(Kind::Line), 22);  // 12 solid, 10 dotted
    ASSERT_EQ(printer.printed.texts().size(), 2u);
    EXPECT_EQ(printer.printed.texts()[1].text, QStringLiteral("日記帳"));
}

TEST_F(RuledWindowTest, FixedPrinterModePrintsOnTheChosenPrinter) {
    host.fixedPrinter = true;
    window.onCommand1Click();
    EXPECT_EQ(host.fake.printerSurfaceRequests, 1);
    EXPECT_EQ(host.fake.defaultPrinterRequests, 0);
    EXPECT_EQ(host.fake.printerDialogs, 0);
    EXPECT_EQ(printer.count(Kind::EndDocument), 1);
}

// Without any printer the sheet goes to a PDF file the user names.
TEST_F(RuledWindowTest, WithoutAPrinterAsksForAPdfFile) {
    host.fake.hasDefaultPrinter = false;
    const QString pdf = QDir(dir.path()).filePath(QStringLiteral("lines.pdf"));
    host.fake.savePaths.push_back(pdf);
    window.onCommand1Click();
    EXPECT_EQ(host.fake.proposedSaveNames,
              QStringList{QDir(dir.path()).filePath(QStringLiteral("罫線用紙.pdf"))});
    EXPECT_EQ(host.fake.pdfFiles, QStringList{pdf});
    EXPECT_EQ(printer.count(Kind::EndDocument), 1);

    // Cancelling the file dialog prints nothing and says nothing.
    printer.printed.clear();
    window.onCommand1Click();
    EXPECT_TRUE(printer.printed.ops().empty());
    EXPECT_TRUE(host.fake.messages.empty());

    // A file that cannot be written is reported.
    host.fake.pdfWritable = false;
    host.fake.savePaths.push_back(pdf);
    window.onCommand1Click();
    EXPECT_TRUE(printer.printed.ops().empty());
    ASSERT_EQ(host.fake.messages.size(), 1u);
    EXPECT_TRUE(host.fake.messages[0].text.contains(QStringLiteral("lines.pdf")));
}

// A row count that is not a whole number from 1 to 60 is refused with a message naming the
// range; nothing is printed and no printer is asked for.
TEST_F(RuledWindowTest, RefusesRowCountsOutsideOneToSixty) {
    for (const char* text : {"", "abc", "0", "-5", "61", "100000", "99999999999999999999", "2.5"}) {
        host.fake.messages.clear();
        window.onCombo1Changed(QString::fromUtf8(text));
        EXPECT_FALSE(window.genko()) << text;
        ASSERT_EQ(host.fake.messages.size(), 1u) << text;
        const auto& m = host.fake.messages[0];
        EXPECT_EQ(m.text, QStringLiteral("行数には 1 から 60 までの整数を入れてください。"));
        EXPECT_EQ(m.title, QStringLiteral("罫線用紙印刷"));
        EXPECT_EQ(m.buttons, MessageButtons::Ok);
    }
    EXPECT_TRUE(printer.printed.ops().empty());
    EXPECT_EQ(host.fake.defaultPrinterRequests, 0);
    EXPECT_EQ(host.fake.printerSurfaceRequests, 0);
    // Full-width digits, as an input method types them, are a count.
    host.fake.messages.clear();
    window.onCombo1Changed(QStringLiteral("１５"));
    EXPECT_TRUE(window.genko());
    EXPECT_TRUE(host.fake.messages.empty());
    EXPECT_EQ(solidYs().size(), 17u);
}

TEST_F(RuledWindowTest, ClosingClosesTheManuscriptWindowAndReopeningStartsAfresh) {
    manuscript.open();
    window.onCombo1Changed(QStringLiteral("30"));
    window.onOptionClick(1);
    window.close();
    EXPECT_FALSE(window.isOpen());
    EXPECT_FALSE(manuscript.isOpen());
    // The manuscript window wrote its options on the way.
    EXPECT_TRUE(QFile::exists(QDir(dir.path()).filePath(QStringLiteral("FN.txt"))));
    window.open();
    EXPECT_EQ(window.combo1.text, QStringLiteral("20"));
    EXPECT_TRUE(window.option2.checked);
}

// --- text flow ---

class TextFlowWindowTest : public testing::Test {
protected:
    FakePaperHost host;
    TextFlowWindow window{host, host};

    TextFlowWindowTest() {
        for (int r = 1; r <= 10; ++r) {
            host.grid[static_cast<size_t>(r)][2] = QStringLiteral("前%1").arg(r);
            host.grid[static_cast<size_t>(r)][3] = QStringLiteral("字%1").arg(r);
        }
        window.open();
    }
};

TEST_F(TextFlowWindowTest, DesignValuesAndTargetColours) {
    EXPECT_EQ(window.title(), QStringLiteral("文章流し込み"));
    EXPECT_TRUE(window.text1.text.startsWith(QStringLiteral("使い方\n")));
    EXPECT_TRUE(window.option1.checked);
    EXPECT_EQ(window.command1.backColor, 0x80FFFF);
    EXPECT_EQ(window.command2.backColor, 0x8080FF);
    EXPECT_EQ(window.label1.caption, QStringLiteral("▼"));
    EXPECT_EQ(window.label1.foreColor, 0xFF0000);
    window.onOptionClick(2);
    EXPECT_EQ(window.command1.backColor, 0xFFFF80);
    EXPECT_EQ(window.target(), FlowTarget::Before);
    window.onOptionClick(1);
    EXPECT_EQ(window.command1.backColor, 0x80FFFF);
    EXPECT_EQ(window.target(), FlowTarget::Kanji);
}

// Fifteen characters: row 1 takes ten, row 2 five; rows 3 to 10 keep what they held.
TEST_F(TextFlowWindowTest, FlowsIntoTheKanjiCells) {
    window.onText1Changed(QStringLiteral("あいうえおかきくけこさしすせそ"));
    window.onCommand1Click();
    EXPECT_EQ(host.grid[1][3], QStringLiteral("あいうえおかきくけこ"));
    EXPECT_EQ(host.grid[2][3], QStringLiteral("さしすせそ"));
    EXPECT_EQ(host.grid[3][3], QStringLiteral("字3"));
    EXPECT_EQ(host.grid[3][2], QStringLiteral("前3"));
    // The rows it fills hold the flowed text and nothing else.
    EXPECT_EQ(host.grid[1][2], QString());
    EXPECT_EQ(host.rowsCleared, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.cellWrites, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}}));
    // The text stays.
    EXPECT_EQ(window.text1.text, QStringLiteral("あいうえおかきくけこさしすせそ"));
}

TEST_F(TextFlowWindowTest, RuledTargetTakesTheBeforeCells) {
    window.onOptionClick(2);
    window.onText1Changed(QStringLiteral("きょうは\nはれ。"));
    window.onCommand1Click();
    EXPECT_EQ(host.grid[1][2], QStringLiteral("きょうは"));
    EXPECT_EQ(host.grid[2][2], QStringLiteral("はれ。"));
    EXPECT_EQ(host.grid[1][3], QString());
    EXPECT_EQ(host.grid[3][3], QStringLiteral("字3"));
}

// Rows holding problems are written over only after a Yes; the question counts them, and
// an empty row or one with only a reading or a shown second word counts as it should.
TEST_F(TextFlowWindowTest, AsksBeforeWritingOverProblems) {
    for (int r = 1; r <= 10; ++r) host.grid[static_cast<size_t>(r)] = {};
    host.grid[2][4] = QStringLiteral("よみ");  // a reading left alone is a problem's part too
    host.toggles[3] = true;                    // a second word shown, its cells empty
    host.grid[5][8] = QStringLiteral("あと");
    host.grid[11 - 1][3] = QStringLiteral("字10");  // beyond the text: not counted
    window.onText1Changed(QStringLiteral("一\n二\n三\n四\n五\n六"));

    host.fake.answers = {MessageAnswer::No};
    window.onCommand1Click();
    ASSERT_EQ(host.fake.messages.size(), 1u);
    const FakePlatform::Message& m = host.fake.messages[0];
    EXPECT_EQ(m.title, QStringLiteral("確認メッセージ"));
    EXPECT_EQ(m.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("流し込む行のうち3行に問題が入っています。")))
        << m.text.toStdString();
    // No: nothing was written.
    EXPECT_TRUE(host.cellWrites.empty());
    EXPECT_TRUE(host.rowsCleared.empty());
    EXPECT_EQ(host.grid[2][4], QStringLiteral("よみ"));

    window.onCommand1Click();  // Yes
    EXPECT_EQ(host.rowsCleared, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(host.grid[2][3], QStringLiteral("二"));
    EXPECT_EQ(host.grid[2][4], QString());
    EXPECT_FALSE(host.toggles[3]);
    EXPECT_EQ(host.grid[5][8], QString());
    EXPECT_EQ(host.grid[10][3], QStringLiteral("字10"));
}

TEST_F(TextFlowWindowTest, AnEmptyPageIsFilledWithoutAQuestion) {
    for (int r = 1; r <= 10; ++r) host.grid[static_cast<size_t>(r)] = {};
    window.onText1Changed(QStringLiteral("あさ\nひる"));
    window.onCommand1Click();
    EXPECT_TRUE(host.fake.messages.empty());
    EXPECT_EQ(host.grid[2][3], QStringLiteral("ひる"));
}

// A text longer than ten rows: the rows take what they can, and the teacher hears how many
// characters were left out and where they start.
TEST_F(TextFlowWindowTest, SaysWhatDidNotFit) {
    const struct {
        QString text;
        QString notice;  // empty: no notice
    } cases[] = {
        {QString(100, QChar(u'あ')), {}},
        {QString(100, QChar(u'あ')) + QStringLiteral("！？」\r\n"), {}},
        {QString(100, QChar(u'あ')) + QStringLiteral("」いう\r\nえお"),
         QStringLiteral("１０行に入りきらないため、「いうえお」から後の4文字は流し込んでいません。")},
        {QString(100, QChar(u'か')) + QString(30, QChar(u'さ')) + QStringLiteral("%1"),
         QStringLiteral(
             "１０行に入りきらないため、「ささささささささささ…」から後の32文字は流し込んでいません。")},
    };
    for (const auto& c : cases) {
        host.fake.messages.clear();
        window.onText1Changed(c.text);
        window.onCommand1Click();
        const QStringList texts = host.fake.messageTexts();
        // The question about the filled page comes first.
        ASSERT_GE(texts.size(), 1);
        EXPECT_TRUE(texts[0].startsWith(QStringLiteral("流し込む行のうち")));
        if (c.notice.isEmpty()) {
            EXPECT_EQ(texts.size(), 1) << texts.join(u'/').toStdString();
        } else {
            ASSERT_EQ(texts.size(), 2);
            EXPECT_EQ(texts[1], c.notice);
            EXPECT_EQ(host.fake.messages[1].buttons, MessageButtons::Ok);
        }
        EXPECT_EQ(host.grid[10][3].left(10), c.text.mid(90, 10));
    }
}

TEST_F(TextFlowWindowTest, AnEmptyTextChangesNoCell) {
    window.onCommand3Click();
    EXPECT_EQ(window.text1.text, QString());
    window.onCommand1Click();
    EXPECT_TRUE(host.cellWrites.empty());
}

TEST_F(TextFlowWindowTest, EmptyingTheCellsTouchesOnlyTheTarget) {
    window.onOptionClick(2);
    window.onCommand2Click();
    for (size_t r = 1; r <= 10; ++r) {
        EXPECT_EQ(host.grid[r][2], QString()) << r;
        EXPECT_EQ(host.grid[r][3], QStringLiteral("字%1").arg(r)) << r;
    }
    EXPECT_EQ(host.cellWrites.size(), 10u);
}

// The marker stands above the caret and turns red once the caret's line passes ten.
TEST_F(TextFlowWindowTest, CaretMarker) {
    const QString text = QStringLiteral("一行目\nあいうえおかきくけこさ");
    window.onText1Changed(text, static_cast<int>(text.size()), 300);
    EXPECT_EQ(window.label1.foreColor, 0x0000FF);
    EXPECT_EQ(window.label1.left, 4500);
    window.onText1Changed(text, static_cast<int>(text.size()) - 1, 280);
    EXPECT_EQ(window.label1.foreColor, 0xFF0000);
    EXPECT_EQ(window.label1.left, 4200);
    window.onCommand3Click();
    EXPECT_EQ(window.label1.foreColor, 0xFF0000);
    EXPECT_EQ(window.label1.left, 0);
}

TEST_F(TextFlowWindowTest, ClosingRemindsOfAMissingHeadingOnce) {
    window.close();
    ASSERT_EQ(host.fake.messages.size(), 1u);
    EXPECT_EQ(host.fake.messages[0].text, QStringLiteral("見出し登録は済みましたか？"));
    EXPECT_EQ(host.fake.messages[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(window.isOpen());
    window.close();
    EXPECT_EQ(host.fake.messages.size(), 1u);

    host.heading = QStringLiteral("第一課");
    window.open();
    window.close();
    EXPECT_EQ(host.fake.messages.size(), 1u);
}

// --- kana position ---

TEST(KanaOffsets, ByFaceKind) {
    struct Case {
        const char* face;
        int vertical, horizontal;
        double offset1, offset2;
    };
    const Case cases[] = {
        {"ＭＳ Ｐ明朝", -2, 3, 90, -60},
        {"@ＭＳ 明朝", -2, 3, -60, 90},
        {"＠ＭＳ 明朝", -2, 3, -60, 90},
        {"IPAmjMincho", 10, -10, -300, 300},
        {"", 1, 0, 0, 30},
    };
    for (const Case& c : cases) {
        const KanaOffsets o = kanaOffsetsFor(QString::fromUtf8(c.face), c.vertical, c.horizontal);
        EXPECT_EQ(o.offset1, c.offset1) << c.face;
        EXPECT_EQ(o.offset2, c.offset2) << c.face;
    }
}

class KanaWindowTest : public testing::Test {
protected:
    FakePaperHost host;
    KanaPositionWindow window{host, host};
};

TEST_F(KanaWindowTest, SlidersMoveTheSampleAndSetTheOffsets) {
    window.open();
    EXPECT_EQ(window.title(), QStringLiteral("かな印字位置調整"));
    EXPECT_EQ(window.label1.caption, QStringLiteral("亜"));
    EXPECT_EQ(window.label1.fontName, QStringLiteral("ＭＳ Ｐ明朝"));
    window.onSlider1Changed(-2);
    EXPECT_EQ(window.label1.top, 300);
    window.onSlider2Changed(3);
    EXPECT_EQ(window.label1.left, 570);
    EXPECT_EQ(host.offset1, 90);
    EXPECT_EQ(host.offset2, -60);

    window.onCommand1Click();
    EXPECT_EQ(host.offset1, 0);
    EXPECT_EQ(host.offset2, 0);
    EXPECT_EQ(window.label1.left, 480);
    EXPECT_EQ(window.label1.top, 360);
    EXPECT_EQ(window.slider1.value, 0);
    EXPECT_EQ(window.slider2.value, 0);

    // The sliders stop at -10 and 10.
    window.onSlider1Changed(14);
    window.onSlider2Changed(-99);
    EXPECT_EQ(window.slider1.value, 10);
    EXPECT_EQ(window.slider2.value, -10);
    EXPECT_EQ(host.offset1, -300);
    EXPECT_EQ(host.offset2, 300);
}

TEST_F(KanaWindowTest, AnAtFaceTakesTheVerticalShiftFirst) {
    host.font = QStringLiteral("@ＭＳ 明朝");
    window.open();
    EXPECT_EQ(window.label1.fontName, QStringLiteral("@ＭＳ 明朝"));
    window.onSlider1Changed(-2);
    window.onSlider2Changed(3);
    EXPECT_EQ(host.offset1, -60);
    EXPECT_EQ(host.offset2, 90);
}

// Opening shows the stored offsets without rewriting them, and what was set shows again at
// the next opening, with either kind of face.
TEST_F(KanaWindowTest, OpeningRestoresTheSlidersWithoutRewritingTheOffsets) {
    for (const char* face : {"ＭＳ Ｐ明朝", "@ＭＳ 明朝"}) {
        host.font = QString::fromUtf8(face);
        host.offset1 = host.offset2 = 0;
        window.open();
        window.onSlider1Changed(-2);
        window.onSlider2Changed(3);
        const double o1 = host.offset1, o2 = host.offset2;
        window.close();
        const int writes = host.offsetWrites;
        window.open();
        EXPECT_EQ(host.offsetWrites, writes) << face;
        EXPECT_EQ(window.slider1.value, -2) << face;
        EXPECT_EQ(window.slider2.value, 3) << face;
        EXPECT_EQ(window.label1.top, 300) << face;
        EXPECT_EQ(window.label1.left, 570) << face;
        EXPECT_EQ(host.offset1, o1) << face;
        EXPECT_EQ(host.offset2, o2) << face;
        window.close();
        EXPECT_FALSE(window.isOpen()) << face;
    }
}

TEST_F(KanaWindowTest, ThePlaceholderFaceShowsTheDefaultFaceAndOddOffsetsRound) {
    host.font = QStringLiteral("フォント");
    host.offset1 = 44;     // 1.47 steps
    host.offset2 = -1000;  // beyond the slider
    window.open();
    EXPECT_EQ(window.label1.fontName, QStringLiteral("ＭＳ Ｐ明朝"));
    EXPECT_EQ(window.slider2.value, 1);
    EXPECT_EQ(window.slider1.value, -10);
    EXPECT_EQ(host.offsetWrites, 0);
}

}  // namespace

// In the program: the practice button names the words of the page on screen, also after the
// page changed or a word was typed while the window was open.
TEST_F(WindowTest, ThePracticeButtonFollowsThePageOnScreen) {
    writeCp932(path("two.mojx"),
               mojxLine(QStringLiteral("一"), {QString(), QStringLiteral("山"), QString(), QString()}) +
                   "\r\n" +
                   mojxLine(QStringLiteral("二"), {QString(), QStringLiteral("川"), QString(), QString(),
                                                   QString(), QStringLiteral("話す")}) +
                   "\r\n");
    mw.startUp();
    platform.openPaths = {path("two.mojx")};
    mw.onMenu(QStringLiteral("of"));
    mw.openWindow(WindowId::ManuscriptPaper);
    // Each row's word followed by "・", then "の練習プリント".
    const auto caption = [](const QStringList& words) {
        QString c;
        for (int r = 0; r < 10; ++r) c += words.value(r) + QStringLiteral("・");
        return c + QStringLiteral("の練習プリント");
    };
    EXPECT_EQ(mw.manuscriptWindow.command2.caption, caption({QStringLiteral("山")}));
    mw.choosePage(1);
    EXPECT_EQ(mw.manuscriptWindow.command2.caption, caption({QStringLiteral("川"), QStringLiteral("話す")}));
    type(3, kColKanji, QStringLiteral("森"));
    EXPECT_EQ(mw.manuscriptWindow.command2.caption,
              caption({QStringLiteral("川"), QStringLiteral("話す"), QStringLiteral("森")}));
}
