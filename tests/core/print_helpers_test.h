// Helpers of the sheet tests: a page to print and ways to read the recorded sheet back.
#pragma once

#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

#include "printing/print_page.h"
#include "printing/recording_surface.h"
#include "printing/sheet_common.h"

namespace printtest {

using Op = RecordingSurface::Op;
using Kind = RecordingSurface::Kind;

inline constexpr double P = kProblemPitch;
inline constexpr double U = kGridUnit;
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
