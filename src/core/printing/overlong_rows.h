// Rows whose texts run past the frame of a sheet: lines longer than the sheet are neither
// wrapped nor shortened, so the print commands ask (the window) or warn (the command line)
// before they print them.
#pragma once

#include <QString>
#include <vector>

#include "core/printing/print_jobs.h"

struct OverlongRow {
    SheetKind sheet = SheetKind::Dictation;  // a single sheet, never the three-sheet set
    int row = 0;                             // 1..10

    bool operator==(const OverlongRow&) const = default;
};

// The rows of the page whose texts (line, reading, second word, answer box) run past the frame
// of one of the command's sheets, in the layout its face takes, on A4 in the printable area
// of a common printer: past the bottom of the columns in the character-placed layouts (10500,
// the tracing sheet's squares 10588), past the right end of the rows in the rotated ones
// (page width - 850, the tracing sheet's squares 200 + 10 x 1058). In the order of the
// sheets, then of the rows. A tracing sheet refused for a kanji word over ten characters
// prints nothing and lists nothing.
std::vector<OverlongRow> rowsRunningOffTheSheet(SheetKind kind, const SheetInput& in);
