#pragma once

#include <QStringList>

// jirakubo-cli score: the marks of one page of a test (the rows given wrong, the others
// right) into the class's results.
int runScoreCommand(const QStringList& arguments);
