// The file merge tool: what it collects, what it writes and where, and what it refuses.
#include "core/windows/file_merge/file_merge_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/data/field_stream.h"
#include "core/data/workbook.h"
#include "fake_tool_host.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

// A .moj page line: heading, an empty field, forty slot texts, the font (43 fields).
QString mojLine(const QString& heading, const QString& firstBefore = {}) {
    QStringList f{heading, QString(), firstBefore};
    for (int i = 1; i < 40; ++i) f << QString();
    f << QStringLiteral("ＭＳ Ｐ明朝");
    return f.join(u',');
}

QByteArray fileOf(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& l : lines) bytes += *textcodec::encodeCp932(l) + "\r\n";
    return bytes;
}

struct FileMergeTest : ::testing::Test {
    QTemporaryDir dir;
    FakePlatform platform;
    FakeToolHost host{platform};
    FileMergeWindow w{host};

    void SetUp() override {
        platform.cwd = dir.path();
        w.open();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void put(const QString& name, const QStringList& lines) { writeBytes(path(name), fileOf(lines)); }
    // n .moj pages headed p<first>, p<first+1> ...
    QStringList pages(int n, int first = 1) {
        QStringList l;
        for (int i = 0; i < n; ++i)
            l << mojLine(QStringLiteral("p%1").arg(first + i), QStringLiteral("文%1").arg(i));
        return l;
    }
};

TEST(FileMergeFunctions, RenumbersTenPagesWithTheSuffix) {
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << mojLine(QStringLiteral("第%1回").arg(i), QStringLiteral("前%1").arg(i));
    const QStringList out = filemerge::renumberHeadings(lines, QStringLiteral("級"));
    ASSERT_EQ(out.size(), 10);
    const QStringList numbers{"１０", "９", "８", "７", "６", "５", "４", "３", "２", "１"};
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(i);
        const QStringList fields = out[i].split(u',');
        EXPECT_EQ(fields.size(), 43);
        EXPECT_EQ(fields[0], numbers[i] + QStringLiteral("級"));
        // Every other field as it was.
        EXPECT_EQ(out[i].mid(out[i].indexOf(u',')), lines[i].mid(lines[i].indexOf(u',')));
    }
}

TEST(FileMergeFunctions, RenumberingEdgeLines) {
    const QStringList out = filemerge::renumberHeadings(
        {QStringLiteral("見出しだけ"), QStringLiteral(",先頭が空"), QStringLiteral("a,b,c")},
        QStringLiteral("回"));
    EXPECT_EQ(out, QStringList({QStringLiteral("３回見出しだけ"), QStringLiteral("２回,先頭が空"),
                                QStringLiteral("１回,b,c")}));
    EXPECT_EQ(filemerge::renumberHeadings({"h,x"}, QString()), QStringList{QStringLiteral("１,x")});
    EXPECT_EQ(filemerge::fullWidthNumber(201), QStringLiteral("２０１"));
}

// A heading the writer quoted holds a comma of its own: only the whole quoted field gives way
// to the number, and the line keeps its 74 fields.
TEST(FileMergeFunctions, RenumberingReplacesAQuotedHeadingWhole) {
    PageRecord rec;
    rec[kHeadingField] = QStringLiteral("第1課, 漢字");
    rec[2] = QStringLiteral("あした");
    const QString line = pageLine(rec, QStringLiteral("ＭＳ 明朝"));
    ASSERT_TRUE(line.startsWith(QStringLiteral("\"第1課, 漢字\",,あした,")));
    const QStringList out = filemerge::renumberHeadings({line}, QStringLiteral("級"));
    ASSERT_EQ(out.size(), 1);
    EXPECT_EQ(out[0], QStringLiteral("１級") + line.mid(line.indexOf(QStringLiteral("\",")) + 1));
    const auto fieldsOf = [](const QString& text) {
        FieldStream in(text);
        QStringList fields;
        for (bool ok = true; ok;) {
            const QString f = in.next(&ok);
            if (ok) fields << f;
        }
        return fields;
    };
    const QStringList fields = fieldsOf(out[0]);
    EXPECT_EQ(fields.mid(1), fieldsOf(line).mid(1));
    EXPECT_EQ(fields.value(0), QStringLiteral("１級"));
    EXPECT_EQ(fields.value(2), QStringLiteral("あした"));
}

