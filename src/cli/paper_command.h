// "jirakubo-cli paper": manuscript paper, the practice sheet of a page and ruled paper to a
// PDF file, as the manuscript and ruled paper windows print them.
//
//   jirakubo-cli paper manuscript -o OUT.pdf [--squares 20|12|14|16] [--b4] [--cross]
//                                 [--title TEXT] [--font NAME] [--trace FILE]
//   jirakubo-cli paper practice WORKBOOK -o OUT.pdf [--page N] [--b4] [--cross]
//                                 [--no-readings] [--color BGR] [--title TEXT] [--font NAME]
//                                 [--trace FILE]
//   jirakubo-cli paper ruled -o OUT.pdf [--rows N] [--center-lines] [--title TEXT]
//                                 [--trace FILE]
//
// Defaults are the windows' start-up values: 20 squares, A4, no cross, readings, black, an
// empty manuscript title, the face ＭＳ Ｐ明朝 (the practice sheet: the page's face); 20 rows
// without centre lines and the title "ナナホシ舎". --trace writes every surface call as JSON
// Lines, in twips. Needs a QGuiApplication (QT_QPA_PLATFORM=offscreen does without a display).
#pragma once

#include <QStringList>

// arguments: those after "paper". Returns 0, or 1 with a message on stderr and no file.
int runPaperCommand(const QStringList& arguments);
