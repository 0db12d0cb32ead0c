// The one writer of files: a file is replaced whole or not at all (a full disk, a read-only
// place), keeps its permissions and links, and the clean-up after killed writes removes only
// the writer's own temporary files.
#include "core/data/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/data/problem_files.h"
#include "full_disk.h"
#include "test_util.h"

namespace {

mode_t modeOf(const QString& path) {
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

const QByteArray kOld = QByteArray(300, 'o');  // a small file: a few hundred bytes

TEST(AtomicFile, OnAFullDiskTheOldBytesStayAndTheReasonIsGiven) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString target = disk.path(QStringLiteral("a.mojx"));
    writeBytes(target, kOld);
    ASSERT_TRUE(disk.fill());
    // One byte, a small file, one larger than the writer's buffer.
    for (const qsizetype size : {qsizetype(1), qsizetype(567), qsizetype(200000)}) {
        SCOPED_TRACE(size);
        QString error;
        EXPECT_FALSE(writeFileAtomically(target, QByteArray(size, 'n'), &error));
        EXPECT_EQ(error,
                  QStringLiteral(
                      "保存先の空き容量が足りません。不要なファイルを消すか、別の場所に保存してください。"));
        EXPECT_EQ(readBytes(target), kOld);
        EXPECT_EQ(disk.names(), QStringList{QStringLiteral("a.mojx")});  // no temporary file left
    }
    // A new file on the full disk: not there afterwards either.
    QString error;
    EXPECT_FALSE(writeFileAtomically(disk.path(QStringLiteral("new.mojx")), "x", &error));
    EXPECT_EQ(disk.names(), QStringList{QStringLiteral("a.mojx")});
    // With room again the same write goes through.
    disk.empty();
    EXPECT_TRUE(writeFileAtomically(target, "new", &error)) << error.toStdString();
    EXPECT_EQ(readBytes(target), QByteArray("new"));
}

// The form a QPdfWriter writes through: writes whose results nobody looks at still make
// commit() fail, and a cancelled or dropped write leaves nothing.
TEST(AtomicFile, AFailedWriteThatWasNotLookedAtFailsTheCommit) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString target = disk.path(QStringLiteral("out.pdf"));
    writeBytes(target, kOld);
    ASSERT_TRUE(disk.fill());
    AtomicFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    EXPECT_TRUE(f.temporaryPath().startsWith(disk.path(QStringLiteral(".out.pdf.jirakubo-"))));
    for (int i = 0; i < 200; ++i) f.write("%PDF-1.4 a line of a page\n");  // results ignored
    EXPECT_FALSE(f.commit());
    EXPECT_EQ(f.systemError(), ENOSPC);
    EXPECT_EQ(readBytes(target), kOld);
    EXPECT_EQ(disk.names(), QStringList{QStringLiteral("out.pdf")});
}

TEST(AtomicFile, CancelCloseAndDestructionLeaveTheOldFile) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("t.txt"));
    writeBytes(target, "old");
    for (int how = 0; how < 3; ++how) {
        SCOPED_TRACE(how);
        {
            AtomicFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("new bytes");
            if (how == 0) f.cancel();
            if (how == 1) f.close();
            EXPECT_FALSE(how < 2 && f.commit());
        }
        EXPECT_EQ(readBytes(target), QByteArray("old"));
        EXPECT_EQ(entries(dir.path()), QStringList{QStringLiteral("t.txt")});
    }
}

TEST(AtomicFile, SeekingBackRewritesBytesLikeAFile) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("s.bin"));
    AtomicFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("0123456789");
    ASSERT_TRUE(f.seek(2));
    f.write("ab");
    EXPECT_EQ(f.size(), 10);
    ASSERT_TRUE(f.seek(10));
    f.write("Z");
    ASSERT_TRUE(f.commit()) << f.errorString().toStdString();
    EXPECT_EQ(readBytes(target), QByteArray("01ab456789Z"));
}

