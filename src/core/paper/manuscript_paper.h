// Manuscript paper (原稿用紙): N x N squares with a narrow band above every row of squares,
// in two blocks of N/2 rows with a title band between them, on A4 or B4 portrait; and the
// 10 x 10 practice sheet with the kanji words of a page as models in the first squares.
//
// Every length scales with the paper: s = 1 on A4, 1.22 on B4. The width of the squares
// comes from the printable width of the surface, so the right edge is never cut.
#pragma once

#include <QString>
#include <array>

#include "core/printing/sheet_common.h"

class PrintSurface;

inline constexpr int kColorBlack = 0;
// Sizes on A4 (scaled on B4): the practice sheet's models and their readings.
inline constexpr int kPracticeModelPoints = 45;
inline constexpr int kPracticeReadingPoints = 9;

struct ManuscriptGeometry {
    int squares = 20;       // N
    int scale100 = 100;     // s x 100: 100 on A4, 122 on B4
    double x0 = 0, y0 = 0;  // left and top edge
    double right = 0;       // R
    double side = 0;        // P, the side of a square
    double band = 0;        // g, the band above every row of squares
    double bottom = 0;      // B
    double block2Top = 0;

    // v x s, exact for whole v.
    double scaled(int v) const { return static_cast<double>(v * scale100) / 100.0; }
    // Integer part of points x s.
    int fontSize(int points) const { return points * scale100 / 100; }
    double pitch() const { return side + band; }
    // Top of the squares of row i (0-based, 0 .. N-1 over both blocks).
    double squareTop(int row) const;
};

// The geometry of N squares on the given printable width.
ManuscriptGeometry manuscriptGeometry(int squares, bool b4, double printableWidth);

struct ManuscriptOptions {
    int squares = 20;  // 20, 12, 14, 16; the practice sheet uses 10
    bool b4 = false;
    bool cross = false;                                // dotted cross in every square
    QString title;                                     // printed in the title band
    QString fontName = QStringLiteral("ＭＳ Ｐ明朝");  // face of the title and the models
};

// The practice sheet's models: the kanji word and its reading of problems 1..10.
struct PracticeRows {
    std::array<QString, 11> kanji, reading;  // [1..10]
};

struct PracticeOptions {
    bool readings = true;     // "あり": the reading above the models
    int color = kColorBlack;  // colour of the model characters, 0xBBGGRR
    ModelShift modelShift;    // where the teacher moved the models in their squares
};

// Sets A4 or B4 portrait on the surface and draws the blank grid and the title. Leaves the
// page open (no page break, no end of document).
ManuscriptGeometry drawManuscriptPaper(PrintSurface& s, const ManuscriptOptions& options);

// The grid of 10 x 10 squares, then the readings and the model characters of the ten rows,
// then the title. Row i's models stand one character a square from its first square,
// centred; its reading stands in the band above it. Leaves the page open.
ManuscriptGeometry drawPracticeSheet(PrintSurface& s, const ManuscriptOptions& options,
                                     const PracticeRows& rows, const PracticeOptions& practice);