TEST(FileMergeFunctions, OutputNameTable) {
    struct Case {
        QString text;
        bool ok;
        QString name;
    };
    const std::vector<Case> cases{
        {"0000", true, "0000"},   {"  漢字 まとめ  ", true, "漢字 まとめ"},
        {"\tabc\n", true, "abc"}, {"a.b", true, "a.b"},
        {"", false, ""},          {"   ", false, ""},
        {"\u3000", false, ""},    {"sub/0000", false, ""},
        {"/tmp/x", false, ""},    {"..\\x", false, ""},
        {"..", false, ""},        {"a..b", false, ""},
        {"a\nb", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QString name = QStringLiteral("unchanged");
        const QString message = filemerge::checkOutputName(c.text, &name);
        EXPECT_EQ(message.isEmpty(), c.ok) << message.toStdString();
        EXPECT_EQ(name, c.ok ? c.name : QStringLiteral("unchanged"));
    }
}

TEST_F(FileMergeTest, MergesInPickOrderWithNumbers) {
    put("a.moj", pages(2));
    put("b.moj", pages(1, 3));
    put("c.mojx", {mojxLine("x", {})});
    w.refreshFile1();
    EXPECT_EQ(w.file1.items, QStringList({"a.moj", "b.moj"}));
    w.onFile1Click("b.moj");
    w.onFile1Click("a.moj");
    EXPECT_EQ(w.list1, QStringList({"b.moj", "a.moj"}));
    EXPECT_EQ(w.text3.text, pages(1, 3)[0] + "\n" + pages(2).join("\n") + "\n");
    w.onText1Changed(QStringLiteral("  まとめ "));
    ASSERT_TRUE(w.onCommand1());
    const QString merged = readCp932(path("まとめ.moj"));
    const QStringList lines = merged.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);  // three pages and the empty rest after the last CR LF
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("３級,,文0,")));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("２級,,文0,")));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("１級,,文1,")));
    EXPECT_EQ(lines[3], QString());
    // Everything is reset; the new file is listed.
    EXPECT_TRUE(w.collection().isEmpty());
    EXPECT_TRUE(w.list1.isEmpty());
    EXPECT_TRUE(w.text3.text.isEmpty());
    EXPECT_TRUE(w.file1.items.contains(QStringLiteral("まとめ.moj")));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileMergeTest, WithoutNumbersTheLinesStayAndTwicePickedTwiceWritten) {
    put("a.moj", pages(2));
    w.onOption2Click();
    w.onFile1Click("a.moj");
    w.onFile1Click("a.moj");
    ASSERT_TRUE(w.onCommand1());
    EXPECT_EQ(readBytes(path("0000.moj")), fileOf(pages(2) + pages(2)));
}

TEST_F(FileMergeTest, BlankLinesCarryNoPage) {
    writeBytes(path("a.moj"), fileOf({pages(1)[0], "", "  "}) + "\r\n");
    w.onFile1Click("a.moj");
    EXPECT_EQ(w.collection(), pages(1));
}

TEST_F(FileMergeTest, OtherFormatIsRefusedAndChoosingItEmptiesTheCollection) {
    put("a.moj", pages(1));
    put("b.mojx", {mojxLine("x", {})});
    w.onFile1Click("a.moj");
    w.onFile1Click("b.mojx");  // ends in "ojx", not "moj"
    EXPECT_EQ(w.collection().size(), 1);
    EXPECT_EQ(w.list1, QStringList{"a.moj"});
    w.onOption4Click();
    EXPECT_TRUE(w.collection().isEmpty());
    EXPECT_TRUE(w.list1.isEmpty());
    EXPECT_TRUE(w.text3.text.isEmpty());
    EXPECT_EQ(w.label1.caption, QStringLiteral(".mojx"));
    EXPECT_EQ(w.file1.pattern, QStringLiteral("*.mojx"));
    EXPECT_EQ(w.file1.items, QStringList{"b.mojx"});
    w.onFile1Click("a.moj");
    EXPECT_TRUE(w.collection().isEmpty());
    w.onFile1Click("b.mojx");
    ASSERT_TRUE(w.onCommand1());
    EXPECT_TRUE(QFile::exists(path("0000.mojx")));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(FileMergeTest, The201PageLimit) {
    put("many.moj", pages(200));
    put("two.moj", pages(2, 201));
    put("one.moj", pages(1, 201));
    w.onFile1Click("many.moj");
    w.onFile1Click("two.moj");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("two.moj")));
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("202ページ")));
    EXPECT_EQ(w.collection().size(), 200);
    EXPECT_EQ(w.list1, QStringList{"many.moj"});
    w.onFile1Click("one.moj");
    EXPECT_EQ(w.collection().size(), 201);
    ASSERT_TRUE(w.onCommand1());
    const QStringList lines = readCp932(path("0000.moj")).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 202);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("２０１級,")));
    EXPECT_TRUE(lines[200].startsWith(QStringLiteral("１級,")));
}

