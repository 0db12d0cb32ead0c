// The print arrays: the page a sheet prints, rows 1..10.
#pragma once

#include <QString>
#include <array>

struct PrintPage {
    QString heading;
    QString fontName;
    std::array<QString, 11> before, kanji, reading, after, kanji2, reading2, after2;  // [1..10]

    void clear() { *this = PrintPage{}; }
};
