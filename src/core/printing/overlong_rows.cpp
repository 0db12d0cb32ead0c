#include "core/printing/overlong_rows.h"

#include <QList>
#include <algorithm>

#include "core/printing/dictation_sheet.h"
#include "core/printing/print_surface.h"
#include "core/printing/print_text.h"
#include "core/printing/printable_area.h"
#include "core/printing/reading_sheet.h"
#include "core/printing/recording_surface.h"
#include "core/printing/sentence_sheet.h"
#include "core/printing/tracing_sheet.h"

namespace {

// Draws nothing; keeps how far the texts and boxes reach along the lines of the layout: down
// the columns, or across the rows. Metrics as the recording surface's.
class ReachSurface : public PrintSurface {
public:
    explicit ReachSurface(bool down) : down_(down) {}

    double reach() const { return reach_; }

    void setPaperSize(Paper paper) override { paper_ = paper; }
    void setOrientation(Orientation orientation) override { orientation_ = orientation; }
    double pageWidth() const override {
        return RecordingSurface::paperWidthTwips(paper_, orientation_) - 2 * kUnprintableTwips;
    }
    double pageHeight() const override {
        return RecordingSurface::paperHeightTwips(paper_, orientation_) - 2 * kUnprintableTwips;
    }
    int paperWidth() const override {
        return static_cast<int>(RecordingSurface::paperWidthTwips(paper_, orientation_));
    }
    int paperHeight() const override {
        return static_cast<int>(RecordingSurface::paperHeightTwips(paper_, orientation_));
    }

    void setFontName(const QString&) override {}
    void setFontSize(double points) override { size_ = points; }
    void setFontBold(bool) override {}
    void setFontItalic(bool) override {}
    void setForeColor(int) override {}
    void setDrawStyle(LineStyle) override {}
    void setDrawWidth(int) override {}
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }

    void printText(const QString& text) override {
        if (!text.isEmpty()) reach_ = std::max(reach_, down_ ? y_ + size_ * 20 : x_ + textWidth(text));
        x_ = 0;
        y_ += size_ * 20;
    }
    void drawLine(double, double, double, double) override {}
    void drawBox(double x1, double y1, double x2, double y2) override {
        reach_ = std::max(reach_, down_ ? std::max(y1, y2) : std::max(x1, x2));
    }
    double textWidth(const QString& text) override {
        double w = 0;
        for (char32_t c : text.toUcs4()) w += isFullWidthChar(c) ? size_ * 20 : size_ * 10;
        return w;
    }
    double textHeight(const QString&) override { return size_ * 20; }
    void newPage() override {}
    void endDocument() override {}

private:
    bool down_;
    Paper paper_ = Paper::A4;
    Orientation orientation_ = Orientation::Portrait;
    double size_ = 10, x_ = 0, y_ = 0, reach_ = 0;
};

// Where the lines of a sheet must end.
double frameEnd(SheetKind sheet, SheetLayout layout) {
    if (layout == SheetLayout::CharacterPlaced)
        return sheet == SheetKind::Tracing ? 11 * kGridUnit - 1050 : 10500;
    if (sheet == SheetKind::Tracing) return 200 + 10 * kGridUnit;
    const double portraitWidth =
        RecordingSurface::paperWidthTwips(Paper::A4, Orientation::Portrait) - 2 * kUnprintableTwips;
    return portraitWidth - 850;
}

double reachOf(SheetKind sheet, SheetLayout layout, const SheetInput& in) {
    ReachSurface s(layout == SheetLayout::CharacterPlaced);
    drawSheet(s, sheet, layout, in);
    return s.reach();
}

// The page with only row r, without its heading (the heading strip has its own fitting).
PrintPage onlyRow(const PrintPage& page, size_t r) {
    PrintPage one;
    one.fontName = page.fontName;
    one.before[r] = page.before[r];
    one.kanji[r] = page.kanji[r];
    one.reading[r] = page.reading[r];
    one.after[r] = page.after[r];
    one.kanji2[r] = page.kanji2[r];
    one.reading2[r] = page.reading2[r];
    one.after2[r] = page.after2[r];
    return one;
}

}  // namespace

std::vector<OverlongRow> rowsRunningOffTheSheet(SheetKind kind, const SheetInput& in) {
    std::vector<OverlongRow> out;
    const SheetLayout layout = layoutForFont(sheetFontName(in.options.statusFontName, in.page.fontName));
    PrintPage noHeading = in.page;
    noHeading.heading.clear();
    for (SheetKind sheet : sheetsOf(kind, layout)) {
        if (sheet == SheetKind::Tracing && firstTooLongRow(in.page) != 0) continue;
        const double end = frameEnd(sheet, layout) + 1e-6;
        // Most pages fit as a whole; only those that do not are looked at row by row.
        if (reachOf(sheet, layout, SheetInput{noHeading, in.options, in.rows}) <= end) continue;
        for (size_t r = 1; r <= 10; ++r) {
            const PrintPage one = onlyRow(in.page, r);
            RowStates states;
            states.kanjiFilled[r] = in.rows.kanjiFilled[r];
            states.secondWordShown[r] = in.rows.secondWordShown[r];
            if (reachOf(sheet, layout, SheetInput{one, in.options, states}) > end)
                out.push_back({sheet, static_cast<int>(r)});
        }
    }
    return out;
}
