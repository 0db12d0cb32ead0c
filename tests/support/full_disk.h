// A small file system of its own (tmpfs, 64 KB unless told) that a test fills to the last byte, to see
// what a write does on a full disk. Mounting takes root; without it the tests that need one
// skip. Also a read-only one (remounted read-only after the files are put there).
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>

class SmallDisk {
public:
    // kilobytes: the disk's size (a database with its write-ahead log and shared memory needs
    // a few hundred).
    explicit SmallDisk(int kilobytes = 64) : options_(QStringLiteral("size=%1k").arg(kilobytes).toLatin1()) {
        if (dir_.isValid())
            mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                               options_.constData()) == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Writes a filler file until the disk takes no more; true when it ended full (ENOSPC).
    bool fill() {
        const int fd = ::open(QFile::encodeName(path(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (fd < 0) return false;
        char block[1024] = {};
        int error = 0;
        for (;;) {
            if (::write(fd, block, sizeof block) < 0) {
                error = errno;
                break;
            }
        }
        // The last partial page too: byte by byte.
        while (error == ENOSPC && ::write(fd, block, 1) == 1) {
        }
        ::close(fd);
        return error == ENOSPC;
    }
    // Makes room again.
    void empty() { QFile::remove(path(QStringLiteral("filler"))); }
    // No more writes at all (EROFS).
    bool makeReadOnly() {
        return ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                       options_.constData()) == 0;
    }
    // The names in the disk's folder besides the filler, dot files included.
    QStringList names() const {
        QStringList n =
            QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        n.removeAll(QStringLiteral("filler"));
        return n;
    }

private:
    QByteArray options_;
    QTemporaryDir dir_;
    bool mounted_ = false;
};

#define SKIP_WITHOUT_SMALL_DISK(disk) \
    if (!(disk).mounted()) GTEST_SKIP() << "mounting a tmpfs needs root"
