// "jirakubo-cli merge": joins problem files of one format into one, as the file merge tool
// does.
//
//   jirakubo-cli merge -o OUT.moj|OUT.mojx [--renumber SUFFIX] IN...
//
// The page lines of the inputs, in the order given, make the output; with --renumber the
// headings become a descending series of full-width numbers followed by SUFFIX (１０級 …
// １級). Inputs of both formats, more than 201 pages together, an input that is missing or
// not code page 932, or an output of the other format: a message, exit status 1, no file.
#pragma once

#include <QStringList>

// arguments: those after "merge". Returns the exit code.
int runMergeCommand(const QStringList& arguments);
