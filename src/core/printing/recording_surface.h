// A PrintSurface that records every call, for tests and for the command line's trace.
//
// On its own it is a device without margins whose metrics are fixed so sheets come out the
// same everywhere: A4 is 11906 x 16838 twips and JIS B4 14570 x 20636 (portrait; swapped in
// landscape). A full-width character is size·20 twips wide and high, a half-width one
// (ASCII, half-width katakana) half as wide; the line height is size·20.
//
// With an unprintable margin its page is the paper less that margin on every side, as on a
// printer (setUnprintableMargin(kUnprintableTwips): the common printer of printable_area.h).
//
// Given a target it forwards every call to it and takes page sizes and text extents from it,
// so the record shows what the target device was asked to draw.
#pragma once

#include <QString>
#include <vector>

#include "core/printing/print_surface.h"

class QIODevice;

class RecordingSurface : public PrintSurface {
public:
    enum class Kind { Page, Paper, Orientation, Text, Line, Box, NewPage, EndDocument };
    struct Op {
        Kind kind = Kind::Text;
        // page: x1 = width, y1 = height; paper, orientation: value (codeOf); line, box: style
        // (codeOf)
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int value = 0;
        QString text, font;
        double size = 0;
        bool bold = false, italic = false;
        int color = 0;
        int style = 0, width = 1;
        bool columnForms = false;

        double x() const { return x1; }
        double y() const { return y1; }
    };

    explicit RecordingSurface(PrintSurface* target = nullptr);

    // Writes every record as one line of JSON to out as it happens (the trace).
    void setTrace(QIODevice* out) { trace_ = out; }
    // Off: the records go to the trace only (long runs need not keep them).
    void setKeepRecords(bool on) { keep_ = on; }
    // Twips the device cannot print on each side of the paper (no target only).
    void setUnprintableMargin(double twips) { margin_ = twips; }

    const std::vector<Op>& ops() const { return ops_; }
    // The text records only, or those in one font size.
    std::vector<Op> texts() const;
    std::vector<Op> textsOfSize(double size) const;
    std::vector<Op> ofKind(Kind k) const;
    void clear() {
        ops_.clear();
        pageAnnounced_ = false;
    }

    static double paperWidthTwips(Paper paper, Orientation orientation);
    static double paperHeightTwips(Paper paper, Orientation orientation);
    // The record as the trace writes it.
    static QString toJson(const Op& op);

    void setPaperSize(Paper paper) override;
    void setOrientation(Orientation orientation) override;
    double pageWidth() const override;
    double pageHeight() const override;
    int paperWidth() const override;
    int paperHeight() const override;

    void setFontName(const QString& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool on) override;
    void setFontItalic(bool on) override;
    void setForeColor(int bgr) override;
    void setDrawStyle(LineStyle style) override;
    void setDrawWidth(int pixels) override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setColumnForms(bool on) override;

    void printText(const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    double textWidth(const QString& text) override;
    double textHeight(const QString& text) override;

    void newPage() override;
    void endDocument() override;

private:
    void record(const Op& op);
    void announcePage();

    PrintSurface* target_;
    QIODevice* trace_ = nullptr;
    std::vector<Op> ops_;
    Paper paper_ = Paper::A4;
    Orientation orientation_ = Orientation::Portrait;
    QString font_ = QStringLiteral("ＭＳ Ｐ明朝");
    double size_ = 10;
    bool bold_ = false, italic_ = false, columnForms_ = false;
    int color_ = 0;
    LineStyle style_ = LineStyle::Solid;
    int width_ = 1;
    double x_ = 0, y_ = 0;
    bool pageAnnounced_ = false;
    bool keep_ = true;
    double announcedW_ = 0, announcedH_ = 0;
    double margin_ = 0;
};
