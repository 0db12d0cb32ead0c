// The text flow on any text. Checks: at most ten rows of at most thirteen characters (ten, a
// surrogate pair's second half, two hanging marks), no line end in a row, the rows in order
// are the text without its line ends (all of it when fewer than ten rows were needed), no
// surrogate pair split between rows, a line break inside a row only before a mark it hangs,
// and within a line a closing mark opens a row only after a row that ends in marks.
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

    // Where each row lies in the text, and whether a line break came right before it (a mark
    // that hangs may come from after a line break that ended the row's own characters).
    qsizetype at = 0;
    const auto skipBreaks = [&] {
        bool skipped = false;
        while (at < text.size() && (text[at] == u'\r' || text[at] == u'\n')) {
            skipped = true;
            ++at;
        }
        return skipped;
    };
    for (qsizetype i = 0; i < rows.size(); ++i) {
        skipBreaks();
        const QString& row = rows[i];
        const bool breakBefore = at > 0 && (text[at - 1] == u'\r' || text[at - 1] == u'\n');
        for (qsizetype k = 0; k < row.size(); ++k) {
            if (k > 0 && skipBreaks()) FUZZ_CHECK(hangsAsSecondMark(row[k]));
            FUZZ_CHECK(at < text.size() && text[at] == row[k]);
            ++at;
        }
        if (i == 0 || row.isEmpty()) continue;
        const QString& prev = rows[i - 1];
        if (!prev.isEmpty()) FUZZ_CHECK(!(prev.back().isHighSurrogate() && row.front().isLowSurrogate()));
        // Within a line, a closing mark opens a row only after a row that ends in marks: it
        // would have hung at the end of a row ending in any other character.
        if (!breakBefore && hangsAsFirstMark(row.front()))
            FUZZ_CHECK(!prev.isEmpty() && hangsAsSecondMark(prev.back()));
    }
    return 0;
}
