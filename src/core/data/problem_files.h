// Problem files (.mojx, .moj), the example file base.moj and the backup file.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "data/workbook.h"

class Platform;

inline const QString kOpenFilter = QStringLiteral("問題ファイル(*.moj)(*.mojx)|*.moj;*.mojx|");
inline const QString kSaveFilter = QStringLiteral("問題ファイル(*.mojx)|*.mojx|");
inline const QString kBaseMissingMessage =
    QStringLiteral("base.mojがありません。base.mojをカレントディレクトリーにコピーしてください");
inline const QString kConfirmTitle = QStringLiteral("確認メッセージ");
inline const QString kErrorTitle = QStringLiteral("エラーメッセージ");

enum class FileError { None, NotFound, NotAFile, Unreadable, BadEncoding };

struct TextFile {
    QString text;
    FileError error = FileError::None;
    QString message;  // a sentence for the user naming the file, when error != None
};

// The characters of the lines that code page 932 cannot hold, each once.
QString unencodableInLines(const QStringList& lines);

// Reads a whole code page 932 text file. A folder, a file that is not code page 932 (UTF-8,
// UTF-16, bytes that are not characters) and a file holding NUL bytes are refused with a
// message that says so.
TextFile readCp932File(const QString& path);

// How a text file's bytes fare as code page 932 text: the text, or the first bad byte and
// a message (without the file name) that says what the bytes are.
struct Cp932Check {
    enum class Kind { Text, Utf16, Utf8, Nul, NotCp932 };
    Kind kind = Kind::Text;
    std::optional<QString> text;
    qsizetype badByte = -1;
    QString problem;
};
Cp932Check checkCp932Text(const QByteArray& bytes);

// Replaces the file atomically with bytes (QSaveFile: a crash or a full disk leaves the old
// file whole). Before writing it removes what interrupted saves of the same file left behind.
// On failure error gets the reason, in Japanese (writeFailureReason).
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

// Why writing `bytes` bytes to path failed, as a sentence for the teacher: no space left,
// no permission, a read-only file system, a missing folder; systemText is the system's own
// reason (QFileDevice::errorString), given in brackets when none of those is known.
QString writeFailureReason(const QString& path, qint64 bytes, const QString& systemText);
// Why reading path failed, in the same way.
QString readFailureReason(const QString& path, const QString& systemText);

// Removes the temporary files that saves of path left behind when they were killed on a file
// system without unnamed temporary files: "NAME.mojx.XXXXXX" beside path (six letters or
// digits), regular files only, last written before `before`. Returns how many were removed.
int removeStaleSaveFiles(const QString& path, const QDateTime& before);

// Writes lines, each followed by CR LF, in code page 932, replacing the file atomically.
// Nothing is written when a line holds characters code page 932 cannot hold; the message
// then names them.
bool writeCp932Lines(const QString& path, const QStringList& lines, QString* message);

// What the reader did, for the caller's messages and for tests.
struct ReadReport {
    int pagesRead = 0;
    int pagesLeftOut = 0;  // records beyond the 201 pages the workbook holds
    int examplesRead = 0;
    bool fileNotFound = false;
    bool exampleFile = false;  // currentFilePath is the example file itself: nothing was read
    QString errorMessage;      // a file that could not be decoded or read, or the example file
};

// The message when the example file is opened as a workbook.
QString exampleFileMessage(const QString& path);

// True when path is the example file itself: the file exampleFilePath names, or the file
// "base.moj" in the program folder (symbolic links and relative paths resolved). Any other
// file, whatever its name, is a problem file.
bool isExampleFile(const QString& path, const QString& exampleFilePath, const QString& programDirectory);

// Reads base.moj (when exampleFilePath names a file "base.moj") into the example table and
// then the file currentFilePath (".mojx" or ".moj") into the page table, the heading list
// and the page lines. Shows nothing: the report says what happened.
ReadReport readProblemFileQuietly(Workbook& workbook, const QString& programDirectory);

// The records of a problem file's text (.mojx when mojx, else .moj) into the page table, the
// heading list and the page lines, as readProblemFileQuietly reads the file.
struct PagesRead {
    int pagesRead = 0;
    int pagesLeftOut = 0;
};
PagesRead readPagesFromText(Workbook& workbook, QString text, bool mojx);

// The bytes writeCp932Lines writes for lines; nothing when a line holds characters code
// page 932 cannot hold.
std::optional<QByteArray> encodeCp932Lines(const QStringList& lines);

// readProblemFileQuietly, then the messages: a missing file, a file that cannot be read or
// is not code page 932, the example file opened as a workbook, pages left out.
ReadReport readProblemFile(Workbook& workbook, Platform& platform);

// The name the save dialog proposes.
QString proposedSaveName(const QString& panel1, const QString& dialogFileName,
                         const QString& currentDirectory, const QDateTime& now);
// The path without its ".moj" (or its last 5 characters) and with a new ending.
QString replaceProblemExtension(const QString& path, const QString& ending);
// "aBK.mojx" for "a.mojx".
QString backupPathFor(const QString& savePath);

// Copies sourcePath, the file about to be overwritten, byte for byte to the backup of
// savePath. A missing source gives an empty backup.
bool writeBackup(const QString& sourcePath, const QString& savePath, QString* message);

// The one writer of problem files, used by saving and by the command line: the page lines
// of the workbook's pageCount pages, each followed by CR LF, in code page 932, replacing the
// file atomically. With `backup` an existing file is first copied to its backup. Nothing on
// disk changes when a text cannot be written in code page 932; the message then names the
// characters.
bool writeProblemFile(const QString& path, const Workbook& workbook, bool backup, QString* message);
// The same copy to the backup file backupPath, replaced atomically.
bool writeBackupTo(const QString& sourcePath, const QString& backupPath, QString* message);
