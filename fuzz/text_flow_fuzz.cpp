// The text flow on any text. Checks: at most ten rows of at most thirteen characters (ten, a
// surrogate pair's second half, two hanging marks), no line end in a row, the rows in order
// are the text without its line ends (all of it when fewer than ten rows were needed), no
// surrogate pair split between rows, and a closing mark opens a row only when the row before
// already took two hanging marks.
#include <cstdint>

#include "fuzz_check.h"
#include "paper/text_flow.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList rows = flowText(text);
    FUZZ_CHECK(rows.size() <= kFlowRows);

    QString poured;
    for (const QString& row : rows) {
        FUZZ_CHECK(row.size() <= kFlowRowLength + 3);
        FUZZ_CHECK(!row.contains(u'\r') && !row.contains(u'\n'));
        poured += row;
    }
    QString flat = text;
    flat.remove(u'\r').remove(u'\n');
    FUZZ_CHECK(flat.startsWith(poured));
    if (rows.size() < kFlowRows) FUZZ_CHECK(poured == flat);

    for (qsizetype i = 1; i < rows.size(); ++i) {
        const QString& prev = rows[i - 1];
        const QString& row = rows[i];
        if (!prev.isEmpty() && !row.isEmpty())
            FUZZ_CHECK(!(prev.back().isHighSurrogate() && row.front().isLowSurrogate()));
        if (!row.isEmpty() && hangsAsFirstMark(row.front())) {
            FUZZ_CHECK(prev.size() >= 2);
            FUZZ_CHECK(hangsAsFirstMark(prev[prev.size() - 2]) && hangsAsSecondMark(prev.back()));
        }
    }
    return 0;
}
