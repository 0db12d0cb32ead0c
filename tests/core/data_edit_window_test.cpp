// The data edit tool: find and replace, the file it writes, and what it refuses.
#include "core/windows/data_edit/data_edit_window.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "fake_tool_host.h"
#include "test_util.h"

namespace {

struct DataEditTest : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform platform;
    FakeToolHost host{platform};
    DataEditWindow w{host};

    void SetUp() override { platform.cwd = dir.path(); }
    QString path(const QString& name) const { return dir.filePath(name); }
    // Opens the window on a file, as the main window does with its panel 1.
    void loadFile(const QString& name, const QByteArray& bytes) {
        writeBytes(path(name), bytes);
        host.panel1 = path(name);
        w.close();
        w.open();
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
};

enum class Op { Find, Replace, ReplaceAll };

struct EditCase {
    const char* name;
    QString text;
    qsizetype selStart, selLength;
    QString search, replacement;
    Op op;
    QString wantText;
    qsizetype wantStart, wantLength;
    QString wantMessage;  // empty: no message
    QString wantCommand1, wantCommand4;
};

TEST_F(DataEditTest, FindAndReplaceCases) {
    const QString ended = QStringLiteral("検索が終わりました");
    const QString missing = QStringLiteral("検索文字がありません");
    const QString replaced = QStringLiteral("置換しました");
    const QString all = QStringLiteral("全てを置き換えました");
    const QString find = QStringLiteral("検索"), again = QStringLiteral("再検索");
    const QString rep = QStringLiteral("置換"), next = QStringLiteral("次置換");
    const QString abc = QStringLiteral("ABC abc\nabc");
    const std::vector<EditCase> cases{
        // Find next compares exactly and starts after the selection.
        {"find skips other case", abc, 0, 0, "abc", "", Op::Find, abc, 4, 3, "", find, rep},
        {"find after selection", abc, 4, 3, "abc", "", Op::Find, abc, 8, 3, "", find, rep},
        {"find runs off the end", abc, 8, 3, "abc", "", Op::Find, abc, 0, 0, ended, again, rep},
        {"find nothing", abc, 0, 0, "xyz", "", Op::Find, abc, 0, 0, ended, again, rep},
        {"find with empty search", abc, 2, 0, "", "", Op::Find, abc, 0, 0, ended, again, rep},
        {"find across a line end", abc, 0, 0, "abc\nab", "", Op::Find, abc, 4, 6, "", find, rep},
        {"find kanji", QStringLiteral("一の巻,,ＭＳ 明朝"), 0, 0, QStringLiteral("明朝"), "", Op::Find,
         QStringLiteral("一の巻,,ＭＳ 明朝"), 8, 2, "", find, rep},
        // Replace ignores letter case in the selection and in the next match.
        {"replace selected other case", abc, 0, 3, "abc", "x", Op::Replace, "x abc\nabc", 2, 3, "", find,
         next},
        {"replace last one", abc, 8, 3, "ABC", "xy", Op::Replace, "ABC abc\nxy", 10, 0, replaced, find, rep},
        {"replace nothing selected", abc, 4, 0, "abc", "x", Op::Replace, abc, 4, 0, missing, find, rep},
        {"replace other selection", abc, 0, 2, "abc", "x", Op::Replace, abc, 0, 2, missing, find, rep},
        {"replace with empty search", abc, 3, 0, "", "x", Op::Replace, abc, 3, 0, missing, find, rep},
        {"replace with empty text", abc, 0, 3, "abc", "", Op::Replace, " abc\nabc", 1, 3, "", find, next},
        // Replace all compares exactly, left to right, without overlaps.
        {"replace all exact", abc, 0, 0, "abc", "x", Op::ReplaceAll, "ABC x\nx", 0, 0, all, find, rep},
        {"replace all no overlap", "aaaaa", 0, 0, "aa", "b", Op::ReplaceAll, "bba", 0, 0, all, find, rep},
        {"replace all growing", "aba", 0, 0, "a", "aa", Op::ReplaceAll, "aabaa", 0, 0, all, find, rep},
        {"replace all empty search", abc, 2, 1, "", "x", Op::ReplaceAll, abc, 2, 1, all, find, rep},
        {"replace all no match", abc, 2, 1, "q", "x", Op::ReplaceAll, abc, 2, 1, all, find, rep},
    };
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakePlatform p;
        FakeToolHost h(p);
        DataEditWindow m(h);
        m.open();
        m.onTxtMainChanged(c.text);
        m.onTxtMainSelectionChanged(c.selStart, c.selLength);
        m.onText1Changed(c.search);
        m.onText2Changed(c.replacement);
        switch (c.op) {
        case Op::Find: m.onCommand1(); break;
        case Op::Replace: m.onCommand4(); break;
        case Op::ReplaceAll: m.onCommand3(); break;
        }
        EXPECT_EQ(m.txtMain.text, c.wantText);
        EXPECT_EQ(m.txtMain.selStart, c.wantStart);
        EXPECT_EQ(m.txtMain.selLength, c.wantLength);
        EXPECT_EQ(p.messageTexts(), c.wantMessage.isEmpty() ? QStringList() : QStringList{c.wantMessage});
        EXPECT_EQ(m.command1.caption, c.wantCommand1);
        EXPECT_EQ(m.command4.caption, c.wantCommand4);
    }
}

