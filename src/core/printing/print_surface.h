// The drawing device of every sheet. All coordinates and lengths are twips (1/1440 inch)
// from the top-left corner of the printable area.
#pragma once

#include <QString>

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual void setPaperSize(int code) = 0;           // 9 A4, 12 B4 (JIS)
    virtual void setOrientation(int orientation) = 0;  // 1 portrait, 2 landscape
    virtual double pageWidth() const = 0;              // printable area
    virtual double pageHeight() const = 0;
    virtual int paperWidth() const = 0;  // whole sheet
    virtual int paperHeight() const = 0;

    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setFontItalic(bool on) = 0;
    virtual void setForeColor(int bgr) = 0;
    virtual void setDrawStyle(int style) = 0;  // 0 solid, 1 dashed, 2 dotted
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
