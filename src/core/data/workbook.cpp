#include "core/data/workbook.h"

#include <stdexcept>

#include "core/data/field_stream.h"

namespace {

template <typename Table>
typename Table::value_type& rowOf(Table& table, int index, int rows) {
    if (index < 0 || index >= rows) throw std::out_of_range("workbook row");
    if (static_cast<size_t>(index) >= table.size()) table.resize(static_cast<size_t>(index) + 1);
    return table[static_cast<size_t>(index)];
}

}  // namespace

PageRecord& Workbook::page(int index) {
    PageRecord& row = rowOf(pageTable, index, kPageTableRows);
    if (index < kMaxPages) touchedPages.set(static_cast<size_t>(index));
    return row;
}

const PageRecord& Workbook::page(int index) const {
    static const PageRecord empty;
    if (index < 0 || index >= kPageTableRows) throw std::out_of_range("workbook row");
    return static_cast<size_t>(index) < pageTable.size() ? pageTable[static_cast<size_t>(index)] : empty;
}

ExampleRecord& Workbook::example(int index) {
    return rowOf(exampleTable, index, kExampleRows);
}

int pageIndexFromNumber(const QString& rowOneNumber) {
    const QString t = rowOneNumber.trimmed();
    if (t.size() <= 1) return 0;
    return t.left(t.size() - 1).toInt();
}

QString pageNumberText(int pageIndex) {
    return u' ' + QString::number(pageIndex + 1) + u'頁';
}

QString pageLine(const PageRecord& record, const QString& fontName) {
    QStringList fields;
    fields.reserve(kMojxFields);
    for (int i = 0; i < kMojxFields; ++i) {
        if (i == 1)
            fields << QString();
        else if (i == kFontField)
            fields << fontName;
        else
            fields << record[static_cast<size_t>(i)];
    }
    return joinFields(fields);
}
