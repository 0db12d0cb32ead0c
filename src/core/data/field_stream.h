// The comma-separated field stream shared by every text file of the program (problem files,
// base.moj, onkun.txt, JRB3.ini): a comma or a line end ends a field, leading blanks are
// skipped, a field that begins with a double quote runs to the closing quote.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

class FieldStream {
public:
    explicit FieldStream(QString text) : text_(std::move(text)) {}

    // True when nothing but blanks and line ends is left.
    bool atEnd() const;
    // The next field; an empty field with ok = false once the text is used up.
    QString next(bool* ok = nullptr);
    // The rest of the current line as one whole line (without its line end).
    QString nextLine(bool* ok = nullptr);

private:
    QString text_;
    qsizetype pos_ = 0;
};

// Writes one field so that FieldStream reads it back as the same single field: texts with a
// comma or with blanks at either end are quoted; a double quote becomes "＂" and a line break
// a blank, since neither can stand inside a field. Ordinary texts are written as they are.
QString encodeField(const QString& text);

// The fields encoded and joined by single commas.
QString joinFields(const QStringList& fields);
