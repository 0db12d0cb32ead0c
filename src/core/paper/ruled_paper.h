// Ruled paper (横罫線): one A4 portrait sheet of horizontal lines for writing practice, N
// writing rows under a top line at 300, a footer band below them, optional dotted centre
// lines in the rows, and a small title above the first line and in the footer band.
//
// The lines run from 500 to the printable width less 1000, and the row pitch comes from the
// printable height, so nothing is cut by the printer's margins.
#pragma once

#include <QString>
#include <optional>

class PrintSurface;

inline constexpr int kMinRuledRows = 1;
inline constexpr int kMaxRuledRows = 60;

struct RuledPaperOptions {
    int rows = 20;             // N, kMinRuledRows .. kMaxRuledRows
    bool centerLines = false;  // "あり": a dotted line in the middle of every writing row
    QString title = QStringLiteral("ナナホシ舎");
};

struct RuledGeometry {
    int rows = 20;
    double left = 500;
    double right = 0;
    double top = 300;
    double pitch = 0;  // P
    // The solid line i (0 .. N+1) and the dotted centre line of writing row i (1 .. N).
    double lineY(int i) const { return top + i * pitch; }
    double centerY(int i) const { return top + (i - 0.5) * pitch; }
};

RuledGeometry ruledGeometry(int rows, double printableWidth, double printableHeight);

// The row count typed into the window (or given on the command line): a whole number from
// 1 to 60, full-width digits allowed, blanks around ignored. Anything else gives nullopt.
std::optional<int> parseRuledRows(const QString& text);

// Sets A4 portrait and draws the sheet. Leaves the page open (no end of document).
RuledGeometry drawRuledPaper(PrintSurface& s, const RuledPaperOptions& options);
