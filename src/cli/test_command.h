#pragma once

#include <QStringList>

// jirakubo-cli test: a test built from the example sentences for a grade's kanji, or from
// pages of a workbook, or a review from the class's results, written as a new workbook.
int runTestCommand(const QStringList& arguments);
