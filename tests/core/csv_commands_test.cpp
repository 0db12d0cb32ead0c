// ファイル → CSV書き出し / CSV読み込み in the main window.
#include <QFile>

#include "core/data/workbook_csv.h"
#include "window_fixture.h"

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

QString fixture(const char* name) {
    return QStringLiteral(JIRAKUBO_FIXTURES "/") + QString::fromUtf8(name);
}

struct CsvCommands : WindowTest {
    // A registered page with 山 typed into row 1 (still only on screen) and 川 into row 2.
    void typedPage() {
        startTyping(QStringLiteral("一の巻"));
        type(1, kColKanji, QStringLiteral("川"));
        type(2, kColKanji, QStringLiteral("山"));
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString p = path(name);
        writeBytes(p, bytes);
        return p;
    }
};

}  // namespace

TEST_F(CsvCommands, ExportWritesEveryPageAsTheScreenShowsIt) {
    typedPage();
    const QString out = path(QStringLiteral("out.csv"));
    platform.savePaths = {out};
    mw.onMenu(QStringLiteral("csvw"));
    EXPECT_EQ(platform.proposedSaveNames, QStringList{path(QStringLiteral("128155.csv"))});
    const QList<QByteArray> lines = readBytes(out).split('\n');
    ASSERT_EQ(lines.size(), 12);
    EXPECT_TRUE(lines[0].startsWith(kBom + "ページ,行,見出し,"));
    EXPECT_EQ(lines[1], QByteArray("1,1,一の巻,,川,,,,,,ＭＳ Ｐ明朝,\r"));
    EXPECT_EQ(lines[2], QByteArray("1,2,一の巻,,山,,,,,,ＭＳ Ｐ明朝,\r"));
    EXPECT_TRUE(platform.messages.empty());
    // Exporting is no save and no edit.
    EXPECT_TRUE(mw.hasUnsavedWork());
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「入力」"));
}

TEST_F(CsvCommands, ExportProposesTheWorkbooksOwnName) {
    typedPage();
    platform.savePaths = {path(QStringLiteral("三年一組.mojx"))};
    mw.onMenu(QStringLiteral("sa"));
    platform.proposedSaveNames.clear();
    platform.savePaths = {std::nullopt};
    mw.onMenu(QStringLiteral("csvw"));
    EXPECT_EQ(platform.proposedSaveNames, QStringList{path(QStringLiteral("三年一組.csv"))});
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("三年一組.csv"))));
}

TEST_F(CsvCommands, ExportAsksBeforeReplacingAndRefusesOtherNames) {
    const struct {
        const char* name;
        MessageAnswer answer;
        bool replaced;
        const char* message;
    } cases[] = {
        {"old.csv", MessageAnswer::No, false, "old.csv は既にあります。上書きしますか？"},
        {"old.csv", MessageAnswer::Yes, true, "old.csv は既にあります。上書きしますか？"},
        {"old.mojx", MessageAnswer::Ok, false, "の名前ではありません"},
        {"old", MessageAnswer::Ok, false, "の名前ではありません"},
    };
    for (const auto& c : cases) {
        WindowTest::SetUp();
        typedPage();
        const QString target = writeFile(QString::fromUtf8(c.name), "old");
        platform.messages.clear();
        platform.answers = {c.answer};
        platform.savePaths = {target};
        mw.onMenu(QStringLiteral("csvw"));
        ASSERT_EQ(platform.messages.size(), 1u) << c.name;
        EXPECT_TRUE(platform.messages[0].text.contains(QString::fromUtf8(c.message)))
            << platform.messages[0].text.toStdString();
        EXPECT_EQ(readBytes(target) == "old", !c.replaced) << c.name;
    }
}

TEST_F(CsvCommands, ExportRefusesTheOpenWorkbookItself) {
    // A .csv name that is a link to the open workbook is still the workbook.
    typedPage();
    const QString book = path(QStringLiteral("book.mojx"));
    platform.savePaths = {book};
    mw.onMenu(QStringLiteral("sa"));
    const QByteArray saved = readBytes(book);
    ASSERT_FALSE(saved.isEmpty());
    const QString file = path(QStringLiteral("book.csv"));
    ASSERT_TRUE(QFile::link(book, file));
    platform.messages.clear();
    platform.savePaths = {file};
    mw.onMenu(QStringLiteral("csvw"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("開いている問題ファイルです")))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(readBytes(book), saved);
}

TEST_F(CsvCommands, ExportWithoutARegisteredPageSaysSo) {
    mw.startUp();
    mw.onMenu(QStringLiteral("np"));
    platform.savePaths = {path(QStringLiteral("out.csv"))};
    mw.onMenu(QStringLiteral("csvw"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.startsWith(QStringLiteral("書き出すページがありません")));
    EXPECT_EQ(platform.savePaths.size(), 1u);  // no dialog
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("out.csv"))));
}

