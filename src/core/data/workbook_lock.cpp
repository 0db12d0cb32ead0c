#include "core/data/workbook_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>

#include "core/data/atomic_file.h"

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return QString::fromLocal8Bit(name);
}

QString userName() {
    if (const passwd* pw = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(::geteuid());
}

// What a lock file holds: "pid\nhost\nuser\n".
LockHolder readHolder(int fd) {
    LockHolder h;
    QByteArray bytes(512, '\0');
    const ssize_t n = ::pread(fd, bytes.data(), bytes.size(), 0);
    if (n <= 0) return h;
    bytes.truncate(n);
    const QStringList lines = QString::fromUtf8(bytes).split(u'\n');
    h.pid = lines.value(0).toLongLong();
    h.host = lines.value(1);
    h.user = lines.value(2);
    return h;
}

// Opens (making it when missing) the lock file at path; -1 with errno when it cannot be.
int openLockFile(const QString& path) {
    return ::open(encoded(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
}

// Whether fd is still the file at path: a lock let go removes its file, so a lock taken on a
// file just removed is no lock.
bool stillThere(int fd, const QString& path) {
    struct stat a, b;
    return ::fstat(fd, &a) == 0 && ::lstat(encoded(path).constData(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

}  // namespace

QString workbookLockPath(const QString& workbookPath) {
    const QFileInfo target(resolvedWritePath(workbookPath));
    return target.absolutePath() + QStringLiteral("/.") + target.fileName() +
           QStringLiteral(".jirakubo-lock");
}

WorkbookLock::~WorkbookLock() {
    unlock();
}

void WorkbookLock::unlock() {
    if (fd_ < 0) return;
    // Removed while still held, so that nobody takes a lock on a file on its way out.
    if (stillThere(fd_, lockPath_)) ::unlink(encoded(lockPath_).constData());
    ::close(fd_);
    fd_ = -1;
    workbook_.clear();
    lockPath_.clear();
}

WorkbookLock::Result WorkbookLock::lock(const QString& workbookPath) {
    const QString lockPath = workbookLockPath(workbookPath);
    if (fd_ >= 0 && lockPath == lockPath_ && stillThere(fd_, lockPath_)) {
        workbook_ = workbookPath;
        return Result::Locked;
    }
    holder_ = {};
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = openLockFile(lockPath);
        if (fd < 0) return Result::NotPossible;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EWOULDBLOCK) holder_ = readHolder(fd);
            ::close(fd);
            return error == EWOULDBLOCK ? Result::HeldByOther : Result::NotPossible;
        }
        if (!stillThere(fd, lockPath)) {  // its holder let go of it and removed it: again
            ::close(fd);
            continue;
        }
        // Ours: whatever a process that is gone wrote there is replaced by who we are.
        const QByteArray who = QByteArray::number(qint64(::getpid())) + '\n' + hostName().toUtf8() + '\n' +
                               userName().toUtf8() + '\n';
        // On a full disk the lock holds all the same, without its holder's name.
        [[maybe_unused]] const bool written =
            ::ftruncate(fd, 0) == 0 && ::pwrite(fd, who.constData(), size_t(who.size()), 0) == who.size();
        unlock();
        fd_ = fd;
        lockPath_ = lockPath;
        workbook_ = workbookPath;
        return Result::Locked;
    }
    return Result::NotPossible;
}

bool WorkbookLock::heldByOther(const QString& workbookPath, LockHolder* holder) {
    const QString lockPath = workbookLockPath(workbookPath);
    const int fd = ::open(encoded(lockPath).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    bool held = false;
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        held = errno == EWOULDBLOCK;
        if (held && holder) *holder = readHolder(fd);
    } else {
        ::flock(fd, LOCK_UN);
    }
    ::close(fd);
    return held;
}

QString workbookOpenElsewhereQuestion(const QString& path, const LockHolder& holder) {
    QString who;
    if (holder.pid > 0) {
        who = QStringLiteral("（");
        if (!holder.user.isEmpty()) who += QStringLiteral("ユーザー %1、").arg(holder.user);
        if (!holder.host.isEmpty() && holder.host != hostName())
            who += QStringLiteral("コンピューター %1、").arg(holder.host);
        who += QStringLiteral("プロセス番号 %1）").arg(holder.pid);
    }
    return QStringLiteral(
               "%1 は、ほかの字楽坊でも開かれています%2。\n"
               "両方で編集して保存すると、先に保存した方の変更が失われます。\n"
               "それでも開きますか？")
        .arg(path, who);
}

QDateTime FileStamp::modified() const {
    return QDateTime::fromMSecsSinceEpoch(modifiedNs / 1000000);
}

FileStamp fileStampOf(const QString& path) {
    FileStamp s;
    struct stat st;
    if (path.isEmpty() || ::stat(encoded(path).constData(), &st) != 0) return s;
    s.exists = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}
