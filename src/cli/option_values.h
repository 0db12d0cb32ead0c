// The values the options and arguments of jirakubo-cli take, read alike by every command.
// Plain functions of QtCore alone (the fuzz build runs them on any text).
#pragma once

#include <QString>
#include <optional>

// A whole number in [low, high]: ASCII digits with an optional sign, blanks around them
// ignored ("7", " +7 ", "-3", "007"). Nothing else: no hexadecimal, no fraction, no exponent.
std::optional<int> parseWholeNumber(const QString& text, int low, int high);
// A colour 0xBBGGRR from 0 to 16777215: a whole number as above, or hexadecimal digits after
// "0x" ("0xE0E0E0"). A leading zero is no octal mark: "010" is ten.
std::optional<int> parseColor(const QString& text);
