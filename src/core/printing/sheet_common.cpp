#include "core/printing/sheet_common.h"

#include <algorithm>

#include "core/printing/print_surface.h"

RowStates RowStates::fromPage(const PrintPage& page) {
    RowStates st;
    for (size_t r = 1; r <= 10; ++r) {
        st.kanjiFilled[r] = !page.kanji[r].isEmpty();
        st.secondWordShown[r] = !page.kanji2[r].isEmpty();
    }
    return st;
}

QString sheetFontName(const QString& statusFontName, const QString& pageFontName) {
    if (!statusFontName.isEmpty() && statusFontName != QStringLiteral("フォント")) return statusFontName;
    if (!pageFontName.isEmpty() && pageFontName != QStringLiteral("フォント")) return pageFontName;
    return QStringLiteral("ＭＳ Ｐ明朝");
}

SheetLayout layoutForFont(const QString& fontName) {
    return fontName.startsWith(QLatin1Char('@')) ? SheetLayout::RotatedFont : SheetLayout::CharacterPlaced;
}

QString circledNumber(int n) {
    return QString(QChar(0x2460 + n - 1));
}

HeadingFit fitHeading(qsizetype length, double room) {
    constexpr double kPitch = 500, kEm = 400;  // 20 pt
    const double n = static_cast<double>(length);
    if (length <= 1 || kPitch * (n - 1) + kEm <= room) return {};
    const double pitch = (room - kEm) / (n - 1);
    if (pitch >= kEm) return {pitch, 20};
    return {room / n, room / n / 20};
}

namespace sheet {

void setUp(PrintSurface& s, SheetLayout layout, const QString& fontName) {
    s.setFontSize(20);
    s.setPaperSize(Paper::A4);
    s.setFontName(fontName);
    s.setOrientation(layout == SheetLayout::CharacterPlaced ? Orientation::Landscape : Orientation::Portrait);
    s.setDrawStyle(LineStyle::Solid);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setForeColor(0);
    s.setColumnForms(layout == SheetLayout::CharacterPlaced);
}

void finish(PrintSurface& s) {
    s.setColumnForms(false);
    s.setForeColor(0);
}

void rectangleOfLines(PrintSurface& s, double x1, double y1, double x2, double y2) {
    s.drawLine(x1, y1, x2, y1);
    s.drawLine(x2, y1, x2, y2);
    s.drawLine(x2, y2, x1, y2);
    s.drawLine(x1, y2, x1, y1);
}

void putChar(PrintSurface& s, double x, double y, const QString& ch) {
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.printText(ch);
}

void putChars(PrintSurface& s, const QString& text, double x, double y, double dx, double dy) {
    for (qsizetype k = 0; k < text.size(); ++k)
        putChar(s, x + dx * static_cast<double>(k), y + dy * static_cast<double>(k), text.mid(k, 1));
}

void putHeading(PrintSurface& s, const QString& heading, double x, double y, bool down, double nameAt) {
    constexpr double kEm = 400, kSpace = 400;  // 20 pt
    const HeadingFit fit = fitHeading(heading.size(), nameAt - kSpace - (down ? y : x));
    const double inset = (kEm - fit.size * 20) / 2;  // centred on the line of 20-pt cells
    s.setFontSize(fit.size);
    if (down)
        putChars(s, heading, x + inset, y, 0, fit.pitch);
    else
        putChars(s, heading, x, y + inset, fit.pitch, 0);
    s.setFontSize(20);
}

void putLineInsidePage(PrintSurface& s, const QString& text, double x, double y, double size) {
    const double W = s.pageWidth();
    s.setFontSize(size);
    double width = s.textWidth(text);
    if (width > W) {
        s.setFontSize(size * W / width);
        width = s.textWidth(text);
    }
    putChar(s, std::max(0.0, std::min(x, W - width)), y, text);
}

}  // namespace sheet
