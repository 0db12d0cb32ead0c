// Joining problem files into one, for the merge window and the command line: the page lines
// of a file, the renumbering of their headings (１０級, ９級, … １級) and the checks of the
// names and suffixes the user gives. It works on the files' lines and never touches a
// workbook.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace filemerge {

enum class Format { Moj, Mojx };

inline QString extension(Format f) {
    return f == Format::Moj ? QStringLiteral(".moj") : QStringLiteral(".mojx");
}
// The format a file name's last three characters tell ("moj" or "ojx"), if any.
std::optional<Format> formatOfName(const QString& fileName);

struct PageLines {
    QStringList lines;
    QString error;  // a sentence for the user when the file could not be read
};
// The page lines of a problem file (code page 932), without line ends; lines that hold
// nothing but blanks carry no page and are left out.
PageLines readPageLines(const QString& path);

// "１０" for 10: the number in full-width digits.
QString fullWidthNumber(int n);
// The first line's heading becomes the highest number, the last line's 1, each followed by
// suffix; the rest of each line, from the comma that ends the heading field on, stays as it
// is. A line whose heading no comma ends keeps its whole text after the number and the
// suffix. A suffix with a comma or blanks at its end gives a quoted heading, which the
// reader takes as one field.
QStringList renumberHeadings(const QStringList& lines, const QString& suffix);
// The first character of a suffix that no heading field can carry: a double quote or a
// control character (a line end would start a new page). Nothing when every one is fine.
std::optional<QChar> unusableSuffixCharacter(const QString& suffix);

// The output name box: the message for the user when the text is no plain file name (empty
// after trimming, a folder separator, "..", a control character); empty when it is, with the
// trimmed name in name.
QString checkOutputName(const QString& text, QString* name);

// Messages shared by the window and the command line.
QString tooManyPagesMessage(const QString& fileName, int pagesWithIt);

}  // namespace filemerge