TEST_F(FileMergeTest, BadNamesAreRefusedAndNothingIsWritten) {
    put("a.moj", pages(1));
    QDir(dir.path()).mkdir("sub");
    w.onFile1Click("a.moj");
    for (const char* name : {"", "  ", "sub/x", "../x", "..", "\\x"}) {
        SCOPED_TRACE(name);
        platform.messages.clear();
        w.onText1Changed(QString::fromUtf8(name));
        EXPECT_FALSE(w.onCommand1());
        EXPECT_EQ(platform.messages.size(), 1u);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.moj"});
    EXPECT_TRUE(QDir(path("sub")).isEmpty());
    EXPECT_EQ(w.collection().size(), 1);
}

TEST_F(FileMergeTest, AnExistingFileIsOverwrittenOnlyAfterYes) {
    put("a.moj", pages(1));
    writeBytes(path("0000.moj"), "keep\r\n");
    w.onFile1Click("a.moj");
    platform.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(w.onCommand1());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("0000.moj")));
    EXPECT_EQ(readBytes(path("0000.moj")), QByteArray("keep\r\n"));
    EXPECT_EQ(w.collection().size(), 1);
    platform.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(w.onCommand1());
    EXPECT_EQ(readCp932(path("0000.moj")), QStringLiteral("１級") + pages(1)[0].mid(2) + "\r\n");
}

TEST_F(FileMergeTest, WriteErrorsAreReportedAndTheCollectionKept) {
    put("a.moj", pages(1));
    QDir(dir.path()).mkdir("0000.moj");  // a folder where the file would go
    w.onFile1Click("a.moj");
    EXPECT_FALSE(w.onCommand1());  // the overwrite question is answered Yes
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(platform.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(w.collection().size(), 1);
    EXPECT_EQ(w.list1, QStringList{"a.moj"});
    // The suffix must be writable too.
    platform.messages.clear();
    w.onText1Changed("1111");
    w.onText2Changed(QStringLiteral("𠮟"));
    EXPECT_FALSE(w.onCommand1());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("𠮟")));
    EXPECT_FALSE(QFile::exists(path("1111.moj")));
    EXPECT_EQ(w.collection().size(), 1);
}

TEST_F(FileMergeTest, UnreadableFileAddsNothing) {
    writeBytes(path("bad.moj"), "x,\x81\x0a\r\n");
    w.onFile1Click("bad.moj");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("bad.moj")));
    EXPECT_TRUE(w.collection().isEmpty());
    EXPECT_TRUE(w.list1.isEmpty());
    platform.messages.clear();
    EXPECT_FALSE(w.onCommand1());  // nothing picked: a message, no empty file
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(path("0000.moj")));
}

TEST_F(FileMergeTest, StartOverAndPreview) {
    put("a.moj", pages(1));
    w.onFile1Click("a.moj");
    w.onCommand2();
    EXPECT_TRUE(w.collection().isEmpty());
    EXPECT_TRUE(w.list1.isEmpty());
    EXPECT_TRUE(w.text3.text.isEmpty());
    EXPECT_EQ(w.heightTwips, 3225);
    EXPECT_FALSE(w.text3.visible);
    w.onCommand3();
    EXPECT_EQ(w.heightTwips, 5820);
    EXPECT_TRUE(w.text3.visible);
    EXPECT_EQ(w.command3.caption, QStringLiteral("非表示"));
    w.onCommand3();
    EXPECT_EQ(w.heightTwips, 3225);
    EXPECT_FALSE(w.text3.visible);
    EXPECT_EQ(w.command3.caption, QStringLiteral("編集テキスト表示"));
}

