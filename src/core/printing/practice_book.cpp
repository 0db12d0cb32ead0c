#include "core/printing/practice_book.h"

#include <QStringList>
#include <functional>

#include "core/printing/print_surface.h"
#include "core/printing/sheet_common.h"

namespace {

// Sheet coordinates: the sheet upright as the pupil reads it, X to the right, Y down; the
// grid frame spans X 0..9000 and Y 0..14400. A square is two units.
constexpr double kUnit = 900;
constexpr double kFrameWidth = 10 * kUnit;
constexpr double kFrameHeight = 16 * kUnit;

// The portrait grid stands at (400, 600). Its labels and heading strip are placed from the
// grid as well, as on a printable area of 11300 x 16272 twips (A4 on a printer with 5 mm
// margins), so they stay in their boxes whatever the device's margins.
constexpr double kPortraitLeft = 400;
constexpr double kPortraitTop = 600;
constexpr double kPortraitW = kPortraitLeft + kFrameWidth + 1900;  // 11300
constexpr double kPortraitH = kPortraitTop + kFrameHeight + 1272;  // 16272

// Places down the sentence column: the 47th character still ends above the frame's foot.
constexpr qsizetype kInstructionPositions = 47;

// How far the stroke-order model moves up in the portrait sheet (half as far left in the
// landscape one, where its turned cell already sits deeper in the box).
constexpr double kStrokeOrderLift = 500;

// The landscape grid: sheet (X, Y) at page (700 + Y, 10900 - X).
constexpr double kLandscapeLeft = 700;
constexpr double kLandscapeBottom = 10900;

// The characters of a text, a surrogate pair kept whole.
QStringList characters(const QString& text) {
    QStringList out;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        out << text.mid(i, n);
        i += n;
    }
    return out;
}

struct Point {
    double x, y;
};

class Sheet {
public:
    Sheet(PrintSurface& s, SheetLayout layout) : s_(s), layout_(layout) {}

    bool portrait() const { return layout_ == SheetLayout::CharacterPlaced; }

    Point map(double X, double Y) const {
        if (portrait()) return {kPortraitLeft + X, kPortraitTop + Y};
        return {kLandscapeLeft + Y, kLandscapeBottom - X};
    }
    void line(double X1, double Y1, double X2, double Y2) {
        const Point a = map(X1, Y1), b = map(X2, Y2);
        s_.drawLine(a.x, a.y, b.x, b.y);
    }
    // A line at X = x for every x, from Y y1 to y2; or at Y = y from X x1 to x2.
    void columns(std::initializer_list<double> xs, double y1, double y2) {
        for (double x : xs) line(x, y1, x, y2);
    }
    void rows(std::initializer_list<double> ys, double x1, double x2) {
        for (double y : ys) line(x1, y, x2, y);
    }
    // A label's characters, the k-th at portrait (px, py + 500k) or landscape (lx + 500k, ly).
    void label(const QString& text, double px, double py, double lx, double ly) {
        s_.setFontSize(20);
        const QStringList chars = characters(text);
        for (qsizetype k = 0; k < chars.size(); ++k) {
            const double step = 500.0 * static_cast<double>(k);
            if (portrait())
                sheet::putChar(s_, px, py + step, chars[k]);
            else
                sheet::putChar(s_, lx + step, ly, chars[k]);
        }
    }

private:
    PrintSurface& s_;
    SheetLayout layout_;
};

void drawGrid(Sheet& g) {
    const double u = kUnit;
    // Solid lines: the frame, the column lines, the model box and the squares.
    g.columns({0, 10 * u}, 0, 16 * u);
    g.rows({0, 16 * u}, 0, 10 * u);
    g.columns({2 * u, 4 * u, 6 * u}, 0, 16 * u);
    g.columns({8 * u}, 4 * u, 16 * u);
    g.rows({4 * u}, 2 * u, 10 * u);
    g.rows({2 * u, 6 * u}, 2 * u, 6 * u);
    g.rows({8 * u, 10 * u, 12 * u, 14 * u}, 2 * u, 10 * u);
}

