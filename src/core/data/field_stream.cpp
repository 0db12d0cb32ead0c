#include "data/field_stream.h"

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }
}  // namespace

bool FieldStream::atEnd() const {
    for (qsizetype i = pos_; i < text_.size(); ++i)
        if (!isBlank(text_[i]) && !isLineEnd(text_[i])) return false;
    return true;
}

QString FieldStream::next(bool* ok) {
    const qsizetype n = text_.size();
    if (pos_ >= n) {
        if (ok) *ok = false;
        return {};
    }
    if (ok) *ok = true;
    while (pos_ < n && isBlank(text_[pos_])) ++pos_;
    QString field;
    if (pos_ < n && text_[pos_] == u'"') {
        const qsizetype close = text_.indexOf(u'"', pos_ + 1);
        const qsizetype end = close < 0 ? n : close;
        field = text_.mid(pos_ + 1, end - pos_ - 1);
        pos_ = close < 0 ? n : close + 1;
        // Anything between the closing quote and the separator is dropped.
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
    } else {
        const qsizetype start = pos_;
        while (pos_ < n && text_[pos_] != u',' && !isLineEnd(text_[pos_])) ++pos_;
        field = text_.mid(start, pos_ - start);
    }
    if (pos_ < n) {
        if (text_[pos_] == u'\r' && pos_ + 1 < n && text_[pos_ + 1] == u'\n')
            pos_ += 2;
        else
            ++pos_;
    }
    return field;
}

QString FieldStream::nextLine(bool* ok) {
    const qsizetype n = text_.size();
    if (pos_ >= n) {
        if (ok) *ok = false;
        return {};
    }
    if (ok) *ok = true;
    const qsizetype start = pos_;
    while (pos_ < n && !isLineEnd(text_[pos_])) ++pos_;
    QString line = text_.mid(start, pos_ - start);
    if (pos_ < n) pos_ += (text_[pos_] == u'\r' && pos_ + 1 < n && text_[pos_ + 1] == u'\n') ? 2 : 1;
    return line;
}

QString encodeField(const QString& text) {
    if (text.isEmpty()) return text;
    bool special = false;
    for (QChar c : text)
        if (c == u'"' || c == u',' || isLineEnd(c)) special = true;
    if (!special && !isBlank(text.front()) && !isBlank(text.back())) return text;
    QString t = text;
    for (QChar& c : t) {
        if (c == u'"')
            c = QChar(0xFF02);
        else if (isLineEnd(c))
            c = u' ';
    }
    if (t.contains(u',') || isBlank(t.front()) || isBlank(t.back()))
        return u'"' + t + u'"';
    return t;
}

QString joinFields(const QStringList& fields) {
    QString out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i) out += u',';
        out += encodeField(fields[i]);
    }
    return out;
}