TEST_F(CsvCommands, ImportOpensTheListAsANewUnsavedWorkbookAndListsTheRowsLeftOut) {
    mw.startUp();
    platform.openPaths = {fixture("peer_list_sjis.csv")};
    mw.onMenu(QStringLiteral("csvr"));
    EXPECT_EQ(wb.headingList,
              (QStringList{QStringLiteral("３年 １"), QStringLiteral("４年 １"), QStringLiteral("３年 ２")}));
    EXPECT_EQ(mw.combo1.text, QStringLiteral("３年 １"));
    EXPECT_EQ(cell(1, kColBefore), QStringLiteral("きのう"));
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("病院"));
    EXPECT_EQ(cell(1, kColReading), QStringLiteral("びょういん"));
    EXPECT_EQ(cell(3, kColKanji2), QStringLiteral("薬"));
    EXPECT_TRUE(mw.entry.enabled);
    EXPECT_TRUE(mw.menu(QStringLiteral("sa"))->enabled);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              QStringLiteral("8問（3ページ）を読み込みました。読み込めなかった行が2行あります。\n\n"
                             "6行目: 答えがありません\n"
                             "7行目: 問題文に答えの枠 [よみ] がありません"));
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Warning);
    // No file holds it yet: the title, the exit question and the save box say so.
    EXPECT_TRUE(mw.hasUnsavedWork());
    EXPECT_EQ(mw.windowTitle(), QStringLiteral("無題* - 2011字楽坊"));
    EXPECT_EQ(mw.filePath, QStringLiteral("ファイル"));
    EXPECT_EQ(mw.menu(QStringLiteral("undo"))->caption, QStringLiteral("元に戻す「CSV読み込み」"));
    platform.messages.clear();
    platform.answers = {MessageAnswer::No};
    EXPECT_FALSE(mw.exitCommand());
    ASSERT_EQ(platform.messages.size(), 1u);

    // Saved, it is the file those pages make.
    const QString saved = path(QStringLiteral("imported.mojx"));
    platform.savePaths = {saved};
    mw.onMenu(QStringLiteral("sa"));
    const QStringList lines = readCp932(saved).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(
        lines[0].startsWith(QStringLiteral("３年 １,,きのう,病院,びょういん,へいった。,今日は,公園,")));
}

TEST_F(CsvCommands, ImportAsksAboutUnsavedWorkFirst) {
    const struct {
        MessageAnswer answer;
        bool imported;
    } cases[] = {{MessageAnswer::Cancelled, false}, {MessageAnswer::No, true}};
    for (const auto& c : cases) {
        WindowTest::SetUp();
        typedPage();
        platform.messages.clear();
        platform.answers = {c.answer};
        platform.openPaths = {fixture("peer_list_utf8.csv")};
        mw.onMenu(QStringLiteral("csvr"));
        ASSERT_GE(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(wb.headingList.value(0), c.imported ? QStringLiteral("３年 １") : QStringLiteral("一の巻"));
        EXPECT_EQ(platform.openPaths.empty(), c.imported);  // the box shown only after the question
    }
}

TEST_F(CsvCommands, AFileThatCannotBeReadLeavesTheWorkbookAsItWas) {
    const struct {
        const char* name;
        QByteArray bytes;
        const char* message;
    } cases[] = {
        {"nothing.csv", "a,b\r\n1,2\r\n", "列の名前の行ではありません"},
        {"utf16.csv", QByteArray("\xFF\xFEx\0", 4), "UTF-16"},
        {"refused.csv", "学年,問題文,答え\r\n3,やま,山\r\n",
         "読み込める行がありません\n\n2行目: 問題文に答えの枠"},
    };
    for (const auto& c : cases) {
        WindowTest::SetUp();
        typedPage();
        platform.savePaths = {path(QStringLiteral("kept.mojx"))};
        mw.onMenu(QStringLiteral("sa"));
        platform.messages.clear();
        platform.openPaths = {writeFile(QString::fromUtf8(c.name), c.bytes)};
        mw.onMenu(QStringLiteral("csvr"));
        ASSERT_EQ(platform.messages.size(), 1u) << c.name;
        EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(platform.messages[0].text.contains(QString::fromUtf8(c.message)))
            << platform.messages[0].text.toStdString();
        EXPECT_EQ(wb.headingList, QStringList{QStringLiteral("一の巻")});
        EXPECT_EQ(cell(1, kColKanji), QStringLiteral("川"));
        EXPECT_EQ(wb.currentFilePath, path(QStringLiteral("kept.mojx")));
        EXPECT_FALSE(mw.hasUnsavedWork());
    }
}

TEST_F(CsvCommands, UndoOfTheImportLeavesTheEmptyWorkbookAndRedoBringsItBack) {
    mw.startUp();
    platform.openPaths = {fixture("peer_list_utf8.csv")};
    mw.onMenu(QStringLiteral("csvr"));
    mw.onMenu(QStringLiteral("undo"));
    EXPECT_TRUE(wb.headingList.isEmpty());
    EXPECT_EQ(cell(1, kColKanji), QString());
    mw.onMenu(QStringLiteral("redo"));
    EXPECT_EQ(wb.headingList.size(), 3);
    EXPECT_EQ(cell(1, kColKanji), QStringLiteral("病院"));
}

TEST_F(CsvCommands, ExportThenImportGivesTheSameWorkbook) {
    typedPage();
    mw.combo1.text = QStringLiteral("二の巻");
    mw.blankPage(false);
    mw.combo1.text = QStringLiteral("二の巻");
    mw.registerHeading();
    type(5, kColBefore, QStringLiteral("きょうは、"));
    type(5, kColKanji, QStringLiteral("雨"));
    const QStringList before = mw.workbookLines();
    ASSERT_EQ(before.size(), 2);
    platform.savePaths = {path(QStringLiteral("both.csv"))};
    mw.onMenu(QStringLiteral("csvw"));
    platform.answers = {MessageAnswer::No};  // leave the typed work unsaved
    platform.openPaths = {path(QStringLiteral("both.csv"))};
    mw.onMenu(QStringLiteral("csvr"));
    EXPECT_EQ(mw.workbookLines(), before);
    EXPECT_EQ(wb.headingList, (QStringList{QStringLiteral("一の巻"), QStringLiteral("二の巻")}));
}
