// JRB3.ini: five positional lines in code page 932 (font, two kana offsets, company,
// tracing mark).
#pragma once

#include <QString>

inline const QString kSettingsFileName = QStringLiteral("JRB3.ini");

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
};

// Reads the five values in order; what is missing keeps its default.
SettingsReadResult readSettings(const QString& path);
// Writes lines 1 to 4, and line 5 too when full is true. False when the write failed.
bool writeSettings(const QString& path, const Settings& settings, bool full);
// A number as the settings file writes it: " 60 ", "-30 ".
QString settingsNumber(double value);
