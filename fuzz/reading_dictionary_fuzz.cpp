// The reading dictionary reader and its two queries on any text. Checks: at most 1100
// records; a grade query finds exactly the records of that grade; a reading query finds only
// records whose reading begins with the text within its first three characters.
#include <cstdint>

#include "data/reading_dictionary.h"
#include "data/text_codec.h"
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
        const QString probe = table.row(1)[kOnField].left(1 + static_cast<int>(size % 3));
        d->queryByReading(probe, true);
        FUZZ_CHECK(probe.isEmpty() ? d->result.count == 0 : d->result.count >= 1);
        for (int r = 1; r <= d->result.count; ++r)
            FUZZ_CHECK(d->result.row(r)[kOnField].left(3).startsWith(probe));
    }
    return 0;
}