TEST(AtomicFile, PermissionsAndLinksAreKept) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("p.mojx"));
    writeBytes(target, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(writeFileAtomically(target, "new", nullptr));
    EXPECT_EQ(modeOf(target), mode_t(0640));

    // Through a symbolic link (relative, as a teacher's shortcut might be): the link stays,
    // the file it names gets the bytes.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("real")));
    writeBytes(dir.filePath(QStringLiteral("real/w.mojx")), "old");
    ASSERT_EQ(
        ::symlink("real/w.mojx", QFile::encodeName(dir.filePath(QStringLiteral("link.mojx"))).constData()),
        0);
    ASSERT_TRUE(writeFileAtomically(dir.filePath(QStringLiteral("link.mojx")), "through the link", nullptr));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("link.mojx"))).isSymLink());
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("real/w.mojx"))), QByteArray("through the link"));

    // A link to a file not there yet makes the file.
    ASSERT_EQ(
        ::symlink("real/later.mojx", QFile::encodeName(dir.filePath(QStringLiteral("l2.mojx"))).constData()),
        0);
    ASSERT_TRUE(writeFileAtomically(dir.filePath(QStringLiteral("l2.mojx")), "made", nullptr));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("l2.mojx"))).isSymLink());
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("real/later.mojx"))), QByteArray("made"));
}

