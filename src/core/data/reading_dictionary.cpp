#include "core/data/reading_dictionary.h"

#include <QDir>

#include "core/data/field_stream.h"
#include "core/data/problem_files.h"
#include "core/data/settings.h"
#include "core/data/text_codec.h"

void DictionaryTable::clear() {
    for (DictionaryRecord& r : rows)
        for (QString& f : r) f.clear();
    count = 0;
}

namespace {

// Copies every record that passes into the result list, from row 1.
template <typename Match>
void runQuery(const DictionaryTable& table, DictionaryTable& result, Match match) {
    // The whole list is emptied, not only the rows the last query filled: a reload with
    // fewer records must not leave old finds behind.
    result.clear();
    for (int r = 1; r <= table.count; ++r) {
        const DictionaryRecord& rec = table.row(r);
        if (!match(rec)) continue;
        DictionaryRecord& out = result.row(++result.count);
        for (int f = 0; f < kDictionaryRecordFields; ++f)
            out[static_cast<size_t>(f)] = rec[static_cast<size_t>(f)];
    }
}

}  // namespace

void ReadingDictionary::queryByGrade(int grade) {
    runQuery(table, result, [grade](const DictionaryRecord& rec) {
        bool ok = false;
        const int g = rec[kGradeField].trimmed().toInt(&ok);
        return ok && g == grade;
    });
}

QString readingKey(const QString& reading) {
    QString key;
    key.reserve(reading.size());
    for (QChar c : reading) {
        const char16_t u = c.unicode();
        if (u == u'(' || u == u')' || u == u'（' || u == u'）' || u == u'.' || u == u'．') continue;
        // Katakana ァ..ヶ to hiragana ぁ..ゖ.
        key += (u >= 0x30A1 && u <= 0x30F6) ? QChar(static_cast<char16_t>(u - 0x60)) : c;
    }
    return key;
}

void ReadingDictionary::queryByReading(const QString& text, bool useOn) {
    const int field = useOn ? kOnField : kKunField;
    const QString key = readingKey(textcodec::widenToHiragana(text.trimmed()));
    runQuery(table, result, [&](const DictionaryRecord& rec) {
        if (key.isEmpty()) return false;
        const QString& readings = rec[static_cast<size_t>(field)];
        for (QStringView one : QStringView(readings).split(u'・'))
            if (readingKey(one.toString()).startsWith(key)) return true;
        return false;
    });
}

QString dictionaryPath(const QString& programDirectory, const QString& company) {
    // An empty panel only happens before start-up has run; it means no company either.
    const QString name = (company.isEmpty() || company == kNoCompany) ? kDictionaryFileName
                                                                      : company + kCompanyDictionarySuffix;
    return QDir(programDirectory).filePath(name);
}

QString dictionaryMissingMessage(const QString& path) {
    return path + QStringLiteral("ファイルが見つかりません。") + u'\n' + path +
           QStringLiteral("が、削除された可能性があります！") + u'\n' +
           QStringLiteral("もしくは、教科書会社が選択されていない可能性があります！") + u'\n' +
           QStringLiteral("readME.txtをお読みください！");
}

std::optional<ReadNotice> loadReadingDictionary(ReadingDictionary& dictionary, const QString& company,
                                                const QString& programDirectory) {
    const QString path = dictionaryPath(programDirectory, company);
    DictionaryTable& table = dictionary.table;
    table.clear();

    const TextFile file = readCp932File(path);
    switch (file.error) {
    case FileError::None: break;
    case FileError::NotFound:
        return ReadNotice{ReadNotice::Kind::DictionaryMissing, dictionaryMissingMessage(path)};
    case FileError::NotAFile:
    case FileError::Unreadable:
    case FileError::BadEncoding:
    case FileError::TooLarge: return ReadNotice{ReadNotice::Kind::Unreadable, file.message};
    }

    readDictionaryText(table, file.text);
    return std::nullopt;
}

void readDictionaryText(DictionaryTable& table, QString text) {
    table.clear();
    TextArena arena(text.size());
    FieldStream in(std::move(text));
    while (!in.atEnd() && table.count < kDictionaryMaxRecords) {
        // A last record cut short keeps the fields it has, the rest stay empty.
        DictionaryRecord& rec = table.row(++table.count);
        for (int f = 0; f < kDictionaryRecordFields; ++f) {
            bool ok = false;
            const QStringView field = in.nextView(&ok);
            if (!ok) break;
            rec[static_cast<size_t>(f)] = arena.add(field);
        }
    }
}
