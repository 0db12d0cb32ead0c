// A link another user put in a shared folder (a folder everyone may write to, with the sticky
// bit, as /tmp) is not followed to write: run as root, a command would otherwise replace the
// file the link names, one of root's.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QTemporaryDir>

#include "core/data/atomic_file.h"
#include "core/data/convert_file.h"
#include "test_util.h"

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody

struct SharedFolder : ::testing::Test {
    QTemporaryDir dir;
    QString shared, secret;

    void SetUp() override {
        if (::geteuid() != 0) GTEST_SKIP() << "SKIP: only root can give a link to another user";
        shared = dir.filePath(QStringLiteral("tmp"));
        ASSERT_TRUE(QDir().mkdir(shared));
        ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
        secret = dir.filePath(QStringLiteral("secret"));
        writeBytes(secret, "root's secret\n");
    }
    // A link at name in the shared folder to target, owned by uid.
    QString linkIn(const QString& name, const QString& target, uid_t uid) {
        const QString link = QDir(shared).filePath(name);
        EXPECT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0);
        EXPECT_EQ(::lchown(QFile::encodeName(link).constData(), uid, uid_t(-1)), 0);
        return link;
    }
};

}  // namespace

TEST_F(SharedFolder, AnotherUsersLinkIsNotFollowed) {
    const QString evil = linkIn(QStringLiteral("evil.mojx"), secret, kOtherUser);
    EXPECT_EQ(untrustedLinkOnPath(evil), evil);
    QString error;
    EXPECT_FALSE(writeFileAtomically(evil, "new bytes", &error));
    EXPECT_EQ(error, untrustedLinkMessage(evil));
    EXPECT_TRUE(error.contains(QStringLiteral("たどって書き込みません")));
    EXPECT_EQ(readBytes(secret), QByteArray("root's secret\n"));
    EXPECT_TRUE(QFileInfo(evil).isSymLink());

    // The command line's convert refuses it before reading anything.
    const QString in = dir.filePath(QStringLiteral("s.mojx"));
    writeCp932(in, QStringLiteral("見出し\r\n"));
    const ConvertResult r = convertProblemFile(in, evil, {}, QString());
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.message, untrustedLinkMessage(evil));
    EXPECT_EQ(readBytes(secret), QByteArray("root's secret\n"));
}

TEST_F(SharedFolder, ALinkThroughAnotherUsersFolderLinkIsNotFollowedEither) {
    const QString realFolder = dir.filePath(QStringLiteral("real"));
    ASSERT_TRUE(QDir().mkdir(realFolder));
    const QString folderLink = linkIn(QStringLiteral("d"), realFolder, kOtherUser);
    const QString through = folderLink + QStringLiteral("/x.mojx");
    EXPECT_EQ(untrustedLinkOnPath(through), folderLink);
    EXPECT_FALSE(writeFileAtomically(through, "x", nullptr));
    EXPECT_FALSE(QFile::exists(realFolder + QStringLiteral("/x.mojx")));
}

TEST_F(SharedFolder, LinksTheKernelWouldFollowAreFollowed) {
    // The user's own link, and a link of the folder's owner, in the shared folder; another
    // user's link in a folder without the sticky bit.
    const QString own = linkIn(QStringLiteral("own.mojx"), secret, ::geteuid());
    EXPECT_EQ(untrustedLinkOnPath(own), QString());
    ASSERT_TRUE(writeFileAtomically(own, "mine", nullptr));
    EXPECT_EQ(readBytes(secret), QByteArray("mine"));

    const QString owners = dir.filePath(QStringLiteral("owned"));
    ASSERT_TRUE(QDir().mkdir(owners));
    ASSERT_EQ(::chmod(QFile::encodeName(owners).constData(), 01777), 0);
    ASSERT_EQ(::chown(QFile::encodeName(owners).constData(), kOtherUser, gid_t(-1)), 0);
    const QString ownersLink = QDir(owners).filePath(QStringLiteral("l.mojx"));
    ASSERT_EQ(::symlink(QFile::encodeName(secret).constData(), QFile::encodeName(ownersLink).constData()), 0);
    ASSERT_EQ(::lchown(QFile::encodeName(ownersLink).constData(), kOtherUser, gid_t(-1)), 0);
    EXPECT_EQ(untrustedLinkOnPath(ownersLink), QString());

    const QString plain = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(QDir().mkdir(plain));
    ASSERT_EQ(::chmod(QFile::encodeName(plain).constData(), 0777), 0);
    const QString plainLink = QDir(plain).filePath(QStringLiteral("l.mojx"));
    ASSERT_EQ(::symlink(QFile::encodeName(secret).constData(), QFile::encodeName(plainLink).constData()), 0);
    ASSERT_EQ(::lchown(QFile::encodeName(plainLink).constData(), kOtherUser, gid_t(-1)), 0);
    EXPECT_EQ(untrustedLinkOnPath(plainLink), QString());
}
