// "jirakubo-cli check": what a workbook's pages ask of their class. Lists every kanji above
// the page's grade (未習漢字) and every answer whose kanji stands in another row's sentence on
// the same page.
//
//   jirakubo-cli check WORKBOOK [--grade N] [--company NAME] [--page N] [--format text|tsv]
//
// A page's grade is the highest grade of its answers' kanji in the company's dictionary
// (default onkun.txt), or N. text: one Japanese line a finding; tsv: page, row, kind
// (unlearned or leak), kanji, grade (7 for a kanji in no grade table; empty for a leak),
// other row (empty for unlearned), tab-separated.
#pragma once

#include <QStringList>

// arguments: those after "check". Returns 0 when nothing is found, 3 when something is,
// 1 with a message on stderr on an error.
int runCheckCommand(const QStringList& arguments);
