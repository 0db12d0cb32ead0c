#include "core/printing/dictation_sheet.h"

#include <algorithm>

#include "core/printing/grade_notes.h"
#include "core/printing/print_surface.h"

using sheet::putChar;
using sheet::putChars;

namespace {

constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;
constexpr double kHalfU = U / 2;  // 529, the character pitch of the rotated rows
// The rotated rows' readings (15 pt, 300 high) stand on the top of the answer boxes (1550),
// clear of their line.
constexpr double kReadingTop = 1250;
// Where the lines of the sheet end: the foot of the heading strip (landscape), the right end
// of the strip (portrait, from the page width).
constexpr double kColumnEnd = 10500;
constexpr double kRowEndFromRight = 850;

double len(const QString& s) {
    return static_cast<double>(s.size());
}

constexpr int kRed = 0x0000FF;  // 0xBBGGRR
// Furigana beside an unlearned kanji: smaller than the answer's reading (15 pt).
constexpr double kRubySize = 10;
// Between the sentence and its furigana; more on the rotated rows, whose turned glyphs reach
// above the top of their cell.
constexpr double kRubyGap = 40;
constexpr double kRotatedRubyGap = 120;
// The answer key's kanji, in the middle of their two cells of the box (1000 across).
constexpr double kAnswerSize = 36;

// Where a character of one of the row's texts stands in its line, from the first cell: before
// after the circled number, after behind the answer gap, after2 behind the second gap.
double lineIndex(const PrintPage& pg, size_t i, ProblemText t, double lineLength) {
    switch (t) {
    case ProblemText::Before: return 1;
    case ProblemText::After: return 1 + len(pg.before[i]) + len(answerGap(pg.kanji[i].size()));
    case ProblemText::After2: return lineLength + len(answerGap(pg.kanji2[i].size()));
    default: return 0;
    }
}

// How one problem's line fits its column: at the sheet's own pitch when it can, else every
// cell of the line (texts, gaps and boxes) closer together and its characters smaller, so the
// whole line ends where the sheet's lines end. A scale of 1 is the sheet as drawn everywhere.
struct LineFit {
    double pitch;  // between the cells of the line
    double scale;  // of the characters and of the reading's offsets
};

// Closer together down to half the sheet's pitch (10 pt characters, cells a child can still
// write in); a line longer than that runs off the sheet, and the print command has listed it
// for the teacher before printing.
constexpr double kSmallestScale = 0.5;

LineFit fitLine(double cells, double start, double pitch, double end) {
    if (start + pitch * cells <= end) return {pitch, 1};
    const double fitted = std::max((end - start) / cells, pitch * kSmallestScale);
    return {fitted, fitted / pitch};
}

// A reading of n characters from `from` at `step` apart, closer together (and smaller) when
// it would pass `end`. Returns the step; size is scaled with it.
double fitReading(double from, double step, qsizetype n, double end, double& size) {
    if (n == 0 || from + step * static_cast<double>(n) <= end) return step;
    const double fitted = std::max(std::max(0.0, end - from) / static_cast<double>(n), step * kSmallestScale);
    size *= fitted / step;
    return fitted;
}

// The cells a row takes: its line, and the second word's gap and after-text when shown.
double rowCells(const SheetInput& in, size_t i, double lineLength) {
    if (!in.rows.secondWordShown[i]) return lineLength;
    return lineLength + len(answerGap(in.page.kanji2[i].size())) + len(in.page.after2[i]);
}

void characterPlaced(PrintSurface& s, const SheetInput& in) {
    const PrintPage& pg = in.page;
    const SheetOptions& o = in.options;
    const double W = s.pageWidth();

    sheet::rectangleOfLines(s, W - 1200, 200, W - 100, kColumnEnd);
    sheet::putHeading(s, pg.heading, W - 700, 500, true, 6000);
    putChar(s, W - 700, 6000, QStringLiteral("名"));
    putChar(s, W - 700, 6500, QStringLiteral("前"));
    s.setFontSize(10);
    putChars(s, kDictationTitle, W - 1000, 500, 0, 300);

    s.setFontSize(35);
    const double w35 = s.textWidth(QStringLiteral("あ"));
    s.setFontSize(20);

    std::array<double, 11> lineLength{};
    std::array<LineFit, 11> fit{};
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double c = 10 - p;
        const QString gap = answerGap(pg.kanji[i].size());
        const QString line = circledNumber(p) + pg.before[i] + gap + pg.after[i];
        lineLength[i] = len(line);
        const LineFit f = fit[i] = fitLine(rowCells(in, i, lineLength[i]), 600, 500, kColumnEnd);
        // Smaller characters stay centred on the column.
        s.setFontSize(20 * f.scale);
        putChars(s, line, 500 + P * c + 200 * (1 - f.scale), 600, 0, f.pitch);
        if (o.answerBoxes && in.rows.kanjiFilled[i]) {
            const double top = 600 + f.pitch * (1 + len(pg.before[i]));
            s.drawBox(250 + P * c, top, 1250 + P * c, top + f.pitch * len(gap));
        }
    }

