#include "core/data/test_sources.h"

#include <QDir>
#include <QFileInfo>

#include "core/data/problem_files.h"
#include "core/data/reading_dictionary.h"

bool loadTestSources(const QString& programDirectory, const QString& company, TestSources* sources,
                     QString* message) {
    const QString basePath = QDir(programDirectory).filePath(QStringLiteral("base.moj"));
    if (!QFileInfo(basePath).isFile()) {
        *message = QStringLiteral("%1 が見つかりません。例文がないのでテストを作れません").arg(basePath);
        return false;
    }
    auto examples = std::make_unique<Workbook>();
    examples->exampleFilePath = basePath;
    const ReadReport report = readProblemFile(*examples, programDirectory);
    if (!report.errorMessage.isEmpty()) {
        *message = report.errorMessage;
        return false;
    }
    ReadingDictionary dictionary;
    if (auto notice = loadReadingDictionary(dictionary, company, programDirectory)) {
        *message = notice->text;
        return false;
    }
    sources->examples = exampleProblems(*examples);
    sources->grades = KanjiGrades(dictionary.table);
    return true;
}
