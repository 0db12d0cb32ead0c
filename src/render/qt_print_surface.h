// The print surface on a Qt paged device: a QPrinter (CUPS printer, PDF, preview) or a
// QPdfWriter. The painter is scaled so one unit is one twip, with the origin at the top-left
// of the printable area.
//
// Pages open lazily: paper and orientation set after a page break apply to the next page,
// and a page break right before endDocument() adds no blank page.
//
// "@" faces draw every full-width character turned a quarter turn counter-clockwise in its
// cell, in the face's vertical forms (GSUB vert/vrt2 through HarfBuzz); half-width
// characters stay upright. With column forms on, single characters placed down a column
// take the same vertical forms upright, centred in the column.
#pragma once

#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <memory>

#include "core/printing/print_surface.h"

class QPagedPaintDevice;

class QtPrintSurface : public PrintSurface {
public:
    explicit QtPrintSurface(QPagedPaintDevice& device);
    ~QtPrintSurface() override;

    // Pages begun so far.
    int pageCount() const { return pages_; }
    // The family a face name is drawn with.
    QString familyInUse() const;
    // The glyph a character is drawn with in vertical writing (0 when the face lacks it).
    quint32 verticalGlyph(char32_t c);
    quint32 horizontalGlyph(char32_t c);

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
    void setCurrentX(double x) override { x_ = x; }
    void setCurrentY(double y) override { y_ = y; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setColumnForms(bool on) override { columnForms_ = on; }

    void printText(const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawBox(double x1, double y1, double x2, double y2) override;
    double textWidth(const QString& text) override;
    double textHeight(const QString& text) override;

    void newPage() override;
    void endDocument() override;
    // QPainter::begin() or end() on the device failed (no printer, a file that cannot be
    // written, a job the print system refused).
    bool failed() const override { return failed_; }

    struct FaceCache;

private:
    void openPage();
    void applyPen();
    const QFont& font();
    FaceCache& face();
    void drawVertical(const QString& text, bool turned);

    QPagedPaintDevice& device_;
    QPainter painter_;
    bool pageOpen_ = false;
    bool ended_ = false;
    bool failed_ = false;
    int pages_ = 0;
    Paper paper_ = Paper::A4;
    Orientation orientation_ = Orientation::Portrait;
    double marginL_ = 0, marginT_ = 0, marginR_ = 0, marginB_ = 0;  // twips

    QString fontName_ = QStringLiteral("ＭＳ Ｐ明朝");
    double size_ = 10;
    bool bold_ = false, italic_ = false, columnForms_ = false;
    int color_ = 0;
    LineStyle style_ = LineStyle::Solid;
    int width_ = 1;
    double x_ = 0, y_ = 0;

    bool fontDirty_ = true;
    QFont font_;
    FaceCache* face_ = nullptr;
};
