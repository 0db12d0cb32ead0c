// The reading dictionary reader and its two queries on any text. Checks: at most 1100
// records; a grade query finds exactly the records of that grade; a reading query for the
// start of a record's first reading (in hiragana) finds at least that record, an empty one
// finds nothing, and no query finds more records than the table holds.
#include <cstdint>

#include "core/data/reading_dictionary.h"
#include "core/data/text_codec.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<QString> text =
        textcodec::decodeCp932(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!text) return 0;
    static ReadingDictionary* d = new ReadingDictionary;
    readDictionaryText(d->table, *text);
    const DictionaryTable& table = d->table;
    FUZZ_CHECK(table.count >= 0 && table.count <= kDictionaryMaxRecords);

    for (int grade = 0; grade <= 7; ++grade) {
        d->queryByGrade(grade);
        int expected = 0;
        for (int r = 1; r <= table.count; ++r) {
            bool ok = false;
            if (table.row(r)[kGradeField].trimmed().toInt(&ok) == grade && ok) ++expected;
        }
        FUZZ_CHECK(d->result.count == expected);
    }
    if (table.count > 0) {
        const QString first = table.row(1)[kOnField].section(u'・', 0, 0);
        const QString probe = first.left(1 + static_cast<int>(size % 3));
        d->queryByReading(probe, true);
        FUZZ_CHECK(d->result.count >= 0 && d->result.count <= table.count);
        bool hiragana = !probe.isEmpty();
        for (QChar c : probe) hiragana = hiragana && c.unicode() >= 0x3041 && c.unicode() <= 0x3096;
        if (probe.trimmed().isEmpty()) FUZZ_CHECK(d->result.count == 0);
        if (hiragana) FUZZ_CHECK(d->result.count >= 1);
    }
    return 0;
}
