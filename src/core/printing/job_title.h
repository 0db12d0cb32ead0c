// The length of a print job's name: a printer queue lists it and a PDF file carries it as its
// title, so a heading of any length (a pasted text, a file of a million characters) is cut.
#pragma once

#include <QString>

// The most characters of a heading or a file name a job's title takes.
inline constexpr qsizetype kJobTitlePartChars = 100;
// The most characters of a whole title (its parts joined by " - ").
inline constexpr qsizetype kJobTitleChars = 200;

// text when it has at most maxChars characters; else its first maxChars - 1 characters and
// "…" (a character made of two UTF-16 units is never cut in two). Line breaks and other
// control characters become blanks.
QString shortJobTitle(const QString& text, qsizetype maxChars = kJobTitlePartChars);
