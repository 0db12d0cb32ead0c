#include "core/printing/reading_sheet.h"

#include <algorithm>

#include "core/printing/grade_notes.h"
#include "core/printing/print_surface.h"

using sheet::putChar;
using sheet::putChars;

namespace {

constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;
constexpr int kRed = 0x0000FF;  // 0xBBGGRR

// Sizes beside a line of `size` points: the answer key's readings and the furigana of unlearned
// kanji, never smaller than a child can read.
double keyReadingSize(double size) {
    return std::max(size * 0.6, 7.0);
}
double rubySize(double size) {
    return std::max(size * 0.5, 7.0);
}

// Beside one line: the answer key's readings (red) over the words, then the furigana of its
// unlearned kanji, clear of them and of each other. The lane runs along the line from the
// line's start; putAlong(text, from, step, size) prints a string there.
template <typename PutAlong>
void putBesideLine(PrintSurface& s, const SheetInput& in, int row, double size, double pitch, Lane lane,
                   PutAlong putAlong) {
    const size_t i = static_cast<size_t>(row);
    const PrintPage& pg = in.page;
    const double lb = static_cast<double>(pg.before[i].size());
    const double lk = static_cast<double>(pg.kanji[i].size());
    const double la = static_cast<double>(pg.after[i].size());
    const double lk2 = static_cast<double>(pg.kanji2[i].size());
    const bool second = in.rows.secondWordShown[i];
    // The middle of m cells from the line's k-th character, from the line's start.
    const auto centre = [&](double k, double m) { return pitch * (k + (m - 1) / 2) + size * 10; };
    const auto put = [&](const QString& text, double k, double m, double textSize) {
        if (text.isEmpty() || m <= 0) return;
        const Lane::Placement p = lane.place(centre(k, m), text.size(), textSize * 20);
        s.setFontSize(textSize * p.scale);
        putAlong(text, p.from, p.step, textSize * p.scale);
    };
    if (in.options.answerKey) {
        s.setForeColor(kRed);
        put(pg.reading[i].trimmed(), 1 + lb, lk, keyReadingSize(size));
        if (second) put(pg.reading2[i].trimmed(), 1 + lb + lk + la, lk2, keyReadingSize(size));
        s.setForeColor(0);
    }
    if (!in.notes) return;
    for (const Ruby& ruby : in.notes->ruby[i]) {
        double first = 0;
        switch (ruby.text) {
        case ProblemText::Before: first = 1; break;
        case ProblemText::After: first = 1 + lb + lk; break;
        case ProblemText::After2:
            if (!second) continue;
            first = 1 + lb + lk + la + lk2;
            break;
        default: continue;  // the words are what the pupil reads
        }
        put(ruby.reading, first + static_cast<double>(ruby.index), static_cast<double>(ruby.length),
            rubySize(size));
    }
}

}  // namespace

QString problemLine(const SheetInput& in, int row, int number) {
    const size_t i = static_cast<size_t>(row);
    QString line = circledNumber(number) + in.page.before[i] + in.page.kanji[i] + in.page.after[i];
    if (in.rows.secondWordShown[i]) line += in.page.kanji2[i] + in.page.after2[i];
    return line;
}

void drawReadingFrame(PrintSurface& s, SheetLayout layout, const QString& heading, const QString& title,
                      double titleStep) {
    const double W = s.pageWidth();
    if (layout == SheetLayout::CharacterPlaced) {
        sheet::rectangleOfLines(s, W - 1200, 200, W - 100, 10500);
        s.setFontSize(20);
        putChar(s, W - 700, 6000, QStringLiteral("名"));
        putChar(s, W - 700, 6500, QStringLiteral("前"));
        sheet::putHeading(s, heading, W - 700, 500, true, 6000);
        s.setFontSize(10);
        putChars(s, title, W - 1000, 500, 0, titleStep);
        const double G = W - 1300;
        for (int k = 0; k <= 10; ++k) s.drawLine(G - k * G / 10, 10500, G - k * G / 10, 200);
        s.drawLine(0, 200, G, 200);
        s.drawLine(0, 10500, G, 10500);
    } else {
        const double H = s.pageHeight();
        sheet::rectangleOfLines(s, 200, 200, W - 850, 1200);
        s.setFontSize(20);
        putChar(s, 5130, 300, QStringLiteral("名"));
        putChar(s, 5630, 300, QStringLiteral("前"));
        sheet::putHeading(s, heading, 230, 230, false, 5130);
        s.setFontSize(10);
        putChars(s, title, 350, 800, 300, 0);
        for (int k = 1; k <= 11; ++k) s.drawLine(200, k * H / 11 - 100, W - 850, k * H / 11 - 100);
        s.drawLine(W - 850, H / 11 - 100, W - 850, H - 100);
        s.drawLine(200, H / 11 - 100, 200, H - 100);
    }
}

void printReadingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in) {
    sheet::setUp(s, layout, sheetFontName(in.options.statusFontName, in.page.fontName));
    const double size = in.options.problemFontSize;
    const double pitch = U * in.options.readingSpacing * size / 25.0;
    const bool placed = layout == SheetLayout::CharacterPlaced;

    // Line of row `row` numbered `number` in column j (placed: from the left) or band j
    // (rotated: from the top).
    const auto putLine = [&](int row, int number, double j) {
        const QString line = problemLine(in, row, number);
        s.setFontSize(size);
        if (placed)
            putChars(s, line, 500 + P * j, 600, 0, pitch);
        else
            putChars(s, line, 300, 1850 + P * j, pitch, 0);
        if (!in.options.answerKey && !in.notes) return;
        // Placed: down the right of the column, a little clear of the characters. Rotated: along
        // the top of the row (the right of the column as the sheet is read), further clear: the
        // turned glyphs of an "@" face reach above the top of their cell.
        const double gap = placed ? size * 2 : size * 5;
        if (placed) {
            const double x = 500 + P * j + size * 20 + gap;
            putBesideLine(s, in, row, size, pitch, Lane(200 - 600, 10500 - 600),
                          [&](const QString& text, double from, double step, double) {
                              putChars(s, text, x, 600 + from, 0, step);
                          });
        } else {
            putBesideLine(s, in, row, size, pitch, Lane(200 - 300, s.pageWidth() - 850 - 300),
                          [&](const QString& text, double from, double step, double textSize) {
                              putChars(s, text, 300 + from, 1850 + P * j - gap - textSize * 20, step, 0);
                          });
        }
        s.setFontSize(size);
    };

    if (!in.options.twoSheetSet) {
        drawReadingFrame(s, layout, in.page.heading, kReadingTitle, 500);
        s.setFontSize(size);
        for (int r = 1; r <= 10; ++r) putLine(r, r, placed ? 10 - r : r - 1);
    } else {
        for (int sheetNo = 1; sheetNo <= 2; ++sheetNo) {
            if (sheetNo == 2) s.newPage();
            QString heading = in.page.heading;
            if (!placed) heading += sheetNo == 1 ? QStringLiteral("その一") : QStringLiteral("その二");
            drawReadingFrame(s, layout, heading, kReadingTitle, 500);
            s.setFontSize(size);
            for (int j = 0; j <= 4; ++j) {
                if (placed)
                    putLine(sheetNo == 1 ? j + 1 : j + 6, 5 - j, 2 * j + 1);
                else
                    putLine(sheetNo == 1 ? 2 * j + 1 : 2 * j + 2, j + 1, 2 * j);
            }
        }
    }
    sheet::finish(s);
}
