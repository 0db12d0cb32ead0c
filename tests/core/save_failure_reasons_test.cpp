// A save that fails says why in Japanese: a full disk, no permission, a read-only file system,
// a missing folder; the workbook stays as it was and nothing half-written is left.
#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cerrno>

#include "core/data/atomic_file.h"
#include "core/data/problem_files.h"
#include "test_util.h"
#include "window_fixture.h"

namespace {

const QString kNoSpace =
    QStringLiteral("保存先の空き容量が足りません。不要なファイルを消すか、別の場所に保存してください。");
const QString kNoPermission =
    QStringLiteral("この場所に書き込む権限がありません。別のフォルダーに保存してください。");
const QString kReadOnly =
    QStringLiteral("保存先は書き込みのできない場所（読み取り専用）です。別のフォルダーに保存してください。");
const QString kNoFolder = QStringLiteral("保存先のフォルダーが見つかりません。");

// The system's reasons as the file functions word them, and what the teacher reads.
TEST(SaveFailureReasons, CommonSystemReasonsInJapanese) {
    const QString path = QDir::temp().filePath(QStringLiteral("x.mojx"));
    const struct {
        int number;
        QString reason;
    } cases[] = {
        {ENOSPC, kNoSpace},      {EDQUOT, QStringLiteral("ディスクの使用量の上限を超えています。")},
        {EACCES, kNoPermission}, {EPERM, kNoPermission},
        {EROFS, kReadOnly},      {ENOENT, kNoFolder},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(fileErrorReason(c.number), c.reason);
    }
    EXPECT_EQ(readFailureReason(path, qt_error_string(EACCES)),
              QStringLiteral("このファイルを読む権限がありません。"));
    // A reason no one foresaw keeps the system's words, inside a Japanese sentence.
    EXPECT_EQ(readFailureReason(QDir::tempPath(), QStringLiteral("Strange failure")),
              QStringLiteral("読み込み中にエラーが起きました（Strange failure）。"));
    EXPECT_TRUE(fileErrorReason(EPROTO).startsWith(QStringLiteral("システムのエラーです（")));
}

// A tmpfs mounted for the test (root only): small and full, or read-only.
struct Mount {
    QTemporaryDir dir;
    bool ok = false;
    explicit Mount(const QString& options) {
        if (geteuid() != 0) return;
        ok = QProcess::execute(QStringLiteral("mount"),
                               {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), options,
                                QStringLiteral("tmpfs"), dir.path()}) == 0;
    }
    ~Mount() {
        if (ok) QProcess::execute(QStringLiteral("umount"), {dir.path()});
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
};

// A workbook of 201 full pages: well over 64 KiB on disk.
void fillWorkbook(WindowTest& t) {
    QString text;
    QStringList words;
    for (int i = 0; i < 40; ++i) words << QStringLiteral("あいうえおかきくけこさしすせそ");
    for (int p = 0; p < 201; ++p) text += mojxLine(QStringLiteral("頁%1").arg(p), words) + "\r\n";
    writeCp932(t.path(QStringLiteral("big.mojx")), text);
    t.mw.startUp();
    t.platform.openPaths = {t.path(QStringLiteral("big.mojx"))};
    t.mw.onMenu(QStringLiteral("of"));
}

using SaveFailure = WindowTest;

// The save from the window: the message ends in the Japanese reason, with no English word,
// and the target folder holds nothing new.
TEST_F(SaveFailure, TheMessageSaysWhyInJapanese) {
    Mount full(QStringLiteral("size=64k"));
    Mount readOnly(QStringLiteral("size=64k,ro"));
    fillWorkbook(*this);
    ASSERT_EQ(wb.headingList.size(), 201);
    struct Case {
        const char* name;
        QString target;
        QString reason;
        bool needsRoot;
    };
    std::vector<Case> cases{{"missing folder", path(QStringLiteral("none/x.mojx")), kNoFolder, false}};
    if (full.ok) cases.push_back({"full disk", full.path(QStringLiteral("x.mojx")), kNoSpace, true});
    if (readOnly.ok)
        cases.push_back({"read-only file system", readOnly.path(QStringLiteral("x.mojx")), kReadOnly, true});
    if (!full.ok) std::fprintf(stderr, "(not root: the full and read-only file systems are not tried)\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.messages.clear();
        platform.savePaths = {c.target};
        mw.onMenu(QStringLiteral("sa"));
        ASSERT_EQ(platform.messages.size(), 1u);
        const QString text = platform.messages[0].text;
        EXPECT_EQ(text, c.target + QStringLiteral(" に保存できませんでした。\n") + c.reason);
        EXPECT_FALSE(text.section(u'\n', 1).contains(QRegularExpression(QStringLiteral("[A-Za-z]{3,}"))))
            << text.toStdString();
        EXPECT_EQ(platform.messages[0].title, QStringLiteral("エラーメッセージ"));
        EXPECT_FALSE(QFile::exists(c.target));
        const QDir folder = QFileInfo(c.target).absoluteDir();
        if (folder.exists()) EXPECT_TRUE(folder.entryList(QDir::Files | QDir::Hidden).isEmpty());
    }
    EXPECT_EQ(wb.headingList.size(), 201);
}

// A folder the user may not write to (not as root, who may write anywhere).
TEST_F(SaveFailure, AFolderWithoutWritePermission) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere";
    fillWorkbook(*this);
    QDir(dir.path()).mkdir(QStringLiteral("locked"));
    QFile::setPermissions(path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    platform.savePaths = {path(QStringLiteral("locked/x.mojx"))};
    mw.onMenu(QStringLiteral("sa"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.endsWith(kNoPermission)) << platform.messages[0].text.toStdString();
    QFile::setPermissions(path(QStringLiteral("locked")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
