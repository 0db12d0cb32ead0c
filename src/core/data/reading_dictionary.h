// The kanji reading dictionary (onkun.txt, or one file per textbook company) and its two
// queries: the kanji of a grade, and the kanji whose reading begins with a text.
#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "core/data/read_notice.h"

inline constexpr int kDictionaryRows = 1101;  // rows 0..1100; records from row 1
inline constexpr int kDictionaryMaxRecords = 1100;
inline constexpr int kDictionaryFields = 6;  // fields 0..5; the file fills 0..4
inline constexpr int kDictionaryRecordFields = 5;

// Fields of a record.
inline constexpr int kGradeField = 0;
inline constexpr int kKanjiField = 1;
inline constexpr int kOnField = 2;
inline constexpr int kKunField = 3;
inline constexpr int kCarriedDictionaryField = 4;  // stroke count in our files; only carried

inline const QString kDictionaryFileName = QStringLiteral("onkun.txt");
inline const QString kCompanyDictionarySuffix = QStringLiteral("_onkun.txt");

using DictionaryRecord = std::array<QString, kDictionaryFields>;

// Rows 0..1100, records from row 1, with the number of records beside them.
struct DictionaryTable {
    std::vector<DictionaryRecord> rows = std::vector<DictionaryRecord>(kDictionaryRows);
    int count = 0;

    const DictionaryRecord& row(int r) const { return rows.at(static_cast<size_t>(r)); }
    DictionaryRecord& row(int r) { return rows.at(static_cast<size_t>(r)); }
    void clear();
};

struct ReadingDictionary {
    DictionaryTable table;   // what the last load read
    DictionaryTable result;  // what the last query found, in dictionary order

    // result <- every record whose grade field, read as a whole number, equals grade.
    void queryByGrade(int grade);
    // result <- every record one of whose on readings (useOn) or kun readings begins with
    // text. A field holds its readings joined by "・"; the okurigana of a reading, in
    // brackets or after ".", counts as part of it (さ(げる) is found by さげ). Typed text
    // is widened and taken as hiragana, as are katakana in the field. Empty text finds
    // nothing.
    void queryByReading(const QString& text, bool useOn);
};

// A reading as the reading query compares it: brackets and "." dropped, katakana as
// hiragana.
QString readingKey(const QString& reading);

// The dictionary file for the company shown in status-bar panel 5, in programDirectory.
QString dictionaryPath(const QString& programDirectory, const QString& company);

// The message shown when the dictionary file is missing.
QString dictionaryMissingMessage(const QString& path);

// Reloads the table from the file of the company in panel 5 in programDirectory (at most
// 1100 records). A missing file, a file that is not code page 932 or cannot be read loads
// nothing and gives the notice to show. The result list is left as it was.
std::optional<ReadNotice> loadReadingDictionary(ReadingDictionary& dictionary, const QString& company,
                                                const QString& programDirectory);

// Fills the table from the text of a dictionary file (at most 1100 records).
void readDictionaryText(DictionaryTable& table, QString text);
