// Two instances of the program on one workbook: a lock file beside the workbook says which
// instance has it open, and a stamp of the file says whether it changed on disk since this
// instance read or wrote it.
#pragma once

#include <sys/types.h>

#include <QDateTime>
#include <QString>

// The lock file of a workbook: ".NAME.jirakubo-lock" beside the file (symbolic links
// followed, so every path to one file has one lock).
QString workbookLockPath(const QString& workbookPath);

// Who holds a lock: what the holder wrote into the lock file.
struct LockHolder {
    qint64 pid = 0;
    QString host;
    QString user;
};

// An open workbook's lock. The lock file is held with flock() for as long as the workbook is
// open; the kernel lets go of it when the process ends, however it ends, so a lock file left
// by a process that is gone (killed, crashed, a computer switched off) is taken over without
// a word. The holder writes its process number, computer and user into the file, for the
// message of the next instance. The file is removed when the lock is let go.
class WorkbookLock {
public:
    enum class Result {
        Locked,       // this instance holds the lock now (or held it already)
        HeldByOther,  // another running instance holds it; holder() says which
        NotPossible,  // no lock file can be made there (a read-only folder, ...): no lock
    };

    WorkbookLock() = default;
    ~WorkbookLock();
    WorkbookLock(const WorkbookLock&) = delete;
    WorkbookLock& operator=(const WorkbookLock&) = delete;

    // Takes the lock of the workbook at path and then lets go of the one held before; when
    // it cannot be taken, the lock held before stays held. Taking the lock already held
    // keeps it.
    Result lock(const QString& workbookPath);
    // Lets go of the lock held, if any.
    void unlock();
    bool isLocked() const { return fd_ >= 0; }
    // The workbook whose lock is held.
    QString lockedWorkbook() const { return workbook_; }
    // After HeldByOther: the other instance, as far as its lock file says.
    const LockHolder& holder() const { return holder_; }

    // Whether another running instance holds the lock of the workbook at path (and who, in
    // *holder), without taking it.
    static bool heldByOther(const QString& workbookPath, LockHolder* holder);

private:
    int fd_ = -1;
    QString workbook_;
    QString lockPath_;
    LockHolder holder_;
};

// The message when the workbook at path is open in another instance, "…開いていますか？"
// asked of the teacher (Yes: open it all the same).
QString workbookOpenElsewhereQuestion(const QString& path, const LockHolder& holder);

// A file as it stood on disk: told apart from a later version by its inode (a save replaces
// the file), its size and its modification time to the nanosecond.
struct FileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool operator==(const FileStamp& o) const {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               modifiedNs == o.modifiedNs;
    }
    bool operator!=(const FileStamp& o) const { return !(*this == o); }
    // The modification time, local time.
    QDateTime modified() const;
};
FileStamp fileStampOf(const QString& path);
