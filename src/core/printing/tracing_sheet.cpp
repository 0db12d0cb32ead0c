#include "core/printing/tracing_sheet.h"

#include "core/printing/print_surface.h"

using sheet::putChar;
using sheet::putChars;

namespace {

constexpr double U = kGridUnit;
constexpr double P = kProblemPitch;

struct Word {
    QString text, reading;
};

Word practiceWord(const SheetInput& in, size_t i) {
    if (in.rows.secondWordShown[i]) return {in.page.kanji2[i], in.page.reading2[i]};
    return {in.page.kanji[i], in.page.reading[i]};
}

// The model, its copies and the reading of one word; the k-th square of the word's column
// is at (x0 + dx·k, y0 + dy·k), the reading's k-th character at (rx + rdx·k, ry + rdy·k). The
// model and its copies move in their squares as the teacher set the models' place.
void drawWord(PrintSurface& s, SheetLayout layout, const SheetInput& in, const Word& w, double x0, double y0,
              double dx, double dy, double rx, double ry, double rdx, double rdy) {
    const qsizetype n = w.text.size();
    x0 += in.options.modelShift.dx(layout);
    y0 += in.options.modelShift.dy(layout);
    s.setFontSize(45);
    s.setForeColor(0);
    putChars(s, w.text, x0, y0, dx, dy);
    if (in.options.tracingOn && n > 0) {
        s.setForeColor(in.options.tracingColor);
        for (int m = 1; m <= tracingCopies(n); ++m)
            putChars(s, w.text, x0 + dx * static_cast<double>(m * n), y0 + dy * static_cast<double>(m * n),
                     dx, dy);
        s.setForeColor(0);
    }
    s.setFontSize(15);
    putChars(s, w.reading, rx, ry, rdx, rdy);
}

void characterPlaced(PrintSurface& s, const SheetInput& in) {
    const double W = s.pageWidth();
    sheet::rectangleOfLines(s, W - 1200, 200, W - 100, 10500);
    sheet::putHeading(s, in.page.heading, W - 700, 500, true, 6000);
    putChar(s, W - 700, 6000, QStringLiteral("名"));
    putChar(s, W - 700, 6500, QStringLiteral("前"));
    s.setFontSize(10);
    putChars(s, kTracingTitle, W - 1000, 500, 0, 300);

    // Between the squares the lines stop at the reading strip, so readings run down the strip
    // uncut; the top, the foot of the columns (and the line below it) run across.
    for (int r = 0; r <= 11; ++r) {
        if (r == 0 || r >= 10) {
            s.drawLine(0, U * r, 14 * U, U * r);
            continue;
        }
        for (int c = 0; c < 10; ++c) s.drawLine(P * c, U * r, P * c + U, U * r);
    }
    for (int c = 0; c <= 10; ++c) {
        s.drawLine(P * c, 0, P * c, 11 * U - 1050);
        s.drawLine(P * c - 0.4 * U, 0, P * c - 0.4 * U, 11 * U - 1050);
    }

    for (int p = 1; p <= 10; ++p) {
        const double c = 10 - p;
        drawWord(s, SheetLayout::CharacterPlaced, in, practiceWord(in, static_cast<size_t>(p)), 100 + P * c,
                 100, 0, 1050, 1100 + P * c, 200, 0, 300);
    }
}

void rotatedFont(PrintSurface& s, const SheetInput& in) {
    const double W = s.pageWidth();
    sheet::rectangleOfLines(s, 200, 200, W - 850, 1200);
    putChar(s, 5130, 300, QStringLiteral("名"));
    putChar(s, 5630, 300, QStringLiteral("前"));
    sheet::putHeading(s, in.page.heading, 230, 230, false, 5130);
    s.setFontSize(10);
    putChars(s, kTracingTitle, 350, 800, 300, 0);

    for (int i = 0; i <= 10; ++i) {
        s.drawLine(200, 1400 + P * i, 200 + 10 * U, 1400 + P * i);
        s.drawLine(200, 1800 + P * i, 200 + 10 * U, 1800 + P * i);
    }
    // The lines between the squares leave the reading strips whole; the two sides run down.
    for (int i = 0; i <= 10; ++i) {
        if (i == 0 || i == 10) {
            s.drawLine(200 + U * i, 1400, 200 + U * i, 1400 + 14 * U);
            continue;
        }
        for (int band = 0; band < 10; ++band)
            s.drawLine(200 + U * i, 1800 + P * band, 200 + U * i, 1400 + P * (band + 1));
    }

    for (int p = 1; p <= 10; ++p) {
        const double i = p - 1;
        drawWord(s, SheetLayout::RotatedFont, in, practiceWord(in, static_cast<size_t>(p)), 300, 1850 + P * i,
                 U, 0, 300, 1500 + P * i, 300, 0);
    }
}

}  // namespace

int tracingCopies(qsizetype n) {
    if (n <= 0) return 0;
    return static_cast<int>(10 / n) - 1 > 0 ? static_cast<int>(10 / n) - 1 : 0;
}

bool tooLongForTracing(const QString& kanji) {
    return kanji.size() > kTracingMaxChars;
}

int firstTooLongRow(const PrintPage& page) {
    for (int r = 1; r <= 10; ++r)
        if (tooLongForTracing(page.kanji[static_cast<size_t>(r)])) return r;
    return 0;
}

QString tracingRefusalMessage(const QStringList& rows, bool everyPage) {
    return kTooLongMessage + u'\n' + rows.join(u'\n') + u'\n' +
           (everyPage ? QStringLiteral("これらの頁の練習の用紙は印刷しません。")
                      : QStringLiteral("この頁の練習の用紙は印刷しません。"));
}

QString tracingRefusalRow(int pageIndex, int row, qsizetype chars) {
    return QStringLiteral(" %1頁 %2行目（%3文字）").arg(pageIndex + 1).arg(row).arg(chars);
}

QString tracingRefusalOfPage(int pageIndex, int row) {
    return QStringLiteral("%1ページ %2行目: %3（練習の用紙の漢字は１０文字まで）")
        .arg(pageIndex + 1)
        .arg(row)
        .arg(kTooLongMessage);
}

void drawTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in) {
    sheet::setUp(s, layout, sheetFontName(in.options.statusFontName, in.page.fontName));
    if (layout == SheetLayout::CharacterPlaced)
        characterPlaced(s, in);
    else
        rotatedFont(s, in);
    sheet::finish(s);
}

bool printTracingSheet(PrintSurface& s, SheetLayout layout, const SheetInput& in) {
    if (firstTooLongRow(in.page) != 0) return false;
    drawTracingSheet(s, layout, in);
    return true;
}
