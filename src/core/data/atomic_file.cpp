#include "core/data/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

namespace {

const QString kTemporaryMark = QStringLiteral(".jirakubo-");
const QString kTemporaryEnding = QStringLiteral(".tmp");
constexpr int kRandomLetters = 6;
constexpr qsizetype kNameMax = 255;  // bytes of one file name (NAME_MAX)
constexpr qsizetype kBufferSize = 1 << 16;
constexpr int kMaxLinks = 40;  // as the kernel follows them

// The target's name as it stands in its temporary file's name, shortened where the whole
// name would be longer than a file name may be.
QString temporaryStem(const QString& targetFileName) {
    const qsizetype extra = 1 + kTemporaryMark.size() + kRandomLetters + kTemporaryEnding.size();
    QString stem = targetFileName;
    while (!stem.isEmpty() && QFile::encodeName(stem).size() + extra > kNameMax) {
        stem.chop(1);
        if (!stem.isEmpty() && stem.back().isHighSurrogate()) stem.chop(1);
    }
    return stem;
}

bool isAsciiLetterOrDigit(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
}

QString directoryOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

}  // namespace

QString fileErrorReason(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral(
            "保存先の空き容量が足りません。不要なファイルを消すか、別の場所に保存してください。");
    case EDQUOT: return QStringLiteral("ディスクの使用量の上限を超えています。");
    case EACCES:
    case EPERM:
        return QStringLiteral("この場所に書き込む権限がありません。別のフォルダーに保存してください。");
    case EROFS:
        return QStringLiteral(
            "保存先は書き込みのできない場所（読み取り専用）です。別のフォルダーに保存してください。");
    case ENOENT: return QStringLiteral("保存先のフォルダーが見つかりません。");
    case ENOTDIR: return QStringLiteral("保存先のパスの途中にフォルダーでないものがあります。");
    case EISDIR: return QStringLiteral("同じ名前のフォルダーがあります。");
    case ENAMETOOLONG: return QStringLiteral("ファイル名が長すぎます。");
    case ELOOP: return QStringLiteral("シンボリックリンクがたどりきれません。");
    case EFBIG: return QStringLiteral("ファイルが大きすぎます。");
    case EIO:
        return QStringLiteral(
            "装置のエラーで書き込めませんでした（USBメモリーなどが外れていないか確かめてください）。");
    case EMFILE:
    case ENFILE: return QStringLiteral("開いているファイルが多すぎます。");
    case EXDEV: return QStringLiteral("一時ファイルと保存先が別のディスクにあります。");
    case EBUSY: return QStringLiteral("ファイルが使用中です。");
    default: break;
    }
    return QStringLiteral("システムのエラーです（%1）。").arg(QString::fromLocal8Bit(std::strerror(error)));
}

QString atomicTemporaryName(const QString& targetFileName) {
    return u'.' + temporaryStem(targetFileName) + kTemporaryMark + QString(kRandomLetters, u'X') +
           kTemporaryEnding;
}

bool isAtomicTemporaryOf(const QString& fileName, const QString& targetFileName) {
    const QString prefix = u'.' + temporaryStem(targetFileName) + kTemporaryMark;
    if (fileName.size() != prefix.size() + kRandomLetters + kTemporaryEnding.size()) return false;
    if (!fileName.startsWith(prefix) || !fileName.endsWith(kTemporaryEnding)) return false;
    for (qsizetype i = prefix.size(); i < prefix.size() + kRandomLetters; ++i)
        if (!isAsciiLetterOrDigit(fileName[i])) return false;
    return true;
}