// The merged file may not be one of the files joined, under any of its names: a link to it
// or a hard link is the same file. Nothing is asked, nothing written, the collection stays.
TEST_F(FileMergeTest, AMergeOverOneOfItsOwnFilesIsRefused) {
    put("a.moj", pages(1));
    put("b.moj", pages(1, 2));
    ASSERT_TRUE(QFile::link(QStringLiteral("a.moj"), path("link.moj")));
    ASSERT_EQ(
        ::link(QFile::encodeName(path("b.moj")).constData(), QFile::encodeName(path("hard.moj")).constData()),
        0);
    const QByteArray a = readBytes(path("a.moj"));
    const QByteArray b = readBytes(path("b.moj"));
    w.onFile1Click("a.moj");
    w.onFile1Click("b.moj");
    for (const bool numbering : {true, false}) {
        if (numbering)
            w.onOption1Click();
        else
            w.onOption2Click();
        for (const char* name : {"a", " b ", "link", "hard"}) {
            SCOPED_TRACE(name);
            platform.messages.clear();
            w.onText1Changed(QString::fromUtf8(name));
            EXPECT_FALSE(w.onCommand1());
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(
                platform.messages[0].text,
                QString::fromUtf8(name).trimmed() +
                    QStringLiteral(
                        ".moj は結合するファイルの一つです。結合したファイルには別の名前を付けてください。"));
            EXPECT_EQ(readBytes(path("a.moj")), a);
            EXPECT_EQ(readBytes(path("b.moj")), b);
            EXPECT_EQ(w.collection().size(), 2);
        }
    }
    // Another name goes through; after it the files picked are forgotten with the collection.
    w.onText1Changed(QStringLiteral("c"));
    ASSERT_TRUE(w.onCommand1());
    EXPECT_EQ(readBytes(path("c.moj")), fileOf(pages(1) + pages(1, 2)));
    w.onFile1Click("b.moj");
    w.onText1Changed(QStringLiteral("a"));
    EXPECT_TRUE(w.onCommand1());  // a.moj is no longer one of the files joined: overwritten after Yes
    EXPECT_EQ(readBytes(path("a.moj")), fileOf(pages(1, 2)));
}

// A numbering suffix no heading field can carry is refused; with numbering off it is not
// used and the merge goes through.
TEST_F(FileMergeTest, ASuffixThatWouldBreakTheRecordsIsRefused) {
    put("a.moj", pages(2));
    w.onFile1Click("a.moj");
    const struct {
        QString suffix;
        QString message;
    } cases[] = {
        {QStringLiteral("級\""),
         QStringLiteral(
             "ナンバリングの文字に「\"」は使えません（見出しに書けません）。ほかの文字にしてください。")},
        {QStringLiteral("級\r\n"),
         QStringLiteral(
             "ナンバリングの文字に改行やタブなどの制御文字は使えません。ほかの文字にしてください。")},
        {QStringLiteral("\n"),
         QStringLiteral(
             "ナンバリングの文字に改行やタブなどの制御文字は使えません。ほかの文字にしてください。")},
        {QStringLiteral("\t級"),
         QStringLiteral(
             "ナンバリングの文字に改行やタブなどの制御文字は使えません。ほかの文字にしてください。")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suffix.toStdString());
        platform.messages.clear();
        w.onText2Changed(c.suffix);
        EXPECT_FALSE(w.onCommand1());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, c.message);
        EXPECT_FALSE(QFile::exists(path("0000.moj")));
        EXPECT_EQ(w.collection().size(), 2);
    }
    w.onOption2Click();
    ASSERT_TRUE(w.onCommand1());
    EXPECT_EQ(readBytes(path("0000.moj")), fileOf(pages(2)));
}

