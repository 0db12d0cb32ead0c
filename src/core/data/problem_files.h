// Problem files (.mojx, .moj), the example file base.moj and the backup file.
#pragma once

#include "data/workbook.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

class Platform;

inline const QString kOpenFilter = QStringLiteral("問題ファイル(*.moj)(*.mojx)|*.moj;*.mojx|");
inline const QString kSaveFilter = QStringLiteral("問題ファイル(*.mojx)|*.mojx|");
inline const QString kBaseMissingMessage =
    QStringLiteral("base.mojがありません。base.mojをカレントディレクトリーにコピーしてください");
inline const QString kConfirmTitle = QStringLiteral("確認メッセージ");
inline const QString kErrorTitle = QStringLiteral("エラーメッセージ");

enum class FileError { None, NotFound, Unreadable, BadEncoding };

struct TextFile {
    QString text;
    FileError error = FileError::None;
    QString message;  // a sentence for the user naming the file, when error != None
};

// The characters of the lines that code page 932 cannot hold, each once.
QString unencodableInLines(const QStringList& lines);

// Reads a whole code page 932 text file.
TextFile readCp932File(const QString& path);

// Writes lines, each followed by CR LF, in code page 932, replacing the file atomically.
// Nothing is written when a line holds characters code page 932 cannot hold; the message
// then names them.
bool writeCp932Lines(const QString& path, const QStringList& lines, QString* message);

// What the reader did, for the caller's messages and for tests.
struct ReadReport {
    int pagesRead = 0;
    int pagesLeftOut = 0;   // records beyond the 201 pages the workbook holds
    int examplesRead = 0;
    bool fileNotFound = false;
    QString errorMessage;   // a file that could not be decoded or read
};

// Reads base.moj (when exampleFilePath ends in "base.moj") into the example table and then
// the file currentFilePath (".mojx" or ".moj") into the page table, the heading list and
// the page lines. Reports a missing file, a file that is not code page 932 and pages left
// out through the platform's message box.
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
