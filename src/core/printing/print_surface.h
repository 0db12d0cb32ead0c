// The drawing device of every sheet. All coordinates and lengths are twips (1/1440 inch)
// from the top-left corner of the printable area.
#pragma once

#include <QString>

// The paper of a sheet, by the printer's paper code a trace records.
enum class Paper : int {
    A4 = 9,
    B4 = 12,  // the Japanese B4 (257 x 364 mm)
};
// The way the paper is turned, by the code a trace records.
enum class Orientation : int { Portrait = 1, Landscape = 2 };
// The pen of lines and boxes, by the code a trace records.
enum class LineStyle : int { Solid = 0, Dashed = 1, Dotted = 2 };

// The number a trace writes for each.
constexpr int codeOf(Paper paper) {
    return static_cast<int>(paper);
}
constexpr int codeOf(Orientation orientation) {
    return static_cast<int>(orientation);
}
constexpr int codeOf(LineStyle style) {
    return static_cast<int>(style);
}

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual void setPaperSize(Paper paper) = 0;
    virtual void setOrientation(Orientation orientation) = 0;
    virtual double pageWidth() const = 0;  // printable area
    virtual double pageHeight() const = 0;
    virtual int paperWidth() const = 0;  // whole sheet
    virtual int paperHeight() const = 0;

    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setFontItalic(bool on) = 0;
    virtual void setForeColor(int bgr) = 0;
    virtual void setDrawStyle(LineStyle style) = 0;
    virtual void setDrawWidth(int pixels) = 0;
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    // Characters placed one by one down a column take their vertical forms ("。", "、",
    // "ー", small kana, brackets), centred in the column. Off unless a layout turns it on.
    virtual void setColumnForms(bool on) { (void)on; }

    // Draws text with the top-left of its character cell at the current position, then
    // returns X to 0 and advances Y by the line height of the current font.
    virtual void printText(const QString& text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
    virtual void drawBox(double x1, double y1, double x2, double y2) = 0;
    virtual double textWidth(const QString& text) = 0;
    virtual double textHeight(const QString& text) = 0;

    virtual void newPage() = 0;
    // Ends the job; right after newPage() it adds no blank page.
    virtual void endDocument() = 0;
    // The device could not start the job or reported an error at its end: the sheets did
    // not reach the paper. Drawing on a failed surface goes on quietly; the print command
    // tells the user afterwards.
    virtual bool failed() const { return false; }
};