TEST_F(DataEditTest, SearchAfterTheEndMessageStartsAtTheTop) {
    w.open();
    w.onTxtMainChanged(QStringLiteral("abc abc"));
    w.onText1Changed(QStringLiteral("abc"));
    w.onTxtMainSelectionChanged(4, 3);
    w.onCommand1();
    ASSERT_EQ(platform.messageTexts(), QStringList{QStringLiteral("検索が終わりました")});
    // The match at the very first character is found again.
    w.onCommand1();
    EXPECT_EQ(w.txtMain.selStart, 0);
    EXPECT_EQ(w.txtMain.selLength, 3);
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(w.command1.caption, QStringLiteral("再検索"));  // a label only
}

TEST_F(DataEditTest, ReplaceStepsThroughEveryMatchIgnoringCase) {
    w.open();
    // Full-width letters have a case too; width is not ignored.
    w.onTxtMainChanged(QStringLiteral("ＭＳ 明朝,x,ｍｓ 明朝,ms 明朝"));
    w.onText1Changed(QStringLiteral("ＭＳ 明朝"));
    w.onText2Changed(QStringLiteral("IPAMincho"));
    w.onCommand1();
    w.onCommand4();
    EXPECT_EQ(w.command4.caption, QStringLiteral("次置換"));
    w.onCommand4();
    EXPECT_EQ(w.txtMain.text, QStringLiteral("IPAMincho,x,IPAMincho,ms 明朝"));
    EXPECT_EQ(platform.messageTexts(), QStringList{QStringLiteral("置換しました")});
    EXPECT_TRUE(w.modified());
}

TEST(DataEditFunctions, AnySelectionIsSafe) {
    // The plain functions take any values, as a fuzzer would hand them.
    for (qsizetype start : {-5, 0, 3, 4, 99})
        for (qsizetype length : {-2, 0, 1, 99}) {
            dataedit::TextState s{QStringLiteral("abcd"), start, length};
            dataedit::findNext(s, QStringLiteral("d"));
            EXPECT_GE(s.selStart, 0);
            EXPECT_LE(s.selStart + s.selLength, 4);
            dataedit::TextState r{QStringLiteral("abcd"), start, length};
            dataedit::replaceAndFindNext(r, QStringLiteral("b"), QStringLiteral("xx"));
            EXPECT_LE(r.selStart + r.selLength, r.text.size());
        }
}