QString resolvedWritePath(const QString& path) {
    if (path.isEmpty()) return path;
    QString p = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat st;
        if (::lstat(QFile::encodeName(p).constData(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        QByteArray link(4096, '\0');
        const ssize_t n = ::readlink(QFile::encodeName(p).constData(), link.data(), link.size());
        if (n <= 0 || n >= link.size()) break;
        link.truncate(n);
        const QString to = QFile::decodeName(link);
        p = QDir::cleanPath(QDir::isAbsolutePath(to) ? to : directoryOf(p) + u'/' + to);
    }
    const QFileInfo info(p);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? p : QDir(folder).filePath(info.fileName());
}

QString untrustedLinkOnPath(const QString& path) {
    if (path.isEmpty()) return {};
    // The names still to walk, first one first; the folder reached so far.
    QStringList names = QFileInfo(path).absoluteFilePath().split(u'/', Qt::SkipEmptyParts);
    QString here;  // "" is the root
    int links = 0;
    while (!names.isEmpty()) {
        const QString name = names.takeFirst();
        if (name == QLatin1String(".")) continue;
        if (name == QLatin1String("..")) {
            here = here.left(qMax<qsizetype>(0, here.lastIndexOf(u'/')));
            continue;
        }
        const QString next = here + u'/' + name;
        struct stat link;
        if (::lstat(QFile::encodeName(next).constData(), &link) != 0) {
            here = next;  // not there (yet): nothing further to follow
            continue;
        }
        if (!S_ISLNK(link.st_mode)) {
            here = next;
            continue;
        }
        struct stat folder;
        const QString folderPath = here.isEmpty() ? QStringLiteral("/") : here;
        if (::stat(QFile::encodeName(folderPath).constData(), &folder) == 0 && (folder.st_mode & S_ISVTX) &&
            (folder.st_mode & S_IWOTH) && link.st_uid != ::geteuid() && link.st_uid != folder.st_uid)
            return next;
        if (++links > kMaxLinks) return {};
        QByteArray target(4096, '\0');
        const ssize_t n = ::readlink(QFile::encodeName(next).constData(), target.data(), target.size());
        if (n <= 0 || n >= target.size()) return {};
        target.truncate(n);
        const QString to = QFile::decodeName(target);
        names = to.split(u'/', Qt::SkipEmptyParts) + names;
        if (to.startsWith(u'/')) here.clear();
    }
    return {};
}

QString untrustedLinkMessage(const QString& link) {
    return QStringLiteral(
               "%1 は、だれでも書き込めるフォルダーにほかのユーザーが置いたシンボリックリンクです。"
               "リンク先のファイルを書き換えてしまうおそれがあるため、たどって書き込みません。"
               "別の名前か別のフォルダーを指定してください。")
        .arg(link);
}

bool isSameFile(const QString& output, const QString& input) {
    if (output.isEmpty() || input.isEmpty()) return false;
    struct stat a, b;
    const bool outputThere = ::stat(QFile::encodeName(output).constData(), &a) == 0;
    const bool inputThere = ::stat(QFile::encodeName(input).constData(), &b) == 0;
    if (outputThere && inputThere) return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    if (outputThere != inputThere) return false;
    return resolvedWritePath(output) == resolvedWritePath(input);
}

int removeStaleTemporaries(const QString& path, qint64 before) {
    const QString target = resolvedWritePath(path);
    const QFileInfo info(target);
    const QString name = info.fileName();
    if (name.isEmpty()) return 0;
    const QByteArray folder = QFile::encodeName(info.absolutePath());
    DIR* dir = ::opendir(folder.constData());
    if (!dir) return 0;
    const int dirFd = ::dirfd(dir);
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (!isAtomicTemporaryOf(QFile::decodeName(entry->d_name), name)) continue;
        struct stat st;
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
        const qint64 written = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
        if (written >= before) continue;
        // A write still running holds a lock on its file; a killed one holds none.
        const int fd = ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlinkat(dirFd, entry->d_name, 0) == 0) ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

AtomicFile::AtomicFile(const QString& path) : path_(path) {}

AtomicFile::~AtomicFile() {
    discard();
}

bool AtomicFile::fail(int error) {
    if (error_ == 0) {
        error_ = error;
        setErrorString(fileErrorReason(error));
    }
    return false;
}

void AtomicFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.isEmpty()) ::unlink(QFile::encodeName(temp_).constData());
    temp_.clear();
    buffer_.clear();
    if (isOpen()) QIODevice::close();
}

