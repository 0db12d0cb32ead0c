// Pouring a running text into the ten rows of the problem grid, ten characters a row.
//
// A line break starts a new row. Marks that may not open a row hang at the end of the row
// before instead: a row first takes a closing mark ("。", "」", "』", "）", "！", "？"), then
// one more mark of those or "、"; so a row holds at most twelve characters, and "。」",
// "！」", "」、" or "。、" never leave a mark at the start of the next row.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int kFlowRows = 10;
inline constexpr int kFlowRowLength = 10;

// The texts of rows 1, 2, ... in order, at most ten. The flow stops when the text runs out:
// rows past the end of the list keep what they hold. Line breaks may be CR LF, LF or CR.
QStringList flowText(const QString& text);

// Whether a mark is kept off the start of a row (as first or as second hanging mark).
bool hangsAsFirstMark(QChar c);
bool hangsAsSecondMark(QChar c);
