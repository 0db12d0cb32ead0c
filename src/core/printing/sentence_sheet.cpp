#include "core/printing/sentence_sheet.h"

#include "core/printing/print_surface.h"
#include "core/printing/reading_sheet.h"

using sheet::putChars;

namespace {
constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;
}  // namespace

QString wordLine(const SheetInput& in, int row) {
    const size_t i = static_cast<size_t>(row);
    const QString word = in.rows.secondWordShown[i] ? in.page.kanji2[i] : in.page.kanji[i];
    return circledNumber(row) + word + (word.isEmpty() ? QString() : QStringLiteral("▼"));
}

QString wordReading(const SheetInput& in, int row) {
    const size_t i = static_cast<size_t>(row);
    return in.rows.secondWordShown[i] ? in.page.reading2[i] : in.page.reading[i];
}

void printSentenceSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in) {
    sheet::setUp(s, layout, sheetFontName(in.options.statusFontName, in.page.fontName));
    const double q = U * in.options.readingSpacing;
    drawReadingFrame(s, layout, in.page.heading, kSentenceTitle, 300);

    if (layout == SheetLayout::CharacterPlaced) {
        s.setFontSize(30);
        for (int r = 1; r <= 10; ++r) putChars(s, wordLine(in, r), 500 + P * (10 - r), 600, 0, q);
        // The reading stands in the word's column, right beside the 30-pt word (600 wide).
        s.setFontSize(15);
        for (int r = 1; r <= 10; ++r) putChars(s, wordReading(in, r), 1100 + P * (10 - r), 1200, 0, 300);
    } else {
        for (int r = 1; r <= 10; ++r) {
            const double j = r - 1;
            const QString line = wordLine(in, r);
            s.setFontSize(in.options.problemFontSize);
            putChars(s, line, 300, 1850 + P * j, q, 0);
            if (line.size() > 1) {
                s.setFontSize(15);
                // Blanks, ASCII and full-width alike, are trimmed from both ends.
                const QString text =
                    QStringLiteral("（") + wordReading(in, r).trimmed() + QStringLiteral("）");
                putChars(s, text, 400, 1500 + P * j, 300, 0);
            }
        }
    }
    sheet::finish(s);
}