bool AtomicFile::open(OpenMode mode) {
    if (isOpen() || (mode & ReadOnly) || !(mode & WriteOnly) || (mode & Append)) {
        setErrorString(QStringLiteral("書き込み専用でしか開けません。"));
        return false;
    }
    error_ = 0;
    if (const QString link = untrustedLinkOnPath(path_); !link.isEmpty()) {
        error_ = EACCES;
        setErrorString(untrustedLinkMessage(link));
        return false;
    }
    target_ = resolvedWritePath(path_);
    if (target_.isEmpty()) return fail(ENOENT);
    const QByteArray target = QFile::encodeName(target_);
    struct stat st;
    const bool exists = ::stat(target.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (exists && !S_ISREG(st.st_mode)) {
        error_ = EINVAL;
        setErrorString(QStringLiteral("普通のファイルではないため、書き換えません。"));
        return false;
    }
    // A read-only file says it is not to be changed, even where the folder would allow it
    // (and to root too, whom the system would let write it).
    if (exists && (st.st_mode & 0222) == 0) return fail(EACCES);
    if (exists && ::access(target.constData(), W_OK) != 0) return fail(errno);

    removeStaleTemporaries(target_, QDateTime::currentMSecsSinceEpoch());

    const QString folder = directoryOf(target_);
    const QString pattern = atomicTemporaryName(QFileInfo(target_).fileName());
    const qsizetype at = pattern.lastIndexOf(QString(kRandomLetters, u'X'));
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        QString name = pattern;
        for (int i = 0; i < kRandomLetters; ++i)
            name[at + i] = QLatin1Char(letters[QRandomGenerator::global()->bounded(62)]);
        const QString temp = folder + u'/' + name;
        const int fd =
            ::open(QFile::encodeName(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fd_ = fd;
            temp_ = temp;
        } else if (errno != EEXIST) {
            return fail(errno);
        }
    }
    if (fd_ < 0) return fail(EEXIST);
    // Held until the file is closed, or the process ends: later writes leave it alone.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    if (exists || mode_) {
        if (::fchmod(fd_, mode_ ? *mode_ : (st.st_mode & 07777)) != 0) {
            fail(errno);
            discard();
            return false;
        }
        if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
            // Kept where the system lets us (root, or a group of ours); otherwise the file
            // becomes ours, as any new file would.
            [[maybe_unused]] const int ignored = ::fchown(fd_, st.st_uid, st.st_gid);
        }
    }
    return QIODevice::open(WriteOnly | Unbuffered);
}

bool AtomicFile::writeAll(const char* p, qint64 left) {
    while (left > 0 && error_ == 0) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno != EINTR) fail(errno);
            continue;
        }
        if (n == 0) {
            fail(EIO);
            break;
        }
        p += n;
        left -= n;
    }
    return error_ == 0;
}

bool AtomicFile::flushBuffer() {
    const bool written = writeAll(buffer_.constData(), buffer_.size());
    buffer_.clear();
    return written;
}

qint64 AtomicFile::writeData(const char* data, qint64 size) {
    if (error_ != 0 || fd_ < 0) return -1;
    if (buffer_.size() + size < kBufferSize) {
        buffer_.append(data, size);
        return size;
    }
    // A large write goes to the file as it is, without a copy.
    if (!flushBuffer() || !writeAll(data, size)) return -1;
    return size;
}

qint64 AtomicFile::readData(char*, qint64) {
    return -1;
}

bool AtomicFile::seek(qint64 pos) {
    if (fd_ < 0 || !flushBuffer()) return false;
    if (::lseek(fd_, pos, SEEK_SET) < 0) return fail(errno);
    return QIODevice::seek(pos);
}

qint64 AtomicFile::size() const {
    if (fd_ < 0) return 0;
    struct stat st;
    const qint64 onDisk = ::fstat(fd_, &st) == 0 ? qint64(st.st_size) : 0;
    return qMax(onDisk, pos());
}

bool AtomicFile::finishWriting() {
    if (!isOpen() || (fd_ < 0 && temp_.isEmpty())) {
        if (error_ == 0) setErrorString(QStringLiteral("書き込むファイルが開いていません。"));
        return false;
    }
    if (fd_ >= 0) {
        if (error_ == 0) flushBuffer();
        if (error_ == 0 && ::fsync(fd_) != 0) fail(errno);
        if (error_ == 0) {
            const int closed = ::close(fd_);
            fd_ = -1;
            if (closed != 0 && errno != EINTR) fail(errno);  // EINTR: closed all the same
        }
    }
    if (error_ != 0) {
        discard();
        return false;
    }
    return true;
}

bool AtomicFile::commit() {
    if (!finishWriting()) return false;
    if (::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0) {
        fail(errno);
        discard();
        return false;
    }
    temp_.clear();
    // The new name reaches the disk too; a folder that cannot be synced is no failure of ours.
    const int dir =
        ::open(QFile::encodeName(directoryOf(target_)).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    QIODevice::close();
    return true;
}

void AtomicFile::cancel() {
    discard();
}

void AtomicFile::close() {
    discard();
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         std::optional<unsigned> mode) {
    AtomicFile f(path);
    if (mode) f.setPermissionBits(*mode);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error) *error = f.errorString();
        f.cancel();
        return false;
    }
    return true;
}
