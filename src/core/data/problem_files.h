// Problem files (.mojx, .moj), the example file base.moj and the backup file.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "core/data/atomic_file.h"
#include "core/data/read_notice.h"
#include "core/data/workbook.h"

inline const QString kOpenFilter = QStringLiteral("問題ファイル(*.moj)(*.mojx)|*.moj;*.mojx|");
inline const QString kSaveFilter = QStringLiteral("問題ファイル(*.mojx)|*.mojx|");
inline const QString kBaseMissingMessage =
    QStringLiteral("base.mojがありません。base.mojをカレントディレクトリーにコピーしてください");

enum class FileError { None, NotFound, NotAFile, Unreadable, BadEncoding, TooLarge };

// The largest text file the program reads (problem files, base.moj, the dictionaries). A
// workbook holds 201 pages of 74 fields; with every field 256 characters long, far more than
// a line of any sheet holds (a column of a sheet takes some twenty), and two bytes a
// character, 201 full pages come to 7.6 MB with their commas and line ends. A larger file is
// no workbook of this program and is refused before a byte of it is read: reading it would
// cost ten times its size in memory.
inline constexpr qint64 kMaxTextFileBytes = 8 * 1024 * 1024;

struct TextFile {
    QString text;
    FileError error = FileError::None;
    QString message;  // a sentence for the user naming the file, when error != None
};

// The characters of the lines that code page 932 cannot hold, each once.
QString unencodableInLines(const QStringList& lines);

// Reads a whole code page 932 text file. A folder, a file that is not code page 932 (UTF-8,
// UTF-16, bytes that are not characters), a file holding NUL bytes and a file larger than
// kMaxTextFileBytes are refused with a message that says so.
TextFile readCp932File(const QString& path);
// The message for a file of size bytes, larger than kMaxTextFileBytes.
QString fileTooLargeMessage(const QString& path, qint64 size);

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

// Why reading path failed, as a sentence for the teacher; systemText is the system's own
// reason (QFileDevice::errorString), given in brackets when it is none of the common ones.
QString readFailureReason(const QString& path, const QString& systemText);

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
ReadReport readProblemFile(Workbook& workbook, const QString& programDirectory);
// What the teacher is told of a read of the workbook's file: a missing file, a file that
// cannot be read or is not code page 932, the example file opened as a workbook, pages left
// out. An Unreadable notice means nothing was read.
std::vector<ReadNotice> readNotices(const ReadReport& report, const Workbook& workbook);

// The records of a problem file's text (.mojx when mojx, else .moj) into the page table, the
// heading list and the page lines, as readProblemFile reads the file.
struct PagesRead {
    int pagesRead = 0;
    int pagesLeftOut = 0;
};
PagesRead readPagesFromText(Workbook& workbook, QString text, bool mojx);

// The bytes writeCp932Lines writes for lines; nothing when a line holds characters code
// page 932 cannot hold.
std::optional<QByteArray> encodeCp932Lines(const QStringList& lines);

// The name the save dialog proposes.
QString proposedSaveName(const QString& panel1, const QString& dialogFileName,
                         const QString& currentDirectory, const QDateTime& now);
// The path with its file name's ".mojx" or ".moj" ending, or else its last extension,
// replaced by a new ending; the folder stays as it is ("sub/a.b" gives "sub/a.mojx").
QString replaceProblemExtension(const QString& path, const QString& ending);
// The backup beside savePath, named from its file name: "aBK.mojx" for "a.mojx" or "a.moj",
// "a.bBK.mojx" for "a.b".
QString backupPathFor(const QString& savePath);

// Copies sourcePath, the file about to be overwritten, byte for byte to the backup of
// savePath, with the source's permissions. A missing source gives an empty backup.
bool writeBackup(const QString& sourcePath, const QString& savePath, QString* message);

// The one writer of problem files, used by saving and by the command line: the page lines
// of the workbook's pageCount pages, each followed by CR LF, in code page 932, replacing the
// file atomically. With `backup` an existing file is first copied to its backup. Nothing on
// disk changes when a text cannot be written in code page 932; the message then names the
// characters.
bool writeProblemFile(const QString& path, const Workbook& workbook, bool backup, QString* message);
// The same copy to the backup file backupPath, replaced atomically.
bool writeBackupTo(const QString& sourcePath, const QString& backupPath, QString* message);
