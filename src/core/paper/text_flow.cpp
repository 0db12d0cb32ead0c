#include "core/paper/text_flow.h"

namespace {

// Length of the line break at pos (0 when there is none).
qsizetype breakAt(const QString& s, qsizetype pos) {
    if (pos >= s.size()) return 0;
    if (s[pos] == u'\r') return pos + 1 < s.size() && s[pos + 1] == u'\n' ? 2 : 1;
    return s[pos] == u'\n' ? 1 : 0;
}

const QString kClosingMarks = QStringLiteral(
    "、。，．・：；！？‼⁇⁈⁉"
    "」』）］｝〕〉》】〙〗〟”’"
    "､｡｣,.:;!?)]}");

}  // namespace

bool isClosingMark(QChar c) {
    return kClosingMarks.contains(c);
}

qsizetype flowCharacterCount(const QString& text) {
    qsizetype n = 0;
    for (QChar c : text)
        if (c != u'\r' && c != u'\n' && !c.isLowSurrogate()) ++n;
    return n;
}

FlowedText flowText(const QString& text) {
    FlowedText out;
    qsizetype pos = 0;  // start of the text still to pour
    const qsizetype n = text.size();
    while (out.rows.size() < kFlowRows && pos < n) {
        // A line break within the first ten characters ends the row there.
        qsizetype len = 0;
        while (len < kFlowRowLength && pos + len < n && breakAt(text, pos + len) == 0) ++len;
        // Never split a surrogate pair.
        if (len == kFlowRowLength && pos + len < n && text[pos + len - 1].isHighSurrogate()) ++len;
        QString row = text.mid(pos, len);
        pos += len;
        const qsizetype br = len < kFlowRowLength ? breakAt(text, pos) : 0;
        pos += br;
        // The closing marks at the start of what is left hang at the end of this row.
        bool hung = false;
        while (pos < n && isClosingMark(text[pos])) {
            row += text[pos++];
            hung = true;
        }
        // A row that ran to the end of its line takes the line break with it, so a line of
        // exactly ten characters leaves no empty row behind.
        if (br == 0 || hung) pos += breakAt(text, pos);
        out.rows << row;
    }
    out.rest = text.mid(pos);
    // Line breaks alone are nothing left over.
    if (flowCharacterCount(out.rest) == 0) out.rest.clear();
    return out;
}
