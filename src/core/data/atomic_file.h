// Files replaced whole or not at all, and telling whether two paths are one file.
//
// Every file the program writes (workbooks, backups, settings, merged files, PDFs, traces)
// goes through AtomicFile: the bytes go to a temporary file beside the target, named
// ".NAME.jirakubo-XXXXXX.tmp", which is flushed, synced to the disk, closed and then renamed
// over the target. Every step is checked: on a full disk, a read-only folder or any other
// failure the temporary file is removed, the old file keeps its bytes and the caller gets the
// reason. A killed write leaves only such a temporary file; the next write of the same target
// removes it (no other file is ever removed).
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>

class AtomicFile : public QIODevice {
public:
    // path is the file to replace; a symbolic link is followed, so the link stays a link and
    // the file it names gets the new bytes.
    explicit AtomicFile(const QString& path);
    ~AtomicFile() override;  // an uncommitted write is cancelled
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Opens the temporary file (WriteOnly only). Removes what killed writes of the same
    // target left behind first. Refuses a target that is a folder or a file that may not be
    // written (read-only), keeping the rule a read-only file stands for.
    bool open(OpenMode mode) override;
    // Ends the write: the bytes reach the disk and replace the target, keeping its
    // permissions. False, with the reason in errorString(), when any write before or any
    // step of the commit failed; the target then is as it was and no temporary file is left.
    bool commit();
    // The first half of commit(): every byte written, synced and the file closed, so that
    // all a full disk can refuse is known; only the rename is left to commit(). Two files
    // that go together are both finished before either is committed.
    bool finishWriting();
    // The permission bits the file gets (before open()), instead of the replaced file's own
    // or, for a new file, the default of new files.
    void setPermissionBits(unsigned mode) { mode_ = mode & 07777; }
    // Drops what was written; the target is as it was.
    void cancel();
    // The same as cancel(): only commit() replaces the target.
    void close() override;

    // The path given and the file that will be replaced (symbolic links followed).
    QString fileName() const { return path_; }
    QString targetPath() const { return target_; }
    // The temporary file while open.
    QString temporaryPath() const { return temp_; }
    // The errno of the first failure, 0 when none.
    int systemError() const { return error_; }

    bool isSequential() const override { return false; }
    bool seek(qint64 pos) override;
    qint64 size() const override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    bool fail(int error);
    bool writeAll(const char* data, qint64 size);
    bool flushBuffer();
    void discard();

    QString path_;
    QString target_;
    QString temp_;
    int fd_ = -1;
    int error_ = 0;
    std::optional<unsigned> mode_;
    QByteArray buffer_;  // written, not yet handed to the system
};

// Replaces the file at path with bytes through AtomicFile. On failure error gets the reason
// (a Japanese sentence) and the file is as it was.
// With a mode the file gets those permission bits, whether it is new or replaced; without one
// a replaced file keeps its own and a new one gets the default of new files.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error,
                         std::optional<unsigned> mode = std::nullopt);

// The reason for a failed file operation, for a message: a Japanese sentence for what a user
// meets (a full disk, no permission, a read-only place, a missing folder, ...).
QString fileErrorReason(int error);

// The name of the temporary file AtomicFile writes for a target file name, with XXXXXX
// where the six random letters go; and whether a file name is one of them.
QString atomicTemporaryName(const QString& targetFileName);
bool isAtomicTemporaryOf(const QString& fileName, const QString& targetFileName);

// Removes the temporary files that killed writes of path left beside its target: regular
// files named as atomicTemporaryName says, last written before `before`, that no running
// write holds. Returns how many were removed.
int removeStaleTemporaries(const QString& path, qint64 beforeMsecsSinceEpoch);

// The file a write to path would replace: symbolic links followed (also one that names a
// file not there yet), the folder made canonical where it exists.
QString resolvedWritePath(const QString& path);

// The first symbolic link on the way to path (in a folder of the path, or path itself) that
// the program will not follow to write: a link that lies in a folder everyone may write to
// and that has the sticky bit (/tmp), and that belongs neither to the user who runs the
// program nor to the folder's owner. Another user could have put it there to make a program
// run as root replace a file of root's (the kernel's protected_symlinks rule). Empty when
// there is none.
QString untrustedLinkOnPath(const QString& path);
// The message for such a link.
QString untrustedLinkMessage(const QString& link);

// True when writing `output` would replace the file `input`: the same file by device and
// inode (a symbolic link, a hard link or another path to it), or, where neither exists yet,
// the same place.
bool isSameFile(const QString& output, const QString& input);
