// FN.txt, the manuscript paper window's options: nine positional lines in code page 932 with
// CR LF, written like JRB3.ini (numbers with a leading and a trailing blank).
//
//   1 a text carried unchanged      4 cross: 0 "なし", 1 "あり"    7 colour mode: 0 black, 1 other
//   2 a number carried unchanged    5 paper: 0 A4, 1 B4            8 title
//   3 a number carried unchanged    6 readings: 0 "あり", 1 "なし"  9 the chosen colour
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

inline const QString kManuscriptOptionsFileName = QStringLiteral("FN.txt");

struct ManuscriptFileOptions {
    QString carriedText;                            // line 1
    double carriedNumber1 = 0, carriedNumber2 = 0;  // lines 2 and 3
    bool cross = false;
    bool b4 = false;
    bool readings = true;
    bool otherColor = false;
    QString title;
    int color = 0;
};

struct ManuscriptOptionsReadResult {
    ManuscriptFileOptions options;
    // All nine lines were there. A missing or short file leaves every option at its default
    // (no cross, A4, readings, black, empty title); the carried lines keep what was read.
    bool complete = false;
    bool fileNotFound = false;
    // False when part of the file could not be used: bytes that are not code page 932 (the
    // values on the lines before them are kept, options included), a value that is not one
    // (a number that is not a number, an option other than 0 or 1, a colour outside
    // 0..16777215, a control character; it takes its default), more than nine values, a
    // file that could not be opened or one too large to be an options file (nothing read).
    // A short file is read whole.
    bool readWhole = true;
    QString problem;  // a sentence for the user when readWhole is false
};

// writePath: where the options will be written (empty: path itself), for the message.
ManuscriptOptionsReadResult readManuscriptOptions(const QString& path, const QString& writePath = QString());
// The same from the bytes of an options file (path only names it in the message).
ManuscriptOptionsReadResult readManuscriptOptionsBytes(const QByteArray& bytes,
                                                       const QString& path = kManuscriptOptionsFileName,
                                                       const QString& writePath = QString());
// Replaces the file atomically. A file already there that readManuscriptOptions cannot read
// whole is first kept as "FN.txt.bak" beside it. False, with a sentence in message, when it
// cannot be written (a title code page 932 cannot hold, a folder without write access, an old
// file that cannot be kept); the old file stays.
bool writeManuscriptOptions(const QString& path, const ManuscriptFileOptions& options, QString* message);
// The bytes writeManuscriptOptions writes; nothing when a text cannot be written in code page 932.
std::optional<QByteArray> manuscriptOptionsBytes(const ManuscriptFileOptions& options);
