// The command line's convert: a problem file read as opening it would and written as saving
// it would (no backup), with the checks that keep every existing file as it was.
#pragma once

#include <QString>

struct ConvertOptions {
    // Write the first 201 pages of a file that holds more; without it such a file is refused.
    bool keepFirst201 = false;
};

struct ConvertResult {
    bool written = false;
    QString message;  // why nothing was written, for standard error
    int pagesWritten = 0;
    int pagesLeftOut = 0;
};

// Converts input (.moj or .mojx) into output (.mojx). Refuses, writing nothing: a missing
// input, a folder, a file that is not a problem file or not code page 932, the example file
// base.moj of programDirectory, an output that is not .mojx or is a folder or is the input
// itself, and a file with more pages than a workbook holds (unless options say to keep the
// first 201).
ConvertResult convertProblemFile(const QString& input, const QString& output, const ConvertOptions& options,
                                 const QString& programDirectory);
