#include "core/printing/character_list.h"

#include "core/data/reading_dictionary.h"
#include "core/printing/print_surface.h"
#include "core/printing/sheet_common.h"

namespace {

constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;

QStringList characters(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out << text.mid(i, n);
        i += n;
    }
    return out;
}

// The tracing sheet's landscape frame and grid; line r of the page in the column of
// squares r from the right.
void characterPlaced(PrintSurface& s, const QStringList& pageLines) {
    const double W = s.pageWidth();
    sheet::rectangleOfLines(s, W - 1200, 200, W - 100, 10500);
    sheet::putChar(s, W - 1000, 6000, QStringLiteral("名"));
    sheet::putChar(s, W - 1000, 6500, QStringLiteral("前"));
    sheet::putChars(s, kCharacterListTitle, W - 1000, 500, 0, 500);

    for (int r = 0; r <= 11; ++r) s.drawLine(0, U * r, 14 * U, U * r);
    for (int c = 0; c <= 10; ++c) {
        s.drawLine(P * c, 0, P * c, 11 * U - 1050);
        s.drawLine(P * c - 0.4 * U, 0, P * c - 0.4 * U, 11 * U - 1050);
    }

    // The columns of squares start at P·c from the left edge, as the grid does.
    s.setFontSize(kCharacterListSize);
    for (qsizetype r = 0; r < pageLines.size(); ++r) {
        const double x = 100 + P * static_cast<double>(9 - r);
        const QStringList chars = characters(pageLines[r].trimmed());
        for (qsizetype k = 0; k < chars.size(); ++k)
            sheet::putChar(s, x, 100 + 1050 * static_cast<double>(k), chars[k]);
    }
}

// The tracing sheet's portrait frame and grid; line r of the page in band r from the top.
void rotatedFont(PrintSurface& s, const QStringList& pageLines) {
    const double W = s.pageWidth();
    sheet::rectangleOfLines(s, 200, 200, W - 850, 1200);
    sheet::putChar(s, 5130, 300, QStringLiteral("名"));
    sheet::putChar(s, 5630, 300, QStringLiteral("前"));
    sheet::putChars(s, kCharacterListTitle, 230, 230, 500, 0);

    for (int i = 0; i <= 10; ++i) {
        s.drawLine(200, 1400 + P * i, 200 + 10 * U, 1400 + P * i);
        s.drawLine(200, 1800 + P * i, 200 + 10 * U, 1800 + P * i);
    }
    for (int i = 0; i <= 10; ++i) s.drawLine(200 + U * i, 1400, 200 + U * i, 1400 + 14 * U);

    s.setFontSize(kCharacterListSize);
    for (qsizetype r = 0; r < pageLines.size(); ++r) {
        const QStringList chars = characters(pageLines[r].trimmed());
        for (qsizetype k = 0; k < chars.size(); ++k)
            sheet::putChar(s, 300 + U * static_cast<double>(k), 1850 + P * static_cast<double>(r), chars[k]);
    }
}

}  // namespace

int characterListPages(const QStringList& lines) {
    qsizetype last = -1;
    for (qsizetype r = 0; r < lines.size(); ++r)
        if (!lines[r].trimmed().isEmpty()) last = r;
    return last < 0 ? 1 : static_cast<int>(last / kCharacterListLinesPerPage) + 1;
}

void drawCharacterList(PrintSurface& s, const QStringList& lines, const QString& statusFontName,
                       const QString& pageFontName) {
    const QString font = sheetFontName(statusFontName, pageFontName);
    const SheetLayout layout = layoutForFont(font);
    const int pages = characterListPages(lines);
    for (int p = 0; p < pages; ++p) {
        if (p > 0) s.newPage();
        sheet::setUp(s, layout, font);
        const QStringList pageLines = lines.mid(p * kCharacterListLinesPerPage, kCharacterListLinesPerPage);
        if (layout == SheetLayout::CharacterPlaced)
            characterPlaced(s, pageLines);
        else
            rotatedFont(s, pageLines);
        sheet::finish(s);
    }
}

QStringList gradeTableLines(const DictionaryTable& list) {
    QStringList lines;
    for (int first = 1; first <= list.count; first += 10) {
        QString line;
        for (int r = first; r < first + 10 && r <= list.count; ++r) line += list.row(r)[kKanjiField];
        lines << line;
    }
    return lines;
}
