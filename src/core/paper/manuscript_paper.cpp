#include "core/paper/manuscript_paper.h"

#include <QList>
#include <cmath>

#include "core/printing/print_surface.h"

namespace {

void drawTitle(PrintSurface& s, const ManuscriptGeometry& g, const ManuscriptOptions& o) {
    s.setForeColor(kColorBlack);
    s.setFontName(o.fontName);
    s.setFontSize(g.fontSize(20));
    s.setCurrentX(g.x0 + 300);
    s.setCurrentY(g.bottom / 2 + 200);
    s.printText(o.title);
}

// One row of squares: its top and bottom lines, the right edge of every square, and the
// dotted cross of every square when it is on.
void drawRow(PrintSurface& s, const ManuscriptGeometry& g, double top, bool cross) {
    const double bottom = top + g.side;
    s.setDrawStyle(LineStyle::Solid);
    s.drawLine(g.x0, top, g.right, top);
    s.drawLine(g.x0, bottom, g.right, bottom);
    for (int j = 0; j < g.squares; ++j) {
        const double x = g.x0 + (j + 1) * g.side;
        s.drawLine(x, top, x, bottom);
    }
    if (!cross) return;
    s.setDrawStyle(LineStyle::Dotted);
    for (int j = 0; j < g.squares; ++j) {
        const double left = g.x0 + j * g.side;
        const double midX = left + g.side / 2;
        s.drawLine(midX, top, midX, bottom);
        s.drawLine(left, top + g.side / 2, left + g.side, top + g.side / 2);
    }
    s.setDrawStyle(LineStyle::Solid);
}

}  // namespace

double ManuscriptGeometry::squareTop(int row) const {
    const int half = squares / 2;
    if (row < half) return y0 + band + row * pitch();
    return block2Top + band + (row - half) * pitch();
}

ManuscriptGeometry manuscriptGeometry(int squares, bool b4, double printableWidth) {
    ManuscriptGeometry g;
    g.squares = squares;
    g.scale100 = b4 ? 122 : 100;
    g.x0 = g.y0 = g.scaled(500);
    // Whole twips, as the device reports its width.
    g.right = std::floor(printableWidth) - g.scaled(1000);
    g.side = std::floor((g.right - g.x0) / squares);
    g.band = g.scaled(200);
    g.bottom = squares * g.pitch() + g.scaled(1500);
    g.block2Top = g.bottom - squares * g.pitch() / 2;
    return g;
}

namespace {

// The frame and the squares, without the title.
ManuscriptGeometry drawGrid(PrintSurface& s, const ManuscriptOptions& o) {
    s.setPaperSize(o.b4 ? Paper::B4 : Paper::A4);
    s.setOrientation(Orientation::Portrait);
    const ManuscriptGeometry g = manuscriptGeometry(o.squares, o.b4, s.pageWidth());

    s.setForeColor(kColorBlack);
    s.setDrawStyle(LineStyle::Solid);
    s.setDrawWidth(2);
    s.drawBox(g.x0 - 100, g.y0 - 100, g.right + 100, g.bottom + 100);
    s.setDrawWidth(1);
    s.drawBox(g.x0, g.y0, g.right, g.bottom);

    const int half = g.squares / 2;
    for (int i = 0; i < half; ++i) drawRow(s, g, g.squareTop(i), o.cross);
    s.drawLine(g.x0, g.block2Top, g.right, g.block2Top);
    for (int i = half; i < g.squares; ++i) drawRow(s, g, g.squareTop(i), o.cross);
    return g;
}

}  // namespace

ManuscriptGeometry drawManuscriptPaper(PrintSurface& s, const ManuscriptOptions& o) {
    const ManuscriptGeometry g = drawGrid(s, o);
    drawTitle(s, g, o);
    return g;
}

ManuscriptGeometry drawPracticeSheet(PrintSurface& s, const ManuscriptOptions& options,
                                     const PracticeRows& rows, const PracticeOptions& practice) {
    ManuscriptOptions o = options;
    o.squares = 10;
    const ManuscriptGeometry g = drawGrid(s, o);

    // Each model stands centred in its square, one character a square; a word longer than
    // the row stops at the row's last square. The reading stands in the band above the row,
    // at the size the band holds, so neither crosses a line.
    s.setForeColor(kColorBlack);
    s.setFontName(o.fontName);
    if (practice.readings) {
        const int size = g.fontSize(kPracticeReadingPoints);
        s.setFontSize(size);
        for (int i = 1; i <= 10; ++i) {
            const QString& reading = rows.reading[static_cast<size_t>(i)];
            if (reading.isEmpty()) continue;
            s.setCurrentX(g.scaled(650));
            s.setCurrentY(g.squareTop(i - 1) - g.band + (g.band - size * 20) / 2);
            s.printText(reading);
        }
    }

    s.setForeColor(practice.color);
    const int size = g.fontSize(kPracticeModelPoints);
    s.setFontSize(size);
    const double inset = (g.side - size * 20) / 2;
    // An "@" face prints turned, and the sheet is read turned.
    const SheetLayout layout = layoutForFont(o.fontName);
    const double dx = practice.modelShift.dx(layout), dy = practice.modelShift.dy(layout);
    for (int i = 1; i <= 10; ++i) {
        const QList<uint> chars = rows.kanji[static_cast<size_t>(i)].toUcs4();
        for (int k = 0; k < chars.size() && k < g.squares; ++k) {
            s.setCurrentX(g.x0 + k * g.side + inset + dx);
            s.setCurrentY(g.squareTop(i - 1) + inset + dy);
            const char32_t c = chars[k];
            s.printText(QString::fromUcs4(&c, 1));
        }
    }

    drawTitle(s, g, o);
    return g;
}
