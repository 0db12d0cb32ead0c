#include "core/data/field_stream.h"

#include <algorithm>
#include <cstring>

namespace {
bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(char16_t c) {
    return c == u'\r' || c == u'\n';
}
}  // namespace

FieldStream::FieldStream(QString text) : text_(std::move(text)) {
    // Found once, so that the end-of-file check before every record does not walk the
    // blank lines at the end of the file again and again.
    const char16_t* t = reinterpret_cast<const char16_t*>(text_.constData());
    end_ = text_.size();
    while (end_ > 0 && (isBlank(t[end_ - 1]) || isLineEnd(t[end_ - 1]))) --end_;
}

QStringView FieldStream::nextView(bool* ok) {
    const qsizetype n = text_.size();
    const char16_t* t = reinterpret_cast<const char16_t*>(text_.constData());
    if (pos_ >= n) {
        if (ok) *ok = false;
        span_ = Span{n, n, false, false};
        return {};
    }
    if (ok) *ok = true;
    const qsizetype begin = pos_;
    while (pos_ < n && isBlank(t[pos_])) ++pos_;
    bool plain = pos_ == begin;
    qsizetype valueBegin = pos_;
    qsizetype valueEnd;
    if (pos_ < n && t[pos_] == u'"') {
        plain = false;
        const char16_t* close = std::char_traits<char16_t>::find(t + pos_ + 1, n - pos_ - 1, u'"');
        valueBegin = pos_ + 1;
        valueEnd = close ? close - t : n;
        pos_ = close ? valueEnd + 1 : n;
        // Anything between the closing quote and the separator is dropped.
        while (pos_ < n && t[pos_] != u',' && !isLineEnd(t[pos_])) ++pos_;
    } else {
        while (pos_ < n) {
            const char16_t c = t[pos_];
            if (c > u',') {  // most characters: not a separator, a quote or a line end
                ++pos_;
                continue;
            }
            if (c == u',' || isLineEnd(c)) break;
            if (c == u'"') plain = false;
            ++pos_;
        }
        valueEnd = pos_;
        if (valueEnd > valueBegin && isBlank(t[valueEnd - 1])) plain = false;
    }
    span_.begin = begin;
    span_.end = pos_;
    span_.plain = plain;
    span_.endedByComma = pos_ < n && t[pos_] == u',';
    if (pos_ < n) pos_ += (t[pos_] == u'\r' && pos_ + 1 < n && t[pos_ + 1] == u'\n') ? 2 : 1;
    return QStringView(t + valueBegin, valueEnd - valueBegin);
}

QString FieldStream::nextLine(bool* ok) {
    const qsizetype n = text_.size();
    if (pos_ >= n) {
        if (ok) *ok = false;
        return {};
    }
    if (ok) *ok = true;
    const char16_t* t = reinterpret_cast<const char16_t*>(text_.constData());
    const qsizetype start = pos_;
    while (pos_ < n && !isLineEnd(t[pos_])) ++pos_;
    QString line = text_.mid(start, pos_ - start);
    if (pos_ < n) pos_ += (t[pos_] == u'\r' && pos_ + 1 < n && t[pos_ + 1] == u'\n') ? 2 : 1;
    return line;
}

namespace {
constexpr qsizetype kArenaChunk = 32 * 1024;  // characters
constexpr qsizetype kArenaFirstChunkMax = 1024 * 1024;
}  // namespace

TextArena::TextArena(qsizetype expectedCharacters)
    : nextChunk_(std::clamp<qsizetype>(expectedCharacters, kArenaChunk, kArenaFirstChunkMax)) {}

QString TextArena::add(QStringView text) {
    const qsizetype n = text.size();
    if (n == 0) return QString();
    if (used_ + n + 1 > capacity_) {
        capacity_ = std::max(nextChunk_, n + 1);
        nextChunk_ = kArenaChunk;
        chunk_ = QString(capacity_, Qt::Uninitialized);
        base_ = reinterpret_cast<char16_t*>(chunk_.data());  // not shared yet: no copy
        used_ = 0;
    }
    char16_t* at = base_ + used_;
    std::memcpy(at, text.data(), static_cast<size_t>(n) * sizeof(char16_t));
    at[n] = u'\0';
    used_ += n + 1;
    // A QString over characters [at, at + n) of the chunk, holding a reference to it (the
    // copy of the data pointer takes one). The chunk is shared from here on, so neither this
    // text nor the chunk is changed in place while the other lives; the arena writes only
    // past the texts it handed out, through base_.
    QString::DataPointer d = chunk_.data_ptr();
    d.ptr = at;
    d.size = n;
    return QString(std::move(d));
}

QString encodeField(const QString& text) {
    if (text.isEmpty()) return text;
    bool special = false;
    for (QChar c : text)
        if (c == u'"' || c == u',' || isLineEnd(c.unicode())) special = true;
    if (!special && !isBlank(text.front().unicode()) && !isBlank(text.back().unicode())) return text;
    QString t = text;
    for (QChar& c : t) {
        if (c == u'"')
            c = QChar(0xFF02);
        else if (isLineEnd(c.unicode()))
            c = u' ';
    }
    if (t.contains(u',') || isBlank(t.front().unicode()) || isBlank(t.back().unicode()))
        return u'"' + t + u'"';
    return t;
}

QString joinFields(const QStringList& fields) {
    qsizetype size = fields.size();
    for (const QString& f : fields) size += f.size() + 2;
    QString out;
    out.reserve(size);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) out += u',';
        out += encodeField(fields[i]);
    }
    return out;
}
