// Pouring a running text into the ten rows of the problem grid, ten characters a row.
//
// A line break starts a new row. Closing marks may not open a row: a run of them ("。",
// "、", "」", "』", "）", "！", "？" and their kin, in any order and number: "。」", "！？」",
// "」、") hangs at the end of the row before, with the character it follows. A row thus holds
// ten characters and the marks that hang on it.
#pragma once

#include <QString>
#include <QStringList>

inline constexpr int kFlowRows = 10;
inline constexpr int kFlowRowLength = 10;

struct FlowedText {
    // The texts of rows 1, 2, ... in order, at most ten. The flow stops when the text runs
    // out: rows past the end of the list keep what they hold.
    QStringList rows;
    // The text the ten rows could not take, as it stands in the source (line breaks kept);
    // empty when everything fitted.
    QString rest;
};

// Line breaks may be CR LF, LF or CR.
FlowedText flowText(const QString& text);

// Whether a mark is kept off the start of a row: closing brackets and quotes, full stops,
// commas, "！", "？", "：", "；", "・", in full and half width.
bool isClosingMark(QChar c);

// Characters of a text, not counting line breaks: what "did not fit" counts.
qsizetype flowCharacterCount(const QString& text);
