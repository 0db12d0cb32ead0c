// "jirakubo-cli print": worksheets of a workbook to a PDF file.
//
//   jirakubo-cli print WORKBOOK -o OUT.pdf
//       [--sheet dictation|tracing|reading|three|sentence]   (default dictation)
//       [--page N | --all-pages]                              (1-based, default 1)
//       [--font NAME]          status-bar font; "@NAME" takes the rotated layouts
//       [--font-size PT]       size of the problem lines (default 25)
//       [--no-boxes] [--tracing] [--tracing-color RGB] [--narrow] [--two-sheet]
//       [--trace FILE]         every surface call as JSON Lines, in twips
//
// Every page prints with its own rows, as the all-pages batch does. Needs a
// QGuiApplication (QT_QPA_PLATFORM=offscreen does without a display).
#pragma once

#include <QStringList>

// arguments: those after "print". --help prints the usage to stdout and returns 0. Otherwise
// returns the exit code: 0, or 1 with a message on stderr and no output file.
int runPrintCommand(const QStringList& arguments);