TEST(DataEditFunctions, FileTextAndLines) {
    struct Case {
        QString file, text;
        QStringList lines;
    };
    const std::vector<Case> cases{
        {"", "", {}},
        {"a\r\nb\r\n", "a\nb\n", {"a", "b"}},
        {"a\r\nb", "a\nb\n", {"a", "b"}},
        {"a\r\n\r\n", "a\n\n", {"a", ""}},
        {"\r\n", "\n", {""}},
        {"a\nb\rc\r\n", "a\nb\nc\n", {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(dataedit::textFromFile(c.file), c.text);
        EXPECT_EQ(dataedit::linesForFile(c.text), c.lines);
    }
    EXPECT_EQ(dataedit::linesForFile(QStringLiteral("a\nb")), QStringList({"a", "b"}));
}

TEST(DataEditFunctions, BackupPathKeepsTheFormat) {
    EXPECT_EQ(dataedit::backupPath("/d/a.moj"), "/d/aBK.moj");
    EXPECT_EQ(dataedit::backupPath("/d/a.mojx"), "/d/aBK.mojx");
    EXPECT_EQ(dataedit::backupPath("/d.x/notes"), "/d.x/notesBK");
    EXPECT_EQ(dataedit::backupPath("/d/.hidden"), "/d/.hiddenBK");
}

TEST_F(DataEditTest, LoadsThePanelFile) {
    loadFile("a.mojx", QByteArray("\x88\xea,,\x82\xa0\r\nb\r\n"));
    EXPECT_EQ(w.txtMain.text, QStringLiteral("一,,あ\nb\n"));
    EXPECT_EQ(w.label1.caption, path("a.mojx"));
    EXPECT_EQ(w.editPath, path("a.mojx"));
    EXPECT_EQ(w.command1.caption, QStringLiteral("検索"));
    EXPECT_FALSE(w.modified());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DataEditTest, NoFileOpensEmptyAndQuietly) {
    w.open();
    EXPECT_EQ(w.txtMain.text, QString());
    EXPECT_EQ(w.label1.caption, QStringLiteral("ファイル"));
    EXPECT_TRUE(platform.messages.empty());
    // Saving a text without a file asks for a name; cancelling writes nothing.
    w.onTxtMainChanged(QStringLiteral("x"));
    EXPECT_FALSE(w.onComSave());
    EXPECT_EQ(platform.proposedSaveNames.size(), 1u);
    EXPECT_TRUE(files().isEmpty());
    platform.savePaths.push_back(path("new.moj"));
    EXPECT_TRUE(w.onComSave());
    EXPECT_EQ(readBytes(path("new.moj")), QByteArray("x\r\n"));
    EXPECT_EQ(w.label1.caption, path("new.moj"));
}

TEST_F(DataEditTest, OpenSaveCyclesKeepTheBytes) {
    const QByteArray original("\x88\xea,,\x82\xa0\r\nb,c\r\n\r\n");
    loadFile("a.mojx", original);
    for (int cycle = 0; cycle < 3; ++cycle) {
        ASSERT_TRUE(w.onComSave());
        EXPECT_EQ(readBytes(path("a.mojx")), original);
        w.close();
        w.open();
    }
    // A last line without CR LF gets one, once.
    loadFile("b.moj", "x\r\ny");
    ASSERT_TRUE(w.onComSave());
    EXPECT_EQ(readBytes(path("b.moj")), QByteArray("x\r\ny\r\n"));
}

TEST_F(DataEditTest, SaveKeepsABackupOfTheFileItReplaces) {
    loadFile("a.moj", "old\r\n");
    w.onTxtMainChanged(QStringLiteral("new\n"));
    ASSERT_TRUE(w.onComSave());
    EXPECT_EQ(readBytes(path("a.moj")), QByteArray("new\r\n"));
    EXPECT_EQ(readBytes(path("aBK.moj")), QByteArray("old\r\n"));
    EXPECT_FALSE(w.modified());
    // A new file has nothing to back up.
    platform.savePaths.push_back(path("c.mojx"));
    ASSERT_TRUE(w.onComSaveas());
    EXPECT_EQ(files(), QStringList({"a.moj", "aBK.moj", "c.mojx"}));
}

TEST_F(DataEditTest, RefusesCharactersCodePage932CannotHold) {
    loadFile("a.mojx", "old\r\n");
    w.onTxtMainChanged(QStringLiteral("𠮟る,叱る,🙂\n"));
    EXPECT_FALSE(w.onComSave());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("𠮟🙂")))
        << platform.messages[0].text.toStdString();
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(readBytes(path("a.mojx")), QByteArray("old\r\n"));
    EXPECT_EQ(files(), QStringList{"a.mojx"});  // no backup either
    EXPECT_TRUE(w.modified());
}

TEST_F(DataEditTest, WriteFailureIsReportedAndTheEditsStay) {
    writeBytes(path("plain"), "x");
    host.panel1 = path("plain/a.mojx");  // a folder that is a file: nothing can be written there
    w.open();
    w.onTxtMainChanged(QStringLiteral("edits\n"));
    EXPECT_FALSE(w.onComSave());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(path("plain/a.mojx")));
    EXPECT_TRUE(w.modified());
    EXPECT_EQ(w.txtMain.text, QStringLiteral("edits\n"));
}

TEST_F(DataEditTest, SaveAsLeavesLabel1AndSaveWritesThere) {
    loadFile("a.mojx", "a\r\n");
    platform.savePaths.push_back(path("b.moj"));
    w.onTxtMainChanged(QStringLiteral("b\n"));
    ASSERT_TRUE(w.onComSaveas());
    EXPECT_EQ(platform.proposedSaveNames, QStringList{path("a.mojx")});
    EXPECT_EQ(w.label1.caption, path("a.mojx"));
    EXPECT_EQ(w.editPath, path("b.moj"));
    w.onTxtMainChanged(QStringLiteral("c\n"));
    ASSERT_TRUE(w.onComSave());
    EXPECT_EQ(readBytes(path("a.mojx")), QByteArray("c\r\n"));
    EXPECT_EQ(readBytes(path("b.moj")), QByteArray("b\r\n"));
}

