// Helpers of the sheet tests: a page to print and ways to read the recorded sheet back.
#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/printing/print_page.h"
#include "core/printing/recording_surface.h"
#include "core/printing/sheet_common.h"

namespace printtest {

using Op = RecordingSurface::Op;
using Kind = RecordingSurface::Kind;

// Where the ten problems stand, written out by hand from the layout rules rather than taken
// from the sheets' own constants, so that a wrong pitch or a wrong start fails the sheet tests.
// The lines of problems are 1.4 grid units apart (1.4 x 1058 = 1481.2); problem 1 stands at
// the right of a character-placed sheet and at the top of a rotated one. Index 0 is unused.
//
// x of problem p's text column on the character-placed sheets: 500 + 1481.2 (10 - p).
inline constexpr double kPlacedTextX[11] = {-1,     13830.8, 12349.6, 10868.4, 9387.2, 7906,
                                            6424.8, 4943.6,  3462.4,  1981.2,  500};
// x of problem p's column of squares on the tracing sheet and the grade table: 100 + 1481.2 (10 - p).
inline constexpr double kPlacedSquareX[11] = {-1,     13430.8, 11949.6, 10468.4, 8987.2, 7506,
                                              6024.8, 4543.6,  3062.4,  1581.2,  100};
// y of problem p's row on the rotated sheets: 1850 + 1481.2 (p - 1).
inline constexpr double kRotatedTextY[11] = {-1,   1850,    3331.2,  4812.4,  6293.6, 7774.8,
                                             9256, 10737.2, 12218.4, 13699.6, 15180.8};
// x of square k (from 0) along a rotated row of squares: 300 + 1058 k.
inline constexpr double kRotatedSquareX[10] = {300, 1358, 2416, 3474, 4532, 5590, 6648, 7706, 8764, 9822};

inline constexpr double kA4Long = 16838;
inline constexpr double kA4Short = 11906;

inline bool same(double a, double b) {
    return std::fabs(a - b) < 1e-6;
}

// One printed row of a page.
struct Row {
    QString before, kanji, reading, after, kanji2, reading2, after2;
};

inline PrintPage makePage(const QString& heading, const std::vector<std::pair<int, Row>>& rows,
                          const QString& font = QStringLiteral("ＭＳ 明朝")) {
    PrintPage pg;
    pg.heading = heading;
    pg.fontName = font;
    for (const auto& [r, row] : rows) {
        const size_t i = static_cast<size_t>(r);
        pg.before[i] = row.before;
        pg.kanji[i] = row.kanji;
        pg.reading[i] = row.reading;
        pg.after[i] = row.after;
        pg.kanji2[i] = row.kanji2;
        pg.reading2[i] = row.reading2;
        pg.after2[i] = row.after2;
    }
    return pg;
}

// Texts of one size standing at x (a column), joined in the order of y; or at y (a row),
// in the order of x.
inline std::vector<Op> column(const RecordingSurface& rs, double x, double size) {
    std::vector<Op> out;
    for (const Op& op : rs.texts())
        if (same(op.x(), x) && op.size == size) out.push_back(op);
    std::stable_sort(out.begin(), out.end(), [](const Op& a, const Op& b) { return a.y() < b.y(); });
    return out;
}
inline std::vector<Op> row(const RecordingSurface& rs, double y, double size) {
    std::vector<Op> out;
    for (const Op& op : rs.texts())
        if (same(op.y(), y) && op.size == size) out.push_back(op);
    std::stable_sort(out.begin(), out.end(), [](const Op& a, const Op& b) { return a.x() < b.x(); });
    return out;
}
inline QString joined(const std::vector<Op>& ops) {
    QString s;
    for (const Op& op : ops) s += op.text;
    return s;
}
inline std::vector<Op> between(const std::vector<Op>& ops, Kind kind) {
    std::vector<Op> out;
    for (const Op& op : ops)
        if (op.kind == kind) out.push_back(op);
    return out;
}
// The records of the n-th sheet (0-based), sheets separated by page breaks.
inline std::vector<Op> sheetOps(const RecordingSurface& rs, int n) {
    std::vector<Op> out;
    int sheet = 0;
    for (const Op& op : rs.ops()) {
        if (op.kind == Kind::NewPage) {
            ++sheet;
            continue;
        }
        if (sheet == n) out.push_back(op);
    }
    return out;
}

}  // namespace printtest
