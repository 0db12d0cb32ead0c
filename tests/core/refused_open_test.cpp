// A file the open command refuses (the example file base.moj, bytes that are not code page
// 932, a missing file, a folder) leaves the main window exactly as it was: every control,
// every enabled state, the grid, the memory list and the workbook.
#include <QDir>

#include "core/windows/main/command_dispatch.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

QString yesNo(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// Everything a teacher sees of the main window and what it holds, one line a control.
QStringList controlState(const MainWindow& mw) {
    QStringList s;
    for (const MenuItem& m : mw.menus)
        s << QStringLiteral("menu %1 checked=%2 enabled=%3 visible=%4")
                 .arg(m.name, yesNo(m.checked), yesNo(m.enabled), yesNo(m.visible));
    for (size_t i = 1; i < mw.toolbar.size(); ++i) {
        const ToolButton& b = mw.toolbar[i];
        s << QStringLiteral("button %1 picture=%2 enabled=%3 visible=%4")
                 .arg(i)
                 .arg(b.picture)
                 .arg(yesNo(b.enabled), yesNo(b.visible));
    }
    const std::array<QString, 6> panels = mw.statusPanels();
    for (size_t i = 1; i < panels.size(); ++i) s << QStringLiteral("panel %1 %2").arg(i).arg(panels[i]);
    s << QStringLiteral("title ") + mw.windowTitle() << QStringLiteral("width %1").arg(mw.widthTwips);
    s << QStringLiteral("Combo1 %1 back=%2 enabled=%3")
             .arg(mw.combo1.text)
             .arg(mw.combo1.backColor)
             .arg(yesNo(mw.combo1.enabled));
    s << QStringLiteral("Command2 %1 enabled=%2 visible=%3")
             .arg(mw.command2.caption, yesNo(mw.command2.enabled), yesNo(mw.command2.visible));
    for (const auto& [name, l] : {std::pair{"Label9", &mw.label9}, std::pair{"Label11", &mw.label11},
                                  std::pair{"Label12", &mw.label12}, std::pair{"Label18", &mw.label18}})
        s << QStringLiteral("%1 %2 visible=%3").arg(QString::fromLatin1(name), l->caption, yesNo(l->visible));
    s << QStringLiteral("focus ") + mw.focus << QStringLiteral("arrows ") + yesNo(mw.arrowPadVisible);
    s << QStringLiteral("Text1 %1 enabled=%2 back=%3")
             .arg(mw.entry.text, yesNo(mw.entry.enabled))
             .arg(mw.entry.backColor);
    s << QStringLiteral("cursor %1 %2 work=%3").arg(mw.grid.row).arg(mw.grid.col).arg(mw.grid.workNumber);
    for (int r = 1; r <= 10; ++r) {
        const GridRow& g = mw.grid.at(r);
        QString row = QStringLiteral("row %1 number=%2 color=%3 check3=%4/%5 %6")
                          .arg(r)
                          .arg(g.number)
                          .arg(g.numberColor)
                          .arg(yesNo(g.check3), yesNo(g.check3Enabled), g.check3Tooltip);
        for (int c = kColBefore; c <= kColAfter2; ++c)
            row += QStringLiteral(" [%1 back=%2 visible=%3]")
                       .arg(g.cell(c).text)
                       .arg(g.cell(c).backColor)
                       .arg(yesNo(g.cell(c).visible));
        s << row;
    }
    s << QStringLiteral("memory visible=%1 enabled=%2 picture=%3 items=%4")
             .arg(yesNo(mw.memoryList.visible), yesNo(mw.memoryList.list1Enabled))
             .arg(mw.memoryList.buttonPicture)
             .arg(mw.memoryList.list1.join(u'|'));
    const Workbook& wb = mw.workbook();
    s << QStringLiteral("headings ") + wb.headingList.join(u'|')
      << QStringLiteral("file ") + wb.currentFilePath
      << QStringLiteral("pages %1 current %2").arg(wb.pageCount).arg(wb.currentPage);
    for (int p = 0; p < wb.headingList.size(); ++p) s << wb.pageLines[static_cast<size_t>(p)];
    return s;
}

// Files the reader refuses, in folder.
QStringList refusedFiles(const QDir& folder) {
    writeCp932(folder.filePath(QStringLiteral("base.moj")),
               mojxLine(QStringLiteral("例"), {}).section(u',', 0, 42) + "\r\n");
    writeBytes(folder.filePath(QStringLiteral("utf8.mojx")), QStringLiteral("見出し,\r\n").toUtf8());
    folder.mkdir(QStringLiteral("folder.mojx"));
    return {folder.filePath(QStringLiteral("base.moj")), folder.filePath(QStringLiteral("utf8.mojx")),
            folder.filePath(QStringLiteral("missing.mojx")), folder.filePath(QStringLiteral("folder.mojx"))};
}

// A main window started in a folder (the program folder too).
struct Window {
    FakePlatform platform;
    Workbook wb;
    MainWindow mw{platform, wb};

    explicit Window(const QString& folder) {
        platform.cwd = platform.programDir = folder;
        mw.startUp();
    }
    void type(int row, int col, const QString& text) {
        mw.onCellClick(row, col);
        mw.onEntryKeyPress(0);
        mw.onEntryTextEdited(text);
    }
    // A workbook of two pages with page 2 on screen, one row typed, one problem remembered.
    void openAWorkbook(const QDir& folder) {
        const QString file = folder.filePath(QStringLiteral("kept.mojx"));
        writeCp932(file, mojxLine(QStringLiteral("一"), {QStringLiteral("あ"), QStringLiteral("山"),
                                                         QStringLiteral("やま"), QStringLiteral("に")}) +
                             "\r\n" + mojxLine(QStringLiteral("二"), {}) + "\r\n");
        platform.openPaths = {file};
        mw.onMenu(QStringLiteral("of"));
        ASSERT_EQ(wb.headingList.size(), 2);
        mw.choosePage(1);
        type(3, kColBefore, QStringLiteral("まだ保存していない"));
        type(4, kColBefore, QStringLiteral("とりだす"));
        mw.onNumberLabelClick(4);
    }
};

using RefusedOpenTest = WindowTest;

TEST_F(RefusedOpenTest, ARefusedFileLeavesTheWindowAsItWas) {
    const QDir folder(dir.path());
    const struct {
        const char* name;
        bool withWorkbook;
        std::function<void(Window&, const QString&)> open;
    } cases[] = {
        {"menu, no workbook", false,
         [](Window& w, const QString& f) {
             w.platform.openPaths = {f};
             w.mw.onMenu(QStringLiteral("of"));
         }},
        {"toolbar, no workbook", false,
         [](Window& w, const QString& f) {
             w.platform.openPaths = {f};
             w.mw.onToolbarClick(1);
         }},
        {"command line", false, [](Window& w, const QString& f) { w.mw.openFileFromCommandLine(f); }},
        {"menu, a workbook open", true,
         [](Window& w, const QString& f) {
             w.platform.openPaths = {f};
             w.mw.onMenu(QStringLiteral("of"));
         }},
        {"toolbar, a workbook open", true,
         [](Window& w, const QString& f) {
             w.platform.openPaths = {f};
             w.mw.onToolbarClick(1);
         }},
    };
    for (const auto& c : cases) {
        for (const QString& file : refusedFiles(folder)) {
            SCOPED_TRACE(std::string(c.name) + ": " + file.toStdString());
            // A fresh window for every file, so one refusal cannot hide another.
            Window w(dir.path());
            if (c.withWorkbook) {
                w.openAWorkbook(folder);
                if (HasFatalFailure()) return;
                // Unsaved work is there: the open command asks first; go on without saving.
                w.platform.answers = {MessageAnswer::No};
            }
            const QStringList before = controlState(w.mw);
            const size_t messagesBefore = w.platform.messages.size();
            c.open(w, file);
            EXPECT_EQ(controlState(w.mw), before);
            // The teacher is told why.
            EXPECT_GT(w.platform.messages.size(), messagesBefore);
        }
    }
}

TEST_F(RefusedOpenTest, NoWorkbookStillMeansNothingToPrintOrSave) {
    mw.startUp();
    refusedFiles(QDir(dir.path()));
    platform.openPaths = {path("base.moj")};
    mw.onMenu(QStringLiteral("of"));
    // Ctrl+P and the other print and save commands stay out of reach.
    for (const char* item : {"sa", "p1", "p2", "p3", "tap", "p4", "sel"})
        EXPECT_FALSE(mw.menu(item)->enabled) << item;
    for (int b : {4, 6, 7, 8, 9, 10, 17}) EXPECT_FALSE(mw.toolbar[static_cast<size_t>(b)].enabled) << b;
    mw.onMenu(QStringLiteral("p1"));
    mw.onToolbarClick(6);
    EXPECT_EQ(platform.printerDialogs, 0);
    EXPECT_EQ(platform.printerSurfaceRequests, 0);
    // A readable file after the refused one opens as usual.
    writeCp932(path("good.mojx"), mojxLine(QStringLiteral("よい"), {}) + "\r\n");
    platform.openPaths = {path("good.mojx")};
    mw.onMenu(QStringLiteral("of"));
    EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("よい")});
    EXPECT_TRUE(mw.menu("p1")->enabled);
}

}  // namespace