TEST_F(DataEditTest, CancellingOpenOrSaveChangesNothing) {
    loadFile("a.mojx", "a\r\n");
    writeBytes(path("other.moj"), "other\r\n");
    w.onTxtMainChanged(QStringLiteral("edited\n"));
    w.onTxtMainSelectionChanged(1, 2);
    const QStringList before = files();
    w.onComOpen();    // dialog cancelled
    w.onComSaveas();  // dialog cancelled
    // Open chosen, then the unsaved-edits question cancelled.
    platform.openPaths.push_back(path("other.moj"));
    platform.answers.push_back(MessageAnswer::Cancelled);
    w.onComOpen();
    EXPECT_EQ(w.txtMain.text, QStringLiteral("edited\n"));
    EXPECT_EQ(w.txtMain.selStart, 1);
    EXPECT_EQ(w.label1.caption, path("a.mojx"));
    EXPECT_EQ(w.editPath, path("a.mojx"));
    EXPECT_TRUE(w.modified());
    EXPECT_EQ(files(), before);
    EXPECT_EQ(readBytes(path("a.mojx")), QByteArray("a\r\n"));
}

TEST_F(DataEditTest, OpenReadsAnotherFileAndReportsOneItCannotRead) {
    loadFile("a.mojx", "a\r\n");
    writeBytes(path("bad.moj"), "x,\x81\x0a\r\n");
    platform.openPaths.push_back(path("bad.moj"));
    w.onComOpen();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("bad.moj")));
    EXPECT_EQ(w.txtMain.text, QStringLiteral("a\n"));
    EXPECT_EQ(w.label1.caption, path("a.mojx"));

    writeBytes(path("b.moj"), "b\r\n");
    platform.openPaths.push_back(path("b.moj"));
    w.onCommand1();  // runs off the end: "再検索"
    w.onComOpen();
    EXPECT_EQ(w.txtMain.text, QStringLiteral("b\n"));
    EXPECT_EQ(w.label1.caption, path("b.moj"));
    EXPECT_EQ(w.command1.caption, QStringLiteral("検索"));
}

TEST_F(DataEditTest, ClosingWithUnsavedEditsAsks) {
    struct Case {
        MessageAnswer answer;
        bool closes;
        QByteArray file;
    };
    for (const Case& c :
         {Case{MessageAnswer::Yes, true, "edited\r\n"}, Case{MessageAnswer::No, true, "a\r\n"},
          Case{MessageAnswer::Cancelled, false, "a\r\n"}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        FakePlatform p;
        FakeToolHost h(p);
        DataEditWindow m(h);
        writeBytes(path("a.mojx"), "a\r\n");
        h.panel1 = path("a.mojx");
        m.open();
        m.onTxtMainChanged(QStringLiteral("edited\n"));
        p.answers.push_back(c.answer);
        EXPECT_EQ(m.onCommand2(), c.closes);
        ASSERT_EQ(p.messages.size(), 1u);
        EXPECT_EQ(p.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(m.isOpen(), !c.closes);
        EXPECT_EQ(readBytes(path("a.mojx")), c.file);
    }
    // Without edits it closes at once.
    loadFile("b.mojx", "b\r\n");
    EXPECT_TRUE(w.onCommand2());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(DataEditTest, FontAidSizesAndSelectionToSearchText) {
    w.open();
    w.onTxtMainChanged(QStringLiteral("a,ＭＳ 明朝,b"));
    w.onTxtMainSelectionChanged(2, 5);
    w.onTxtMainMouseUp();
    EXPECT_EQ(w.text1.text, QStringLiteral("ＭＳ 明朝"));
    w.onCommand5();  // cancelled
    EXPECT_EQ(w.text2.text, QString());
    ASSERT_EQ(platform.fontDialogStarts.size(), 1u);
    EXPECT_EQ(platform.fontDialogStarts[0].name, QStringLiteral("ＭＳ 明朝"));
    platform.fonts.push_back(FontChoice{QStringLiteral("IPAexMincho"), 12, false, false});
    w.onCommand5();
    EXPECT_EQ(w.text2.text, QStringLiteral("IPAexMincho"));
    for (auto [index, size] : {std::pair{1, 15.0}, {2, 9.0}, {0, 11.0}}) {
        w.onCombo1Click(index);
        EXPECT_EQ(w.txtMain.fontSize, size);
        EXPECT_EQ(w.combo1.text, w.combo1.items[index]);
    }
    w.onTxtMainSelectionChanged(3, 0);
    w.onTxtMainMouseUp();
    EXPECT_EQ(w.text1.text, QString());
}

}  // namespace
