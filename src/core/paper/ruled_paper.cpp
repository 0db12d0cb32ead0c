#include "core/paper/ruled_paper.h"

#include <cmath>

#include "core/printing/print_surface.h"

namespace {

constexpr double kTitlePoints = 7;
// The face of the title: the surface's own default, so a face left over from another print
// (an "@" face would lay the title on its side) never reaches it.
const QString kTitleFont = QStringLiteral("ＭＳ Ｐ明朝");

}  // namespace

RuledGeometry ruledGeometry(int rows, double printableWidth, double printableHeight) {
    RuledGeometry g;
    g.rows = rows;
    g.right = std::floor(printableWidth) - 1000;
    g.pitch = std::floor((std::floor(printableHeight) - 500) / (rows + 1));
    return g;
}

std::optional<int> parseRuledRows(const QString& text) {
    QString digits;
    for (QChar c : text.trimmed()) {
        if (c >= u'０' && c <= u'９') c = QChar(u'0' + (c.unicode() - u'０'));
        if (c < u'0' || c > u'9') return std::nullopt;
        digits += c;
    }
    // More digits than any allowed count: refused before it could overflow.
    if (digits.isEmpty() || digits.size() > 3) return std::nullopt;
    const int n = digits.toInt();
    if (n < kMinRuledRows || n > kMaxRuledRows) return std::nullopt;
    return n;
}

RuledGeometry drawRuledPaper(PrintSurface& s, const RuledPaperOptions& o) {
    s.setPaperSize(Paper::A4);
    s.setOrientation(Orientation::Portrait);
    s.setDrawStyle(LineStyle::Solid);
    s.setForeColor(0);
    const RuledGeometry g = ruledGeometry(o.rows, s.pageWidth(), s.pageHeight());

    s.setFontName(kTitleFont);
    s.setFontSize(kTitlePoints);
    const double h = s.textHeight(QStringLiteral("あ"));
    const double w = s.textWidth(QStringLiteral("あ"));
    const double x = g.right - h * static_cast<double>(o.title.size());
    s.setCurrentX(x);
    s.setCurrentY(w);
    s.printText(o.title);
    s.setCurrentX(x);
    s.setCurrentY(g.lineY(o.rows) + w);
    s.printText(o.title);

    s.setDrawStyle(LineStyle::Solid);
    for (int i = 0; i <= o.rows + 1; ++i) s.drawLine(g.left, g.lineY(i), g.right, g.lineY(i));
    if (o.centerLines) {
        s.setDrawStyle(LineStyle::Dotted);
        for (int i = 1; i <= o.rows; ++i) s.drawLine(g.left, g.centerY(i), g.right, g.centerY(i));
        s.setDrawStyle(LineStyle::Solid);
    }
    return g;
}
