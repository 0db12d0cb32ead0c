#include "printing/dictation_sheet.h"

#include "printing/print_surface.h"

using sheet::putChar;
using sheet::putChars;

namespace {

constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;
constexpr double kHalfU = U / 2;  // 529, the character pitch of the rotated rows
// The rotated rows' readings (15 pt, 300 high) stand on the top of the answer boxes (1550),
// clear of their line.
constexpr double kReadingTop = 1250;

double len(const QString& s) {
    return static_cast<double>(s.size());
}

void characterPlaced(PrintSurface& s, const SheetInput& in) {
    const PrintPage& pg = in.page;
    const SheetOptions& o = in.options;
    const double W = s.pageWidth();

    sheet::rectangleOfLines(s, W - 1200, 200, W - 100, 10500);
    sheet::putHeading(s, pg.heading, W - 700, 500, true, 6000);
    putChar(s, W - 700, 6000, QStringLiteral("名"));
    putChar(s, W - 700, 6500, QStringLiteral("前"));
    s.setFontSize(10);
    putChars(s, kDictationTitle, W - 1000, 500, 0, 300);

    s.setFontSize(35);
    const double w35 = s.textWidth(QStringLiteral("あ"));
    s.setFontSize(20);

    std::array<double, 11> lineLength{};
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double c = 10 - p;
        const QString gap = answerGap(pg.kanji[i].size());
        const QString line = circledNumber(p) + pg.before[i] + gap + pg.after[i];
        lineLength[i] = len(line);
        putChars(s, line, 500 + P * c, 600, 0, 500);
        if (o.answerBoxes && in.rows.kanjiFilled[i]) {
            const double top = 600 + 500 * (1 + len(pg.before[i]));
            s.drawBox(250 + P * c, top, 1250 + P * c, top + 500 * len(gap));
        }
    }

    s.setFontSize(15);
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double c = 10 - p;
        putChars(s, pg.reading[i], 1400 + P * c, 1200 + (2.0 / 3.0) * len(pg.before[i]) * w35, 0, 300);
    }

    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        if (!in.rows.secondWordShown[i]) continue;
        const double c = 10 - p;
        const double L = lineLength[i];
        const double gap2 = len(answerGap(pg.kanji2[i].size()));
        s.setFontSize(20);
        putChars(s, pg.after2[i], 500 + P * c, 600 + 500 * (L + gap2), 0, 500);
        if (o.answerBoxes) s.drawBox(250 + P * c, 600 + 500 * L, 1250 + P * c, 600 + 500 * (L + gap2));
        s.setFontSize(15);
        putChars(s, pg.reading2[i], 1400 + P * c, 1200 + (2.0 / 3.0) * L * w35, 0, 300);
    }

    // The footer runs across the page, not down a column, and stays on the page.
    s.setColumnForms(false);
    sheet::putLineInsidePage(s, pg.heading, W - 1400, 10600, 10);
}

void rotatedFont(PrintSurface& s, const SheetInput& in) {
    const PrintPage& pg = in.page;
    const SheetOptions& o = in.options;
    const double W = s.pageWidth();

    sheet::rectangleOfLines(s, 200, 200, W - 850, 1200);
    sheet::putHeading(s, pg.heading, 230, 230, false, 5130);
    putChar(s, 5130, 300, QStringLiteral("名"));
    putChar(s, 5630, 300, QStringLiteral("前"));
    s.setFontSize(10);
    putChars(s, kDictationTitle, 350, 800, 300, 0);

    s.setFontSize(20);
    const double w20 = s.textWidth(QStringLiteral("あ"));

    // The circled number stands in front of `before` on this layout.
    std::array<QString, 11> b;
    std::array<double, 11> lineLength{};
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double r = p - 1;
        b[i] = circledNumber(p) + pg.before[i];
        const QString gap = answerGap(pg.kanji[i].size());
        const QString line = b[i] + gap + pg.after[i];
        lineLength[i] = len(line);
        putChars(s, line, 300, 1850 + P * r, kHalfU, 0);
        if (o.answerBoxes && in.rows.kanjiFilled[i])
            s.drawBox(200 + kHalfU * len(b[i]), 1550 + P * r, 200 + kHalfU * (len(b[i]) + len(gap)),
                      2550 + P * r);
    }

    s.setFontSize(15);
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        if (pg.reading[i].isEmpty()) continue;
        const QString text = QStringLiteral("（") + pg.reading[i].trimmed() + QStringLiteral("）");
        putChars(s, text, 200 + (5.0 / 4.0) * len(b[i]) * w20, kReadingTop + P * (p - 1), 300, 0);
    }

    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        if (!in.rows.secondWordShown[i]) continue;
        const double r = p - 1;
        const double L = lineLength[i];
        const double gap2 = len(answerGap(pg.kanji2[i].size()));
        s.setFontSize(20);
        putChar(s, 300 + kHalfU * (L + gap2), 1850 + P * r, pg.after2[i]);
        if (o.answerBoxes) s.drawBox(200 + kHalfU * L, 1550 + P * r, 200 + kHalfU * (L + gap2), 2550 + P * r);
        if (pg.reading2[i].isEmpty()) continue;
        s.setFontSize(15);
        const QString text = QStringLiteral("（") + pg.reading2[i].trimmed() + QStringLiteral("）");
        putChars(s, text, 200 + (5.0 / 4.0) * L * w20, kReadingTop + P * r, 300, 0);
    }

    sheet::putLineInsidePage(s, pg.heading, W - 2000, 0, 10);
}

}  // namespace

QString answerGap(qsizetype n) {
    return QString(2 * n, QChar(0x3000));
}

void printDictationSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in) {
    sheet::setUp(s, layout, sheetFontName(in.options.statusFontName, in.page.fontName));
    if (layout == SheetLayout::CharacterPlaced)
        characterPlaced(s, in);
    else
        rotatedFont(s, in);
    sheet::finish(s);
}
