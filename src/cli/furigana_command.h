// "jirakubo-cli furigana": readings proposed by MeCab for the words of a workbook.
//
//   jirakubo-cli furigana IN.mojx|IN.moj -o OUT.mojx [--overwrite]
//
// Fills the empty readings of both words of every row of every page and reports on
// standard error how many were filled and how many words got no proposal. --overwrite
// also replaces readings that differ from the proposal and lists each replacement.
#pragma once

#include <QStringList>

// arguments: the arguments after "furigana". Returns the exit code: 0, or 1 with a message
// on stderr and no output file.
int runFuriganaCommand(const QStringList& arguments);