    // The furigana of unlearned kanji stand just right of their column, beside the sentence;
    // the answers' boxes (wider than the column) and their readings further right are kept clear:
    // the lane of each column leaves out the stretches of its gaps.
    std::array<Lane, 11> lanes;
    lanes.fill(Lane(600, kColumnEnd));
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double top = 600 + fit[i].pitch * (1 + len(pg.before[i]));
        lanes[i].occupy(top, top + fit[i].pitch * len(answerGap(pg.kanji[i].size())));
        if (in.rows.secondWordShown[i])
            lanes[i].occupy(600 + fit[i].pitch * lineLength[i],
                            600 + fit[i].pitch * (lineLength[i] + len(answerGap(pg.kanji2[i].size()))));
    }
    const auto putReading = [&](const QString& reading, double c, double offset, double scale) {
        if (reading.isEmpty()) return;
        double size = 15 * scale;
        const double from = 600 + scale * (600 + offset);
        const double step = fitReading(from, 300 * scale, reading.size(), kColumnEnd, size);
        s.setFontSize(size);
        putChars(s, reading, 1400 + P * c, from, 0, step);
    };
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        putReading(pg.reading[i], 10 - p, (2.0 / 3.0) * len(pg.before[i]) * w35, fit[i].scale);
    }

    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        if (!in.rows.secondWordShown[i]) continue;
        const double c = 10 - p;
        const double L = lineLength[i];
        const LineFit f = fit[i];
        const double gap2 = len(answerGap(pg.kanji2[i].size()));
        s.setFontSize(20 * f.scale);
        putChars(s, pg.after2[i], 500 + P * c + 200 * (1 - f.scale), 600 + f.pitch * (L + gap2), 0, f.pitch);
        if (o.answerBoxes)
            s.drawBox(250 + P * c, 600 + f.pitch * L, 1250 + P * c, 600 + f.pitch * (L + gap2));
        putReading(pg.reading2[i], c, (2.0 / 3.0) * L * w35, f.scale);
    }

    for (int p = 1; p <= 10 && in.notes; ++p) {
        const size_t i = static_cast<size_t>(p);
        const LineFit f = fit[i];
        for (const Ruby& ruby : in.notes->ruby[i]) {
            if (ruby.text == ProblemText::After2 && !in.rows.secondWordShown[i]) continue;
            // The middle of the kanji's cells (400 high at 20 pt) down the line.
            const double k = lineIndex(pg, i, ruby.text, lineLength[i]) + static_cast<double>(ruby.index);
            const double centre =
                600 + f.pitch * (k + (static_cast<double>(ruby.length) - 1) / 2) + 200 * f.scale;
            const Lane::Placement at = lanes[i].place(centre, ruby.reading.size(), kRubySize * 20 * f.scale);
            s.setFontSize(kRubySize * f.scale * at.scale);
            // The column's characters end at 500 + 400 (20 pt), moved in when smaller.
            putChars(s, ruby.reading, 500 + P * (10 - p) + 200 + 200 * f.scale + kRubyGap, at.from, 0,
                     at.step);
        }
    }

    if (o.answerKey) {
        s.setForeColor(kRed);
        for (int p = 1; p <= 10; ++p) {
            const size_t i = static_cast<size_t>(p);
            const LineFit f = fit[i];
            const double size = kAnswerSize * f.scale;
            s.setFontSize(size);
            // Each kanji in the middle of its two cells, the box's middle across.
            const auto putAnswer = [&](const QString& word, double firstCell) {
                for (qsizetype k = 0; k < word.size(); ++k)
                    putChar(s, 750 + P * (10 - p) - size * 10,
                            600 + f.pitch * (firstCell + 2 * static_cast<double>(k) + 1) - size * 10,
                            word.mid(k, 1));
            };
            putAnswer(pg.kanji[i], 1 + len(pg.before[i]));
            if (in.rows.secondWordShown[i]) putAnswer(pg.kanji2[i], lineLength[i]);
        }
        s.setForeColor(0);
    }

    // The footer runs across the page, not down a column, and stays on the page.
    s.setColumnForms(false);
    sheet::putLineInsidePage(s, pg.heading, W - 1400, 10600, 10);
}

