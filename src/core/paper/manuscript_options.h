// FN.txt, the manuscript paper window's options: nine positional lines in code page 932 with
// CR LF, written like JRB3.ini (numbers with a leading and a trailing blank).
//
//   1 a text carried unchanged      4 cross: 0 "なし", 1 "あり"    7 colour mode: 0 black, 1 other
//   2 a number carried unchanged    5 paper: 0 A4, 1 B4            8 title
//   3 a number carried unchanged    6 readings: 0 "あり", 1 "なし"  9 the chosen colour
#pragma once

#include <QString>

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
};

ManuscriptOptionsReadResult readManuscriptOptions(const QString& path);
// Replaces the file atomically. False, with a sentence in message, when it cannot be written
// (a title code page 932 cannot hold, a folder without write access); the old file stays.
bool writeManuscriptOptions(const QString& path, const ManuscriptFileOptions& options, QString* message);