// The tool lists the folder of the workbook open in the main window; without a workbook file,
// the current folder.
TEST_F(FileMergeTest, StartsInTheWorkbooksFolder) {
    QTemporaryDir other;
    writeBytes(QDir(other.path()).filePath("there.moj"), fileOf(pages(1)));
    put("here.moj", pages(1));
    const struct {
        const char* name;
        QString workbookDir;
        QString folder;
        QStringList items;
    } cases[] = {
        {"no workbook file", QString(), dir.path(), {"here.moj"}},
        {"a workbook elsewhere", other.path(), other.path(), {"there.moj"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeToolHost h{platform};
        h.workbookDir = c.workbookDir;
        FileMergeWindow m{h};
        m.open();
        EXPECT_EQ(m.file1.folder, c.folder);
        EXPECT_EQ(m.label4.caption, QDir::toNativeSeparators(c.folder));
        EXPECT_EQ(m.file1.items, c.items);
        // The merged file goes to the folder listed.
        m.onFile1Click(c.items[0]);
        ASSERT_TRUE(m.onCommand1());
        EXPECT_TRUE(QFile::exists(QDir(c.folder).filePath("0000.moj")));
    }
}

// "フォルダー選択" lists another folder; what was picked stays picked, a cancel changes nothing.
TEST_F(FileMergeTest, AnotherFolderIsChosenWithTheFolderDialog) {
    QTemporaryDir other;
    writeBytes(QDir(other.path()).filePath("b.moj"), fileOf(pages(1, 5)));
    put("a.moj", pages(2));
    w.refreshFile1();
    w.onFile1Click("a.moj");
    EXPECT_EQ(w.command4.caption, QStringLiteral("フォルダー選択"));

    w.onCommand4();  // cancelled
    ASSERT_EQ(platform.folderDialogs.size(), 1);
    EXPECT_TRUE(platform.folderDialogs[0].endsWith(u'|' + dir.path()));
    EXPECT_EQ(w.file1.folder, dir.path());
    EXPECT_EQ(w.file1.items, QStringList{"a.moj"});

    platform.folders = {other.path()};
    w.onCommand4();
    EXPECT_EQ(w.file1.folder, other.path());
    EXPECT_EQ(w.file1.items, QStringList{"b.moj"});
    EXPECT_EQ(w.label4.caption, QDir::toNativeSeparators(other.path()));
    EXPECT_EQ(w.list1, QStringList{"a.moj"});
    w.onFile1Click("b.moj");
    EXPECT_EQ(w.collection(), pages(2) + pages(1, 5));
    w.onOption2Click();
    ASSERT_TRUE(w.onCommand1());
    EXPECT_EQ(readBytes(QDir(other.path()).filePath("0000.moj")), fileOf(pages(2) + pages(1, 5)));
    EXPECT_FALSE(QFile::exists(path("0000.moj")));
    // The next dialog starts in the folder now listed.
    w.onCommand4();
    EXPECT_TRUE(platform.folderDialogs.last().endsWith(u'|' + other.path()));
}

// The backup copies a save leaves beside a file ("…BK.moj", "…BK.mojx") are not listed.
TEST_F(FileMergeTest, BackupCopiesAreNotListed) {
    for (const char* name :
         {"a.moj", "aBK.moj", "BK.moj", "BKa.moj", "abk.moj", "aBK.mojx", "b.mojx", "bBK.mojx"})
        writeBytes(path(QString::fromUtf8(name)), fileOf(pages(1)));
    w.refreshFile1();
    EXPECT_EQ(w.file1.items, QStringList({"BKa.moj", "a.moj", "abk.moj"}));
    w.onOption4Click();
    EXPECT_EQ(w.file1.items, QStringList{"b.mojx"});
    EXPECT_TRUE(FileMergeWindow::isBackupName(QStringLiteral("三年一組BK.mojx")));
    EXPECT_FALSE(FileMergeWindow::isBackupName(QStringLiteral("三年一組.mojx")));
}

// In the program: the merge window opens on the folder of the workbook just opened.
TEST_F(WindowTest, TheMergeWindowOpensOnTheWorkbooksFolder) {
    QDir(dir.path()).mkdir("class");
    writeCp932(path("class/3-1.mojx"), mojxLine(QStringLiteral("一"), {}) + "\r\n");
    writeCp932(path("class/3-1BK.mojx"), mojxLine(QStringLiteral("一"), {}) + "\r\n");
    mw.startUp();
    platform.openPaths = {path("class/3-1.mojx")};
    mw.onMenu(QStringLiteral("of"));
    ASSERT_EQ(wb.currentFilePath, path("class/3-1.mojx"));
    mw.openWindow(WindowId::FileMerge);
    mw.fileMergeWindow.onOption4Click();
    EXPECT_EQ(mw.fileMergeWindow.file1.folder, path("class"));
    EXPECT_EQ(mw.fileMergeWindow.file1.items, QStringList{"3-1.mojx"});
}

}  // namespace
