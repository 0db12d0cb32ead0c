// What a test is built from, read from the program folder: the example sentences
// (base.moj) and the grades of the chosen textbook company's reading dictionary.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "core/data/test_builder.h"

struct TestSources {
    std::vector<TestProblem> examples;
    KanjiGrades grades;
};

// Reads base.moj and the dictionary of `company` ("教科書指定なし" or a company's name) from
// programDirectory. On failure returns false with a message for the teacher.
bool loadTestSources(const QString& programDirectory, const QString& company, TestSources* sources,
                     QString* message);
