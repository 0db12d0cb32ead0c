// The one way a print from a window reaches the paper: the job's name, the printer dialog,
// the device (the printer of the dialog, the preview, the default printer or a PDF file), the
// end of the document and the message when the device could not print; and every window that
// prints going that way: the practice book and grade list of the lookup panel, the papers.
#include "core/windows/print_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/windows/main/main_window.h"
#include "core/windows/main/print_commands.h"
#include "fake_paper_host.h"
#include "main_panels_fixture.h"
#include "print_helpers_test.h"

using namespace printtest;

namespace {

// A printer that takes the drawing but reports at the end that it could not print.
class FailingSurface : public RecordingSurface {
public:
    using RecordingSurface::RecordingSurface;
    bool failed() const override { return true; }
};

// Every surface the platform hands out records onto one page; a failing printer fails.
struct PrintedPaper {
    RecordingSurface printed;
    bool failing = false;
    explicit PrintedPaper(FakePlatform& p) {
        p.makeSurface = [this]() -> std::unique_ptr<PrintSurface> {
            if (failing) return std::make_unique<FailingSurface>(&printed);
            return std::make_unique<RecordingSurface>(&printed);
        };
    }
    int count(Kind k) const { return static_cast<int>(printed.ofKind(k).size()); }
};

void drawOneLine(PrintSurface& s) {
    s.drawLine(0, 0, 100, 100);
}

TEST(PrintRun, JobNames) {
    EXPECT_EQ(printJobName(QStringLiteral("漢字練習帳 学")), QStringLiteral("2011字楽坊 - 漢字練習帳 学"));
    EXPECT_EQ(printJobName(QString()), QStringLiteral("2011字楽坊"));
    EXPECT_EQ(practiceBookJobTitle(QStringLiteral("学")), QStringLiteral("漢字練習帳 学"));
    EXPECT_EQ(practiceBookJobTitle(QString()), QStringLiteral("漢字練習帳"));
    EXPECT_EQ(gradeTableJobTitle(3), QStringLiteral("漢字一覧表 3年"));
}

// Each device, with the dialog or without, answered or cancelled, working or failing.
TEST(PrintRun, DevicesDialogsAndFailures) {
    struct Case {
        const char* name;
        PrintDevice device;
        bool askPrinter, dialogAnswer, failing, hasDefaultPrinter;
        PrintResult expected;
        int dialogs, previews, printerSurfaces, defaultPrinters, endings, messages;
    } cases[] = {
        {"printer after the dialog", PrintDevice::Printer, true, true, false, true, PrintResult::Printed, 1,
         0, 1, 0, 1, 0},
        {"dialog cancelled", PrintDevice::Printer, true, false, false, true, PrintResult::Cancelled, 1, 0, 0,
         0, 0, 0},
        {"fixed printer, no dialog", PrintDevice::Printer, false, true, false, true, PrintResult::Printed, 0,
         0, 1, 0, 1, 0},
        {"printer fails", PrintDevice::Printer, true, true, true, true, PrintResult::Failed, 1, 0, 1, 0, 1,
         1},
        // The preview comes first: the printer dialog is the preview's print button's.
        {"preview", PrintDevice::Preview, true, true, false, true, PrintResult::Printed, 0, 1, 1, 0, 1, 0},
        {"preview, no dialog before it", PrintDevice::Preview, true, false, false, true, PrintResult::Printed,
         0, 1, 1, 0, 1, 0},
        {"printed from the preview, fails", PrintDevice::Preview, false, true, true, true,
         PrintResult::Failed, 0, 1, 1, 0, 1, 1},
        {"default printer", PrintDevice::DefaultPrinter, false, true, false, true, PrintResult::Printed, 0, 0,
         0, 1, 1, 0},
        {"default printer fails", PrintDevice::DefaultPrinter, false, true, true, true, PrintResult::Failed,
         0, 0, 0, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform platform;
        PrintedPaper paper(platform);
        paper.failing = c.failing;
        platform.hasDefaultPrinter = c.hasDefaultPrinter;
        platform.printerAnswers = {c.dialogAnswer};
        PrintRequest request;
        request.title = QStringLiteral("罫線用紙");
        request.askPrinter = c.askPrinter;
        request.device = c.device;
        EXPECT_EQ(runPrint(platform, request, drawOneLine), c.expected);
        EXPECT_EQ(platform.printerDialogs, c.dialogs);
        EXPECT_EQ(platform.previews, c.previews);
        EXPECT_EQ(platform.printerSurfaceRequests, c.printerSurfaces);
        EXPECT_EQ(platform.defaultPrinterRequests, c.defaultPrinters);
        EXPECT_EQ(paper.count(Kind::EndDocument), c.endings);
        EXPECT_EQ(paper.count(Kind::Line), c.endings);
        ASSERT_EQ(platform.messages.size(), static_cast<size_t>(c.messages));
        if (c.messages) {
            EXPECT_EQ(platform.messages[0].text, kPrintFailedMessage);
            EXPECT_EQ(platform.messages[0].title, QStringLiteral("確認メッセージ"));
            EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
        }
        // Every dialog and every device asked for carries the job's name; a cancel asks for none.
        EXPECT_EQ(platform.printerDialogJobNames,
                  QStringList(c.dialogs, QStringLiteral("2011字楽坊 - 罫線用紙")));
        EXPECT_EQ(platform.printJobNames, c.expected == PrintResult::Cancelled
                                              ? QStringList()
                                              : QStringList{QStringLiteral("2011字楽坊 - 罫線用紙")});
    }
}

// No printer on the system: a PDF file named after the job stands in; a cancel of its name
// prints nothing and says nothing; a file that cannot be written is said, and nothing drawn.
TEST(PrintRun, WithoutADefaultPrinterAPdfFileNamedAfterTheJob) {
    QTemporaryDir dir;
    FakePlatform platform;
    platform.cwd = dir.path();
    platform.hasDefaultPrinter = false;
    PrintedPaper paper(platform);
    PrintRequest request;
    request.title = QStringLiteral("罫線用紙");
    request.askPrinter = false;
    request.device = PrintDevice::DefaultPrinter;
    request.messageTitle = QStringLiteral("罫線用紙印刷");
    const QString pdf = dir.filePath(QStringLiteral("lines.pdf"));

    platform.savePaths = {pdf};
    EXPECT_EQ(runPrint(platform, request, drawOneLine), PrintResult::Printed);
    EXPECT_EQ(platform.proposedSaveNames, QStringList{dir.filePath(QStringLiteral("罫線用紙.pdf"))});
    EXPECT_EQ(platform.pdfFiles, QStringList{pdf});
    EXPECT_EQ(paper.count(Kind::EndDocument), 1);

    EXPECT_EQ(runPrint(platform, request, drawOneLine), PrintResult::Cancelled);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(paper.count(Kind::EndDocument), 1);

    platform.pdfWritable = false;
    platform.savePaths = {pdf};
    EXPECT_EQ(runPrint(platform, request, drawOneLine), PrintResult::Failed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              QDir::toNativeSeparators(pdf) + QStringLiteral(" に書き込めないため、印刷しませんでした。"));
    EXPECT_EQ(platform.messages[0].title, QStringLiteral("罫線用紙印刷"));
    EXPECT_EQ(paper.count(Kind::EndDocument), 1);
}

// --- the lookup panel's prints from the main window ---

const QStringList kDictionary{
    QStringLiteral("1,学,がく,まな(ぶ),8"),
    QStringLiteral("1,校,こう,,10"),
    QStringLiteral("2,家,か・け,いえ・や,10"),
};

// The main window with its lookup panel showing grade 1, cell 0 (学) clicked.
struct PanelPrint {
    ProgramFolder folder;
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};
    PrintedPaper paper{platform};

    PanelPrint() {
        EXPECT_TRUE(folder.write(QStringLiteral("onkun.txt"), kDictionary));
        platform.programDir = folder.path();
        platform.cwd = folder.path();
        mw.startUp();
        mw.onToolbarClick(12);  // 単漢字表示
        mw.lookupPanel.onGradeClick(1);
        mw.lookupPanel.onCellClick(0);
    }
};

TEST(PanelPrints, NamedAsTheCommandLineNamesThem) {
    struct Case {
        const char* name;
        int grade;
        std::function<void(MainWindow&)> print;
        QString job;
        double modelSize;  // of the characters that show the print happened
    } cases[] = {
        {"toolbar 漢字練習帳", 1, [](MainWindow& mw) { mw.onToolbarClick(24); },
         QStringLiteral("2011字楽坊 - 漢字練習帳 学"), 160},
        {"menu 学年配当表印刷", 1, [](MainWindow& mw) { mw.onMenu(QStringLiteral("hth")); },
         QStringLiteral("2011字楽坊 - 漢字一覧表 1年"), 45},
        {"toolbar 一覧票印刷 after grade 2", 2, [](MainWindow& mw) { mw.onToolbarClick(23); },
         QStringLiteral("2011字楽坊 - 漢字一覧表 2年"), 45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PanelPrint f;
        if (c.grade != 1) f.mw.lookupPanel.onGradeClick(c.grade);
        c.print(f.mw);
        EXPECT_EQ(f.platform.printJobNames, QStringList{c.job});
        EXPECT_EQ(f.platform.printerDialogs, 1);
        EXPECT_EQ(f.paper.count(Kind::EndDocument), 1);
        EXPECT_FALSE(f.paper.printed.textsOfSize(c.modelSize).empty());
        EXPECT_TRUE(f.platform.messages.empty());
    }
}

// A practice book or grade list that the device could not print is said, as the sheets say
// it; a cancelled dialog prints nothing and says nothing, and the practice kanji stays.
TEST(PanelPrints, AFailedDeviceIsSaidACancelIsNot) {
    for (const bool preview : {false, true}) {
        for (const int button : {23, 24}) {
            SCOPED_TRACE(testing::Message() << "button " << button << (preview ? " from the preview" : ""));
            PanelPrint f;
            if (preview) f.mw.onMenu(QStringLiteral("pvw"));
            f.paper.failing = true;
            f.mw.onToolbarClick(button);
            ASSERT_EQ(f.platform.messages.size(), 1u);
            EXPECT_EQ(f.platform.messages[0].text, kPrintFailedMessage);
            EXPECT_EQ(f.platform.messages[0].title, QStringLiteral("確認メッセージ"));
            EXPECT_EQ(f.platform.messages[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(f.platform.messages[0].icon, MessageIcon::Warning);
        }
    }
    PanelPrint f;
    f.platform.printerAnswers = {false, false};
    f.mw.onToolbarClick(24);
    f.mw.onToolbarClick(23);
    EXPECT_TRUE(f.paper.printed.ops().empty());
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(f.mw.lookupPanel.practiceKanji, QString());
    EXPECT_EQ(f.platform.printerDialogJobNames,
              (QStringList{"2011字楽坊 - 漢字練習帳 学", "2011字楽坊 - 漢字一覧表 1年"}));
    EXPECT_EQ(f.platform.printJobNames, QStringList());
}

// Neither print reads or clears the batch switch, and in fixed printer mode neither asks.
TEST(PanelPrints, FixedPrinterModeAndTheBatchSwitch) {
    PanelPrint f;
    f.mw.combo1.backColor = 65280;  // green: armed
    f.mw.printerDialogEachTime = false;
    f.mw.onToolbarClick(24);
    f.mw.onToolbarClick(23);
    EXPECT_EQ(f.platform.printerDialogs, 0);
    EXPECT_EQ(f.paper.count(Kind::EndDocument), 2);
    EXPECT_EQ(f.mw.combo1.backColor, 65280);  // green: armed
}

// --- the paper windows ---

TEST(PaperPrints, NamedAsTheCommandLineNamesThem) {
    QTemporaryDir dir;
    FakePaperHost host;
    host.fake.cwd = dir.path();
    PrintedPaper paper(host.fake);
    ManuscriptWindow manuscript(host, host);
    RuledWindow ruled(host);
    manuscript.open();
    ruled.open();

    manuscript.onCommand1Click(0);
    manuscript.onCommand2Click();  // a workbook never saved
    host.panel1 = QStringLiteral("/home/t/三年一組.mojx");
    manuscript.onCommand2Click();
    ruled.onCommand1Click();
    EXPECT_EQ(host.fake.printJobNames, (QStringList{"2011字楽坊 - 原稿用紙", "2011字楽坊 - 原稿用紙",
                                                    "2011字楽坊 - 三年一組", "2011字楽坊 - 罫線用紙"}));
    EXPECT_EQ(paper.count(Kind::EndDocument), 4);
    EXPECT_TRUE(host.fake.messages.empty());
}

TEST(PaperPrints, AFailedDeviceIsSaid) {
    QTemporaryDir dir;
    FakePaperHost host;
    host.fake.cwd = dir.path();
    PrintedPaper paper(host.fake);
    paper.failing = true;
    ManuscriptWindow manuscript(host, host);
    RuledWindow ruled(host);
    manuscript.open();
    ruled.open();
    manuscript.onCommand1Click(1);
    manuscript.onCommand2Click();
    EXPECT_FALSE(ruled.genko());
    ASSERT_EQ(host.fake.messages.size(), 3u);
    for (const auto& m : host.fake.messages) EXPECT_EQ(m.text, kPrintFailedMessage);
    EXPECT_EQ(host.fake.messages[2].title, QStringLiteral("罫線用紙印刷"));
    // The buttons end in their colours after the print, also a failed one.
    for (const auto& b : manuscript.command1) EXPECT_EQ(b.backColor, 0xFFFF80);
    EXPECT_EQ(manuscript.command2.backColor, 0xFF8080);
}

}  // namespace
