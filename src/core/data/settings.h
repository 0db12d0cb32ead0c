// JRB3.ini: five positional lines in code page 932 (font, two kana offsets, company,
// tracing mark).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

inline const QString kSettingsFileName = QStringLiteral("JRB3.ini");
// This program's own options, kept in a file of their own beside JRB3.ini, whose five lines
// stay as other programs read them: today only ふりがな自動 ("furigana-auto=1").
inline const QString kProgramOptionsFileName = QStringLiteral("jirakubo.ini");

// The values line 4 may hold: the five textbook companies and "no company".
inline const QStringList kCompanyNames = {QStringLiteral("東京書籍"), QStringLiteral("三省堂"),
                                          QStringLiteral("教育出版"), QStringLiteral("学校図書"),
                                          QStringLiteral("光村図書")};
// No textbook company chosen: the status bar, line 4 and the dictionaries say so alike.
inline const QString kNoCompany = QStringLiteral("教科書指定なし");
// The kana offsets are slider positions -10..10 times 30 twips.
inline constexpr double kKanaOffsetLimit = 300;
// The largest file read as a settings file (JRB3.ini, FN.txt, jirakubo.ini). The program
// writes fewer than a thousand bytes; a file past this size is something else put there by
// mistake and is neither read nor lost.
inline constexpr qint64 kMaxSettingsFileBytes = 64 * 1024;

struct Settings {
    QString fontLine;
    double kanaOffset1 = 0;
    double kanaOffset2 = 0;
    QString companyLine;
    QString tracingLine;
};

struct SettingsReadResult {
    Settings settings;
    bool fileNotFound = false;
    int linesRead = 0;
    // False when part of the file could not be used: bytes that are not code page 932 (the
    // values before them are kept), a value that is not one (a number that is not a number,
    // an unknown company, a NUL or other control character; it takes its default), a number
    // out of range (clamped), more than five values, a file that could not be opened, or a
    // file too large to be a settings file (nothing of it is read).
    bool readWhole = true;
    QString problem;  // a sentence for the user when readWhole is false
};

// Reads the five values in order; what is missing or not a value keeps its default.
// writePath is where the settings will be written (empty: path itself); the message of a
// file read in part says what becomes of it.
SettingsReadResult readSettings(const QString& path, const QString& writePath = QString());
// The same from the bytes of a settings file (path only names it in the message).
SettingsReadResult readSettingsBytes(const QByteArray& bytes, const QString& path = kSettingsFileName,
                                     const QString& writePath = QString());

// Writes lines 1 to 4, and line 5 too when full is true, replacing the file whole. False when
// the write failed (the file then is as it was), with the reason in *error. A file already
// there that readSettings cannot read whole is first copied to settingsBackupPath(path);
// when that copy cannot be made, nothing is written.
bool writeSettings(const QString& path, const Settings& settings, bool full, QString* error = nullptr);
// The bytes writeSettings writes; nothing when a text cannot be written in code page 932.
std::optional<QByteArray> settingsBytes(const Settings& settings, bool full);
// "JRB3.ini.bak" beside the file.
QString settingsBackupPath(const QString& path);

// The message for a settings file of size bytes, larger than kMaxSettingsFileBytes, read from
// path while the settings are written to writePath (empty: path itself).
QString settingsFileTooLargeProblem(const QString& path, qint64 size, const QString& writePath = QString());
// What becomes of a settings file at path that was not read whole, when the settings are
// written to writePath (empty: path itself): set aside (moved when tooLarge, else copied) to
// settingsBackupPath(path) before it is replaced, or, being another file, left as it is.
QString settingsFileFate(const QString& path, const QString& writePath, bool tooLarge);
// A settings-like file (JRB3.ini, FN.txt) opened for its reader: not found; found and not
// read, with the problem (cannotRead when it cannot be read; one far larger than any
// settings file is told by its size before a byte of it is read); or its bytes.
struct SettingsFileBytes {
    bool found = false;
    QString problem;
    QByteArray bytes;
};
SettingsFileBytes openSettingsFile(const QString& path, const QString& cannotRead,
                                   const QString& writePath = QString());
// The message for a settings-like file read in part: what (設定ファイル, 原稿用紙の設定ファイル)
// at path, the problems one a line, and what becomes of the file (settingsFileFate).
QString partlyReadProblem(const QString& what, const QString& path, const QStringList& problems,
                          const QString& writePath = QString());
// Before a settings file is replaced: a file at path that readsWhole (given its bytes) finds
// wanting is copied to settingsBackupPath(path), and one larger than kMaxSettingsFileBytes is
// moved there unread. False, with the reason in error, when path cannot be read (a folder)
// or the file cannot be kept: the caller then writes nothing.
bool keepSettingsFileBeforeReplacing(const QString& path,
                                     const std::function<bool(const QByteArray&)>& readsWhole,
                                     QString* error);

// The text of a settings file's bytes: all of them, or the whole lines before the first byte
// that is not code page 932 text (problem then says where; a NUL byte is a character here).
QString settingsText(const QByteArray& bytes, QString* problem);
// A settings reader's first step: the bytes' text as settingsText gives it, the problem of a
// text cut short added to problems; no text, with the problem in problems, when the bytes are
// more than a settings file holds.
std::optional<QString> settingsTextToRead(const QByteArray& bytes, const QString& path, QStringList& problems,
                                          const QString& writePath = QString());
// "3行目の値（数ではない）は使えません。": a value a reader left unused, and why.
QString refusedValueProblem(int line, const QString& why);
// A control character other than a tab: a value holding one is not a value.
bool holdsSettingsControlCharacter(const QString& value);

// A number as the settings file writes it: " 60 ", "-30 ".
QString settingsNumber(double value);
// A decimal number with blanks around it ignored ("-2.5", " 1e3 "); no value for anything
// else (nan, inf, "0x10", "６０"). Too large a number gives an infinity.
std::optional<double> parseSettingsNumber(QStringView text);
// A kana offset as the reader takes it: blanks around it ignored, clamped to -300..300; no
// value for a text that is not a decimal number (nan and inf are not).
std::optional<double> parseKanaOffset(QStringView text, bool* clamped = nullptr);

// ふりがな自動 as the program options file at path says; off when the file is missing,
// unreadable or far larger than any options file.
bool readFuriganaAuto(const QString& path);

// The options of this program alone (jirakubo.ini, one "key=value" a line): ふりがな自動 and
// the class's grade options of 印刷オプション. Never in a problem file: other programs read those.
struct ProgramOptions {
    bool furiganaAuto = false;   // furigana-auto
    int grade = 0;               // grade: 1..6, 0 自動
    bool rubyUnlearned = false;  // ruby-unlearned: 未習漢字にふりがな
    bool leakKana = false;       // leak-kana: 答えを文中でかなにする
    bool printKey = false;       // print-key: 解答も印刷

    bool operator==(const ProgramOptions&) const = default;
};
// What the file at path says; defaults for what it does not say, for a value that is not
// one, and for a missing, unreadable or far too large file.
ProgramOptions readProgramOptions(const QString& path);
// Writes the file whole; false with the reason (a Japanese sentence naming the file) in
// *error, the file then as it was.
bool writeProgramOptions(const QString& path, const ProgramOptions& options, QString* error);
// Writes the program options file whole; false with the reason (a Japanese sentence naming
// the file) in *error, the file then as it was.
bool writeFuriganaAuto(const QString& path, bool on, QString* error);
