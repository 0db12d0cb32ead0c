#pragma once

#include <QStringList>

// jirakubo-cli csv export WORKBOOK OUT.csv: a workbook as a CSV file a spreadsheet opens.
// jirakubo-cli csv import IN.csv -o OUT.mojx: a CSV file (the program's own, or a
// dictation-sheet program's problem list) as a workbook.
int runCsvCommand(const QStringList& arguments);