TEST(AtomicFile, WhatCannotBeWrittenIsRefusedAndLeftAsItWas) {
    QTemporaryDir dir;
    const QString readOnly = dir.filePath(QStringLiteral("ro.mojx"));
    writeBytes(readOnly, "keep");
    ASSERT_EQ(::chmod(QFile::encodeName(readOnly).constData(), 0444), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.mojx")));
    struct Case {
        QString path;
        QString reason;
    };
    const Case cases[] = {
        {readOnly, QStringLiteral("この場所に書き込む権限がありません。別のフォルダーに保存してください。")},
        {dir.filePath(QStringLiteral("folder.mojx")), QStringLiteral("同じ名前のフォルダーがあります。")},
        {dir.filePath(QStringLiteral("none/x.mojx")), QStringLiteral("保存先のフォルダーが見つかりません。")},
        {QStringLiteral("/dev/null"), QStringLiteral("普通のファイルではないため、書き換えません。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        QString error;
        EXPECT_FALSE(writeFileAtomically(c.path, "new", &error));
        EXPECT_EQ(error, c.reason);
    }
    EXPECT_EQ(readBytes(readOnly), QByteArray("keep"));
    EXPECT_EQ(modeOf(readOnly), mode_t(0444));
    EXPECT_EQ(entries(dir.path()), QStringList({QStringLiteral("folder.mojx"), QStringLiteral("ro.mojx")}));
}

TEST(AtomicFile, AReadOnlyFileSystemKeepsTheFile) {
    SmallDisk disk;
    SKIP_WITHOUT_SMALL_DISK(disk);
    const QString target = disk.path(QStringLiteral("a.mojx"));
    writeBytes(target, kOld);
    ASSERT_TRUE(disk.makeReadOnly());
    QString error;
    EXPECT_FALSE(writeFileAtomically(target, "new", &error));
    EXPECT_EQ(error,
              QStringLiteral(
                  "保存先は書き込みのできない場所（読み取り専用）です。別のフォルダーに保存してください。"));
    EXPECT_EQ(readBytes(target), kOld);
}

// Only the writer's own temporary files, of the same target, left by writes that are over,
// are removed; everything a person could have named stays.
TEST(AtomicFile, TheCleanUpRemovesOnlyItsOwnStaleTemporaries) {
    QTemporaryDir dir;
    auto p = [&](const QString& name) { return dir.filePath(name); };
    const QDateTime old = QDateTime::currentDateTime().addSecs(-60);
    const QDateTime future = QDateTime::currentDateTime().addSecs(3600);
    auto make = [&](const QString& name, const QDateTime& when) {
        QFile f(p(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("half a save");
        f.flush();
        ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
    };
    const struct {
        QString name;
        QDateTime when;
        bool removed;
    } cases[] = {
        {QStringLiteral(".a.mojx.jirakubo-AbCdEf.tmp"), old, true},
        {QStringLiteral(".a.mojx.jirakubo-zZ09aB.tmp"), old, true},
        {QStringLiteral(".a.mojx.jirakubo-QwErTy.tmp"), future, false},  // a write that began after this one
        // the teacher's own files, whatever they look like
        {QStringLiteral("a.mojx.backup"), old, false},
        {QStringLiteral("a.mojx.OLDONE"), old, false},
        {QStringLiteral("a.mojx.202412"), old, false},
        {QStringLiteral("a.mojx.AbCdEf"), old, false},
        {QStringLiteral("a.mojx.tmp"), old, false},
        {QStringLiteral(".a.mojx.swp"), old, false},
        // near misses of the pattern
        {QStringLiteral(".a.mojx.jirakubo-AbCdE.tmp"), old, false},
        {QStringLiteral(".a.mojx.jirakubo-AbCdEfG.tmp"), old, false},
        {QStringLiteral(".a.mojx.jirakubo-Ab-dEf.tmp"), old, false},
        {QStringLiteral(".a.mojx.jirakubo-AbCdEf.tmp2"), old, false},
        {QStringLiteral("a.mojx.jirakubo-AbCdEf.tmp"), old, false},
        // another file's
        {QStringLiteral(".b.mojx.jirakubo-AbCdEf.tmp"), old, false},
        {QStringLiteral(".xa.mojx.jirakubo-AbCdEf.tmp"), old, false},
        {QStringLiteral(".aBK.mojx.jirakubo-AbCdEf.tmp"), old,
         false},  // the backup's, removed by its own save
    };
    for (const auto& c : cases) make(c.name, c.when);
    QDir(dir.path()).mkdir(QStringLiteral(".a.mojx.jirakubo-DiRdIr.tmp"));
    QFile::link(p(QStringLiteral("a.mojx.backup")), p(QStringLiteral(".a.mojx.jirakubo-LiNkLk.tmp")));
    // A write still running elsewhere holds its file locked: it stays, however old.
    make(QStringLiteral(".a.mojx.jirakubo-RuNnIn.tmp"), old);
    QFile running(p(QStringLiteral(".a.mojx.jirakubo-RuNnIn.tmp")));
    ASSERT_TRUE(running.open(QIODevice::ReadOnly));
    ASSERT_EQ(::flock(running.handle(), LOCK_EX | LOCK_NB), 0);

    ASSERT_TRUE(writeCp932Lines(p(QStringLiteral("a.mojx")), {QStringLiteral("頁")}, nullptr));
    for (const auto& c : cases) EXPECT_EQ(QFile::exists(p(c.name)), !c.removed) << c.name.toStdString();
    EXPECT_TRUE(QFileInfo(p(QStringLiteral(".a.mojx.jirakubo-DiRdIr.tmp"))).isDir());
    EXPECT_TRUE(QFileInfo(p(QStringLiteral(".a.mojx.jirakubo-LiNkLk.tmp"))).isSymLink());
    EXPECT_TRUE(QFile::exists(p(QStringLiteral(".a.mojx.jirakubo-RuNnIn.tmp"))));
    EXPECT_EQ(readBytes(p(QStringLiteral("a.mojx"))), QByteArray("\x95\xc5\r\n"));
    EXPECT_EQ(readBytes(p(QStringLiteral("a.mojx.backup"))), QByteArray("half a save"));

    // The backup's save clears its own; the running write's file goes once it has ended.
    running.close();
    ASSERT_TRUE(writeBackup(p(QStringLiteral("a.mojx")), p(QStringLiteral("a.mojx")), nullptr));
    EXPECT_FALSE(QFile::exists(p(QStringLiteral(".aBK.mojx.jirakubo-AbCdEf.tmp"))));
    EXPECT_TRUE(QFile::exists(p(QStringLiteral(".b.mojx.jirakubo-AbCdEf.tmp"))));
    ASSERT_TRUE(writeCp932Lines(p(QStringLiteral("a.mojx")), {QStringLiteral("頁")}, nullptr));
    EXPECT_FALSE(QFile::exists(p(QStringLiteral(".a.mojx.jirakubo-RuNnIn.tmp"))));
}

// A name as long as a file name may be still gets a temporary file, and its own clean-up.
TEST(AtomicFile, TheLongestNameStillHasItsTemporaryFile) {
    QTemporaryDir dir;
    const QString name = QString(80, QChar(0x6F22)) + QStringLiteral(".mojx");  // 漢 × 80: 245 bytes
    ASSERT_EQ(QFile::encodeName(name).size(), 245);
    const QString temporary = atomicTemporaryName(name);
    EXPECT_LE(QFile::encodeName(temporary).size(), 255);
    EXPECT_TRUE(temporary.startsWith(u'.'));
    QString stale = temporary;
    stale.replace(QStringLiteral("XXXXXX"), QStringLiteral("AbCdEf"));
    EXPECT_TRUE(isAtomicTemporaryOf(stale, name));
    {
        QFile f(dir.filePath(stale));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("left by a killed write");
        f.flush();
        ASSERT_TRUE(
            f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
    }
    QString error;
    ASSERT_TRUE(writeFileAtomically(dir.filePath(name), "whole", &error)) << error.toStdString();
    EXPECT_EQ(entries(dir.path()), QStringList{name});
}

// Whether writing one path would replace the file at another: by the file itself.
TEST(SameFile, PathsThatLeadToOneFile) {
    QTemporaryDir dir;
    auto p = [&](const QString& name) { return dir.filePath(name); };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    writeBytes(p(QStringLiteral("wb.mojx")), "workbook");
    writeBytes(p(QStringLiteral("other.mojx")), "other");
    ASSERT_TRUE(QFile::link(p(QStringLiteral("wb.mojx")), p(QStringLiteral("out.pdf"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("../wb.mojx"), p(QStringLiteral("sub/rel.pdf"))));
    ASSERT_EQ(::link(QFile::encodeName(p(QStringLiteral("wb.mojx"))).constData(),
                     QFile::encodeName(p(QStringLiteral("hard.mojx"))).constData()),
              0);
    ASSERT_TRUE(QFile::link(p(QStringLiteral("sub")), p(QStringLiteral("sublink"))));
    const struct {
        QString output, input;
        bool same;
    } cases[] = {
        {p(QStringLiteral("wb.mojx")), p(QStringLiteral("wb.mojx")), true},
        {p(QStringLiteral("sub/../wb.mojx")), p(QStringLiteral("wb.mojx")), true},
        {p(QStringLiteral("out.pdf")), p(QStringLiteral("wb.mojx")), true},
        {p(QStringLiteral("sub/rel.pdf")), p(QStringLiteral("wb.mojx")), true},
        {p(QStringLiteral("hard.mojx")), p(QStringLiteral("wb.mojx")), true},
        {p(QStringLiteral("other.mojx")), p(QStringLiteral("wb.mojx")), false},
        {p(QStringLiteral("new.pdf")), p(QStringLiteral("wb.mojx")), false},
        // neither there yet: the same place or not
        {p(QStringLiteral("sublink/t.jsonl")), p(QStringLiteral("sub/t.jsonl")), true},
        {p(QStringLiteral("sub/t.jsonl")), p(QStringLiteral("sub/u.jsonl")), false},
        {QString(), p(QStringLiteral("wb.mojx")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.output + QStringLiteral(" / ") + c.input).toStdString());
        EXPECT_EQ(isSameFile(c.output, c.input), c.same);
    }
    // A relative path is taken from the current folder.
    const QString here = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    EXPECT_TRUE(isSameFile(QStringLiteral("out.pdf"), p(QStringLiteral("wb.mojx"))));
    QDir::setCurrent(here);
}

}  // namespace
