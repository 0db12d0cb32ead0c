// The text flow on any text. Checks: at most ten rows; a row holds no line end, and past its
// first ten characters (eleven when the tenth is a surrogate pair's first half) only closing
// marks; the rows in order and then what was left over are the text without its line ends;
// no surrogate pair split between rows; a line break inside a row only before a mark that
// hangs; within a line, no row after the first opens with a closing mark (a run of them
// hangs on the row before, whatever its length).
#include <cstdint>

#include "core/paper/text_flow.h"
#include "fuzz_check.h"

namespace {

QString withoutLineEnds(QString s) {
    return s.remove(u'\r').remove(u'\n');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const FlowedText flowed = flowText(text);
    const QStringList& rows = flowed.rows;
    FUZZ_CHECK(rows.size() <= kFlowRows);
    if (rows.size() < kFlowRows) FUZZ_CHECK(flowed.rest.isEmpty());

    QString poured;
    for (const QString& row : rows) {
        FUZZ_CHECK(!row.contains(u'\r') && !row.contains(u'\n'));
        for (qsizetype k = kFlowRowLength + 1; k < row.size(); ++k) FUZZ_CHECK(isClosingMark(row[k]));
        poured += row;
    }
    FUZZ_CHECK(poured + withoutLineEnds(flowed.rest) == withoutLineEnds(text));

    // Where each row lies in the text.
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
            if (k > 0 && skipBreaks()) FUZZ_CHECK(isClosingMark(row[k]));
            FUZZ_CHECK(at < text.size() && text[at] == row[k]);
            ++at;
        }
        if (i == 0 || row.isEmpty()) continue;
        const QString& prev = rows[i - 1];
        if (!prev.isEmpty()) FUZZ_CHECK(!(prev.back().isHighSurrogate() && row.front().isLowSurrogate()));
        if (!breakBefore) FUZZ_CHECK(!isClosingMark(row.front()));
    }
    return 0;
}
