// The comma-separated field stream shared by every text file of the program (problem files,
// base.moj, onkun.txt, JRB3.ini): a comma or a line end ends a field, leading blanks are
// skipped, a field that begins with a double quote runs to the closing quote.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class FieldStream {
public:
    explicit FieldStream(QString text);

    // Where the last field read lay in the text.
    struct Span {
        qsizetype begin = 0;        // first character of the field, blanks and quotes included
        qsizetype end = 0;          // one past its last character, before the separator
        bool plain = false;         // the characters are the field, and encodeField keeps them
        bool endedByComma = false;  // a comma, not a line end or the end of the text, ended it
    };

    // True when nothing but blanks and line ends is left. Constant time.
    bool atEnd() const { return pos_ >= end_; }
    // The next field; an empty field with ok = false once the text is used up.
    QString next(bool* ok = nullptr) { return nextView(ok).toString(); }
    // The same as a view into the stream's text (valid while the stream lives).
    QStringView nextView(bool* ok = nullptr);
    // The rest of the current line as one whole line (without its line end).
    QString nextLine(bool* ok = nullptr);

    const Span& lastSpan() const { return span_; }
    // Characters [begin, end) of the text.
    QStringView view(qsizetype begin, qsizetype end) const {
        return QStringView(text_).sliced(begin, end - begin);
    }

private:
    QString text_;
    qsizetype pos_ = 0;
    qsizetype end_ = 0;  // one past the last character that is neither a blank nor a line end
    Span span_;
};

// Many short texts copied into a few shared buffers: adding one costs a copy of its
// characters but no allocation of its own. The texts handed out are ordinary QStrings (each
// ends in a NUL like any other); changing one detaches it from the buffer. A buffer lives
// until the last text in it is gone.
class TextArena {
public:
    explicit TextArena(qsizetype expectedCharacters = 0);
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    QString add(QStringView text);

private:
    QString chunk_;
    char16_t* base_ = nullptr;
    qsizetype used_ = 0;
    qsizetype capacity_ = 0;
    qsizetype nextChunk_;
};

// Writes one field so that FieldStream reads it back as the same single field: texts with a
// comma or with blanks at either end are quoted; a double quote becomes "＂" and a line break
// a blank, since neither can stand inside a field. Ordinary texts are written as they are.
QString encodeField(const QString& text);

// The fields encoded and joined by single commas.
QString joinFields(const QStringList& fields);
