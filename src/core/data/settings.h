// JRB3.ini: five positional lines in code page 932 (font, two kana offsets, company,
// tracing mark).
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

inline const QString kSettingsFileName = QStringLiteral("JRB3.ini");

// The values line 4 may hold: the five textbook companies and "no company".
inline const QStringList kCompanyNames = {QStringLiteral("東京書籍"), QStringLiteral("三省堂"),
                                          QStringLiteral("教育出版"), QStringLiteral("学校図書"),
                                          QStringLiteral("光村図書")};
inline const QString kNoCompanyLine = QStringLiteral("教科書指定なし");
// The kana offsets are slider positions -10..10 times 30 twips.
inline constexpr double kKanaOffsetLimit = 300;

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
    // out of range (clamped), more than five values, or a file that could not be opened.
    bool readWhole = true;
    QString problem;  // a sentence for the user when readWhole is false
};

// Reads the five values in order; what is missing or not a value keeps its default.
SettingsReadResult readSettings(const QString& path);
// The same from the bytes of a settings file (path only names it in the message).
SettingsReadResult readSettingsBytes(const QByteArray& bytes, const QString& path = kSettingsFileName);

// Writes lines 1 to 4, and line 5 too when full is true, replacing the file whole. False when
// the write failed (the file then is as it was), with the reason in *error. A file already
// there that readSettings cannot read whole is first copied to settingsBackupPath(path);
// when that copy cannot be made, nothing is written.
bool writeSettings(const QString& path, const Settings& settings, bool full, QString* error = nullptr);
// The bytes writeSettings writes; nothing when a text cannot be written in code page 932.
std::optional<QByteArray> settingsBytes(const Settings& settings, bool full);
// "JRB3.ini.bak" beside the file.
QString settingsBackupPath(const QString& path);

// A number as the settings file writes it: " 60 ", "-30 ".
QString settingsNumber(double value);
// A kana offset as the reader takes it: blanks around it ignored, clamped to -300..300; no
// value for a text that is not a decimal number (nan and inf are not).
std::optional<double> parseKanaOffset(QStringView text, bool* clamped = nullptr);
