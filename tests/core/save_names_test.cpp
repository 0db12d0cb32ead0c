// Where a save from the window lands: the backup beside the file it keeps and named from it,
// workbooks written as .mojx only, and a backup as private as the workbook it keeps.
#include <sys/stat.h>

#include <QDir>
#include <QFileInfo>

#include "core/data/problem_files.h"
#include "window_fixture.h"

namespace {

unsigned modeOf(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return 0;
    return st.st_mode & 07777;
}

// Every file under folder with its bytes, to show a save touched nothing it should not.
std::map<QString, QByteArray> filesUnder(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDir dir(folder);
    for (const QFileInfo& f : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        files[f.fileName()] = readBytes(f.filePath());
    return files;
}

}  // namespace

TEST(ProblemFileNames, TheBackupIsNamedFromTheFileItKeepsInItsFolder) {
    const struct {
        const char* save;
        const char* backup;
    } cases[] = {
        {"/d/a.mojx", "/d/aBK.mojx"},
        {"/d/a.moj", "/d/aBK.mojx"},
        {"/d/sub/a.b", "/d/sub/a.bBK.mojx"},
        {"/d/sub/ab.x", "/d/sub/ab.xBK.mojx"},
        {"/d/s.mojx.d/x", "/d/s.mojx.d/xBK.mojx"},
        {"/d/ab", "/d/abBK.mojx"},
        {"rel/三年.mojx", "rel/三年BK.mojx"},
        {"a", "aBK.mojx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(backupPathFor(QString::fromUtf8(c.save)), QString::fromUtf8(c.backup)) << c.save;
}

TEST(ProblemFileNames, TheProposedNameChangesOnlyTheFileNamesEnding) {
    const QDateTime t(QDate(2026, 12, 8), QTime(15, 5));
    const struct {
        const char* dialog;
        const char* proposed;
    } cases[] = {
        {"/d/a.mojx", "/d/a.mojx"},        {"/d/a.moj", "/d/a.mojx"},     {"/d/sub/a.b", "/d/sub/a.mojx"},
        {"/d/sub/ab.x", "/d/sub/ab.mojx"}, {"/d/ab", "/d/ab.mojx"},       {"/d/a.MOJX", "/d/a.mojx"},
        {"/d/x.y/.a", "/d/x.y/.a.mojx"},   {"/d/x.y/b", "/d/x.y/b.mojx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            proposedSaveName(QStringLiteral("/p"), QString::fromUtf8(c.dialog), QStringLiteral("/w"), t),
            QString::fromUtf8(c.proposed))
            << c.dialog;
}

TEST_F(WindowTest, SavingAsAnOddNameTouchesNoOtherFile) {
    // The fault: "sub/a.b" made the backup "suBK.mojx" in the parent folder, over a file of
    // that name that belonged to nobody's save.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    writeBytes(path("suBK.mojx"), "unrelated\r\n");
    writeBytes(path("subBK.mojx"), "unrelated too\r\n");
    writeBytes(path("sub/a.b"), "someone's notes\r\n");
    const auto parentBefore = filesUnder(dir.path());
    startTyping(QStringLiteral("名前"));
    type(1, kColKanji, QStringLiteral("学校"));

    // The teacher types "sub/a.b" in the save box: the window offers sub/a.mojx instead.
    platform.savePaths = {path("sub/a.b")};
    platform.answers = {MessageAnswer::Yes};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(platform.messages.back().text,
              QStringLiteral(
                  "問題ファイルは .mojx の形式で保存します（.moj は前の字楽坊の形式で、読み込むだけです）。\n"
                  "%1 ではなく、%2 に保存しますか？")
                  .arg(path("sub/a.b"), path("sub/a.mojx")));
    EXPECT_TRUE(readCp932(path("sub/a.mojx")).startsWith(QStringLiteral("名前,,,学校,")));
    EXPECT_EQ(readBytes(path("sub/a.b")), QByteArray("someone's notes\r\n"));
    EXPECT_EQ(filesUnder(dir.path()), parentBefore);
    EXPECT_EQ(mw.filePath, path("sub/a.mojx"));

    // Saved again over itself: its backup lies beside it, named from it.
    platform.savePaths = {path("sub/a.mojx")};
    platform.answers = {MessageAnswer::Yes};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_TRUE(readCp932(path("sub/aBK.mojx")).startsWith(QStringLiteral("名前,,,学校,")));
    EXPECT_EQ(filesUnder(dir.path()), parentBefore);
}

TEST_F(WindowTest, SavingOverAnOldMojFileWritesAMojxFileBeside) {
    // The fault: a 3-page workbook saved over old.moj wrote the 74-field layout into it,
    // which read back as 6 shifted pages.
    QString old;
    for (int p = 1; p <= 3; ++p) {
        QStringList f{QStringLiteral("旧%1").arg(p), QString()};
        for (int i = 0; i < 40; ++i) f << (i % 4 == 1 ? QStringLiteral("字") : QString());
        f << QStringLiteral("ＭＳ 明朝");
        old += f.join(u',') + QStringLiteral("\r\n");
    }
    writeCp932(path("old.moj"), old);
    const QByteArray oldBytes = readBytes(path("old.moj"));
    mw.startUp();
    platform.openPaths = {path("old.moj")};
    mw.onMenu(QStringLiteral("of"));
    ASSERT_EQ(wb.headingList.size(), 3);

    // The dialog proposes the .mojx name; a teacher who picks old.moj is asked, and No writes nothing.
    platform.savePaths = {path("old.moj")};
    platform.answers = {MessageAnswer::No};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(platform.proposedSaveNames.back(), path("old.mojx"));
    EXPECT_EQ(readBytes(path("old.moj")), oldBytes);
    EXPECT_FALSE(QFile::exists(path("old.mojx")));
    EXPECT_FALSE(QFile::exists(path("oldBK.mojx")));

    platform.savePaths = {path("old.moj")};
    platform.answers = {MessageAnswer::Yes};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(readBytes(path("old.moj")), oldBytes);
    Workbook back;
    back.currentFilePath = path("old.mojx");
    const ReadReport report = readProblemFile(back, QString());
    EXPECT_EQ(report.pagesRead, 3);
    EXPECT_EQ(back.headingList,
              (QStringList{QStringLiteral("旧1"), QStringLiteral("旧2"), QStringLiteral("旧3")}));
    EXPECT_EQ(back.page(2)[static_cast<size_t>(slotFieldIndex(1, SlotField::Kanji))], QStringLiteral("字"));
}

TEST_F(WindowTest, APrivateWorkbooksBackupStaysPrivate) {
    writeCp932(path("p.mojx"), mojxLine(QStringLiteral("秘"), {}) + "\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path("p.mojx")).constData(), 0600), 0);
    // An older backup readable by everyone is replaced by one as private as the workbook.
    writeBytes(path("pBK.mojx"), "older\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path("pBK.mojx")).constData(), 0644), 0);
    mw.startUp();
    platform.openPaths = {path("p.mojx")};
    mw.onMenu(QStringLiteral("of"));
    type(1, kColBefore, QStringLiteral("あ"));
    platform.savePaths = {path("p.mojx")};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_TRUE(readCp932(path("pBK.mojx")).startsWith(QStringLiteral("秘,")));
    EXPECT_EQ(modeOf(path("pBK.mojx")), 0600u);
    EXPECT_EQ(modeOf(path("p.mojx")), 0600u);

    // Group-readable stays group-readable, and a new backup of a 0640 file is 0640.
    ASSERT_EQ(::chmod(QFile::encodeName(path("p.mojx")).constData(), 0640), 0);
    platform.savePaths = {path("p.mojx")};
    mw.onMenu(QStringLiteral("sa"));
    EXPECT_EQ(modeOf(path("pBK.mojx")), 0640u);
    EXPECT_EQ(modeOf(path("p.mojx")), 0640u);
}

TEST(BackupPermissions, TheCopyTakesTheSourcesBitsAndStaysReplaceable) {
    QTemporaryDir dir;
    const QString src = dir.filePath(QStringLiteral("s.mojx"));
    const struct {
        unsigned source, backup;
    } cases[] = {{0600, 0600}, {0640, 0640}, {0644, 0644}, {0400, 0600}, {0444, 0644}};
    for (const auto& c : cases) {
        writeBytes(src, "x\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(src).constData(), c.source), 0);
        QString message;
        ASSERT_TRUE(writeBackup(src, src, &message)) << message.toStdString();
        EXPECT_EQ(modeOf(dir.filePath(QStringLiteral("sBK.mojx"))), c.backup) << std::oct << c.source;
        ::chmod(QFile::encodeName(src).constData(), 0600);
    }
}
