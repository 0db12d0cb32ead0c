#include "core/printing/job_title.h"

QString shortJobTitle(const QString& text, qsizetype maxChars) {
    // Where the characters end: a surrogate pair is one character.
    const auto next = [&](qsizetype i) {
        return (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? i + 2
                                                                                                  : i + 1;
    };
    qsizetype end = 0, chars = 0, cut = 0;
    while (end < text.size() && chars <= maxChars) {
        if (chars == maxChars - 1) cut = end;
        end = next(end);
        ++chars;
    }
    const bool tooLong = chars > maxChars;
    QString out = tooLong ? text.left(cut) : text;
    for (QChar& c : out)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
    if (tooLong) out += u'…';
    return out;
}