void rotatedFont(PrintSurface& s, const SheetInput& in) {
    const PrintPage& pg = in.page;
    const SheetOptions& o = in.options;
    const double W = s.pageWidth();
    const double rowEnd = W - kRowEndFromRight;

    sheet::rectangleOfLines(s, 200, 200, rowEnd, 1200);
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
    std::array<LineFit, 11> fit{};
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double r = p - 1;
        b[i] = circledNumber(p) + pg.before[i];
        const QString gap = answerGap(pg.kanji[i].size());
        const QString line = b[i] + gap + pg.after[i];
        lineLength[i] = len(line);
        const LineFit f = fit[i] = fitLine(rowCells(in, i, lineLength[i]), 200, kHalfU, rowEnd);
        // Smaller characters stay centred on the row.
        s.setFontSize(20 * f.scale);
        putChars(s, line, 200 + 100 * f.scale, 1850 + P * r + 200 * (1 - f.scale), f.pitch, 0);
        if (o.answerBoxes && in.rows.kanjiFilled[i])
            s.drawBox(200 + f.pitch * len(b[i]), 1550 + P * r, 200 + f.pitch * (len(b[i]) + len(gap)),
                      2550 + P * r);
    }

    // Furigana stand just above their row, beside the sentence, clear of the answers' boxes
    // (taller than the row); the answers' readings stand above the boxes.
    std::array<Lane, 11> lanes;
    lanes.fill(Lane(200, rowEnd));
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double from = 200 + fit[i].pitch * len(b[i]);
        lanes[i].occupy(from, from + fit[i].pitch * len(answerGap(pg.kanji[i].size())));
        if (in.rows.secondWordShown[i])
            lanes[i].occupy(200 + fit[i].pitch * lineLength[i],
                            200 + fit[i].pitch * (lineLength[i] + len(answerGap(pg.kanji2[i].size()))));
    }
    const auto putReading = [&](const QString& reading, double r, double offset, double scale) {
        if (reading.isEmpty()) return;
        const QString text = QStringLiteral("（") + reading.trimmed() + QStringLiteral("）");
        double size = 15 * scale;
        const double from = 200 + scale * offset;
        const double step = fitReading(from, 300 * scale, text.size(), rowEnd, size);
        s.setFontSize(size);
        putChars(s, text, from, kReadingTop + P * r, step, 0);
    };
    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        putReading(pg.reading[i], p - 1, (5.0 / 4.0) * len(b[i]) * w20, fit[i].scale);
    }

    for (int p = 1; p <= 10; ++p) {
        const size_t i = static_cast<size_t>(p);
        if (!in.rows.secondWordShown[i]) continue;
        const double r = p - 1;
        const double L = lineLength[i];
        const LineFit f = fit[i];
        const double gap2 = len(answerGap(pg.kanji2[i].size()));
        s.setFontSize(20 * f.scale);
        putChar(s, 200 + 100 * f.scale + f.pitch * (L + gap2), 1850 + P * r + 200 * (1 - f.scale),
                pg.after2[i]);
        if (o.answerBoxes)
            s.drawBox(200 + f.pitch * L, 1550 + P * r, 200 + f.pitch * (L + gap2), 2550 + P * r);
        putReading(pg.reading2[i], r, (5.0 / 4.0) * L * w20, f.scale);
    }

    for (int p = 1; p <= 10 && in.notes; ++p) {
        const size_t i = static_cast<size_t>(p);
        const double r = p - 1;
        const LineFit f = fit[i];
        for (const Ruby& ruby : in.notes->ruby[i]) {
            if (ruby.text == ProblemText::After2 && !in.rows.secondWordShown[i]) continue;
            const double first = lineIndex(pg, i, ruby.text, lineLength[i]);
            const double k = static_cast<double>(ruby.index) + (static_cast<double>(ruby.length) - 1) / 2;
            // The middle of the kanji's cells (400 across at 20 pt) along the row; after2 is
            // printed as one string, its characters 400 apart.
            const double centre =
                ruby.text == ProblemText::After2
                    ? 200 + 100 * f.scale + f.pitch * first + 400 * f.scale * k + 200 * f.scale
                    : 200 + 100 * f.scale + f.pitch * (first + k) + 200 * f.scale;
            const Lane::Placement at = lanes[i].place(centre, ruby.reading.size(), kRubySize * 20 * f.scale);
            const double size = kRubySize * f.scale * at.scale;
            s.setFontSize(size);
            // The row's characters start at 1850 (20 pt), moved down when smaller.
            putChars(s, ruby.reading, at.from,
                     1850 + P * r + 200 * (1 - f.scale) - kRotatedRubyGap - size * 20, at.step, 0);
        }
    }

    if (o.answerKey) {
        s.setForeColor(kRed);
        for (int p = 1; p <= 10; ++p) {
            const size_t i = static_cast<size_t>(p);
            const double r = p - 1;
            const LineFit f = fit[i];
            const double size = kAnswerSize * f.scale;
            s.setFontSize(size);
            // Each kanji in the middle of its two cells, the box's middle down (1550 to 2550).
            const auto putAnswer = [&](const QString& word, double firstCell) {
                for (qsizetype k = 0; k < word.size(); ++k)
                    putChar(s, 200 + f.pitch * (firstCell + 2 * static_cast<double>(k) + 1) - size * 10,
                            2050 + P * r - size * 10, word.mid(k, 1));
            };
            putAnswer(pg.kanji[i], len(b[i]));
            if (in.rows.secondWordShown[i]) putAnswer(pg.kanji2[i], lineLength[i]);
        }
        s.setForeColor(0);
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