void drawGuides(Sheet& g) {
    const double u = kUnit;
    g.columns({u, 3 * u, 5 * u}, 0, 16 * u);
    g.columns({7 * u, 9 * u}, 8 * u, 14 * u);
    g.rows({u, 3 * u, 5 * u, 7 * u, 15 * u}, 2 * u, 6 * u);
    g.rows({9 * u, 11 * u, 13 * u}, 2 * u, 10 * u);
}

}  // namespace

QString drawPracticeBook(PrintSurface& s, const PracticeBookInput& in) {
    const QString font = sheetFontName(in.statusFontName, in.pageFontName);
    const SheetLayout layout = layoutForFont(font);
    Sheet g(s, layout);
    const bool portrait = g.portrait();
    const double W = kPortraitW;

    s.setFontName(font);
    s.setPaperSize(Paper::A4);
    s.setOrientation(portrait ? Orientation::Portrait : Orientation::Landscape);
    s.setDrawStyle(LineStyle::Solid);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setForeColor(0);
    // Characters placed one by one down the columns take their vertical forms.
    s.setColumnForms(portrait);

    if (portrait)
        sheet::rectangleOfLines(s, W - 1550, 600, W - 450, kPortraitH - 1500);
    else
        sheet::rectangleOfLines(s, 700, 500, 15050, 1700);

    drawGrid(g);
    s.setDrawStyle(LineStyle::Dashed);
    drawGuides(g);
    s.setDrawStyle(LineStyle::Solid);

    g.label(QStringLiteral("漢字練習帳"), W - 1350, 900, 850, 1000);
    if (portrait) {
        g.label(QStringLiteral("名"), W - 1350, 9400, 0, 0);
        g.label(QStringLiteral("前"), W - 1350, 9900, 0, 0);
    } else {
        g.label(QStringLiteral("名"), 0, 0, 9630, 850);
        g.label(QStringLiteral("前"), 0, 0, 10130, 850);
    }
    g.label(QStringLiteral("音読み"), W - 2450, 4900, 4600, 1950);
    g.label(QStringLiteral("訓読み"), W - 4350, 4900, 4600, 3900);
    g.label(QStringLiteral("部首"), W - 2450, 13400, 13500, 2000);
    g.label(QStringLiteral("画数"), W - 4350, 13400, 13500, 4000);
    g.label(QStringLiteral("画"), W - 5350, 14400, 14700, 5000);

    QString practiceKanji = in.practiceKanji;
    if (in.selectedCell) {
        practiceKanji = *in.selectedCell;
        if (!practiceKanji.isEmpty()) {
            s.setFontSize(kPracticeModelSize);
            if (in.strokeOrder) {
                s.setFontName(portrait ? kStrokeOrderFace : u'@' + kStrokeOrderFace);
                s.setForeColor(0);
            } else {
                s.setForeColor(kPracticeModelColor);
            }
            // The stroke-order face stands a whole em above its baseline, where the mincho
            // faces stand 0.88 em: its kanji and their stroke numbers come out about 500
            // twips lower in the cell, so the cell goes up (left, turned) to keep them in
            // the model box.
            const double lift = in.strokeOrder ? kStrokeOrderLift : 0;
            const double dx = in.modelShift.dx(layout), dy = in.modelShift.dy(layout);
            if (portrait)
                sheet::putChar(s, W - 5400 + dx, 900 - lift + dy, practiceKanji);
            else
                sheet::putChar(s, 700 - lift / 2 + dx, 2000 + dy, practiceKanji);
            s.setFontName(font);
        }
    }

    // The instruction runs down the sentence column along its right edge, as far as the
    // column goes.
    s.setForeColor(0);
    s.setFontSize(10);
    const QStringList chars = characters(practiceKanji + kPracticeInstruction);
    for (qsizetype k = 0; k < chars.size() && k < kInstructionPositions; ++k) {
        const double step = 300.0 * static_cast<double>(k);
        if (portrait)
            sheet::putChar(s, 1850, 900 + step, chars[k]);
        else
            sheet::putChar(s, 870 + step, 9250, chars[k]);
    }
    sheet::finish(s);
    return practiceKanji;
}
