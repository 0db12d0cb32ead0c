// The CSV reader on any bytes. Checks: the records, written again as the exporter writes
// fields and read back, are the same records; a refused file leaves the workbook untouched;
// a file that reads gives 1 to 201 pages whose lines are what their fields give, the rows
// left out are listed in the order of their lines; and the workbook read, exported to CSV
// and imported again, is the same workbook with every row taken.
#include <cstdint>
#include <memory>

#include "core/data/field_stream.h"
#include "core/data/workbook.h"
#include "core/data/workbook_csv.h"
#include "fuzz_check.h"

using namespace workbookcsv;

namespace {

// Two workbooks for every run (a fresh one costs its 2001 empty pages each time).
Workbook& scratch(int which) {
    static auto books = std::make_unique<std::array<Workbook, 2>>();
    Workbook& wb = (*books)[static_cast<size_t>(which)];
    wb.headingList.clear();
    wb.pageCount = 0;
    for (QString& line : wb.pageLines) line.clear();
    return wb;
}

void checkRecordsRoundTrip(const QString& text) {
    std::vector<CsvRecord> records;
    CsvReader reader(text);
    CsvRecord r;
    int lastLine = 0;
    while (reader.next(r)) {
        FUZZ_CHECK(r.line > lastLine);
        lastLine = r.line;
        FUZZ_CHECK(r.fields.size() >= 1 && r.fields.size() <= kMaxColumns);
        if (r.unclosedQuote || r.droppedFields) return;  // nothing to write back
        records.push_back(r);
    }
    QString again;
    for (const CsvRecord& rec : records) {
        QStringList quoted;
        for (const QString& f : rec.fields) quoted << quoteField(f);
        again += quoted.join(u',') + QStringLiteral("\r\n");
    }
    CsvReader second(again);
    size_t i = 0;
    while (second.next(r)) {
        FUZZ_CHECK(i < records.size());
        FUZZ_CHECK(r.fields == records[i].fields);
        FUZZ_CHECK(!r.unclosedQuote);
        ++i;
    }
    FUZZ_CHECK(i == records.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DecodedCsv decoded = decodeCsvBytes(bytes);
    FUZZ_CHECK(decoded.error.isEmpty() != decoded.encoding.isEmpty());
    if (decoded.error.isEmpty()) checkRecordsRoundTrip(decoded.text);

    Workbook& wb = scratch(0);
    const CsvImport r = importCsv(bytes, QStringLiteral("fuzz"), wb);
    if (!r.ok()) {
        FUZZ_CHECK(wb.pageCount == 0 && wb.headingList.isEmpty() && wb.pageLines[0].isEmpty());
        return 0;
    }
    FUZZ_CHECK(r.rowsRead >= 1);
    FUZZ_CHECK(r.pages >= 1 && r.pages <= kMaxPages && r.pages == wb.pageCount);
    FUZZ_CHECK(wb.headingList.size() == wb.pageCount);
    FUZZ_CHECK(r.rowsRead <= 10 * r.pages);
    FUZZ_CHECK(static_cast<int>(r.rejected.size()) == std::min(r.rejectedCount, kMaxListedRows));
    for (size_t i = 0; i < r.rejected.size(); ++i) {
        FUZZ_CHECK(r.rejected[i].line >= 1 && !r.rejected[i].reason.isEmpty());
        if (i) FUZZ_CHECK(r.rejected[i].line > r.rejected[i - 1].line);
    }
    for (int p = 0; p < wb.pageCount; ++p) {
        const PageRecord& page = wb.page(p);
        FUZZ_CHECK(wb.pageLines[static_cast<size_t>(p)] == pageLine(page, page[kFontField]));
        FUZZ_CHECK(wb.headingList[p] == page[kHeadingField]);
        FieldStream in(wb.pageLines[static_cast<size_t>(p)]);
        for (int i = 0; i < kMojxFields; ++i) FUZZ_CHECK(in.next() == page[static_cast<size_t>(i)]);
    }

    Workbook& back = scratch(1);
    const CsvImport again = importCsv(workbookToCsv(wb), QStringLiteral("fuzz"), back);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.kind == CsvKind::Workbook && again.encoding == QStringLiteral("UTF-8"));
    FUZZ_CHECK(again.rejectedCount == 0);
    FUZZ_CHECK(again.rowsRead == 10 * wb.pageCount);
    FUZZ_CHECK(back.pageCount == wb.pageCount && back.headingList == wb.headingList);
    for (int p = 0; p < wb.pageCount; ++p) {
        FUZZ_CHECK(back.pageLines[static_cast<size_t>(p)] == wb.pageLines[static_cast<size_t>(p)]);
        FUZZ_CHECK(back.page(p) == wb.page(p));
    }
    return 0;
}
